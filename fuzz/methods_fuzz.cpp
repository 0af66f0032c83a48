// The bitmap builders of the four methods ("Simple", "Border", "Browser", "Smart" with its wide
// resize), each run as the batch job runs it, on a skin written from the input: a few geometry
// lines and a picture made straight from the input's bytes (at most 64 × 64; Qt's decoders are
// not instrumented, and the picture they read back is one our own encoder wrote). Every input
// starts from the state a new process has, with scripted dialogs, in folders emptied first.
// Refusals throw the tool's exceptions; anything else is a finding.
#include "engine/picture/bitmap_files.h"
#include "engine/picture/border.h"
#include "engine/picture/browser_resize.h"
#include "engine/picture/pictures.h"
#include "engine/picture/simple_bitmap.h"
#include "engine/picture/smart_resize.h"
#include "engine/xml/analysis.h"
#include "engine/xml/browser.h"
#include "engine/xml/maths.h"
#include "engine/xml/rescale.h"
#include "engine/xml/skin_file.h"
#include "engine/xml/variables.h"
#include "fuzz_support.h"
#include "messages/messages.h"
#include "platform/dialogs.h"
#include "platform/exceptions.h"
#include "platform/picture.h"
#include "platform/picturefile.h"
#include "platform/rgbsurface.h"

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class Reader : public fuzzsupport::ByteReader {
public:
    using ByteReader::ByteReader;
    bool Flag(std::uint8_t bits, int bit) const { return (bits >> bit) & 1; }
    // A value from `low` to `low` + `span` - 1.
    std::int32_t Value(int low, int span) { return low + Word() % span; }
    // A value as the skin writes it: mostly plain, sometimes with a fraction or as a sum, so
    // that the evaluator's rounding reaches the builders.
    std::string Text(int low, int span) {
        const std::uint8_t form = Byte();
        const std::int32_t v = Value(low, span);
        switch (form % 8) {
            case 0:
                return std::to_string(v) + ".5";
            case 1:
                return std::to_string(v / 2) + "+" + std::to_string(v - v / 2);
            default:
                return std::to_string(v);
        }
    }
};

// Sizes of the skin and of the job, positions inside and past the skin.
std::string SkinSize(Reader& in) {
    return in.Text(-2, 200);
}
std::string Position(Reader& in) {
    return in.Text(-20, 300);
}

std::string Quoted(const char* key, const std::string& value) {
    return std::string(" ") + key + "=\"" + value + "\"";
}

// One element of the skin, as the skins the tool meets write them; each kind reaches one of
// the geometry lists or one rule of the methods.
void AppendElement(Reader& in, std::vector<std::string>& lines) {
    switch (in.Byte() % 12) {
        case 0:
            lines.push_back("<Browser>");
            lines.push_back("<pos" + Quoted("x", Position(in)) + Quoted("y", Position(in)) + "/>");
            lines.push_back("<size" + Quoted("width", SkinSize(in)) +
                            Quoted("height", SkinSize(in)) + "/>");
            lines.push_back("</Browser>");
            break;
        case 1:
            lines.push_back("<customicons" + Quoted("x", Position(in)) + Quoted("y", Position(in)) +
                            "/>");
            break;
        case 2:
            lines.push_back("<custombuttons" + Quoted("x", Position(in)) +
                            Quoted("y", Position(in)) + "/>");
            break;
        case 3:
            lines.push_back("<button action=\"play\">");
            lines.push_back("<pos" + Quoted("x", Position(in)) + Quoted("y", Position(in)) + "/>");
            lines.push_back("<size" + Quoted("width", SkinSize(in)) +
                            Quoted("height", SkinSize(in)) + "/>");
            lines.push_back("<mask" + Quoted("x", Position(in)) + Quoted("y", Position(in)) + "/>");
            lines.push_back("</button>");
            break;
        case 4:
            lines.push_back("<slider action=\"volume\" type=\"round\">");
            lines.push_back("<size" + Quoted("width", SkinSize(in)) +
                            Quoted("height", SkinSize(in)) + "/>");
            lines.push_back("<fader>");
            lines.push_back("<frames" + Quoted("x", Position(in)) + Quoted("y", Position(in)) +
                            Quoted("nb", in.Text(-1, 40)) + "/>");
            lines.push_back("</slider>");
            break;
        case 5:
            lines.push_back("<visual type=\"custom\">");
            lines.push_back("<size" + Quoted("width", SkinSize(in)) +
                            Quoted("Height", SkinSize(in)) + "/>");
            lines.push_back("<down" + Quoted("x", Position(in)) + Quoted("y", Position(in)) +
                            Quoted("nb", in.Text(-1, 40)) + Quoted("nbx", in.Text(-1, 12)) + "/>");
            lines.push_back("</visual>");
            break;
        case 6:
            lines.push_back("<pos x=\"+" + Position(in) + "\" y=\"-" + Position(in) + "\"/>");
            break;
        case 7:
            // The icon passes read one line holding the icon's three states.
            lines.push_back("<icon><off" + Quoted("x", Position(in)) + Quoted("y", Position(in)) +
                            "/><over" + Quoted("x", "+" + Position(in)) +
                            Quoted("y", Position(in)) + "/><down" + Quoted("x", Position(in)) +
                            Quoted("y", "+" + Position(in)) + "/></icon>");
            break;
        case 8:
            lines.push_back("<logo>");
            lines.push_back("<size" + Quoted("width", SkinSize(in)) +
                            Quoted("height", SkinSize(in)) + "/>");
            lines.push_back("<pos" + Quoted("x", Position(in)) + Quoted("y", Position(in)) + "/>");
            lines.push_back("</logo>");
            break;
        case 9:
            lines.push_back("<rhythmzone>");
            lines.push_back("<mask" + Quoted("x", Position(in)) + Quoted("y", Position(in)) +
                            Quoted("width", SkinSize(in)) + Quoted("height", SkinSize(in)) + "/>");
            lines.push_back("</rhythmzone>");
            break;
        case 10:
            // A position whose y is not written " y=" still moves with the skin.
            lines.push_back("<pos" + Quoted("x", Position(in)) + Quoted("y1", Position(in)) +
                            " y =\"" + Position(in) + "\"/>");
            break;
        default:
            lines.push_back("<text" + Quoted("x", Position(in)) + Quoted("y", Position(in)) +
                            Quoted("width", SkinSize(in)) + Quoted("size", in.Text(-1, 60)) + "/>");
            break;
    }
}

