// Runs under a real X server (xvfb-run): a long "Simple" job in the main window, a 1920 x 1200
// skin on a 1920 x 3000 photograph-like bitmap made 7680 x 4800 (a 92-megapixel bitmap out).
// Screenshots are taken through the job from a timer, which fires only when the job lets the
// loop run; a click on the step bar arrives in the middle of the picture work. The pictures
// go to the build tree's "rendered" folder, and the test checks what they show: the status
// line changes, the wheel turns, the click is answered while the job runs, the locked
// controls look locked.
#include "app/language.h"
#include "engine/picture/pictures.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "kit/base/lite_progress_wheel.h"
#include "kit/buttons/ui_button.h"
#include "kit/text/ui_breadcrumbs.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "kit/toggles/ui_label.h"
#include "messages/messages.h"
#include "platform/dialogs.h"
#include "platform/folderitem.h"
#include "platform/launcher.h"
#include "platform/picture.h"
#include "platform/picturefile.h"
#include "platform/thread.h"
#include "platform/widgets/qt_dialogs.h"
#include "support/inspection.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"
#include "windows/main/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

/// Smooth colour fields with a little grain: compresses about as a photograph does, so that
/// writing the bitmap takes as long as it would for a real skin.
QImage PhotographLike(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    std::uint32_t seed = 12345;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int grain = static_cast<int>(seed >> 29);  // 0..7
            const int r = (x * 255 / width + grain) & 0xFF;
            const int g = (y * 255 / height + (x / 7) % 32 + grain) & 0xFF;
            const int b = ((x + y) % 511 / 2 + grain) & 0xFF;
            row[x] = qRgb(r, g, b);
        }
    }
    return image;
}

/// The large skin: 300 buttons on a 1920 x 1200 skin whose bitmap is 1920 x 3000.
void WriteLargeSkin(const fs::path& folder) {
    std::ofstream xml(folder / "large.xml");
    xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<skin name=\"Large\" version=\"8\" width=\"1920\" height=\"1200\">\n"
           "<panel name=\"main\" visible=\"yes\">\n";
    for (int i = 0; i < 300; ++i)
        xml << "<button action=\"deck 1 play\" x=\"" << (i * 37) % 1800 << "\" y=\""
            << (i * 53) % 1100 << "\" width=\"60\" height=\"30\">\n<off x=\"" << (i * 61) % 1800
            << "\" y=\"" << 1200 + (i * 7) % 1700 << "\"/>\n</button>\n";
    xml << "</panel>\n</skin>\n";
    platform::SavePicture(platform::Picture(PhotographLike(1920, 3000)), folder / "large.png",
                          platform::PictureFormat::PNG);
}

struct Shot {
    qint64 atMs;
    bool jobRunning;
    std::string status;
    int page;
    QImage image;
};

QImage Region(const QImage& image, const QRect& area) {
    return image.copy(area);
}

}  // namespace

