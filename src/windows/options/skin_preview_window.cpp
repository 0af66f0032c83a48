#include "windows/options/skin_preview_window.h"

#include "engine/picture/pictures.h"
#include "engine/xml/variables.h"
#include "platform/graphics.h"
#include "platform/keys.h"
#include "platform/menu.h"
#include "platform/picture.h"
#include "windows/options/option_rules.h"

#include <memory>

Skin_Preview_Window::Skin_Preview_Window()
    : platform::Window(Frame::Borderless) {
}

Skin_Preview_Window& Skin_Preview_Window::OpenNew() {
    auto* window = new Skin_Preview_Window;
    window->Show();
    return *window;
}

void Skin_Preview_Window::Layout() {
    SetTitle("Skin Preview");
    setObjectName("Skin_Preview_Window");
    SetHasBackColor(false);
    SetWidth(300);
    SetHeight(300);
}

void Skin_Preview_Window::Event_Open() {
    SetLeft(0);
    SetTop(0);
    // A preview larger than the screen opens all the same; the user drags it to see the rest.
    SetWidth(Variables::outWidth);
    SetHeight(Variables::outHeight);
    SetResizeable(false);
    const auto areas = optionrules::ScanPreviewAreas(Variables::Str_Line);
    for (std::size_t i = 0; i < 4; ++i) {
        Logo[i + 1] = areas.logo[i];
        Close_Area[i + 1] = areas.close[i];
    }
    platform::Window::Event_Open();
}

void Skin_Preview_Window::Event_Paint(platform::Graphics& g) {
    // Without an output picture (no job made one) there is nothing to show, which is no fault.
    if (Variables::New_picture)
        g.DrawPicture(*Variables::New_picture, 0, 0);
    if (!Show_Logo)
        return;
    g.ForeColor = platform::RGB(0xFF, 0, 0);
    g.FillRect(Logo[1], Logo[2], Logo[3], Logo[4]);
    g.ForeColor = platform::RGB(0, 0, 0);
    g.DrawRect(Logo[1], Logo[2], Logo[3], Logo[4]);
    g.DrawString("VDJ Logo", Logo[1] + 10, Logo[2] + 12);
}

bool Skin_Preview_Window::Event_MouseDown(int x, int y) {
    SetMouseCursor(platform::SystemCursor::ArrowAllDirections);
    if (platform::IsContextualClick())
        return false;
    X_pos = x;
    Y_pos = y;
    if (optionrules::InCloseArea({Close_Area[1], Close_Area[2], Close_Area[3], Close_Area[4]}, x,
                                 y)) {
        platform::Window::Close();
        return false;
    }
    return true;
}

void Skin_Preview_Window::Event_MouseDrag(int x, int y) {
    SetLeft(Left() + x - X_pos);
    SetTop(Top() + y - Y_pos);
}

void Skin_Preview_Window::Event_MouseUp(int, int) {
    SetMouseCursor(platform::SystemCursor::StandardPointer);
}

bool Skin_Preview_Window::Event_ConstructContextualMenu(platform::MenuItem& base, int, int) {
    const char* const texts[] = {"Close", "-", "Show Logo", "Initial Position"};
    for (const char* text : texts) {
        auto& item = base.Append(std::make_unique<platform::MenuItem>(text));
        item.Tag = static_cast<std::int32_t>(base.Count() - 1);
        if (item.Text == "Show Logo")
            item.Checked = Show_Logo;
    }
    return true;
}

bool Skin_Preview_Window::Event_ContextualMenuAction(platform::MenuItem& item) {
    switch (item.Tag) {
        case 0:
            platform::Window::Close();
            break;
        case 2:
            Show_Logo = !Show_Logo;
            Refresh();
            break;
        case 3:
            SetLeft(0);
            SetTop(0);
            break;
        default:
            break;
    }
    return true;
}
