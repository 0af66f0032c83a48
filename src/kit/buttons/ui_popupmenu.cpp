#include "kit/buttons/ui_popupmenu.h"

#include "kit/base/ui_module.h"
#include "kit/buttons/paint_stages.h"
#include "platform/checked.h"
#include "platform/clock.h"
#include "platform/menu.h"
#include "platform/text.h"
#include "platform/thread.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QWidget>

#include <algorithm>

namespace {

// The double arrow at the right end of the face: a 6 x 17 PNG with alpha, a dark triangle
// pointing up over a faint white line, and one pointing down over a faint white rim.
constexpr const char* kArrowsPng =
    "iVBORw0KGgoAAAANSUhEUgAAAAYAAAARCAYAAAD+H91rAAAAb0lEQVR42mNggAIZWQVrEGZAB0DB\r"
    "DSCMLghS/RqKrdFVwyQ2YFON0IWmGqHr////FtgwAxUB0KKVWCxfCZJQBOInSIIgtiLIVRxARiWS\r"
    "RCVIDGYcOxCfg2J2uD1AFUxAAU8QBrFRHAEUEAJhgq4FAHHMU8u/A4xQAAAAAElFTkSuQmCC\r";

/// Decodes Base64 text, line breaks skipped, into a picture; none when it holds none.
platform::PicturePtr StringToPicture(const char* base64) {
    const QByteArray bytes = QByteArray::fromBase64(QByteArray(base64));
    return platform::Picture::FromData(std::string_view(bytes.constData(), bytes.size()));
}

}  // namespace

UI_PopupMenu::UI_PopupMenu(QWidget* parent)
    : UI_Control(parent) {
}

UI_PopupMenu::~UI_PopupMenu() = default;

platform::PicturePtr UI_PopupMenu::ArrowsPicture() {
    return StringToPicture(kArrowsPng);
}

void UI_PopupMenu::SetListIndex(std::int32_t index) {
    mListIndex = index;
    Refresh(false);
    Change.Raise();
}

std::string UI_PopupMenu::Text() const {
    // An index that names no row reads as no selection.
    if (mListIndex < 0 || mListIndex >= ListCount())
        return {};
    return List[static_cast<std::size_t>(mListIndex)];
}

void UI_PopupMenu::SetText(const std::string& text) {
    const auto found = std::find(List.begin(), List.end(), text);
    if (found != List.end()) {
        SetListIndex(static_cast<std::int32_t>(found - List.begin()));
        return;
    }
    List.push_back(text);
    SetListIndex(ListCount() - 1);
}

void UI_PopupMenu::AddRow(const std::string& text) {
    SyncTags();
    List.push_back(text);
    Tag.emplace_back();
}

void UI_PopupMenu::AddRows(const std::vector<std::string>& texts) {
    for (const std::string& text : texts) {
        AddRow(text);
        platform::Yield();
    }
}

void UI_PopupMenu::InsertRow(std::int32_t index, const std::string& text) {
    if (index < 0 || index > ListCount())
        throw platform::OutOfBoundsException("row " + std::to_string(index) + " out of bounds");
    SyncTags();
    List.insert(List.begin() + index, text);
    Tag.insert(Tag.begin() + index, std::any{});
}

void UI_PopupMenu::DeleteAllRows() {
    List.clear();
    Tag.clear();
    SetListIndex(-1);
}

void UI_PopupMenu::SyncTags() {
    if (Tag.size() != List.size())
        Tag.resize(List.size());
}

std::any UI_PopupMenu::RowTag(std::int32_t index) {
    SyncTags();
    return platform::At(Tag, index);
}

void UI_PopupMenu::SetRowTag(std::int32_t index, std::any value) {
    SyncTags();
    platform::At(Tag, index) = std::move(value);
}

void UI_PopupMenu::SetSpecialStyle(const std::string& name) {
    mSpecialStyle = name;
    if (name.empty())
        return;
    if (const auto stored = UI_Module::StyleFor(name))
        MyStyle.SetStringValue(*stored, false);
}

bool UI_PopupMenu::EnabledWithParent() const {
    return kit::DrawsEnabled(*this);
}

