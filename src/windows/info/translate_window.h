#pragma once

#include "platform/widgets/window.h"
#include "windows/info/translate_table.h"

#include <cstdint>
#include <string>
#include <vector>

class UI_Button;
namespace platform {
class Label;
class Listbox;
class TextField;
}  // namespace platform

/// The translation editor: every line of the reference English text as a row, a cell for its
/// translation, colours for doubtful rows, warnings when a translation drops a name, a mark or
/// a placeholder, and the language files it saves and opens.
class Translate_Window : public platform::Window {
public:
    /// Use the accessor: the window exists once.
    Translate_Window();

    /// The open editor, or a new one, built (not shown).
    static Translate_Window& Instance();
    /// The main window's "Translate" command: the editor, shown modal within `parent`;
    /// returns when it closes.
    static void ShowTranslate(platform::Window* parent);

    platform::Listbox& Listbox1() const { return *m_listbox1; }
    platform::Label& StaticText1() const { return *m_staticText1; }
    platform::TextField& LangEditField() const { return *m_langEditField; }
    UI_Button& SaveLangPushButton() const { return *m_saveLangPushButton; }
    UI_Button& OpenLangPushButton() const { return *m_openLangPushButton; }

    const std::vector<std::int32_t>& Headers() const noexcept { return m_headers; }
    bool FileOpened() const noexcept { return m_fileOpened; }
    bool TextHasChanged() const noexcept { return m_textHasChanged; }

    /// The table as its cells hold it now.
    translatetable::Table CurrentTable() const;

    /// The save button: checks the name, asks where, writes the language file.
    void SaveLangPushButton_Action();
    /// The open button: asks for a language file and fills the translations and the name.
    void OpenLangPushButton_Action();

protected:
    void Layout() override;
    bool Event_CancelClose(bool appQuitting) override;

private:
    void Listbox1_Open();
    bool Listbox1_CellClick(int row, int column);
    bool Listbox1_CellKeyDown(int row, int column, const std::string& key);
    void Listbox1_CellLostFocus(int row, int column);
    bool Listbox1_CellBackgroundPaint(platform::Graphics& g, int row, int column);
    bool Listbox1_MouseDown(int x, int y);
    void Listbox1_MouseMove(int x, int y);
    void EditTranslation(int row);
    bool IsHeader(int row) const;

    std::vector<std::int32_t> m_headers{0};
    bool m_fileOpened = false;
    bool m_textHasChanged = false;

    platform::Listbox* m_listbox1 = nullptr;
    platform::Label* m_staticText1 = nullptr;
    platform::TextField* m_langEditField = nullptr;
    UI_Button* m_saveLangPushButton = nullptr;
    UI_Button* m_openLangPushButton = nullptr;
};
