#pragma once

#include "kit/base/ui_control.h"
#include "kit/buttons/ui_popupmenu_style.h"
#include "platform/color.h"
#include "platform/event.h"
#include "platform/picture.h"

#include <any>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {
class Graphics;
}

/// The kit's closed-list chooser: shows its selected row on a button-like face with an arrows
/// picture at its right end; a click or Space, Return or Enter opens the platform's pop-up
/// menu of its rows, and the up and down arrows step through them. Every assignment of
/// ListIndex raises Change, also of an unchanged value.
class UI_PopupMenu : public UI_Control {
public:
    using Style = UI_PopupMenuStyle;

    explicit UI_PopupMenu(QWidget* parent = nullptr);
    ~UI_PopupMenu() override;

    /// Declared again over the base's members of these names; no code of the control reads
    /// them (the background comes from the base's).
    platform::Color BackColor{0, 0, 0};
    bool FullRefresh = false;
    bool HasBackColor = false;

    UI_PopupMenuStyle MyStyle{};
    /// The rows' texts, row 0 first.
    std::vector<std::string> List;
    /// Design-time rows, one a line; the open step takes them into the rows and empties it.
    std::string InitialValue;

    std::int32_t ListCount() const noexcept { return static_cast<std::int32_t>(List.size()); }
    std::int32_t ListIndex() const noexcept { return mListIndex; }
    /// Stores the index, repaints and raises Change, whatever the value.
    void SetListIndex(std::int32_t index);
    /// The selected row's text; empty when no row is selected or the index names no row.
    std::string Text() const;
    /// Selects the first row equal to `text` (case-sensitive), or appends it as a new row
    /// without a tag and selects that; either way through SetListIndex.
    void SetText(const std::string& text);

    /// Appends a row with an empty tag; no repaint, no event.
    void AddRow(const std::string& text);
    void AddRows(const std::vector<std::string>& texts);
    /// Inserts a row and an empty tag at `index` (0 to ListCount); ListIndex is not adjusted.
    /// Throws OutOfBoundsException for another index.
    void InsertRow(std::int32_t index, const std::string& text);
    /// Empties the rows and tags, then assigns -1 to ListIndex (repaint, Change).
    void DeleteAllRows();
    /// The tag of a row. Throws OutOfBoundsException when `index` names no row.
    std::any RowTag(std::int32_t index);
    void SetRowTag(std::int32_t index, std::any value);

    /// Shows the pop-up menu of the rows under the control and selects the chosen row.
    void Popup();
    /// Shows the pressed look for at least 12 ticks and raises Change.
    void Push();

    /// The name of the registry style last assigned; assigning copies that style into MyStyle
    /// as stored, without conversion, repaint or event.
    const std::string& SpecialStyle() const noexcept { return mSpecialStyle; }
    void SetSpecialStyle(const std::string& name);

    /// The window's handler of a new selection. The canvas's MouseDown (raised on a press
    /// after the control took the focus; true keeps the menu closed), LostFocus and KeyDown
    /// (raised first for every key; true consumes it) serve as the control's own.
    platform::Event<void()> Change;

    bool IsMouseDown() const noexcept { return mMouseDown; }
    bool IsMouseOver() const noexcept { return MouseOver; }
    std::int64_t LastPopupTicks() const noexcept { return LastPopup; }

    /// Builds the whole control into `g` (the control's size) as every paint does.
    void PaintInto(platform::Graphics& g);

    /// The arrows picture drawn at the right end, decoded from the program's own PNG text.
    static platform::PicturePtr ArrowsPicture();

protected:
    bool MouseOver = false;
    /// The pressed state (the framework named it MouseDown, beside the event of that name).
    bool mMouseDown = false;
    /// Ticks when the last menu closed; a press within 10 ticks of it opens none.
    std::int64_t LastPopup = 0;
    /// One tag per row, at the row's index.
    std::vector<std::any> Tag;

    void Event_ControlOpen() override;
    bool Event_MouseDown(int x, int y) override;
    void Event_MouseUp(int x, int y) override;
    void Event_MouseEnter() override;
    void Event_MouseExit() override;
    void Event_GotFocus() override;
    void Event_LostFocus() override;
    bool Event_KeyDown(const std::string& key) override;
    void Event_Paint(platform::Graphics& g) override;

    /// Fills `g` with the registry's texture `index`, never greyed.
    virtual void DrawTexture(platform::Graphics& g, int index);

private:
    bool EnabledWithParent() const;
    bool IsWindowFocus() const;
    /// The control's top-left corner on the screen.
    void getControlXY(int& x, int& y) const;
    /// Keeps Tag as long as List (rows appended through SetText have no tag yet).
    void SyncTags();

    std::int32_t mListIndex = -1;
    std::string mSpecialStyle;
};
