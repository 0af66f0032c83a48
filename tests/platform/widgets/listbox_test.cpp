#include "platform/widgets/listbox.h"

#include "platform/exceptions.h"
#include "platform/graphics.h"
#include "platform/widgets/window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include <string>
#include <vector>

using namespace platform;

namespace {

/// A table as the translation editor lays it out: a hidden key column, the English text and
/// the translation; rows 0 and 2 are header rows (bold, never edited), rows 1 and 3 key rows.
class TableWindow : public Window {
public:
    Listbox* list = nullptr;
    std::vector<std::string> log;
    bool paintHandled = false;

protected:
    void Layout() override {
        setGeometry(30, 30, 540, 343);
        list = &AddControl<Listbox>(
            this,
            [](Listbox& l) {
                l.SetName("Listbox1");
                l.setGeometry(20, 45, 500, 244);
                l.setFrameShape(QFrame::NoFrame);  // the inner width is then the list's 500
                l.SetColumnCount(3);
                l.SetColumnWidths("0,50%,50%");
                l.SetHasHeading(true);
                l.SetHeading(0, "Value");
                l.SetHeading(1, "English");
                l.SetHeading(2, "...");
                l.SetGridLinesHorizontal(2);
                l.SetGridLinesVertical(2);
            },
            [this](Listbox& l) {
                l.CellClick = [this, &l](int row, int column, int, int) {
                    log.push_back("CellClick(" + std::to_string(row) + "," +
                                  std::to_string(column) + ")");
                    if (column != 2)
                        return false;
                    if (row == 0 || row == 2)
                        return true;  // a header row's translation: handled, nothing happens
                    l.SetCellType(row, column, Listbox::kTypeEditable);
                    l.EditCell(row, column);
                    return false;
                };
                l.CellKeyDown = [this](int row, int column, const std::string& key) {
                    log.push_back("CellKeyDown(" + std::to_string(row) + "," +
                                  std::to_string(column) + "," + (key == "\t" ? "tab" : key) + ")");
                    return false;
                };
                l.CellAction = [this](int row, int column) {
                    log.push_back("CellAction(" + std::to_string(row) + "," +
                                  std::to_string(column) + ")");
                };
                l.CellLostFocus = [this, &l](int row, int column) {
                    log.push_back("CellLostFocus(" + std::to_string(row) + "," +
                                  std::to_string(column) + "):" + l.Cell(row, column));
                };
                l.CellBackgroundPaint = [this](Graphics& g, int row, int) {
                    if (row == 1) {
                        g.ForeColor = RGB(0xFF, 0xCC, 0x88);
                        g.FillRect(0, 0, g.Width(), g.Height());
                    }
                    return paintHandled;
                };
            });
        const char* rows[][3] = {
            {"", "[Main]", ""},
            {"Open", "Open", ""},
            {"", "; comment", ""},
            {"Save", "Save", ""},
        };
        for (const auto& row : rows) {
            list->AddRow(row[0]);
            list->SetCell(list->LastIndex(), 1, row[1]);
        }
        for (int column = 0; column < 3; ++column) {
            list->SetCellBold(0, column, true);
            list->SetCellBold(2, column, true);
        }
    }
};

class ListboxTest : public ::testing::Test {
protected:
    void SetUp() override {
        w = new TableWindow;
        w->Build();
        w->show();
    }
    void TearDown() override {
        w->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    /// Clicks the middle of a cell, as the user would.
    void ClickCell(int row, int column) {
        const QRect cell = w->list->visualRect(w->list->model()->index(row, column));
        QTest::mouseClick(w->list->viewport(), Qt::LeftButton, {}, cell.center());
    }
    /// The open editor; an ended one is hidden until it is deleted later.
    QLineEdit* Editor() const {
        for (QLineEdit* editor : w->list->viewport()->findChildren<QLineEdit*>()) {
            if (!editor->isHidden())
                return editor;
        }
        return nullptr;
    }
    TableWindow* w = nullptr;
};

struct WidthCase {
    const char* name;
    const char* widths;
    int expected[3];
};

// clang-format off
const WidthCase kWidthCases[] = {
    // 500 pixels inside the list.
    {"HiddenKeyAndTwoHalves",   "0,50%,50%",  {0, 250, 250}},
    {"PixelsThenShares",        "100,*,2*",   {100, 133, 266}},  // 400 / 3 and 800 / 3, cut
    {"MissingEntriesShareRest", "30%",        {150, 175, 175}},  // (500 - 150) / 2 each
    {"UnreadableIsAShare",      "abc,50,50",  {400, 50, 50}},
};
// clang-format on

class ListboxWidthTest : public ListboxTest, public ::testing::WithParamInterface<WidthCase> {};

TEST_P(ListboxWidthTest, ColumnWidthsFromText) {
    w->list->SetColumnWidths(GetParam().widths);
    for (int column = 0; column < 3; ++column)
        EXPECT_EQ(w->list->columnWidth(column), GetParam().expected[column]) << column;
}

INSTANTIATE_TEST_SUITE_P(Widths, ListboxWidthTest, ::testing::ValuesIn(kWidthCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct PaintCase {
    const char* name;
    bool handled;
    int selectedRow;
    bool expectFill;  // the handler's colour shows in row 1
};

// clang-format off
const PaintCase kPaintCases[] = {
    {"FillShowsOnAnUnselectedRow",        false, -1, true},
    {"SelectionCoversAnUnhandledFill",    false,  1, false},
    {"AHandledFillKeepsTheSelectionAway", true,   1, true},
};
// clang-format on

class ListboxPaintTest : public ListboxTest, public ::testing::WithParamInterface<PaintCase> {};

TEST_P(ListboxPaintTest, CellBackgroundPaintAndTheSelection) {
    w->paintHandled = GetParam().handled;
    w->list->SetListIndex(GetParam().selectedRow);
    const QImage shot = w->list->viewport()->grab().toImage();
    // Right part of the English cell, clear of its text and of the grid lines.
    const QRect row1 = w->list->visualRect(w->list->model()->index(1, 1));
    const QColor inRow1 = shot.pixelColor(row1.right() - 5, row1.center().y());
    EXPECT_EQ(inRow1 == QColor(0xFF, 0xCC, 0x88), GetParam().expectFill) << inRow1.name().data();
    // Row 3 is left to the list: its plain background.
    const QRect row3 = w->list->visualRect(w->list->model()->index(3, 1));
    EXPECT_EQ(shot.pixelColor(row3.right() - 5, row3.center().y()),
              w->list->palette().color(QPalette::Base));
}

INSTANTIATE_TEST_SUITE_P(Paints, ListboxPaintTest, ::testing::ValuesIn(kPaintCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

TEST_F(ListboxTest, PerCellBoldAndTextColour) {
    EXPECT_TRUE(w->list->CellBold(0, 1));
    EXPECT_FALSE(w->list->CellBold(1, 1));
    EXPECT_EQ(w->list->CellTextColor(1, 1), RGB(0, 0, 0));
    w->list->SetCellTextColor(1, 1, RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(w->list->CellTextColor(1, 1), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(w->list->CellTextColor(1, 2), RGB(0, 0, 0));
}

TEST_F(ListboxTest, ClickingATranslationCellEditsItAndTheEditEndsWithTheText) {
    ClickCell(1, 2);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_TRUE(w->list->Editing());
    EXPECT_EQ(w->list->ListIndex(), 1);  // the list handled the click as well
    QTest::keyClicks(Editor(), "Ouvrir");
    QTest::keyClick(Editor(), Qt::Key_Return);
    QCoreApplication::processEvents();  // Qt ends the editing on the next turn of the loop
    EXPECT_FALSE(w->list->Editing());
    EXPECT_EQ(w->list->Cell(1, 2), "Ouvrir");
    EXPECT_EQ(w->log, (std::vector<std::string>{"CellClick(1,2)", "CellKeyDown(1,2,O)",
                                                "CellKeyDown(1,2,u)", "CellKeyDown(1,2,v)",
                                                "CellKeyDown(1,2,r)", "CellKeyDown(1,2,i)",
                                                "CellKeyDown(1,2,r)", "CellKeyDown(1,2,\r)",
                                                "CellAction(1,2)", "CellLostFocus(1,2):Ouvrir"}));
}

TEST_F(ListboxTest, AHandledClickNeitherEditsNorSelects) {
    ClickCell(0, 2);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(w->list->ListIndex(), -1);
    EXPECT_EQ(w->log, (std::vector<std::string>{"CellClick(0,2)"}));
}

TEST_F(ListboxTest, EscapeEndsTheEditingWithoutAnAction) {
    ClickCell(3, 2);
    QTest::keyClicks(Editor(), "x");
    QTest::keyClick(Editor(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->list->Cell(3, 2), "");
    EXPECT_EQ(w->log.back(), "CellLostFocus(3,2):");
}

TEST_F(ListboxTest, TabMovesTheEditingToTheNextEditableCellThenEnds) {
    w->list->SetCellType(3, 2, Listbox::kTypeEditable);
    ClickCell(1, 2);
    QTest::keyClicks(Editor(), "a");
    QTest::keyClick(Editor(), Qt::Key_Tab);
    EXPECT_TRUE(w->list->Editing());
    QTest::keyClicks(Editor(), "b");
    QTest::keyClick(Editor(), Qt::Key_Tab);  // no editable cell after the last row
    EXPECT_FALSE(w->list->Editing());
    EXPECT_EQ(w->list->Cell(1, 2), "a");
    EXPECT_EQ(w->list->Cell(3, 2), "b");
    EXPECT_EQ(w->log, (std::vector<std::string>{
                          "CellClick(1,2)", "CellKeyDown(1,2,a)", "CellKeyDown(1,2,tab)",
                          "CellAction(1,2)", "CellLostFocus(1,2):a", "CellKeyDown(3,2,b)",
                          "CellKeyDown(3,2,tab)", "CellAction(3,2)", "CellLostFocus(3,2):b"}));
}

TEST_F(ListboxTest, ThePointerShapeCoversTheRows) {
    w->list->SetMouseCursor(SystemCursor::IBeam);
    EXPECT_EQ(w->list->viewport()->cursor().shape(), Qt::IBeamCursor);
}

TEST_F(ListboxTest, ANonEditableCellIsNeverEdited) {
    w->list->EditCell(1, 1);
    EXPECT_FALSE(w->list->Editing());
    ClickCell(1, 1);
    EXPECT_EQ(Editor(), nullptr);
}

TEST_F(ListboxTest, CellTextsWholeRowsAndColumnsAndTheirBounds) {
    Listbox& l = *w->list;
    EXPECT_EQ(l.Cell(1, 1), "Open");
    EXPECT_EQ(l.Cell(1, -1), "Open\tOpen\t");
    EXPECT_EQ(l.Cell(-1, 1), "[Main]\nOpen\n; comment\nSave");
    EXPECT_EQ(l.Cell(-1, -1), "\t[Main]\t\nOpen\tOpen\t\n\t; comment\t\nSave\tSave\t");
    EXPECT_THROW(l.Cell(4, 0), OutOfBoundsException);
    EXPECT_THROW(l.Cell(0, 3), OutOfBoundsException);
    EXPECT_THROW(l.Cell(-2, 0), OutOfBoundsException);
    EXPECT_THROW(l.SetCell(0, 3, "x"), OutOfBoundsException);
    EXPECT_THROW(l.EditCell(9, 2), OutOfBoundsException);
}

TEST_F(ListboxTest, RowsAndColumnsAtAPointOfTheControl) {
    Listbox& l = *w->list;
    const int top = l.horizontalHeader()->height();  // the headings come first
    // Rows of 20 pixels; columns 0 (0 wide), 1 (0 to 249) and 2 (250 to 499).
    EXPECT_EQ(l.RowFromXY(10, top + 25), 1);
    EXPECT_EQ(l.ColumnFromXY(10, top + 25), 1);
    EXPECT_EQ(l.ColumnFromXY(260, top + 25), 2);
    EXPECT_EQ(l.RowFromXY(10, top - 2), -1);       // on the headings
    EXPECT_EQ(l.RowFromXY(10, top + 4 * 20), -1);  // below the last row
    EXPECT_EQ(l.LastIndex(), 3);
    l.InsertRow(1, "New");
    EXPECT_EQ(l.LastIndex(), 1);
    EXPECT_EQ(l.Cell(2, 0), "Open");
}
