#pragma once

#include "platform/color.h"
#include "platform/event.h"
#include "platform/widgets/control.h"

#include <QPointer>
#include <QTableWidget>

#include <string>
#include <vector>

namespace platform {

class Graphics;

/// The framework's list box: rows of text cells under optional column headings, with editable
/// cells, per-cell type and colours, and owner-drawn cell backgrounds.
///
/// Rows and columns count from 0. Mouse positions (MouseDown, MouseMove, RowFromXY) are in the
/// control's coordinates, the headings included; CellClick gets the position within the cell.
///
/// Editing: a cell of an editable type is edited only through EditCell (the window's CellClick
/// handler calls it). While a cell is edited, every key is offered to CellKeyDown first; Tab
/// that the window leaves alone moves the editing to the next editable cell. When the editing
/// ends (Return, Escape, a click elsewhere, another EditCell) the cell already holds the text:
/// CellAction follows when the text changed, then CellLostFocus.
class Listbox : public QTableWidget, public Control {
public:
    /// Cell types, as the framework numbers them.
    static constexpr int kTypeDefault = 0;
    static constexpr int kTypeNormal = 1;
    static constexpr int kTypeCheckbox = 2;
    static constexpr int kTypeEditable = 3;
    static constexpr int kTypeEditableTextArea = 4;

    explicit Listbox(QWidget* parent = nullptr);
    ~Listbox() override;

    int ColumnCount() const { return columnCount(); }
    void SetColumnCount(int count);
    /// The widths of the columns as a comma-separated text: pixels ("50"), a percentage of the
    /// list's inner width ("50%"), or a share of what is left ("*", "2*"); columns without an
    /// entry share what is left. "0,50%,50%" hides the first column and halves the rest.
    std::string ColumnWidths() const { return m_columnWidths; }
    void SetColumnWidths(const std::string& widths);
    /// Whether the user may drag the edge of column `column` (all columns: ColumnsResizable).
    bool ColumnResizable(int column) const;
    void SetColumnResizable(int column, bool resizable);
    bool ColumnsResizable() const noexcept { return m_columnsResizable; }
    void SetColumnsResizable(bool resizable);
    /// Kept per column; the list never sorts its rows itself.
    int ColumnSortDirection(int column) const;
    void SetColumnSortDirection(int column, int direction);

    bool HasHeading() const;
    void SetHasHeading(bool has);
    std::string Heading(int column) const;
    void SetHeading(int column, const std::string& text);

    /// 0 no lines; any other value draws lines between rows and columns.
    int GridLinesHorizontal() const noexcept { return m_gridHorizontal; }
    void SetGridLinesHorizontal(int style);
    int GridLinesVertical() const noexcept { return m_gridVertical; }
    void SetGridLinesVertical(int style);
    /// Whether the scroll bar appears when it is needed (it is never shown otherwise).
    bool ScrollBarHorizontal() const;
    void SetScrollBarHorizontal(bool shown);
    bool ScrollBarVertical() const;
    void SetScrollBarVertical(bool shown);

    /// Appends a row whose first cell holds `text`.
    void AddRow(const std::string& text);
    /// Inserts a row before `row` (at the end when `row` is RowCount).
    /// Throws OutOfBoundsException for a row outside 0 to RowCount.
    void InsertRow(int row, const std::string& text);
    /// Throws OutOfBoundsException for a row that does not exist.
    void RemoveRow(int row);
    void DeleteAllRows();
    int RowCount() const { return rowCount(); }
    int ListCount() const { return rowCount(); }
    /// The row added or inserted last, -1 before any.
    int LastIndex() const noexcept { return m_lastIndex; }

    /// The selected row, -1 for none.
    int ListIndex() const;
    /// Selects a row (-1 for none); Change follows when the selection changes.
    /// Throws OutOfBoundsException for a row outside -1 to RowCount - 1.
    void SetListIndex(int row);

