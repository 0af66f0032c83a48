#include "platform/widgets/window.h"

#include "platform/dispatch.h"
#include "platform/event_yield.h"
#include "platform/thread.h"
#include "probe.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QStackedWidget>

#include <memory>
#include <string>
#include <vector>

using namespace platform;
using probe::Log;
using probe::ProbeControl;

namespace {

/// A window of two pages: "valueField" on the first, "hiddenField" inside a container on the
/// second, hidden one.
class ProbeWindow : public Window {
public:
    using Window::Window;
    ProbeControl* valueField = nullptr;
    ProbeControl* hiddenField = nullptr;
    QStackedWidget* pages = nullptr;

protected:
    void Layout() override {
        SetTitle("Probe");
        setGeometry(40, 50, 300, 200);
        valueField = &AddControl<ProbeControl>(
            this,
            [](ProbeControl& c) {
                c.SetName("valueField");
                c.setGeometry(10, 20, 80, 22);
                c.SetValue(5);  // a stored value, through the real setter
            },
            [](ProbeControl& c) {
                c.Change = [] { Log().push_back("window.valueField_Change"); };
            });
        pages = new QStackedWidget(this);
        pages->setGeometry(0, 100, 300, 100);
        pages->addWidget(new QWidget);
        auto* second = new QWidget;
        pages->addWidget(second);
        pages->setCurrentIndex(0);
        hiddenField = &AddControl<ProbeControl>(second, [](ProbeControl& c) {
            c.SetName("hiddenField");
            c.setGeometry(7, 3, 50, 20);
        });
    }
    void Event_Open() override { Log().push_back("window.Open"); }
    void Event_Close() override { Log().push_back("window.Close"); }
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { Log().clear(); }
    void TearDown() override {
        // Windows closed by a test are deleted later: let that happen between tests.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

}  // namespace

TEST_F(WindowTest, StoredValuesRaiseNoWindowHandlerAndOpenReachesHiddenPages) {
    auto* w = new ProbeWindow;
    w->Build();
    EXPECT_EQ(Log(),
              (std::vector<std::string>{"valueField.Open", "hiddenField.Open", "window.Open"}));
    EXPECT_EQ(w->valueField->Value(), 5);
    // From now on the window's handler is attached.
    w->valueField->SetValue(6);
    EXPECT_EQ(Log().back(), "window.valueField_Change");
    w->Build();  // once only
    EXPECT_EQ(Log().size(), 4u);
    w->Close();
}

TEST_F(WindowTest, ControlGeometryIsInWindowCoordinatesAndEnabledIsTheOwnFlag) {
    auto* w = new ProbeWindow;
    w->Build();
    EXPECT_EQ(w->ControlCount(), 2u);
    EXPECT_EQ(w->FindControl("hiddenField"), w->hiddenField);
    // Inside the page container at (0, 100).
    EXPECT_EQ(w->hiddenField->Left(), 7);
    EXPECT_EQ(w->hiddenField->Top(), 103);
    w->hiddenField->SetTop(150);
    EXPECT_EQ(w->hiddenField->Widget().y(), 50);
    EXPECT_EQ(w->hiddenField->Parent(), nullptr);  // the page is no control

    w->pages->setEnabled(false);
    EXPECT_TRUE(w->hiddenField->Enabled());  // own flag, unlike Qt's isEnabled()
    EXPECT_FALSE(w->hiddenField->Widget().isEnabled());
    w->valueField->SetEnabled(false);
    EXPECT_FALSE(w->valueField->Enabled());
    w->valueField->SetFocus();  // does nothing on a disabled control
    EXPECT_FALSE(w->valueField->Widget().hasFocus());
    w->Close();
}

TEST_F(WindowTest, ContentGeometryIsSetBeforeTheFirstShow) {
    auto* w = new ProbeWindow;
    w->Build();
    EXPECT_EQ(w->Left(), 40);
    EXPECT_EQ(w->Top(), 50);
    w->SetLeft(120);
    w->SetHeight(240);
    w->Show();
    EXPECT_EQ(w->Left(), 120);
    EXPECT_EQ(w->Top(), 50);
    EXPECT_EQ(w->Height(), 240);
    EXPECT_EQ(w->geometry(), QRect(120, 50, 300, 240));
    w->Close();
}

TEST_F(WindowTest, AThrowingHandlerReachesTheReportAndTheLoopGoesOn) {
    std::vector<std::string> reports;
    auto old = SetExceptionReport([&](const std::exception& e) { reports.push_back(e.what()); });
    auto* w = new ProbeWindow;
    w->Build();
    int keys = 0;
    w->KeyDown = [&](const std::string& key) -> bool {
        ++keys;
        if (key == "x")
            throw OutOfBoundsException("no such row");
        return true;
    };
    QKeyEvent x(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
    QKeyEvent y(QEvent::KeyPress, Qt::Key_Y, Qt::NoModifier, "y");
    QApplication::sendEvent(w, &x);
    QApplication::sendEvent(w, &y);
    EXPECT_EQ(keys, 2);
    EXPECT_EQ(reports, (std::vector<std::string>{"no such row"}));

    // A posted call that throws, then one that does not: both run.
    int posted = 0;
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            Dispatch([&] {
                ++posted;
                throw NilObjectException("gone");
            });
        },
        Qt::QueuedConnection);
    QMetaObject::invokeMethod(
        qApp, [&] { Dispatch([&] { ++posted; }); }, Qt::QueuedConnection);
    QCoreApplication::processEvents();
    EXPECT_EQ(posted, 2);
    EXPECT_EQ(reports.back(), "gone");
    SetExceptionReport(std::move(old));
    w->Close();
}

TEST_F(WindowTest, ARefusedCloseKeepsTheWindowAndRunsNoCloseEvents) {
    QPointer<ProbeWindow> w = new ProbeWindow;
    w->Build();
    w->Show();
    bool refuse = true;
    std::vector<bool> asked;
    w->CancelClose = [&](bool quitting) {
        asked.push_back(quitting);
        return refuse;
    };
    Log().clear();
    EXPECT_FALSE(w->Close());
    w->close();  // the close box goes through the same protocol
    EXPECT_EQ(asked, (std::vector<bool>{false, false}));
    EXPECT_TRUE(Log().empty());
    EXPECT_TRUE(w->isVisible());

    refuse = false;
    EXPECT_TRUE(w->Close());
    EXPECT_EQ(Log(),
              (std::vector<std::string>{"valueField.Close", "hiddenField.Close", "window.Close"}));
    EXPECT_FALSE(w->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
}

TEST_F(WindowTest, QuittingClosesFrontToBackWithTheMainWindowLastAndStopsAtARefusal) {
    auto* mainWindow = new ProbeWindow;
    auto* dialog = new ProbeWindow(Window::Frame::Modal);
    mainWindow->Build();
    dialog->Build();
    std::vector<std::string> asked;
    bool dialogRefuses = true;
    mainWindow->CancelClose = [&](bool quitting) {
        asked.push_back(std::string("main:") + (quitting ? "quitting" : "not"));
        return false;
    };
    dialog->CancelClose = [&](bool quitting) {
        asked.push_back(std::string("dialog:") + (quitting ? "quitting" : "not"));
        return dialogRefuses;
    };
    EXPECT_FALSE(CloseAllWindows(mainWindow));
    EXPECT_EQ(asked, (std::vector<std::string>{"dialog:quitting"}));
    EXPECT_FALSE(mainWindow->IsClosed());

    dialogRefuses = false;
    asked.clear();
    EXPECT_TRUE(CloseAllWindows(mainWindow));
    EXPECT_EQ(asked, (std::vector<std::string>{"dialog:quitting", "main:quitting"}));
}

TEST_F(WindowTest, ClosingTheJobsWindowDuringAJobEndsTheJobThenCloses) {
    QPointer<ProbeWindow> w = new ProbeWindow;
    w->Build();
    w->SetOwnsJob(true);
    {
        JobRunningScope job;
        EXPECT_FALSE(w->Close());
        EXPECT_TRUE(KillRequested());
        EXPECT_FALSE(w->IsClosed());
        EXPECT_THROW(Yield(), ThreadEndException);  // the job ends at its next yield
    }
    ClearKill();
    QCoreApplication::processEvents();  // the posted close
    EXPECT_TRUE(w->IsClosed());
}

TEST_F(WindowTest, ModalWithinRunsUntilTheWindowCloses) {
    auto* owner = new ProbeWindow;
    owner->Show();
    auto* dialog = new ProbeWindow(Window::Frame::MovableModal);
    bool sawModal = false;
    auto old = Window::SetModalHook([&](Window& shown) {
        sawModal = shown.isModal() && shown.isVisible();
        // Close from the loop, as a user would.
        QMetaObject::invokeMethod(
            &shown, [&shown] { shown.Close(); }, Qt::QueuedConnection);
    });
    dialog->ShowModalWithin(owner);
    EXPECT_TRUE(sawModal);
    EXPECT_TRUE(dialog->IsClosed());
    EXPECT_EQ(dialog->windowFlags() & Qt::WindowType_Mask, Qt::Dialog);
    Window::SetModalHook(std::move(old));
    owner->Close();
}

TEST_F(WindowTest, TheSingleInstanceIsTheOpenOneAndAClosedOneIsBuiltAgain) {
    EXPECT_EQ(Existing<ProbeWindow>(), nullptr);
    ProbeWindow& first = Instance<ProbeWindow>();
    EXPECT_TRUE(first.IsBuilt());
    EXPECT_FALSE(first.isVisible());  // built only, unless asked to show
    EXPECT_EQ(Existing<ProbeWindow>(), &first);
    EXPECT_EQ(&Instance<ProbeWindow>(), &first);
    QPointer<ProbeWindow> closed(&first);
    first.Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());
    ProbeWindow& second = Instance<ProbeWindow>();
    EXPECT_FALSE(second.IsClosed());
    EXPECT_TRUE(second.IsBuilt());
    // Even before its deferred deletion, a closed window is never handed out again.
    second.Close();
    EXPECT_EQ(Existing<ProbeWindow>(), nullptr);
    ProbeWindow& third = Instance<ProbeWindow>(WhenMade::Shown);
    EXPECT_NE(&third, &second);
    EXPECT_TRUE(third.isVisible());
    // An open window is handed out as it stands: asking to show it changes nothing.
    third.hide();
    EXPECT_EQ(&Instance<ProbeWindow>(WhenMade::Shown), &third);
    EXPECT_FALSE(third.isVisible());
    third.Close();
}

TEST_F(WindowTest, AModalHookThatLeavesTheWindowOpenFailsInsteadOfHanging) {
    auto* owner = new ProbeWindow;
    owner->Show();
    QPointer<ProbeWindow> dialog = new ProbeWindow(Window::Frame::MovableModal);
    auto old = Window::SetModalHook([](Window&) {});  // forgets to close it
    EXPECT_THROW(dialog->ShowModalWithin(owner), ModalHookLeftOpen);
    EXPECT_FALSE(dialog->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());

    // Reached from a handler, the failure goes to the report like any other.
    std::vector<std::string> kinds;
    auto oldReport = SetExceptionReport([&](const std::exception& e) {
        const auto* runtime = dynamic_cast<const RuntimeException*>(&e);
        kinds.push_back(runtime ? runtime->KindName() : "other");
    });
    Dispatch([owner] { (new ProbeWindow(Window::Frame::Modal))->ShowModalWithin(owner); });
    EXPECT_EQ(kinds, (std::vector<std::string>{"ModalHookLeftOpen"}));
    SetExceptionReport(std::move(oldReport));
    Window::SetModalHook(std::move(old));
    owner->Close();
}