using Folders = fuzzsupport::ScratchFolders;

// A refused "Smart" job tells the main window; here no one listens.
class SilentSink : public Variables::SmartRefusalSink {
public:
    void ShowFilesPage() override {}
    void ShowHeightToolTip(const std::string&) override {}
    void SetHeightText(const std::string&) override {}
    void HideProgressWheel() override {}
};

constexpr const char* kMethods[] = {"Simple", "Border", "Browser", "Smart"};

struct PictureFile {
    const char* type;
    platform::PictureFormat format;
};
constexpr PictureFile kPictureFiles[] = {{"bmp", platform::PictureFormat::BMP},
                                         {"png", platform::PictureFormat::PNG},
                                         {"jpg", platform::PictureFormat::JPEG}};
constexpr int kNoBitmap = 3;
constexpr int kPictureKinds[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 2, 2, kNoBitmap, kNoBitmap};

// The job's size on one axis, as the command line or the main window gives it: mostly the
// skin's own size times 1/8 to 4 (in eighths), sometimes any size at all. Large ratios of a
// small skin only make canvases that the pixel cap refuses, at the cost of a slow input.
struct JobSize {
    std::uint8_t ratio = 0;
    std::int32_t any = 0;

    static JobSize Read(Reader& in) {
        JobSize size;
        size.ratio = in.Byte();
        size.any = in.Value(-2, 400);
        return size;
    }
    std::int32_t Of(std::int32_t skin) const {
        if ((ratio & 3) == 0)
            return any;
        const long long v = static_cast<long long>(skin) * (1 + (ratio >> 2)) / 8;
        return static_cast<std::int32_t>(std::clamp<long long>(v, -2, 1000));
    }
};

void ResetJobState() {
    Variables::ResetDefaults();
    Variables::ResetRescaleState();
    Variables::ResetPictures();
    Browser::ResetDefaults();
    Maths::ResetDefaults();
    Variables::RC = "\n";
    Language::SetMessages();
}

// What the batch job does once the skin is analysed and read again, method by method; the
// batch job's own refusals before a method (an output above the caps, a "Browser" job that
// would crush its browser) are left out, so that the builders meet those jobs themselves.
void RunMethod() {
    const std::string& method = Variables::ResizeMethod;
    if (method == "Simple") {
        Variables::XML_Job();
        if (Variables::Open_Picture("")) {
            Variables::Scale_Picture();
            Variables::Save_Picture();
        }
    } else if (method == "Browser") {
        Variables::Open_Picture("");
        Browser::Browser_Resize();
        Variables::Save_Picture();
    } else if (method == "Border") {
        Variables::Open_Picture("");
        Variables::XML_Depl();
        Variables::Save_Picture();
    } else {
        Variables::Smart_Resize();
    }
}