    /// The text of a cell. Row -1 gives that column of every row, one row a line; column -1
    /// gives that row's cells joined by tabs; both -1 the whole list.
    /// Throws OutOfBoundsException for any other row or column outside the list.
    std::string Cell(int row, int column) const;
    /// Throws OutOfBoundsException for a cell outside the list.
    void SetCell(int row, int column, const std::string& text);
    bool CellBold(int row, int column) const;
    void SetCellBold(int row, int column, bool bold);
    /// The text colour of a cell (black until set).
    Color CellTextColor(int row, int column) const;
    void SetCellTextColor(int row, int column, Color color);
    /// A background colour of the cell's own, drawn before CellBackgroundPaint.
    void SetCellBackColor(int row, int column, Color color);
    int CellType(int row, int column) const;
    void SetCellType(int row, int column, int type);
    /// Starts editing a cell of an editable type, ending the editing of any other cell first.
    /// Inside CellClick the editing starts once the list has handled the click.
    void EditCell(int row, int column);
    /// Whether a cell is being edited now.
    bool Editing() const { return !m_editor.isNull(); }

    /// The row or column at a point of the control, -1 where there is none.
    int RowFromXY(int x, int y) const;
    int ColumnFromXY(int x, int y) const;

    /// The window's handlers.
    Event<bool(int row, int column, int x, int y)> CellClick;
    /// Draws a cell's background into `g` (as large as the cell, filled with the list's
    /// background); true keeps the list from drawing the selection over it.
    Event<bool(Graphics& g, int row, int column)> CellBackgroundPaint;
    Event<bool(int row, int column, const std::string& key)> CellKeyDown;
    Event<void(int row, int column)> CellAction;
    Event<void(int row, int column)> CellLostFocus;
    Event<bool(int column)> HeaderPressed;
    Event<bool(int x, int y)> MouseDown;
    Event<void(int x, int y)> MouseMove;
    Event<bool(const std::string& key)> KeyDown;
    Event<void()> Change;

protected:
    virtual bool Event_CellClick(int row, int column, int x, int y) {
        return CellClick.Raise(row, column, x, y);
    }
    virtual bool Event_CellBackgroundPaint(Graphics& g, int row, int column) {
        return CellBackgroundPaint.Raise(g, row, column);
    }
    virtual bool Event_CellKeyDown(int row, int column, const std::string& key) {
        return CellKeyDown.Raise(row, column, key);
    }
    virtual void Event_CellAction(int row, int column) { CellAction.Raise(row, column); }
    virtual void Event_CellLostFocus(int row, int column) { CellLostFocus.Raise(row, column); }
    virtual bool Event_HeaderPressed(int column) { return HeaderPressed.Raise(column); }
    virtual bool Event_MouseDown(int x, int y) { return MouseDown.Raise(x, y); }
    virtual void Event_MouseMove(int x, int y) { MouseMove.Raise(x, y); }
    virtual bool Event_KeyDown(const std::string& key) { return KeyDown.Raise(key); }
    virtual void Event_Change() { Change.Raise(); }

    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    friend class ListboxDelegate;

    QTableWidgetItem& Item(int row, int column) const;
    void FillRow(int row, const std::string& text);
    void ApplyColumnWidths();
    void ApplyGrid();
    void FinishEditing();
    void OpenEditor(int row, int column);
    /// Tab in an editor that the window left alone: edit the next editable cell, or end.
    void TabFrom(int row, int column, bool forward);
    /// Called by the delegate for each key in an editor; true when the key was taken.
    bool EditorKey(const QKeyEvent& event);
    /// Called by the delegate for each cell it paints: the background, and whether the
    /// window handled it.
    bool PaintCellBackground(QPainter& painter, const QRect& cell, int row, int column);

    std::string m_columnWidths;
    bool m_columnsResizable = true;
    std::vector<bool> m_fixedColumns;
    std::vector<int> m_sortDirections;
    int m_gridHorizontal = 0;
    int m_gridVertical = 0;
    int m_lastIndex = -1;
    int m_lastListIndex = -1;
    bool m_applyingWidths = false;
    bool m_inClick = false;
    int m_pendingRow = -1;
    int m_pendingColumn = -1;
    QPointer<QWidget> m_editor;
    int m_editRow = -1;
    int m_editColumn = -1;
    QString m_editStartText;
};

}  // namespace platform