TEST(MainWindowJobSmoke, TheWindowStaysAliveThroughALongJob) {
    ASSERT_NE(QGuiApplication::platformName(), "offscreen") << "run me under xvfb-run";
    Variables::RC = "\n";
    testsupport::TempFolder temp;
    ScopedEnv appDir("MALVOREN_APP_DIR", temp.Path().string());
    ScopedEnv config("XDG_CONFIG_HOME", (temp / "cfg").string());
    WriteLargeSkin(temp.Path());
    fs::create_directories(temp / "out");

    // The window mode as the tool sets it up (the yields and waits that serve the loop); no
    // box may wait for an answer and no folder opens.
    platform::SetUpWindowMode();
    platform::ScopedScriptedDialogs dialogs;
    platform::ScopedRecordingLauncher launcher;
    Language::SetMessages();
    Variables::Window_Open = false;

    auto* w = new MainWindow;
    w->Build();
    w->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    const platform::FolderItem input(temp / "large.xml");
    w->OpenXML(&input);
    w->OutputXML_EditField().SetText((temp / "out" / "large.xml").string());
    w->ScaleCheckbox().SetValue(false);
    w->Width_Output_EditField().SetText("7680");
    w->Height_Output_EditField().SetText("4800");
    w->Resize_Skin_CheckBox().SetValue(true);
    w->Breadcrumbs().SetValue(3);
    // A first job, so that "Preview Skin" is enabled when the watched one starts.
    w->Job_Button_Action();
    while (w->JobRunning())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    ASSERT_TRUE(Variables::Job_Ok);
    ASSERT_TRUE(w->Preview_button().Enabled());
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();

    QScreen* screen = w->screen();
    const auto grab = [&] { return screen->grabWindow(w->winId()).toImage(); };
    // Where a control is in the screenshots of the window.
    const auto areaOf = [&](QWidget& control) {
        return QRect(control.mapTo(w, QPoint(0, 0)), control.size());
    };
    const QRect statusArea = areaOf(w->Message_Text());
    const QRect wheelArea = areaOf(w->Chase_Wheel());
    const QRect jobButton = areaOf(w->Job_Button());
    const QRect previewButton = areaOf(w->Preview_button());
    const QImage before = grab();
    testsupport::SaveForInspection(before, "main_window_job_before");

    QElapsedTimer clock;
    std::vector<Shot> shots;
    bool clickPosted = false;
    bool clickedBack = false;
    qint64 clickPostedAt = -1;
    qint64 clickHandledAt = -1;
    bool clickHandledInJob = false;
    // The user clicks "Files" in the middle of the picture work, and back on "Generating" a
    // little later; the clicks are queued as the window system's would be.
    const auto click = [&](int x) {
        QWidget& bar = w->Breadcrumbs();
        const QPointF at(x, 14);
        QCoreApplication::postEvent(
            &bar, new QMouseEvent(QEvent::MouseButtonPress, at, bar.mapToGlobal(at), Qt::LeftButton,
                                  Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(
            &bar, new QMouseEvent(QEvent::MouseButtonRelease, at, bar.mapToGlobal(at),
                                  Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    };
    QTimer shooter;
    shooter.setInterval(40);
    QObject::connect(&shooter, &QTimer::timeout, [&] {
        const int page = w->Breadcrumbs().Value();
        if (clickPosted && clickHandledAt < 0 && page == 0) {
            clickHandledAt = clock.elapsed();
            clickHandledInJob = w->JobRunning();
        }
        shots.push_back({clock.elapsed(), w->JobRunning(), w->Message_Text().Text(), page, grab()});
        if (!clickPosted && w->Message_Text().Text() == "Picture Processing") {
            clickPosted = true;
            clickPostedAt = clock.elapsed();
            click(58);  // "Files"
        } else if (clickHandledAt >= 0 && !clickedBack && shots.back().page == 0) {
            clickedBack = true;
            click(407);  // "Generating"
        }
    });

    clock.start();
    shooter.start();
    w->Job_Button_Action();
    while (w->JobRunning())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const qint64 jobMs = clock.elapsed();
    shooter.stop();
    QApplication::processEvents();
    ASSERT_TRUE(Variables::Job_Ok);
    EXPECT_TRUE(fs::exists(temp / "out" / "large.png"));

    // What the screenshots taken while the job ran show.
    std::vector<const Shot*> during;
    for (const Shot& s : shots)
        if (s.jobRunning)
            during.push_back(&s);
    std::printf("job of %lld ms, %zu screenshots while it ran\n", static_cast<long long>(jobMs),
                during.size());
    ASSERT_GE(during.size(), 2u) << "the loop was not served while the job ran";
    std::set<std::string> statuses;
    std::vector<QImage> statusPictures;
    std::vector<QImage> wheelPictures;
    const Shot* saved = nullptr;
    for (const Shot* s : during) {
        std::printf("  %5lld ms: status \"%s\", page %d\n", static_cast<long long>(s->atMs),
                    s->status.c_str(), s->page);
        // One picture of each stage and page, and one every second or so.
        if (!saved || saved->status != s->status || saved->page != s->page ||
            s->atMs - saved->atMs >= 1000) {
            testsupport::SaveForInspection(s->image,
                                           "main_window_job_at_" + std::to_string(s->atMs) + "ms");
            saved = s;
        }
        if (s->page != 3)
            continue;
        statuses.insert(s->status);
        const QImage status = Region(s->image, statusArea);
        if (std::find(statusPictures.begin(), statusPictures.end(), status) == statusPictures.end())
            statusPictures.push_back(status);
        const QImage wheel = Region(s->image, wheelArea);
        if (std::find(wheelPictures.begin(), wheelPictures.end(), wheel) == wheelPictures.end())
            wheelPictures.push_back(wheel);
    }
    std::printf("click on \"Files\" posted at %lld ms, its page seen at %lld ms\n",
                static_cast<long long>(clickPostedAt), static_cast<long long>(clickHandledAt));

    // The wheel's pictures side by side, four times enlarged.
    QImage strip(16 * static_cast<int>(wheelPictures.size()), 16, QImage::Format_RGB32);
    for (std::size_t i = 0; i < wheelPictures.size(); ++i)
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                strip.setPixel(static_cast<int>(i) * 16 + x, y, wheelPictures[i].pixel(x, y));
    testsupport::SaveForInspection(strip, "main_window_job_wheel", 4);

    // The status line shows the picture work, and differs from the empty line before the job.
    EXPECT_TRUE(statuses.count("Picture Processing"));
    ASSERT_FALSE(statusPictures.empty());
    EXPECT_NE(statusPictures.front(), Region(before, statusArea));
    // The wheel turns: its picture is not the same in every screenshot of the job.
    EXPECT_GE(wheelPictures.size(), 2u);
    // The click was answered while the job ran, and a screenshot shows the "Files" page.
    EXPECT_TRUE(clickHandledInJob);
    EXPECT_TRUE(
        std::any_of(during.begin(), during.end(), [](const Shot* s) { return s->page == 0; }));
    // The locked controls look locked from the start: "Do the Job" and "Preview Skin" in
    // the first screenshot of the job differ from how they looked before it.
    const Shot& first = *during.front();
    if (first.page == 3) {
        EXPECT_NE(Region(first.image, jobButton), Region(before, jobButton));
        EXPECT_NE(Region(first.image, previewButton), Region(before, previewButton));
    }

    w->Close(true);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Variables::ResetPictures();
    Browser::ResetDefaults();
}
