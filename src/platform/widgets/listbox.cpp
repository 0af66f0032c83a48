#include "platform/widgets/listbox.h"

#include "platform/dispatch.h"
#include "platform/exceptions.h"
#include "platform/graphics.h"
#include "platform/keys.h"
#include "platform/picture.h"
#include "platform/widgets/control_font.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

constexpr int kTypeRole = Qt::UserRole;
constexpr int kBackColorRole = Qt::UserRole + 1;
/// Rows fit the 12 px font with a little air, as the platform's lists do.
constexpr int kRowHeight = 20;

bool IsEditableType(int type) {
    return type == Listbox::kTypeEditable || type == Listbox::kTypeEditableTextArea;
}

std::string OutOfList(int row, int column) {
    return "cell " + std::to_string(row) + ", " + std::to_string(column);
}

/// One entry of a column width text.
struct WidthSpec {
    enum Kind { Pixels, Percent, Share } kind = Share;
    double amount = 1;
};

WidthSpec ParseWidth(QString entry) {
    entry = entry.trimmed();
    WidthSpec spec;
    if (entry.isEmpty() || entry == QLatin1String("*"))
        return spec;
    bool ok = false;
    if (entry.endsWith(QLatin1Char('%'))) {
        const double value = entry.chopped(1).trimmed().toDouble(&ok);
        if (ok && value >= 0)
            return {WidthSpec::Percent, value};
    } else if (entry.endsWith(QLatin1Char('*'))) {
        const double value = entry.chopped(1).trimmed().toDouble(&ok);
        if (ok && value >= 0)
            return {WidthSpec::Share, value};
    } else {
        const double value = entry.toDouble(&ok);
        if (ok && value >= 0)
            return {WidthSpec::Pixels, value};
    }
    return spec;  // unreadable: a share of the rest
}

}  // namespace

/// Paints cell backgrounds through the list's CellBackgroundPaint and hands editor keys to
/// its CellKeyDown before the editor sees them.
class ListboxDelegate : public QStyledItemDelegate {
public:
    explicit ListboxDelegate(Listbox& list)
        : QStyledItemDelegate(&list)
        , m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt(option);
        const bool handled =
            m_list.PaintCellBackground(*painter, option.rect, index.row(), index.column());
        if (handled)
            opt.state &= ~QStyle::State_Selected;
        QStyledItemDelegate::paint(painter, opt, index);
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        m_list.m_editor = editor;
        return editor;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && object == m_list.m_editor.data()) {
            if (m_list.EditorKey(*static_cast<QKeyEvent*>(event)))
                return true;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    Listbox& m_list;
};

Listbox::Listbox(QWidget* parent)
    : QTableWidget(parent)
    , Control(static_cast<QWidget&>(*this)) {
    setFont(ControlFont("System", 0, false));
    setItemDelegate(new ListboxDelegate(*this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSortingEnabled(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSortIndicatorShown(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    viewport()->setMouseTracking(true);
    SetColumnCount(1);
    ApplyGrid();
    QObject::connect(horizontalHeader(), &QHeaderView::sectionPressed, this,
                     [this](int column) { Dispatch([&] { Event_HeaderPressed(column); }); });
    QObject::connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const int now = ListIndex();
        if (now == m_lastListIndex)
            return;
        m_lastListIndex = now;
        Dispatch([this] { Event_Change(); });
    });
}

Listbox::~Listbox() = default;

QTableWidgetItem& Listbox::Item(int row, int column) const {
    QTableWidgetItem* it = (row >= 0 && row < rowCount() && column >= 0 && column < columnCount())
                               ? item(row, column)
                               : nullptr;
    if (!it)
        throw OutOfBoundsException(OutOfList(row, column));
    return *it;
}

void Listbox::SetColumnCount(int count) {
    const int old = columnCount();
    count = std::max(count, 1);
    setColumnCount(count);
    m_fixedColumns.resize(static_cast<std::size_t>(count), false);
    m_sortDirections.resize(static_cast<std::size_t>(count), 0);
    // Every cell of every row has an item, so that types, fonts and colours can be set.
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = old; column < count; ++column)
            setItem(row, column, new QTableWidgetItem);
    }
    for (int column = 0; column < count; ++column)
        SetColumnResizable(column, !m_fixedColumns[static_cast<std::size_t>(column)]);
    ApplyColumnWidths();
}

void Listbox::SetColumnWidths(const std::string& widths) {
    m_columnWidths = widths;
    ApplyColumnWidths();
}

