#pragma once

#include "app/ini_read_write.h"
#include "app/language.h"
#include "engine/picture/pictures.h"
#include "engine/xml/browser.h"
#include "engine/xml/variables.h"
#include "messages/messages.h"
#include "messages/run_once.h"
#include "platform/dialogs.h"
#include "platform/widgets/window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

/// Fresh module state and scripted dialogs for every option-window test; every window of ours
/// still open at the end is closed and deleted.
class OptionsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        Variables::ResetDefaults();
        Browser::ResetDefaults();
        INI_Read_Write::ResetSettings();
        INI_Read_Write::ResetRunOnce();
        Language::ResetLanguage();
        Language::SetMessages();
        Variables::RC = "\n";
    }
    void TearDown() override {
        for (platform::Window* w : platform::Window::FrontToBack())
            w->Close(true);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Variables::ResetDefaults();
        Browser::ResetDefaults();
        Variables::ResetPictures();
    }

    platform::ScopedScriptedDialogs dialogs;
};

inline void Click(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

inline void ClickCentre(QWidget* w) {
    Click(w, QPoint(w->width() / 2, w->height() / 2));
}
