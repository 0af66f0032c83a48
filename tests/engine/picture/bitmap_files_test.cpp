#include "engine/picture/bitmap_files.h"

#include "engine/picture/pictures.h"
#include "engine/xml/engine_fixture.h"
#include "engine/xml/variables.h"
#include "platform/exceptions.h"
#include "platform/folderitem.h"
#include "platform/graphics.h"
#include "platform/picturefile.h"
#include "platform/rgbsurface.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using platform::Picture;
using platform::PictureFormat;
using platform::RGB;
using testsupport::ReadAll;

namespace {

class BitmapFilesTest : public enginetest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        fs::create_directories(dir / "in");
        fs::create_directories(dir / "out");
        Variables::InputXMLPath = (dir / "in" / "skin.xml").string();
        Variables::outWidth = 4;
        Variables::outHeight = 2;
    }

    /// Writes a w × h picture of one colour as `name` in the input folder.
    fs::path WriteBitmap(const std::string& name, platform::Color c, PictureFormat format,
                         int w = 4, int h = 6) {
        auto picture = Picture::New(w, h);
        picture->Graphics().ForeColor = c;
        picture->Graphics().FillRect(0, 0, w, h);
        const fs::path path = dir / "in" / name;
        platform::SavePicture(*picture, path, format);
        return path;
    }

    /// As if this job's XML writer had written "out/skin.xml".
    void XmlWritten() {
        Variables::FileName = (dir / "out" / "skin.").string();
        Variables::XMLSavedThisJob = true;
    }

    std::string Log() { return ReadAll(AppLog()); }
};

}  // namespace

struct SearchCase {
    const char* name;
    std::vector<const char*> files;
    const char* opened;
};

const SearchCase kSearchCases[] = {
    {"BmpBeforePng", {"skin.png", "skin.bmp", "skin.jpg"}, "bmp"},
    {"PngBeforeJpg", {"skin.jpg", "skin.png"}, "png"},
    {"JpgAlone", {"skin.jpg"}, "jpg"},
};

class BitmapSearchTest : public BitmapFilesTest,
                         public ::testing::WithParamInterface<SearchCase> {};

TEST_P(BitmapSearchTest, OpensTheFirstBitmapBesideTheXml) {
    for (const char* file : GetParam().files)
        WriteBitmap(file, RGB(0, 0, 255), *platform::PictureFormatFromName(file));
    EXPECT_TRUE(Variables::Open_Picture(""));
    EXPECT_EQ(Variables::PictureType, GetParam().opened);
    ASSERT_NE(Variables::BMP_picture, nullptr);
    EXPECT_EQ(Variables::BMP_picture->Width(), 4);
    EXPECT_EQ(Log(), std::string("\nPicture file is skin.") + GetParam().opened +
                         "\nPicture opened succesfully");
    EXPECT_TRUE(dialogs->openRequests.empty());
    EXPECT_TRUE(Variables::Job_Ok);
}

INSTANTIATE_TEST_SUITE_P(Order, BitmapSearchTest, ::testing::ValuesIn(kSearchCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BitmapFilesTest, WithoutABitmapTheDialogAsksAndItsTypeCounts) {
    const fs::path chosen = dir / "elsewhere" / "PICKED.BMP";
    fs::create_directories(chosen.parent_path());
    auto picture = Picture::New(3, 3);
    platform::SavePicture(*picture, chosen, PictureFormat::BMP);
    dialogs->QueueOpenFile(chosen.string());
    EXPECT_TRUE(Variables::Open_Picture(""));
    ASSERT_EQ(dialogs->openRequests.size(), 1u);
    EXPECT_EQ(dialogs->openRequests[0].filter, "bmp;jpg;png");
    EXPECT_EQ(Variables::PictureType, "BMP");
    EXPECT_EQ(Variables::OpenedPictureFile, chosen.string());
}

TEST_F(BitmapFilesTest, AMissingGivenPathAlsoAsks) {
    WriteBitmap("skin.png", RGB(0, 0, 255), PictureFormat::PNG);
    EXPECT_FALSE(Variables::Open_Picture((dir / "in" / "gone.png").string()));
    EXPECT_EQ(dialogs->openRequests.size(), 1u);
}

TEST_F(BitmapFilesTest, CancelledDialogIsAReportedFailure) {
    auto earlier = Picture::New(1, 1);
    Variables::BMP_picture = earlier;
    Variables::PictureType = "png";
    EXPECT_FALSE(Variables::Open_Picture(""));
    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_EQ(Variables::BMP_picture, earlier);
    EXPECT_EQ(Variables::PictureType, "png");
    EXPECT_EQ(Log(), "\n**Exception\nGetting Skin Graphics File\n--");
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0],
              "An error occured when Getting Skin Graphics File, please retry the process.\n");
}