void Listbox::ApplyColumnWidths() {
    if (m_applyingWidths)
        return;
    m_applyingWidths = true;
    const QStringList entries =
        QString::fromStdString(m_columnWidths).split(QLatin1Char(','), Qt::KeepEmptyParts);
    const int available = viewport()->width();
    std::vector<WidthSpec> specs;
    for (int column = 0; column < columnCount(); ++column)
        specs.push_back(column < entries.size() && !m_columnWidths.empty()
                            ? ParseWidth(entries[column])
                            : WidthSpec{});
    std::vector<int> widths(specs.size(), 0);
    double used = 0;
    double shares = 0;
    for (std::size_t i = 0; i < specs.size(); ++i) {
        if (specs[i].kind == WidthSpec::Pixels)
            widths[i] = static_cast<int>(specs[i].amount);
        else if (specs[i].kind == WidthSpec::Percent)
            widths[i] = static_cast<int>(std::floor(available * specs[i].amount / 100.0));
        else
            shares += specs[i].amount;
        used += widths[i];
    }
    const double rest = std::max(0.0, available - used);
    for (std::size_t i = 0; i < specs.size(); ++i) {
        if (specs[i].kind == WidthSpec::Share)
            widths[i] =
                shares > 0 ? static_cast<int>(std::floor(rest * specs[i].amount / shares)) : 0;
        horizontalHeader()->resizeSection(static_cast<int>(i), widths[i]);
    }
    m_applyingWidths = false;
}

bool Listbox::ColumnResizable(int column) const {
    if (column < 0 || column >= columnCount())
        throw OutOfBoundsException("column " + std::to_string(column));
    return m_columnsResizable && !m_fixedColumns[static_cast<std::size_t>(column)];
}

void Listbox::SetColumnResizable(int column, bool resizable) {
    if (column < 0 || column >= columnCount())
        throw OutOfBoundsException("column " + std::to_string(column));
    m_fixedColumns[static_cast<std::size_t>(column)] = !resizable;
    horizontalHeader()->setSectionResizeMode(
        column, resizable && m_columnsResizable ? QHeaderView::Interactive : QHeaderView::Fixed);
}

void Listbox::SetColumnsResizable(bool resizable) {
    m_columnsResizable = resizable;
    for (int column = 0; column < columnCount(); ++column)
        SetColumnResizable(column, !m_fixedColumns[static_cast<std::size_t>(column)]);
}

int Listbox::ColumnSortDirection(int column) const {
    if (column < 0 || column >= columnCount())
        throw OutOfBoundsException("column " + std::to_string(column));
    return m_sortDirections[static_cast<std::size_t>(column)];
}

void Listbox::SetColumnSortDirection(int column, int direction) {
    if (column < 0 || column >= columnCount())
        throw OutOfBoundsException("column " + std::to_string(column));
    m_sortDirections[static_cast<std::size_t>(column)] = direction;
}

bool Listbox::HasHeading() const {
    return !horizontalHeader()->isHidden();
}

void Listbox::SetHasHeading(bool has) {
    horizontalHeader()->setVisible(has);
}

std::string Listbox::Heading(int column) const {
    if (column < 0 || column >= columnCount())
        throw OutOfBoundsException("column " + std::to_string(column));
    const QTableWidgetItem* heading = horizontalHeaderItem(column);
    return heading ? heading->text().toStdString() : std::string();
}

void Listbox::SetHeading(int column, const std::string& text) {
    if (column < 0 || column >= columnCount())
        throw OutOfBoundsException("column " + std::to_string(column));
    setHorizontalHeaderItem(column, new QTableWidgetItem(QString::fromStdString(text)));
}

void Listbox::SetGridLinesHorizontal(int style) {
    m_gridHorizontal = style;
    ApplyGrid();
}

void Listbox::SetGridLinesVertical(int style) {
    m_gridVertical = style;
    ApplyGrid();
}

void Listbox::ApplyGrid() {
    // Qt draws both kinds of line or none.
    setShowGrid(m_gridHorizontal != 0 || m_gridVertical != 0);
}

bool Listbox::ScrollBarHorizontal() const {
    return horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
}

