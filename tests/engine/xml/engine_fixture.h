#pragma once

#include "engine/xml/browser.h"
#include "engine/xml/maths.h"
#include "engine/xml/variables.h"
#include "messages/messages.h"
#include "platform/dialogs.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace enginetest {

/// Fresh job state as a new process has it after start-up (RC "\n", built-in messages), an
/// application folder and a user data folder of its own, and scripted dialogs that record
/// every message box.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        Variables::ResetDefaults();
        Browser::ResetDefaults();
        Maths::ResetDefaults();
        Variables::RC = std::string("\n");
        Language::SetMessages();
        std::filesystem::create_directories(AppDir());
        ::setenv("MALVOREN_APP_DIR", AppDir().c_str(), 1);
        ::setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("MALVOREN_APP_DIR");
        ::unsetenv("XDG_DATA_HOME");
        Variables::ResetDefaults();
        Browser::ResetDefaults();
        Language::ResetMessages();
    }

    std::filesystem::path AppDir() const { return dir / "app"; }
    std::filesystem::path AppLog() const { return AppDir() / "Malvoren log.txt"; }
    std::filesystem::path DataLog() const {
        return dir / "data" / "Malvoren Tool" / "Malvoren log.txt";
    }

    testsupport::TempFolder dir;
    platform::ScopedScriptedDialogs dialogs;
};

}  // namespace enginetest
