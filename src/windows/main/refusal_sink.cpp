#include "windows/main/refusal_sink.h"

#include "engine/picture/smart_resize.h"
#include "kit/base/lite_progress_wheel.h"
#include "kit/text/ui_breadcrumbs.h"
#include "kit/text/ui_textfield.h"
#include "platform/dialogs.h"
#include "windows/main/main_window.h"

#include <memory>

namespace {

class WindowRefusalSink : public Variables::SmartRefusalSink {
public:
    // The page goes first: every page change drops the bubble.
    void ShowFilesPage() override {
        if (Headless())
            return;
        MainWindow::Instance().Breadcrumbs().SetValue(0);
    }
    void ShowHeightToolTip(const std::string& message) override {
        if (Headless()) {
            m_stderr.ShowHeightToolTip(message);
            return;
        }
        MainWindow& w = MainWindow::Instance();
        w.ShowToolTip(message, w.Height_Output_EditField(), 0);
    }
    void SetHeightText(const std::string& height) override {
        if (Headless()) {
            m_stderr.SetHeightText(height);
            return;
        }
        MainWindow::Instance().Height_Output_EditField().SetText(height);
    }
    void HideProgressWheel() override {
        if (Headless())
            return;
        MainWindow::Instance().Chase_Wheel().SetVisible(false);
    }

private:
    static bool Headless() { return platform::IsHeadless(); }
    Variables::StderrRefusalSink m_stderr;
};

}  // namespace

void InstallSmartRefusalSink() {
    Variables::SetRefusalSink(std::make_unique<WindowRefusalSink>());
}
