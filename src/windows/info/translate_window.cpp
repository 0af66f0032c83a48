#include "windows/info/translate_window.h"

#include "app/file_types.h"
#include "app/language.h"
#include "app/resources.h"
#include "kit/buttons/ui_button.h"
#include "kit/buttons/variables_buttons.h"
#include "messages/line_terminator.h"
#include "platform/application.h"
#include "platform/atomic_file.h"
#include "platform/dialogs.h"
#include "platform/exceptions.h"
#include "platform/folderitem.h"
#include "platform/graphics.h"
#include "platform/keys.h"
#include "platform/text.h"
#include "platform/widgets/label.h"
#include "platform/widgets/listbox.h"
#include "platform/widgets/textfield.h"
#include "windows/layout/stored_layout.h"

#include <algorithm>
#include <exception>

namespace {

using translatetable::kEnglishColumn;
using translatetable::kKeyColumn;
using translatetable::kTranslationColumn;

platform::FileDialogSpec LanguageFileDialog() {
    platform::FileDialogSpec spec;
    spec.filter = FileTypes1::Lng().Filter();
    spec.filterName = FileTypes1::Lng().Name;
    return spec;
}

}  // namespace

Translate_Window::Translate_Window()
    : platform::Window(Frame::Document) {
}

Translate_Window& Translate_Window::Instance() {
    return platform::Instance<Translate_Window>();
}

void Translate_Window::ShowTranslate(platform::Window* parent) {
    Instance().ShowModalWithin(parent);
}

void Translate_Window::Layout() {
    setObjectName("Translate_Window");
    SetTitle("Translate");
    SetWidth(540);
    SetHeight(343);
    SetResizeable(true);
    setMinimumSize(64, 64);
    setMaximumSize(32000, 32000);

    m_listbox1 = &AddControl<platform::Listbox>(
        this,
        [](platform::Listbox& l) {
            layout::Place(l, "Listbox1", {20, 45, 500, 244}, 0);
            l.LockRight = true;
            l.LockBottom = true;
            l.SetColumnCount(3);
            l.SetColumnWidths("0,50%,50%");
            l.SetHasHeading(true);
            l.SetHeading(kKeyColumn, "Value");
            l.SetHeading(kEnglishColumn, "English");
            l.SetHeading(kTranslationColumn, "...");
            l.SetHelpTag("Click on a cell to see its contents");
            l.SetGridLinesHorizontal(1);
            l.SetGridLinesVertical(1);
            l.SetScrollBarHorizontal(true);
            l.SetScrollBarVertical(true);
            l.SetColumnsResizable(true);
        },
        [this](platform::Listbox& l) {
            l.Open = [this] { Listbox1_Open(); };
            l.CellClick = [this](int row, int column, int, int) {
                return Listbox1_CellClick(row, column);
            };
            l.HeaderPressed = [](int) { return false; };
            l.CellBackgroundPaint = [this](platform::Graphics& g, int row, int column) {
                return Listbox1_CellBackgroundPaint(g, row, column);
            };
            l.MouseMove = [this](int x, int y) { Listbox1_MouseMove(x, y); };
            l.MouseDown = [this](int x, int y) { return Listbox1_MouseDown(x, y); };
            l.CellKeyDown = [this](int row, int column, const std::string& key) {
                return Listbox1_CellKeyDown(row, column, key);
            };
            l.CellLostFocus = [this](int row, int column) { Listbox1_CellLostFocus(row, column); };
        });
    m_staticText1 = &AddControl<platform::Label>(this, [](platform::Label& l) {
        layout::Place(l, "StaticText1", {20, 13, 204, 20}, 0);
        l.SetText("Language (in your own language)");
        l.SetTextColor({0, 0, 0});
    });
    m_langEditField = &AddControl<platform::TextField>(
        this,
        [](platform::TextField& f) {
            layout::Place(f, "LangEditField", {236, 12, 96, 22}, 0);
            f.SetBorder(true);
            f.SetTextColor({0, 0, 0});
            f.SetBackColor({0xFF, 0xFF, 0xFF});
        },
        [this](platform::TextField& f) {
            f.TextChange = [this, &f] {
                m_listbox1->SetHeading(kTranslationColumn,
                                       translatetable::TranslationHeading(f.Text()));
            };
        });
    m_saveLangPushButton = &AddControl<UI_Button>(
        this,
        [](UI_Button& b) {
            layout::Place(b, "SaveLangPushButton", {440, 301, 80, 22}, 0);
            b.LockLeft = false;
            b.LockTop = false;
            b.LockRight = true;
            b.LockBottom = true;
            b.SetCaption("Save");
        },
        [this](UI_Button& b) {
            b.Open = [&b] {
                b.SetAcceptFocus(false);
                b.SetCaption(Language::Lng("Save"));
                Variables::fixWidth(b, true, 0, 80);
            };
            b.Action = [this] { SaveLangPushButton_Action(); };
        });
    m_openLangPushButton = &AddControl<UI_Button>(
        this,
        [](UI_Button& b) {
            layout::Place(b, "OpenLangPushButton", {440, 12, 80, 22}, 0);
            b.LockLeft = false;
            b.LockRight = true;
            b.SetCaption("Open");
        },
        [this](UI_Button& b) {
            b.Open = [&b] {
                b.SetAcceptFocus(false);
                b.SetCaption(Language::Lng("Open"));
            };
            b.Action = [this] { OpenLangPushButton_Action(); };
        });
}

