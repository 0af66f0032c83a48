#include "windows/layout/stored_layout.h"

#include "kit/buttons/button_base.h"
#include "kit/text/ui_textfield.h"
#include "kit/toggles/ui_checkbox.h"
#include "kit/toggles/ui_label.h"
#include "platform/widgets/control.h"
#include "platform/widgets/label.h"

namespace layout {
namespace {

constexpr platform::Color kWhite = platform::RGB(0xFF, 0xFF, 0xFF);
constexpr platform::Color kBlack = platform::RGB(0, 0, 0);

}  // namespace

void Place(platform::Control& c, const std::string& name, Bounds bounds, int tab) {
    c.SetName(name);
    c.SetLeft(bounds.left);
    c.SetTop(bounds.top);
    c.SetWidth(bounds.width);
    c.SetHeight(bounds.height);
    c.TabIndex = tab;
}

void PlaceKitLabel(UI_Label& l, const std::string& name, Bounds bounds, int tab,
                   const std::string& text) {
    Place(l, name, bounds, tab);
    l.SetText(text);
    l.TextFont = "System";
    l.VerticalAlign = 1;
    l.Multiline = false;
}

void StoreCommon(platform::Control& c, const std::string& name, Bounds bounds, int tab,
                 const std::string& helpTag) {
    Place(c, name, bounds, tab);
    c.SetVisible(true);
    c.SetEnabled(true);
    c.SetHelpTag(helpTag);
}

void StoreCheckbox(UI_Checkbox& c, const std::string& name, Bounds bounds, int tab,
                   const std::string& caption, const std::string& helpTag) {
    StoreCommon(c, name, bounds, tab, helpTag);
    c.Caption = caption;
    c.SetValue(false);
    c.SetTextFont("System");
    c.SetBold(false);
    c.SetItalic(false);
    c.SetUnderline(false);
    c.HasBackcolor = false;
    c.SetAcceptFocus(false);
}

void StoreButton(kit::ButtonBase& c, const std::string& name, Bounds bounds, int tab,
                 const std::string& caption) {
    StoreCommon(c, name, bounds, tab);
    c.SetCaption(caption);
    c.CaptionAlign = 0;
    c.CaptionDelta = 0;
    c.FullRefresh = false;
    c.UseFocusRing = true;
    c.SetAcceptFocus(false);
    c.EraseBackground = true;
    c.HasBackColor = false;
}

void StoreTextField(UI_TextField& c, const std::string& name, Bounds bounds, int tab,
                    int alignment) {
    StoreCommon(c, name, bounds, tab);
    c.SetText("");
    c.CueText.clear();
    c.SetTextColor(kBlack);
    c.Backcolor = kWhite;
    c.HasBackcolor = false;
    c.IconRight = false;
    c.Password = false;
    c.ReadOnly = false;
    c.SetSelStart(0);
    c.SetSelLength(0);
    c.TextFont = "System";
    c.Bold = false;
    c.Italic = false;
    c.Underline = false;
    c.UseFocusRing = true;
    c.SetAcceptFocus(false);
    c.Alignment = alignment;
}

void StoreKitLabel(UI_Label& c, const std::string& name, Bounds bounds, int tab,
                   const std::string& text, platform::Color textColor) {
    StoreCommon(c, name, bounds, tab);
    c.SetText(text);
    c.TextAlign = 0;
    c.VerticalAlign = 1;
    c.SetScrollPosition(0);
    c.Multiline = false;
    c.TextFont = "System";
    c.Bold = false;
    c.Italic = false;
    c.Underline = false;
    c.HasBackcolor = false;
    c.SetAcceptFocus(false);
    c.SetTextColor(textColor);
}

void StoreLabel(platform::Label& c, const std::string& name, Bounds bounds, int tab,
                const std::string& text, bool boldCentred) {
    c.TextUnit = 0;
    StoreCommon(c, name, bounds, tab);
    c.SetText(text);
    c.SetTextAlign(boldCentred ? 1 : 0);
    c.SetTextColor(kWhite);
    c.SetTransparent(true);
    c.SetSelectable(false);
    c.SetMultiline(false);
    c.SetTextFont("System");
    c.SetBold(boldCentred);
    c.SetItalic(false);
    c.SetUnderline(false);
}

}  // namespace layout
