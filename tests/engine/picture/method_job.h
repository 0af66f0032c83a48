#pragma once

#include "engine/picture/method_pictures.h"
#include "engine/picture/pictures.h"
#include "engine/xml/engine_fixture.h"
#include "engine/xml/variables.h"
#include "platform/picturefile.h"
#include "platform/text.h"

#include <filesystem>
#include <string>
#include <vector>

namespace methodtest {

/// A job of one of the methods on a skin written into a fresh folder: the input skin and its
/// PNG bitmap in "in", the output named "out/result.xml", the job state as start-up leaves it
/// and scripted dialogs.
class MethodJobTest : public enginetest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        std::filesystem::create_directories(dir / "in");
        std::filesystem::create_directories(dir / "out");
        Variables::InputXMLPath = (dir / "in" / "skin.xml").string();
        Variables::OutputXMLPath = (dir / "out" / "result.xml").string();
    }

    /// Writes the input skin (lines joined by LF, with a final LF) and, when given, its bitmap.
    void WriteSkin(const std::vector<std::string>& lines, const platform::Picture* bitmap) {
        dir.Write("in/skin.xml", platform::Join(lines, "\n") + "\n");
        if (bitmap)
            platform::SavePicture(*bitmap, dir / "in" / "skin.png", platform::PictureFormat::PNG);
    }

    /// The job log's records (the text between line terminators).
    std::vector<std::string> LogRecords() const {
        std::vector<std::string> records = platform::Split(testsupport::ReadAll(AppLog()), "\n");
        if (!records.empty() && records.front().empty())
            records.erase(records.begin());
        return records;
    }

    /// The output skin's lines ("" at the end for the final terminator).
    std::vector<std::string> OutputLines() const {
        return platform::Split(testsupport::ReadAll(dir / "out" / "result.xml"), "\n");
    }
    bool OutputXMLExists() const { return std::filesystem::exists(dir / "out" / "result.xml"); }

    std::filesystem::path OutputBitmapPath() const { return dir / "out" / "result.png"; }
    platform::PicturePtr OutputBitmap() const {
        return platform::OpenAsPicture(OutputBitmapPath());
    }
};

}  // namespace methodtest
