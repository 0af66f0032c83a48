#pragma once

#include "app/ini_read_write.h"
#include "app/language.h"
#include "messages/line_terminator.h"
#include "messages/messages.h"
#include "messages/run_once.h"
#include "platform/widgets/window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <functional>
#include <string>

namespace infotest {

/// The state every window test starts from: the line terminator set, the English message
/// table, no language file, built-in settings.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        Variables::RC = "\n";
        Language::ResetLanguage();
        Language::SetMessages();
        INI_Read_Write::ResetSettings();
        INI_Read_Write::ResetRunOnce();
    }
    void TearDown() override {
        // Close what a test left open, then let Qt delete the closed windows.
        for (platform::Window* w : platform::Window::FrontToBack())
            w->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Language::ResetLanguage();
        Language::ResetMessages();
        INI_Read_Write::ResetSettings();
        INI_Read_Write::ResetRunOnce();
    }
    /// Loads a language whose key table is `entries` (key, translation pairs).
    static void UseLanguage(const std::string& name,
                            std::initializer_list<std::pair<std::string, std::string>> entries) {
        INI_Read_Write::Lang = name;
        Language::LangList.emplace();
        for (const auto& [key, value] : entries)
            (*Language::LangList)[key] = value;
    }
};

/// A left click at (x, y) of `widget`: press and release.
inline void Click(QWidget& widget, int x, int y) {
    const QPointF at(x, y);
    const QPointF global = widget.mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&widget, &release);
}

/// A click in the middle of `widget`.
inline void ClickCentre(QWidget& widget) {
    Click(widget, widget.width() / 2, widget.height() / 2);
}

}  // namespace infotest
