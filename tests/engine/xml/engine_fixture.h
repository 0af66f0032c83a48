#pragma once

#include "engine/xml/variables.h"
#include "messages/messages.h"
#include "platform/dialogs.h"
#include "support/job_state.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace enginetest {

/// Fresh job state as a new process has it after start-up (RC "\n", built-in messages), an
/// application folder and a user data folder of its own, and scripted dialogs that record
/// every message box.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        Variables::RC = std::string("\n");
        Language::SetMessages();
        std::filesystem::create_directories(AppDir());
        jobState.SetEnv("MALVOREN_APP_DIR", AppDir().string());
        jobState.SetEnv("XDG_DATA_HOME", (dir / "data").string());
    }

    std::filesystem::path AppDir() const { return dir / "app"; }
    std::filesystem::path AppLog() const { return AppDir() / "Malvoren log.txt"; }
    std::filesystem::path DataLog() const {
        return dir / "data" / "Malvoren Tool" / "Malvoren log.txt";
    }

    testsupport::JobState jobState;
    testsupport::TempFolder dir;
    platform::ScopedScriptedDialogs dialogs;
};

}  // namespace enginetest
