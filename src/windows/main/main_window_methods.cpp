// The "Resizing" page: the four method boxes, the border colour and the two previews.
#include "engine/picture/pictures.h"
#include "engine/xml/variables.h"
#include "kit/text/step_layout.h"
#include "kit/text/ui_colorpicker.h"
#include "kit/toggles/ui_checkbox.h"
#include "platform/graphics.h"
#include "platform/widgets/canvas.h"
#include "windows/main/main_window.h"
#include "windows/main/previews.h"

namespace {

constexpr std::int32_t kSimple = 0;
constexpr std::int32_t kBorder = 1;
constexpr std::int32_t kBrowser = 2;
constexpr std::int32_t kSmart = 3;

}  // namespace

void MainWindow::RepaintResizePreview() {
    SkinResizePreview().Refresh(false);
}

void MainWindow::Resize_Skin_CheckBox_Action() {
    if (!Resize_Skin_CheckBox().Value())
        return;
    Border_Checkbox().SetValue(false);
    Browser_Resize_CheckBox().SetValue(false);
    Outdoor_Checkbox().SetEnabled(true);
    SmartResize_CheckBox().SetValue(false);
    ResizePreviewMode = kSimple;
    LastResizePreviewMode = kSimple;
    RepaintResizePreview();
}

void MainWindow::Border_Checkbox_Action() {
    // The picker follows the box on every Action, ticked or not.
    Border_Color_EditField().SetVisible(Border_Checkbox().Value());
    if (!Border_Checkbox().Value())
        return;
    ResizePreviewMode = kBorder;
    LastResizePreviewMode = kBorder;
    RepaintResizePreview();
    Resize_Skin_CheckBox().SetValue(false);
    Outdoor_Checkbox().SetEnabled(false);
    Browser_Resize_CheckBox().SetValue(false);
    SmartResize_CheckBox().SetValue(false);
}

void MainWindow::Browser_Resize_CheckBox_Action() {
    if (!Browser_Resize_CheckBox().Value())
        return;
    ResizePreviewMode = kBrowser;
    LastResizePreviewMode = kBrowser;
    RepaintResizePreview();
    Resize_Skin_CheckBox().SetValue(false);
    Outdoor_Checkbox().SetEnabled(false);
    Border_Checkbox().SetValue(false);
    SmartResize_CheckBox().SetValue(false);
}

void MainWindow::SmartResize_CheckBox_Action() {
    if (!SmartResize_CheckBox().Value())
        return;
    ResizePreviewMode = kSmart;
    LastResizePreviewMode = kSmart;
    RepaintResizePreview();
    Resize_Skin_CheckBox().SetValue(false);
    Outdoor_Checkbox().SetEnabled(true);
    Browser_Resize_CheckBox().SetValue(false);
    Border_Checkbox().SetValue(false);
}

void MainWindow::MethodEnter(std::int32_t code) {
    LastResizePreviewMode = ResizePreviewMode;
    ResizePreviewMode = code;
    RepaintResizePreview();
}

void MainWindow::MethodExit() {
    ResizePreviewMode = LastResizePreviewMode;
    RepaintResizePreview();
}

void MainWindow::Resize_Skin_CheckBox_MouseEnter() {
    MethodEnter(kSimple);
}

void MainWindow::Resize_Skin_CheckBox_MouseExit() {
    MethodExit();
}

void MainWindow::Browser_Resize_CheckBox_MouseEnter() {
    MethodEnter(kBrowser);
}

void MainWindow::Browser_Resize_CheckBox_MouseExit() {
    MethodExit();
}

void MainWindow::Border_Checkbox_MouseEnter() {
    MethodEnter(kBorder);
}

void MainWindow::Border_Checkbox_MouseExit() {
    MethodExit();
}

void MainWindow::SmartResize_CheckBox_MouseEnter() {
    MethodEnter(kSmart);
}

void MainWindow::SmartResize_CheckBox_MouseExit() {
    MethodExit();
}

void MainWindow::Border_Color_EditField_Open() {
    Border_Color_EditField().SetVisible(Border_Checkbox().Value());
    Border_Color_EditField().SetMyColor(Variables::P_Border_Color);
}

void MainWindow::Border_Color_EditField_ColorChange(platform::Color c) {
    Variables::P_Border_Color = c;
    RepaintResizePreview();
}

void MainWindow::Border_Color_EditField_LostFocus() {
    UI_ColorPicker& picker = Border_Color_EditField();
    std::string text = picker.Text();
    if (!text.empty() && text.front() == '#') {
        text.erase(0, 1);
        picker.SetText(text);
    }
    // A text that is not six hexadecimal digits keeps the picker's colour, as the picker's
    // own reading of its text does.
    const platform::Color color = kit::ParseColorDigits(text).value_or(picker.myColor());
    Variables::P_Border_Color = color;
    picker.SetMyColor(color);
}

namespace {

mainwindow::PreviewScene SceneOf(const MainWindow& window, const platform::Control& canvas,
                                 platform::Color windowColor) {
    mainwindow::PreviewScene scene;
    scene.skin = Variables::BMP_picture.get();
    scene.inWidth = Variables::inWidth;
    scene.inHeight = Variables::inHeight;
    scene.outWidth = Variables::outWidth;
    scene.outHeight = Variables::outHeight;
    scene.mode = window.ResizePreviewMode;
    scene.borderColor = Variables::P_Border_Color;
    scene.windowColor = windowColor;
    scene.backdrop = window.Backdrop().get();
    scene.canvasLeft = canvas.Left();
    scene.canvasTop = canvas.Top();
    return scene;
}

}  // namespace

void MainWindow::SkinPreview_Paint(platform::Graphics& g) {
    if (!SkinPreview().Enabled())
        return;
    mainwindow::PaintSkinPreview(g, SceneOf(*this, SkinPreview(), GetWindowColor()));
}

void MainWindow::SkinResizePreview_Paint(platform::Graphics& g) {
    if (!SkinResizePreview().Enabled())
        return;
    // Composed whole in a picture of its own and copied in one step, so the canvas never shows
    // a half-drawn state.
    const platform::PicturePtr picture = mainwindow::ComposeResizePreview(
        g.Width(), g.Height(), SceneOf(*this, SkinResizePreview(), GetWindowColor()));
    g.DrawPicture(*picture, 0, 0);
}
