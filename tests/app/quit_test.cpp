#include "app/app.h"
#include "platform/menu.h"
#include "platform/thread.h"
#include "platform/widgets/menubar_view.h"
#include "platform/widgets/window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

using platform::Window;

namespace {

std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

/// A window that logs its CancelClose (with the quitting flag) and its Close, and refuses
/// when told to.
class QuitProbe : public Window {
public:
    QuitProbe(std::string name, Frame frame, bool withMenuBar)
        : Window(frame)
        , m_name(std::move(name))
        , m_withMenuBar(withMenuBar) {
        tree.Append(std::make_unique<platform::MenuItem>("&File", "FileMenu"));
    }
    bool refuse = false;
    platform::MenuItem tree;

protected:
    void Layout() override {
        if (m_withMenuBar)
            SetMenuBar(tree);
        setGeometry(50, 50, 200, 100);
    }
    bool Event_CancelClose(bool appQuitting) override {
        Log().push_back(m_name + ".CancelClose(" + (appQuitting ? "quitting" : "not") + ")");
        return refuse;
    }
    void Event_Close() override { Log().push_back(m_name + ".Close"); }

private:
    std::string m_name;
    bool m_withMenuBar;
};

/// The main window and two dialogs in front of it, the second one frontmost; App::Quit
/// closes through the window closer that main() installs.
class QuitTest : public ::testing::Test {
protected:
    void SetUp() override {
        Log().clear();
        m_oldCloser = App::SetWindowCloser(
            [] { return platform::CloseAllWindows(platform::Window::Main()); });
        m_oldQuit = platform::SetQuitHandler([] { App::Quit(App::kExitOk); });
        mainWindow = new QuitProbe("main", Window::Frame::Document, true);
        mainWindow->Show();
        first = new QuitProbe("first", Window::Frame::Modal, false);
        first->ShowWithin(*mainWindow);
        second = new QuitProbe("second", Window::Frame::Modal, false);
        second->ShowWithin(*mainWindow);
        // The window system's order: the most recently activated first.
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(first, &activate);
        QApplication::sendEvent(second, &activate);
    }
    void TearDown() override {
        for (QuitProbe* w : {second.data(), first.data(), mainWindow.data()}) {
            if (w) {
                w->refuse = false;
                w->Close();
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        App::SetWindowCloser(std::move(m_oldCloser));
        platform::SetQuitHandler(std::move(m_oldQuit));
    }
    /// Runs the application's loop with `action` posted, and a sentinel that lets the loop
    /// turn a few times (for what the action posts in turn) and then exits with 99: the
    /// loop's result is the quit's status, or 99 when nothing else ended the loop.
    static int RunLoopWith(std::function<void()> action) {
        QTimer::singleShot(0, qApp, std::move(action));
        PostSentinel(5);
        return QApplication::exec();
    }
    static void PostSentinel(int turnsLeft) {
        QTimer::singleShot(0, qApp, [turnsLeft] {
            if (turnsLeft == 0)
                QCoreApplication::exit(99);
            else
                PostSentinel(turnsLeft - 1);
        });
    }

    QPointer<QuitProbe> mainWindow;
    QPointer<QuitProbe> first;
    QPointer<QuitProbe> second;

private:
    App::WindowCloser m_oldCloser;
    std::function<void()> m_oldQuit;
};

}  // namespace

TEST_F(QuitTest, WindowsCloseFrontToBackTheMainWindowLastAndTheStatusEndsTheLoop) {
    EXPECT_EQ(RunLoopWith([] { App::Quit(3); }), 3);
    EXPECT_EQ(Log(), (std::vector<std::string>{"second.CancelClose(quitting)", "second.Close",
                                               "first.CancelClose(quitting)", "first.Close",
                                               "main.CancelClose(quitting)", "main.Close"}));
}

TEST_F(QuitTest, ARefusingDialogKeepsTheToolOpen) {
    first->refuse = true;
    EXPECT_EQ(RunLoopWith([] { App::Quit(3); }), 99);  // only the sentinel ended the loop
    // The windows in front of the refusing one are gone; it and the main window stay.
    EXPECT_EQ(Log(), (std::vector<std::string>{"second.CancelClose(quitting)", "second.Close",
                                               "first.CancelClose(quitting)"}));
    EXPECT_FALSE(first->IsClosed());
    EXPECT_FALSE(mainWindow->IsClosed());
    EXPECT_TRUE(mainWindow->isVisible());
}

TEST_F(QuitTest, TheMainWindowsCloseBoxQuitsThroughTheSameProtocol) {
    mainWindow->SetCloseBoxQuits(true);
    // A dialog's close box closes that dialog alone.
    second->close();
    EXPECT_TRUE(second->IsClosed());
    EXPECT_FALSE(mainWindow->IsClosed());
    Log().clear();
    EXPECT_EQ(RunLoopWith([this] { mainWindow->close(); }), App::kExitOk);
    EXPECT_EQ(Log(), (std::vector<std::string>{"first.CancelClose(quitting)", "first.Close",
                                               "main.CancelClose(quitting)", "main.Close"}));
}

TEST_F(QuitTest, AQuitDuringAJobEndsTheJobFirstThenClosesTheWindows) {
    platform::Thread job;
    std::vector<std::string>& log = Log();
    job.RunEvent = [&log] {
        struct Ended {
            std::vector<std::string>& log;
            ~Ended() { log.push_back("job ended"); }
        } ended{log};
        log.push_back("job starts");
        App::Quit(4);  // as the quit command, reached from an event during the job
        log.push_back("job goes on to its next yield");
        platform::Yield();
        log.push_back("never reached");
    };
    EXPECT_EQ(RunLoopWith([&job] { job.Run(); }), 4);
    EXPECT_EQ(Log(),
              (std::vector<std::string>{"job starts", "job goes on to its next yield", "job ended",
                                        "second.CancelClose(quitting)", "second.Close",
                                        "first.CancelClose(quitting)", "first.Close",
                                        "main.CancelClose(quitting)", "main.Close"}));
}