void UI_PopupMenu::Event_ControlOpen() {
    SetAcceptFocus(true);
    UseFocusRing = false;
    if (!InitialValue.empty()) {
        std::string lines = platform::ReplaceAll(InitialValue, "\r\n", "\n");
        lines = platform::ReplaceAll(lines, "\r", "\n");
        AddRows(platform::Split(lines, "\n"));
        InitialValue.clear();
    }
    if (const auto stored = UI_Module::StyleFor("UI_PopupMenu")) {
        const std::string version = UI_Module::StyleVersionFor("UI_PopupMenu");
        MyStyle.SetStringValue(UI_PopupMenuStyle::StyleOffset(*stored, version), false);
    } else {
        UI_Module::AddTexture(ArrowsPicture(), "Arrows");
        MyStyle = UI_PopupMenuStyle::BuiltIn(UI_Module::TextureIndex("Arrows"));
    }
    Open.Raise();
}

bool UI_PopupMenu::Event_MouseDown(int x, int y) {
    // A disabled chooser takes no input (the platform would not deliver it either).
    if (!EnabledWithParent())
        return false;
    mMouseDown = true;
    SetFocus();
    if (MouseDown.Raise(x, y))
        return true;
    if (platform::Ticks() - LastPopup > 10) {
        Refresh(false);
        Popup();
        // The menu takes the release while it is open: with no button down any more, the
        // press is over.
        if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
            mMouseDown = false;
            Refresh(false);
        }
    }
    return true;
}

void UI_PopupMenu::Event_MouseUp(int x, int y) {
    mMouseDown = false;
    MouseOver = 0 < x && 0 < y && x < Width() && y < Height();
    Refresh(false);
}

void UI_PopupMenu::Event_MouseEnter() {
    MouseOver = true;
    Refresh(false);
}

void UI_PopupMenu::Event_MouseExit() {
    MouseOver = false;
    mMouseDown = false;
    Refresh(false);
}

void UI_PopupMenu::Event_GotFocus() {
    if (!MouseOver)
        Refresh(false);
}

void UI_PopupMenu::Event_LostFocus() {
    if (!MouseOver)
        Refresh(false);
    LostFocus.Raise();
}

bool UI_PopupMenu::Event_KeyDown(const std::string& key) {
    if (KeyDown.Raise(key))
        return true;
    if (!EnabledWithParent())
        return false;
    if (key == " " || key == "\r" || key == "\x03") {
        Popup();
        return true;
    }
    if (key == "\x1E") {
        // Clamped to the last row as well, so that an empty list selects no row.
        SetListIndex(std::min(ListCount() - 1, std::max(0, mListIndex - 1)));
        return true;
    }
    if (key == "\x1F") {
        SetListIndex(std::min(ListCount() - 1, mListIndex + 1));
        return true;
    }
    return false;
}

bool UI_PopupMenu::IsWindowFocus() const {
    return kit::IsWindowFocus(Widget());
}

void UI_PopupMenu::getControlXY(int& x, int& y) const {
    const QPoint p = Widget().mapToGlobal(QPoint(0, 0));
    x = p.x();
    y = p.y();
}

void UI_PopupMenu::Popup() {
    platform::MenuItem root;
    for (std::int32_t i = 0; i < ListCount(); ++i) {
        auto item = std::make_unique<platform::MenuItem>(List[static_cast<std::size_t>(i)]);
        item->Tag = i;
        item->Checked = i == mListIndex;
        root.Append(std::move(item));
        platform::Yield();
    }
    int x = 0;
    int y = 0;
    getControlXY(x, y);
    y += Height();
    const platform::MenuItem* chosen = root.PopUp(x, y);
    LastPopup = platform::Ticks();
    if (chosen != nullptr)
        SetListIndex(chosen->Tag);
}

void UI_PopupMenu::Push() {
    mMouseDown = true;
    repaint();
    const std::int64_t start = platform::Ticks();
    Change.Raise();
    kit::WaitTicksSince(start, 12);
    mMouseDown = false;
    Refresh(false);
}

void UI_PopupMenu::Event_Paint(platform::Graphics& g) {
    PaintInto(g);
}