struct BadBitmapCase {
    const char* name;
    void (*make)(const fs::path&);
};

const BadBitmapCase kBadBitmaps[] = {
    {"Empty", [](const fs::path& p) { platform::WriteFileReplacing(p, ""); }},
    {"Garbage", [](const fs::path& p) { platform::WriteFileReplacing(p, "no PNG here"); }},
    {"Folder", [](const fs::path& p) { fs::create_directory(p); }},
};

class BadBitmapTest : public BitmapFilesTest,
                      public ::testing::WithParamInterface<BadBitmapCase> {};

TEST_P(BadBitmapTest, OpensWithoutAPictureAsTheOpenerDoes) {
    GetParam().make(dir / "in" / "skin.png");
    EXPECT_TRUE(Variables::Open_Picture(""));
    EXPECT_EQ(Variables::BMP_picture, nullptr);
    EXPECT_TRUE(Variables::Job_Ok);
    EXPECT_TRUE(dialogs->shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Files, BadBitmapTest, ::testing::ValuesIn(kBadBitmaps),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BitmapFilesTest, APictureAboveTheCapsIsRefusedWithItsReason) {
    WriteBitmap("skin.png", RGB(1, 2, 3), PictureFormat::PNG, 100, 60);
    ::setenv("MALVOREN_MAX_PIXELS", "5000", 1);
    const bool opened = Variables::Open_Picture("");
    ::unsetenv("MALVOREN_MAX_PIXELS");
    EXPECT_FALSE(opened);
    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_EQ(Variables::BMP_picture, nullptr);
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].rfind("An error occured when Opening Skin Picture File, please "
                                      "retry the process.\n",
                                      0),
              0u);
    EXPECT_NE(dialogs->shown[0].find("too large"), std::string::npos);
}

TEST_F(BitmapFilesTest, SaveWritesTheWholeBitmapAndKeepsAnOutputSizeCopy) {
    XmlWritten();
    Variables::BMP_picture = Picture::New(5, 9);  // the sprite area reaches below row 2
    Variables::BMP_picture->RGBSurface().SetPixel(4, 8, RGB(200, 0, 0));
    Variables::BMP_picture->RGBSurface().SetPixel(1, 1, RGB(0, 200, 0));
    Variables::PictureType = "png";
    EXPECT_TRUE(Variables::Save_Picture());
    auto written = platform::OpenAsPicture(dir / "out" / "skin.png");
    ASSERT_NE(written, nullptr);
    EXPECT_EQ(written->Width(), 5);
    EXPECT_EQ(written->Height(), 9);
    EXPECT_EQ(written->RGBSurface().Pixel(4, 8), RGB(200, 0, 0));
    EXPECT_EQ(Variables::BMP_picture, nullptr);
    ASSERT_NE(Variables::New_picture, nullptr);
    EXPECT_EQ(Variables::New_picture->Width(), 4);
    EXPECT_EQ(Variables::New_picture->Height(), 2);
    EXPECT_EQ(Variables::New_picture->RGBSurface().Pixel(1, 1), RGB(0, 200, 0));
    EXPECT_TRUE(Variables::Job_Ok);
}

struct TypeCase {
    const char* name;
    const char* type;
    const char* file;
    const char* magic;
};

