#include "platform/widgets/combobox.h"

#include "platform/dispatch.h"
#include "platform/exceptions.h"
#include "platform/keys.h"
#include "platform/widgets/control_font.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace platform {

ComboBox::ComboBox(QWidget* parent)
    : QComboBox(parent)
    , Control(static_cast<QWidget&>(*this)) {
    setFont(ControlFont("System", 0, false));
    // Rows stay in the order they were added, and typing never adds one.
    setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_quiet)
            Dispatch([this] { Event_Change(); });
    });
}

ComboBox::~ComboBox() = default;

template <typename F>
void ComboBox::Quietly(F&& change) {
    const bool was = m_quiet;
    m_quiet = true;
    change();
    m_quiet = was;
}

void ComboBox::SetEditable(bool editable) {
    Quietly([&] {
        const int index = currentIndex();
        setEditable(editable);
        setCurrentIndex(index);
    });
    if (editable)
        ConnectEdits();
}

void ComboBox::ConnectEdits() {
    QLineEdit* edit = lineEdit();
    if (edit && edit != m_connectedEdit) {
        m_connectedEdit = edit;
        QObject::connect(edit, &QLineEdit::textEdited, this,
                         [this] { Dispatch([this] { Event_TextChanged(); }); });
    }
}

void ComboBox::AddRow(const std::string& text) {
    InsertRow(count(), text);
}

void ComboBox::InsertRow(int row, const std::string& text) {
    if (row < 0 || row > count())
        throw OutOfBoundsException("row " + std::to_string(row));
    Quietly([&] {
        const int index = currentIndex();
        const QString edited = isEditable() ? currentText() : QString();
        insertItem(row, QString::fromStdString(text));
        // Qt selects the first row of an empty box; the framework leaves the selection alone.
        setCurrentIndex(index >= row ? index + 1 : index);
        if (index < 0 && isEditable())
            setEditText(edited);
    });
}

void ComboBox::RemoveRow(int row) {
    if (row < 0 || row >= count())
        throw OutOfBoundsException("row " + std::to_string(row));
    const int index = currentIndex();
    Quietly([&] {
        removeItem(row);
        if (index == row)
            setCurrentIndex(-1);
        else
            setCurrentIndex(index > row ? index - 1 : index);
    });
}

void ComboBox::DeleteAllRows() {
    Quietly([&] { clear(); });
}

std::string ComboBox::List(int row) const {
    if (row < 0 || row >= count())
        throw OutOfBoundsException("row " + std::to_string(row));
    return itemText(row).toStdString();
}

void ComboBox::SetListIndex(int row) {
    if (row < -1 || row >= count())
        throw OutOfBoundsException("row " + std::to_string(row));
    if (row == currentIndex())
        return;
    Quietly([&] { setCurrentIndex(row); });
    Event_Change();
}

std::string ComboBox::Text() const {
    return currentText().toStdString();
}

void ComboBox::SetText(const std::string& text) {
    const QString value = QString::fromStdString(text);
    Quietly([&] {
        if (isEditable()) {
            setEditText(value);
        } else {
            const int row = findText(value, Qt::MatchExactly);
            if (row >= 0)
                setCurrentIndex(row);
        }
    });
}

void ComboBox::keyPressEvent(QKeyEvent* event) {
    SetEventModifiers(event->modifiers());
    const auto key = KeyText(*event);
    if (key && Dispatch([&] { return Event_KeyDown(*key); })) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

}  // namespace platform