void Listbox::SetScrollBarHorizontal(bool shown) {
    setHorizontalScrollBarPolicy(shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

bool Listbox::ScrollBarVertical() const {
    return verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
}

void Listbox::SetScrollBarVertical(bool shown) {
    setVerticalScrollBarPolicy(shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void Listbox::FillRow(int row, const std::string& text) {
    for (int column = 0; column < columnCount(); ++column)
        setItem(row, column, new QTableWidgetItem);
    item(row, 0)->setText(QString::fromStdString(text));
    m_lastIndex = row;
}

void Listbox::AddRow(const std::string& text) {
    InsertRow(rowCount(), text);
}

void Listbox::InsertRow(int row, const std::string& text) {
    if (row < 0 || row > rowCount())
        throw OutOfBoundsException("row " + std::to_string(row));
    insertRow(row);
    FillRow(row, text);
}

void Listbox::RemoveRow(int row) {
    if (row < 0 || row >= rowCount())
        throw OutOfBoundsException("row " + std::to_string(row));
    if (row == m_editRow)
        FinishEditing();
    removeRow(row);
}

void Listbox::DeleteAllRows() {
    FinishEditing();
    setRowCount(0);
    m_lastIndex = -1;
}

int Listbox::ListIndex() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void Listbox::SetListIndex(int row) {
    if (row < -1 || row >= rowCount())
        throw OutOfBoundsException("row " + std::to_string(row));
    if (row < 0)
        clearSelection();
    else
        selectRow(row);
}

std::string Listbox::Cell(int row, int column) const {
    if (row == -1 || column == -1) {
        if (row < -1 || row >= rowCount() || column < -1 || column >= columnCount())
            throw OutOfBoundsException(OutOfList(row, column));
        const int firstRow = row == -1 ? 0 : row;
        const int lastRow = row == -1 ? rowCount() - 1 : row;
        const int firstColumn = column == -1 ? 0 : column;
        const int lastColumn = column == -1 ? columnCount() - 1 : column;
        std::string all;
        for (int r = firstRow; r <= lastRow; ++r) {
            if (r > firstRow)
                all += '\n';
            for (int c = firstColumn; c <= lastColumn; ++c) {
                if (c > firstColumn)
                    all += '\t';
                all += Item(r, c).text().toStdString();
            }
        }
        return all;
    }
    return Item(row, column).text().toStdString();
}

void Listbox::SetCell(int row, int column, const std::string& text) {
    Item(row, column).setText(QString::fromStdString(text));
}

bool Listbox::CellBold(int row, int column) const {
    return Item(row, column).font().bold();
}

void Listbox::SetCellBold(int row, int column, bool bold) {
    QTableWidgetItem& cell = Item(row, column);
    QFont f = font();
    f.setBold(bold);
    cell.setFont(f);
}

Color Listbox::CellTextColor(int row, int column) const {
    const QVariant value = Item(row, column).data(Qt::ForegroundRole);
    if (!value.isValid())
        return Color{0, 0, 0};
    const QColor c = value.value<QBrush>().color();
    return RGB(c.red(), c.green(), c.blue());
}

void Listbox::SetCellTextColor(int row, int column, Color color) {
    Item(row, column).setForeground(QColor(color.r, color.g, color.b));
}

void Listbox::SetCellBackColor(int row, int column, Color color) {
    Item(row, column).setData(kBackColorRole, QColor(color.r, color.g, color.b));
}

int Listbox::CellType(int row, int column) const {
    return Item(row, column).data(kTypeRole).toInt();
}

void Listbox::SetCellType(int row, int column, int type) {
    QTableWidgetItem& cell = Item(row, column);
    cell.setData(kTypeRole, type);
    Qt::ItemFlags flags = cell.flags();
    flags.setFlag(Qt::ItemIsEditable, IsEditableType(type));
    cell.setFlags(flags);
}

void Listbox::EditCell(int row, int column) {
    Item(row, column);  // throws for a cell outside the list
    if (m_inClick) {
        // The list handles the click after the handler; an editor opened now would be
        // closed by it.
        m_pendingRow = row;
        m_pendingColumn = column;
        return;
    }
    OpenEditor(row, column);
}

void Listbox::OpenEditor(int row, int column) {
    if (!IsEditableType(CellType(row, column)))
        return;
    FinishEditing();
    setCurrentCell(row, column);
    m_editRow = row;
    m_editColumn = column;
    m_editStartText = item(row, column)->text();
    editItem(item(row, column));
    if (m_editor.isNull()) {
        m_editRow = -1;
        m_editColumn = -1;
    }
}

void Listbox::FinishEditing() {
    if (QWidget* editor = m_editor.data()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void Listbox::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (editor != m_editor.data()) {
        // An editor that ended already (its focus left after we closed it).
        QTableWidget::closeEditor(editor, hint);
        return;
    }
    const int row = m_editRow;
    const int column = m_editColumn;
    const QString before = m_editStartText;
    m_editor = nullptr;
    m_editRow = -1;
    m_editColumn = -1;
    QTableWidget::closeEditor(editor, hint);
    if (row < 0 || row >= rowCount())
        return;
    if (item(row, column)->text() != before)
        Dispatch([&] { Event_CellAction(row, column); });
    Dispatch([&] { Event_CellLostFocus(row, column); });
}

bool Listbox::EditorKey(const QKeyEvent& event) {
    SetEventModifiers(event.modifiers());
    const int row = m_editRow;
    const int column = m_editColumn;
    const bool tab = event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab;
    const auto key = KeyText(event);
    if (key && Dispatch([&] { return Event_CellKeyDown(row, column, *key); }))
        return true;
    if (tab && row >= 0) {
        const bool back = event.key() == Qt::Key_Backtab || (event.modifiers() & Qt::ShiftModifier);
        TabFrom(row, column, !back);
        return true;
    }
    return false;
}

void Listbox::TabFrom(int row, int column, bool forward) {
    // The next editable cell in reading order, or the end of the editing.
    const int cells = rowCount() * columnCount();
    int at = row * columnCount() + column;
    for (;;) {
        at += forward ? 1 : -1;
        if (at < 0 || at >= cells)
            break;
        const int r = at / columnCount();
        const int c = at % columnCount();
        if (IsEditableType(CellType(r, c))) {
            OpenEditor(r, c);
            return;
        }
    }
    FinishEditing();
}

bool Listbox::PaintCellBackground(QPainter& painter, const QRect& cell, int row, int column) {
    if (cell.width() <= 0 || cell.height() <= 0)
        return false;
    PicturePtr picture = Picture::New(cell.width(), cell.height());
    Graphics g(*picture);
    const QVariant own = item(row, column) ? item(row, column)->data(kBackColorRole) : QVariant();
    const QColor base =
        own.isValid() ? own.value<QColor>() : palette().color(QPalette::Active, QPalette::Base);
    g.ForeColor = RGB(base.red(), base.green(), base.blue());
    g.FillRect(0, 0, cell.width(), cell.height());
    const bool handled = Dispatch([&] { return Event_CellBackgroundPaint(g, row, column); });
    // What the handler drew stays, also when it failed half-way.
    painter.drawImage(cell.topLeft(), picture->Image());
    return handled;
}

int Listbox::RowFromXY(int x, int y) const {
    const QPoint at = viewport()->mapFrom(this, QPoint(x, y));
    if (!viewport()->rect().contains(at))
        return -1;
    return rowAt(at.y());
}

int Listbox::ColumnFromXY(int x, int y) const {
    const QPoint at = viewport()->mapFrom(this, QPoint(x, y));
    if (!viewport()->rect().contains(at))
        return -1;
    return columnAt(at.x());
}

bool Listbox::viewportEvent(QEvent* event) {
    const bool result = QTableWidget::viewportEvent(event);
    // The inner width changes with the list's size and with the vertical scroll bar.
    if (event->type() == QEvent::Resize)
        ApplyColumnWidths();
    return result;
}

void Listbox::mousePressEvent(QMouseEvent* event) {
    SetEventModifiers(event->modifiers());
    const QPoint inViewport = event->position().toPoint();
    const QPoint at = viewport()->mapTo(this, inViewport);
    if (Dispatch([&] { return Event_MouseDown(at.x(), at.y()); })) {
        event->accept();
        return;
    }
    const int row = rowAt(inViewport.y());
    const int column = columnAt(inViewport.x());
    if (row >= 0 && column >= 0) {
        const QRect cell = visualRect(model()->index(row, column));
        m_pendingRow = -1;
        m_inClick = true;
        const bool taken = Dispatch([&] {
            return Event_CellClick(row, column, inViewport.x() - cell.left(),
                                   inViewport.y() - cell.top());
        });
        m_inClick = false;
        if (taken) {
            m_pendingRow = -1;
            event->accept();
            return;
        }
    }
    QTableWidget::mousePressEvent(event);
    if (m_pendingRow >= 0) {
        const int r = m_pendingRow;
        m_pendingRow = -1;
        if (r < rowCount())
            OpenEditor(r, m_pendingColumn);
    }
}

void Listbox::mouseMoveEvent(QMouseEvent* event) {
    SetEventModifiers(event->modifiers());
    const QPoint at = viewport()->mapTo(this, event->position().toPoint());
    Dispatch([&] { Event_MouseMove(at.x(), at.y()); });
    QTableWidget::mouseMoveEvent(event);
}

void Listbox::keyPressEvent(QKeyEvent* event) {
    SetEventModifiers(event->modifiers());
    const auto key = KeyText(*event);
    if (key && Dispatch([&] { return Event_KeyDown(*key); })) {
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

}  // namespace platform
