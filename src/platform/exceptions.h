#pragma once

#include <stdexcept>
#include <string>

namespace platform {

/// Base of every failure that the tool's own handlers catch and report.
class RuntimeException : public std::runtime_error {
public:
    explicit RuntimeException(const std::string& message)
        : std::runtime_error(message) {}
    /// The kind's name as reports show it ("NilObjectException", ...).
    virtual const char* KindName() const noexcept { return "RuntimeException"; }
};

/// A missing object: a file item, picture or stream that is not there.
class NilObjectException : public RuntimeException {
public:
    explicit NilObjectException(const std::string& message = "missing object")
        : RuntimeException(message) {}
    const char* KindName() const noexcept override { return "NilObjectException"; }
};

/// A file that cannot be created, opened, read or written; carries the OS error code.
class IOException : public RuntimeException {
public:
    IOException(int errorNumber, const std::string& message)
        : RuntimeException(message)
        , m_errorNumber(errorNumber) {}
    int ErrorNumber() const noexcept { return m_errorNumber; }
    const char* KindName() const noexcept override { return "IOException"; }

private:
    int m_errorNumber;
};

/// A file the tool writes that could not be written: its folder is missing or read-only, the
/// disk is full, a folder stands in its place. Carries the target's path and the system's
/// reason; its message says both in the tool's words: "Unable to write PATH: REASON.".
class FileWriteException : public IOException {
public:
    FileWriteException(const std::string& path, int errorNumber);
    const std::string& Path() const noexcept { return m_path; }
    /// The system's words for the error number ("No space left on device").
    std::string Reason() const;

private:
    std::string m_path;
};

/// An index past either end of an array.
class OutOfBoundsException : public RuntimeException {
public:
    explicit OutOfBoundsException(const std::string& message = "index out of bounds")
        : RuntimeException(message) {}
    const char* KindName() const noexcept override { return "OutOfBoundsException"; }
};

/// Ends a killed job at its next yield point. Deliberately not a RuntimeException, so that
/// the steps' own handlers let it pass; only the job runner catches it.
class ThreadEndException : public std::exception {
public:
    const char* what() const noexcept override { return "job thread ended"; }
};

}  // namespace platform
