#pragma once

#include <memory>
#include <string>
#include <vector>

namespace platform {

/// Hands addresses, files, folders and programs to the system. One launcher serves the
/// whole program, so that tests can record the requests instead of opening anything.
class Launcher {
public:
    virtual ~Launcher() = default;
    /// Opens a web address in the default browser. False when the system refused.
    virtual bool OpenURL(const std::string& url) = 0;
    /// Opens a file or folder with the system's default application (a folder in the file
    /// manager). False when the system refused.
    virtual bool OpenItem(const std::string& path) = 0;
    /// Starts a program file, detached from the tool. False when it could not be started.
    virtual bool LaunchProgram(const std::string& path) = 0;
    /// Told of an address that ShowURL refused to open; the system's launcher ignores it.
    virtual void Refused(const std::string& url) { (void)url; }
};

/// What the user is told, above the address, when no program could open a web address.
inline constexpr const char* kNoProgramForAddress =
    "No program on this computer could open this address. You can copy it into a web browser:";

/// Opens a web address in the default browser (the framework's ShowURL). Only http and https
/// addresses with a host are handed on: "file:", "javascript:" and every other scheme could
/// run or reveal something on this machine, so they are refused (false) and never opened.
/// When the launcher cannot open an address (no web browser installed) the user is told so
/// in a message box that shows the address, and the result is false.
bool ShowURL(const std::string& url);

/// The launcher in force (the system's until another is installed).
Launcher& CurrentLauncher();
/// Installs `launcher` (nullptr restores the system's) and returns the previous one.
std::unique_ptr<Launcher> SetLauncher(std::unique_ptr<Launcher> launcher);

/// The system's: Qt's desktop services for addresses and items, a detached process for
/// programs.
class SystemLauncher : public Launcher {
public:
    bool OpenURL(const std::string& url) override;
    bool OpenItem(const std::string& path) override;
    bool LaunchProgram(const std::string& path) override;
};

/// For tests: records every request ("url:", "item:", "program:" or, for an address that
/// ShowURL refused, "refused:", and the text) and answers with `answer`.
class RecordingLauncher : public Launcher {
public:
    bool OpenURL(const std::string& url) override;
    bool OpenItem(const std::string& path) override;
    bool LaunchProgram(const std::string& path) override;
    void Refused(const std::string& url) override;

    std::vector<std::string> requests;
    bool answer = true;
};

/// Installs a RecordingLauncher for the lifetime of this object (tests).
class ScopedRecordingLauncher {
public:
    ScopedRecordingLauncher();
    ~ScopedRecordingLauncher();
    ScopedRecordingLauncher(const ScopedRecordingLauncher&) = delete;
    ScopedRecordingLauncher& operator=(const ScopedRecordingLauncher&) = delete;
    RecordingLauncher* operator->() noexcept { return m_launcher; }

private:
    RecordingLauncher* m_launcher;
    std::unique_ptr<Launcher> m_previous;
};

}  // namespace platform