bool Translate_Window::IsHeader(int row) const {
    return std::find(m_headers.begin(), m_headers.end(), row) != m_headers.end();
}

void Translate_Window::Listbox1_Open() {
    platform::Listbox& list = *m_listbox1;
    list.SetColumnResizable(kKeyColumn, false);
    for (int column = 0; column < 3; ++column)
        list.SetColumnSortDirection(column, 0);
    const translatetable::Table table = translatetable::FromReference(resources::en());
    m_headers = table.headers;
    for (const translatetable::Row& row : table.rows) {
        list.AddRow(row.key);
        list.SetCell(list.LastIndex(), kEnglishColumn, row.english);
    }
    for (const std::int32_t header : m_headers) {
        if (header < 0 || header >= list.RowCount())
            continue;
        for (int column = 0; column < 3; ++column)
            list.SetCellBold(header, column, true);
    }
    list.SetScrollBarHorizontal(true);
}

translatetable::Table Translate_Window::CurrentTable() const {
    translatetable::Table table;
    table.headers = m_headers;
    for (int row = 0; row < m_listbox1->RowCount(); ++row)
        table.rows.push_back({m_listbox1->Cell(row, kKeyColumn),
                              m_listbox1->Cell(row, kEnglishColumn),
                              m_listbox1->Cell(row, kTranslationColumn)});
    return table;
}

void Translate_Window::EditTranslation(int row) {
    m_listbox1->SetCellType(row, kTranslationColumn, platform::Listbox::kTypeEditable);
    m_listbox1->EditCell(row, kTranslationColumn);
}

bool Translate_Window::Listbox1_CellClick(int row, int column) {
    if (column != kTranslationColumn)
        return false;
    if (IsHeader(row))
        return true;
    EditTranslation(row);
    return false;
}

bool Translate_Window::Listbox1_CellKeyDown(int row, int column, const std::string& key) {
    m_textHasChanged = true;
    if (key != std::string(1, platform::keycode::kTab))
        return false;
    const translatetable::TabMove move = translatetable::TabFrom(CurrentTable(), row, column);
    if (move.editRow)
        EditTranslation(*move.editRow);
    return move.handled;
}

void Translate_Window::Listbox1_CellLostFocus(int row, int column) {
    if (m_listbox1->CellType(row, column) != platform::Listbox::kTypeEditable)
        return;
    const std::string translation = m_listbox1->Cell(row, column);
    if (translation.empty() || column < 1)
        return;
    const std::string english = m_listbox1->Cell(row, column - 1);
    for (const std::string& message : translatetable::CheckTranslation(english, translation))
        platform::MsgBox(message);
}

bool Translate_Window::Listbox1_CellBackgroundPaint(platform::Graphics& g, int row, int) {
    try {
        if (row < 0 || row >= m_listbox1->RowCount())
            return false;
        const translatetable::Row cells{m_listbox1->Cell(row, kKeyColumn),
                                        m_listbox1->Cell(row, kEnglishColumn),
                                        m_listbox1->Cell(row, kTranslationColumn)};
        if (const auto color = translatetable::RowColor(cells, IsHeader(row), m_fileOpened)) {
            g.ForeColor = *color;
            g.FillRect(0, 0, g.Width(), g.Height());
        }
    } catch (const std::exception&) {
        // A background that cannot be drawn keeps what was drawn so far.
    }
    return false;
}