const TypeCase kTypeCases[] = {
    {"Bmp", "bmp", "skin.bmp", "BM"},
    {"UpperCaseBmp", "BMP", "skin.BMP", "BM"},
    {"Png", "png", "skin.png", "\x89PNG"},
    {"Jpg", "jpg", "skin.jpg", "\xFF\xD8\xFF"},
    {"JpegWrittenAsJpeg", "peg", "skin.jpeg", "\xFF\xD8\xFF"},
};

class SaveTypeTest : public BitmapFilesTest, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(SaveTypeTest, TheTypeChoosesFormatAndExtension) {
    XmlWritten();
    Variables::BMP_picture = Picture::New(4, 2);
    Variables::PictureType = GetParam().type;
    EXPECT_TRUE(Variables::Save_Picture());
    const std::string bytes = ReadAll(dir / "out" / GetParam().file);
    EXPECT_EQ(bytes.rfind(GetParam().magic, 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(Types, SaveTypeTest, ::testing::ValuesIn(kTypeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BitmapFilesTest, SaveNeverWritesUnderAnEarlierJobsName) {
    // An earlier job left its name and its bitmap; this job's XML step failed.
    Variables::FileName = (dir / "out" / "skin.").string();
    const fs::path earlier = dir / "out" / "skin.png";
    platform::WriteFileReplacing(earlier, "earlier bitmap");
    Variables::XMLSavedThisJob = false;
    Variables::BMP_picture = Picture::New(4, 2);
    Variables::PictureType = "png";
    EXPECT_FALSE(Variables::Save_Picture());
    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_EQ(ReadAll(earlier), "earlier bitmap");
    EXPECT_NE(Variables::BMP_picture, nullptr);
}

TEST_F(BitmapFilesTest, SaveWithoutAPictureIsAReportedFailure) {
    XmlWritten();
    Variables::PictureType = "png";
    EXPECT_FALSE(Variables::Save_Picture());
    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_FALSE(fs::exists(dir / "out" / "skin.png"));
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->shown[0].rfind("An error occured when Saving Skin Picture File", 0), 0u);
}

TEST_F(BitmapFilesTest, SaveOfAnUnknownTypeIsAReportedFailure) {
    XmlWritten();
    Variables::BMP_picture = Picture::New(4, 2);
    Variables::PictureType = "gif";
    EXPECT_FALSE(Variables::Save_Picture());
    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_FALSE(fs::exists(dir / "out" / "skin.gif"));
}

TEST_F(BitmapFilesTest, SaveOntoAFolderFailsTheJobAndKeepsTheFolder) {
    XmlWritten();
    fs::create_directory(dir / "out" / "skin.png");
    Variables::BMP_picture = Picture::New(4, 2);
    Variables::PictureType = "png";
    EXPECT_FALSE(Variables::Save_Picture());
    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_EQ(dialogs->shown,
              std::vector<std::string>{
                  "An error occured when Saving Skin Picture File, please retry the process.\n"
                  "Unable to write " +
                  (dir / "out" / "skin.png").string() + ": Is a directory."});
    EXPECT_TRUE(fs::is_directory(dir / "out" / "skin.png"));
    EXPECT_TRUE(fs::is_empty(dir / "out" / "skin.png"));
}

TEST_F(BitmapFilesTest, CopyCopiesTheFileTheOpenerRead) {
    WriteBitmap("skin.png", RGB(0, 0, 255), PictureFormat::PNG);
    const fs::path chosen = dir / "in" / "other.jpg";
    platform::SavePicture(*Picture::New(2, 2), chosen, PictureFormat::JPEG);
    Variables::OpenedPictureFile = chosen.string();
    XmlWritten();
    platform::WriteFileReplacing(dir / "out" / "skin.jpg", "older output");
    Variables::CopyPicture();
    EXPECT_EQ(Variables::PictureType, "jpg");
    EXPECT_EQ(ReadAll(dir / "out" / "skin.jpg"), ReadAll(chosen));
    EXPECT_TRUE(Variables::Job_Ok);
}

TEST_F(BitmapFilesTest, CopyWithoutAnOpenedFileTakesTheBitmapBesideTheXml) {
    const fs::path png = WriteBitmap("skin.png", RGB(0, 0, 255), PictureFormat::PNG);
    XmlWritten();
    Variables::CopyPicture();
    EXPECT_EQ(Variables::PictureType, "png");
    EXPECT_EQ(ReadAll(dir / "out" / "skin.png"), ReadAll(png));
}

TEST_F(BitmapFilesTest, CopyWithoutASourceOrAnOutputNameCopiesNothing) {
    XmlWritten();
    Variables::CopyPicture();
    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_EQ(dialogs->shown.size(), 1u);

    Variables::Job_Ok = true;
    WriteBitmap("skin.png", RGB(0, 0, 255), PictureFormat::PNG);
    Variables::XMLSavedThisJob = false;
    Variables::CopyPicture();
    EXPECT_FALSE(Variables::Job_Ok);
    EXPECT_FALSE(fs::exists(dir / "out" / "skin.png"));
}

// An output whose name ends in "xml" without the dot ("skin.myxml") takes the input's bitmap
// name ("skin." + "png"): the writer and the copier refuse rather than replace a file of the
// input skin, however its path is spelt.
struct InputFileCase {
    const char* name;
    const char* outputBase;  // FileName, relative to the test folder
    bool openedElsewhere;    // the job opened a picture outside the input folder
};

const InputFileCase kInputFileCases[] = {
    // clang-format off
    {"OpenedBitmap",           "in/skin.",        false},
    {"BitmapBesideTheXml",     "in/skin.",        true},
    {"ThroughALinkedFolder",   "linked/skin.",    false},
    {"ThroughDotDot",          "out/../in/skin.", false},
    // clang-format on
};

class InputFileTest : public BitmapFilesTest, public ::testing::WithParamInterface<InputFileCase> {
protected:
    void SetUp() override {
        BitmapFilesTest::SetUp();
        fs::create_directory_symlink(dir / "in", dir / "linked");
        input = WriteBitmap("skin.png", RGB(0, 0, 255), PictureFormat::PNG);
        inputBytes = ReadAll(input);
        Variables::OpenedPictureFile = input.string();
        if (GetParam().openedElsewhere) {
            const fs::path elsewhere = dir / "out" / "chosen.png";
            platform::SavePicture(*Picture::New(2, 2), elsewhere, PictureFormat::PNG);
            Variables::OpenedPictureFile = elsewhere.string();
        }
        Variables::FileName = (dir / GetParam().outputBase).string();
        Variables::XMLSavedThisJob = true;
        Variables::PictureType = "png";
    }
    void ExpectRefused() {
        EXPECT_FALSE(Variables::Job_Ok);
        EXPECT_EQ(ReadAll(input), inputBytes);
        ASSERT_EQ(dialogs->shown.size(), 1u);
        EXPECT_EQ(dialogs->shown[0], "An error occured when " + step +
                                         ", please retry the process.\nThe output "
                                         "bitmap \"" +
                                         Variables::FileName +
                                         "png\" is a file of the input skin; it "
                                         "is not written over.");
        EXPECT_NE(Log().find("\n**Exception\n" + step + "\n--"), std::string::npos);
    }

    fs::path input;
    std::string inputBytes;
    std::string step;
};

TEST_P(InputFileTest, WriterRefusesToReplaceIt) {
    Variables::BMP_picture = Picture::New(4, 2);
    step = "Saving Skin Picture File";
    EXPECT_FALSE(Variables::Save_Picture());
    ExpectRefused();
}

TEST_P(InputFileTest, CopierRefusesToReplaceIt) {
    step = "Copying Skin Picture File";
    Variables::CopyPicture();
    if (GetParam().openedElsewhere) {
        ExpectRefused();
    } else {
        // Copying the opened file onto itself changes nothing and is no failure.
        EXPECT_TRUE(Variables::Job_Ok);
        EXPECT_EQ(ReadAll(input), inputBytes);
    }
}

INSTANTIATE_TEST_SUITE_P(BitmapFiles, InputFileTest, ::testing::ValuesIn(kInputFileCases),
                         [](const auto& info) { return std::string(info.param.name); });
