#include "platform/widgets/combobox.h"

#include "platform/exceptions.h"
#include "platform/widgets/window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <functional>
#include <string>
#include <vector>

using namespace platform;

namespace {

class ComboWindow : public Window {
public:
    ComboBox* combo = nullptr;
    std::vector<std::string> log;

protected:
    void Layout() override {
        setGeometry(30, 30, 300, 100);
        combo = &AddControl<ComboBox>(
            this,
            [](ComboBox& c) {
                c.SetName("FontMenu_ComboBox");
                c.setGeometry(20, 20, 117, 20);
            },
            [this](ComboBox& c) {
                c.Change = [this, &c] {
                    log.push_back("Change:" + std::to_string(c.ListIndex()) + ":" + c.Text());
                };
                c.TextChanged = [this, &c] { log.push_back("TextChanged:" + c.Text()); };
            });
    }
};

class ComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        w = new ComboWindow;
        w->Build();
    }
    void TearDown() override {
        w->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void Load() {
        for (const char* font : {"DejaVu Sans", "Liberation Mono", "Liberation Sans"})
            w->combo->AddRow(font);
    }
    ComboWindow* w = nullptr;
};

struct LoadCase {
    const char* name;
    bool editable;
    std::function<void(ComboBox&)> act;
    int listIndex;
    const char* text;
    std::vector<std::string> log;
};

const LoadCase kLoadCases[] = {
    {"AddingRowsSelectsNothing", false, [](ComboBox&) {}, -1, "", {}},
    {"AssignedIndexRaisesChange",
     false,
     [](ComboBox& c) { c.SetListIndex(1); },
     1,
     "Liberation Mono",
     {"Change:1:Liberation Mono"}},
    {"SameIndexRaisesNothing",
     false,
     [](ComboBox& c) {
         c.SetListIndex(2);
         c.SetListIndex(2);
     },
     2,
     "Liberation Sans",
     {"Change:2:Liberation Sans"}},
    {"InsertingBeforeTheSelectionKeepsItsRow",
     false,
     [](ComboBox& c) {
         c.SetListIndex(1);
         c.InsertRow(0, "Arial Black");
     },
     2,
     "Liberation Mono",
     {"Change:1:Liberation Mono"}},
    {"RemovingTheSelectedRowSelectsNothing",
     false,
     [](ComboBox& c) {
         c.SetListIndex(1);
         c.RemoveRow(1);
     },
     -1,
     "",
     {"Change:1:Liberation Mono"}},
    {"DeletingAllRowsRaisesNothing",
     false,
     [](ComboBox& c) {
         c.SetListIndex(0);
         c.DeleteAllRows();
     },
     -1,
     "",
     {"Change:0:DejaVu Sans"}},
    {"TextOfAPlainBoxSelectsItsRowQuietly",
     false,
     [](ComboBox& c) { c.SetText("Liberation Sans"); },
     2,
     "Liberation Sans",
     {}},
    {"TextOfAnEditableBoxRaisesNothing",
     true,
     [](ComboBox& c) { c.SetText("Verdana"); },
     -1,
     "Verdana",
     {}},
    {"EditableLoadingKeepsTheTypedText",
     true,
     [](ComboBox& c) {
         c.SetText("Verdana");
         c.AddRow("Zapfino");
     },
     -1,
     "Verdana",
     {}},
};

class ComboBoxLoadTest : public ComboBoxTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(ComboBoxLoadTest, LoadingRaisesNothing) {
    const LoadCase& c = GetParam();
    w->combo->SetEditable(c.editable);
    Load();
    c.act(*w->combo);
    EXPECT_EQ(w->combo->ListIndex(), c.listIndex);
    EXPECT_EQ(w->combo->Text(), c.text);
    EXPECT_EQ(w->log, c.log);
}

INSTANTIATE_TEST_SUITE_P(Loading, ComboBoxLoadTest, ::testing::ValuesIn(kLoadCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

TEST_F(ComboBoxTest, AUserChoiceRaisesChange) {
    Load();
    w->combo->SetListIndex(0);
    w->log.clear();
    QTest::keyClick(w->combo, Qt::Key_Down);
    EXPECT_EQ(w->log, (std::vector<std::string>{"Change:1:Liberation Mono"}));
}

TEST_F(ComboBoxTest, TypingInAnEditableBoxRaisesTextChanged) {
    w->combo->SetEditable(true);
    w->combo->SetEditable(true);  // once per key all the same
    Load();
    QTest::keyClicks(w->combo, "Ab");
    EXPECT_EQ(w->log, (std::vector<std::string>{"TextChanged:A", "TextChanged:Ab"}));
    EXPECT_EQ(w->combo->ListCount(), 3);  // typing adds no row
}

TEST_F(ComboBoxTest, RowsOutsideTheListAreRefused) {
    Load();
    EXPECT_EQ(w->combo->List(2), "Liberation Sans");
    EXPECT_THROW(w->combo->List(3), OutOfBoundsException);
    EXPECT_THROW(w->combo->SetListIndex(3), OutOfBoundsException);
    EXPECT_THROW(w->combo->RemoveRow(-1), OutOfBoundsException);
    EXPECT_THROW(w->combo->InsertRow(4, "x"), OutOfBoundsException);
}