bool Translate_Window::Listbox1_MouseDown(int x, int y) {
    try {
        m_listbox1->SetHelpTag(
            m_listbox1->Cell(m_listbox1->RowFromXY(x, y), m_listbox1->ColumnFromXY(x, y)));
    } catch (const platform::OutOfBoundsException&) {
        // Outside the rows and the columns the help tag stays.
    }
    return false;
}

void Translate_Window::Listbox1_MouseMove(int x, int y) {
    if (m_listbox1->HelpTag().find('\t') != std::string::npos)
        m_listbox1->SetHelpTag("Click on a cell to see its' contents");
    const int row = m_listbox1->RowFromXY(x, y);
    const int column = m_listbox1->ColumnFromXY(x, y);
    if (row < 0 || column == kKeyColumn || column == kEnglishColumn)
        return;
    m_listbox1->SetMouseCursor(IsHeader(row) ? platform::SystemCursor::StandardPointer
                                             : platform::SystemCursor::IBeam);
}

void Translate_Window::SaveLangPushButton_Action() {
    const std::string typed = m_langEditField->Text();
    if (platform::Trim(typed).empty()) {
        platform::MsgBox("Please enter a language name");
        m_langEditField->SetFocus();
        return;
    }
    platform::FileDialogSpec spec = LanguageFileDialog();
    spec.suggestedName = translatetable::SuggestedFileName(typed);
    spec.parent = this;
    const std::optional<std::string> chosen = platform::CurrentDialogs().GetSaveFile(spec);
    if (!chosen)
        return;
    // The loader lists ".lng" files only.
    const std::string path = translatetable::SuggestedFileName(*chosen);
    const std::string text = translatetable::LanguageFileText(
        translatetable::LanguageFileLines(CurrentTable(), typed), Variables::RC);
    try {
        platform::WriteFileAtomic(path, text);
    } catch (const platform::FileWriteException& failure) {
        platform::MsgBox("Unable to save the language file " + failure.Path() + Variables::RC +
                         failure.Reason());
        return;
    }
    m_fileOpened = true;
    m_textHasChanged = false;
}

void Translate_Window::OpenLangPushButton_Action() {
    platform::FileDialogSpec spec = LanguageFileDialog();
    spec.initialFolder = platform::AppFolder().Path().string();
    spec.title = "Select a language file";
    spec.actionCaption = Language::Lng("Open");
    spec.cancelCaption = Language::Lng("Cancel");
    spec.parent = this;
    const std::optional<std::string> chosen = platform::CurrentDialogs().GetOpenFile(spec);
    if (!chosen)
        return;
    SetMouseCursor(platform::SystemCursor::Wait);
    translatetable::OpenedFile file;
    try {
        // Read and parse the whole file before the table changes: a file that cannot be read
        // costs nothing of the work in the table.
        file = translatetable::ReadLanguageFile(
            platform::ReadFileBytes(*chosen, Language::kMaxLanguageBytes));
    } catch (const platform::RuntimeException& failure) {
        SetMouseCursor(platform::SystemCursor::StandardPointer);
        platform::MsgBox("Unable to open the language file " + *chosen + Variables::RC +
                         failure.what());
        return;
    }
    translatetable::Table table = CurrentTable();
    translatetable::ApplyOpenedFile(table, file);
    for (int row = 0; row < m_listbox1->RowCount(); ++row)
        m_listbox1->SetCell(row, kTranslationColumn,
                            table.rows[static_cast<std::size_t>(row)].translation);
    if (file.name)
        m_langEditField->SetText(*file.name);
    m_fileOpened = true;
    SetMouseCursor(platform::SystemCursor::StandardPointer);
    m_listbox1->Refresh();
}

bool Translate_Window::Event_CancelClose(bool appQuitting) {
    if (m_textHasChanged &&
        !platform::YesNoBox("You have changed some values without saving them." + Variables::RC +
                            Variables::RC + "Do you really want to close the window?"))
        return true;
    return platform::Window::Event_CancelClose(appQuitting);
}