// With METHODS_FUZZ_VERBOSE set, what became of the job, to see what an input reaches.
void Describe(const std::string& method, const platform::ScriptedDialogs& dialogs,
              const Folders& folders) {
    std::fprintf(stderr, "%s: in %d x %d, out %d x %d, Job_Ok %d\n", method.c_str(),
                 Variables::inWidth, Variables::inHeight, Variables::outWidth, Variables::outHeight,
                 Variables::Job_Ok);
    for (const std::string& text : dialogs.shown)
        std::fprintf(stderr, "  box: %s\n", text.c_str());
    for (const auto& entry : fs::directory_iterator(folders.Out()))
        std::fprintf(stderr, "  wrote %s (%ju bytes)\n", entry.path().filename().c_str(),
                     static_cast<std::uintmax_t>(entry.file_size()));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ::setenv("MALVOREN_MAX_PIXELS", "4000000", 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    Variables::SetRefusalSink(std::make_unique<SilentSink>());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Folders folders("methods-fuzz");
    static const bool verbose = std::getenv("METHODS_FUZZ_VERBOSE") != nullptr;
    folders.Empty();
    platform::ScopedScriptedDialogs dialogs;
    ResetJobState();

    Reader in(data, size);
    const std::uint8_t job = in.Byte();
    const std::uint8_t options = in.Byte();
    const std::string method = kMethods[job % 4];
    // Mostly BMP, which costs least to write and read back; PNG and JPEG now and then, and
    // sometimes no bitmap beside the skin at all.
    const int pictureKind = kPictureKinds[(job >> 2) & 15];
    const bool rekordBox = in.Flag(job, 6);
    const bool oldVersion = in.Flag(job, 7);

    std::vector<std::string> lines = {
        R"(<?xml version="1.0"?>)",
        "<skin" + Quoted("name", rekordBox ? "RekordBox" : "fuzz") +
            Quoted("version", oldVersion ? "4" : "6") + Quoted("width", SkinSize(in)) +
            Quoted("height", SkinSize(in)) + ">",
    };
    const JobSize outWidth = JobSize::Read(in);
    const JobSize outHeight = JobSize::Read(in);
    const int elements = in.Byte() % 8;
    for (int i = 0; i < elements; ++i)
        AppendElement(in, lines);
    lines.push_back("</skin>");
    const std::uint8_t browserColour = in.Byte();
    const platform::PicturePtr source = fuzzsupport::PictureFromBytes(in);

    const fs::path skin = folders.In() / "skin.xml";
    {
        std::ofstream out(skin, std::ios::binary);
        for (const std::string& line : lines)
            out << line << "\r\n";
    }
    std::string bitmap;
    if (pictureKind != kNoBitmap) {
        const PictureFile& file = kPictureFiles[pictureKind];
        bitmap = (folders.In() / (std::string("skin.") + file.type)).string();
        platform::SavePicture(*source, bitmap, file.format);
    } else if (in.Flag(options, 7)) {
        // No bitmap beside the skin: the opener asks, and is given one elsewhere.
        bitmap = (folders.In() / "elsewhere.png").string();
        platform::SavePicture(*source, bitmap, platform::PictureFormat::PNG);
        dialogs->QueueOpenFile(bitmap);
    }

    Variables::P_Old_Renderer = in.Flag(options, 0);
    Variables::OutdoorPicture = in.Flag(options, 1);
    Variables::MoreOptions = in.Flag(options, 2);
    Variables::P_Change_FontSize = Variables::MoreOptions;
    Variables::P_Change_FontSize_Value = 50 + browserColour;
    Variables::MacEnhance = in.Flag(options, 3);
    Variables::P_Border_Color = platform::RGB(browserColour, 0, 255 - browserColour);
    if (in.Flag(options, 4)) {
        Browser::Browser_Change = true;
        Browser::Browser_Color_change = true;
        Browser::B_Force_Color = in.Flag(options, 5);
        Browser::Browser_Color = platform::RGB(browserColour, 255 - browserColour, 0);
    }
    if (in.Flag(options, 6) && !bitmap.empty()) {
        Browser::Browser_Change = true;
        Browser::Browser_Picture_Change = true;
        Browser::B_Background_Picture = bitmap;
        Browser::B_Adapt_Picture = (browserColour & 3) == 1;
        Browser::B_Tile_Picture = (browserColour & 3) == 2;
        Browser::B_Picture_Position = browserColour % 11;
    }
    if (in.Flag(options, 5) && in.Flag(options, 6) && !bitmap.empty()) {
        Variables::UseExternPicture = true;
        Variables::ExternPictureFile = bitmap;
    }

    Variables::InputXMLPath = skin.string();
    Variables::OutputXMLPath = (folders.Out() / "new.xml").string();
    Variables::ResizeMethod = method;
    try {
        if (!Variables::Lecture(Variables::InputXMLPath))
            return 0;
        // The analysis has read the skin's size; the job asks for its own.
        Variables::outWidth = outWidth.Of(Variables::inWidth);
        Variables::outHeight = outHeight.Of(Variables::inHeight);
        Variables::XMLSavedThisJob = false;
        if (Variables::Open_XML())
            RunMethod();
    } catch (const platform::RuntimeException& e) {
        // A refusal, in the tool's own words.
        if (verbose)
            std::fprintf(stderr, "refused: %s\n", e.what());
    }
    if (verbose)
        Describe(method, *dialogs, folders);
    return 0;
}
