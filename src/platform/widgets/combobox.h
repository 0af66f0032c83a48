#pragma once

#include "platform/event.h"
#include "platform/widgets/control.h"

#include <QComboBox>

#include <string>

class QLineEdit;

namespace platform {

/// The framework's combo box: a list of rows to choose from, with a text field of its own when
/// it is editable.
///
/// Loading raises nothing: adding, removing and clearing rows and assigning the text leave the
/// window's handlers alone (Qt would select the first row added and report it). Change is
/// raised when the selected row really changes, by the user or by ListIndex; TextChanged when
/// the user edits the text.
class ComboBox : public QComboBox, public Control {
public:
    explicit ComboBox(QWidget* parent = nullptr);
    ~ComboBox() override;

    /// Whether the user may type a text of their own.
    bool Editable() const { return isEditable(); }
    void SetEditable(bool editable);

    /// Appends a row; the selection stays as it was.
    void AddRow(const std::string& text);
    /// Inserts a row before `row` (at the end when `row` is ListCount).
    /// Throws OutOfBoundsException for a row outside 0 to ListCount.
    void InsertRow(int row, const std::string& text);
    /// Removes a row; removing the selected one leaves no row selected.
    /// Throws OutOfBoundsException for a row that does not exist.
    void RemoveRow(int row);
    void DeleteAllRows();
    /// The text of row `row`. Throws OutOfBoundsException for a row that does not exist.
    std::string List(int row) const;
    int ListCount() const { return count(); }

    /// The selected row, -1 for none.
    int ListIndex() const { return currentIndex(); }
    /// Selects a row (-1 for none) and raises Change when the selection changes.
    /// Throws OutOfBoundsException for a row outside -1 to ListCount - 1.
    void SetListIndex(int row);

    /// The selected row's text; in an editable box, the text in its field.
    std::string Text() const;
    /// In an editable box, sets the text in its field; otherwise selects the first row with
    /// exactly this text, if any. Raises nothing.
    void SetText(const std::string& text);

    /// The window's handlers.
    Event<void()> Change;
    Event<void()> TextChanged;
    Event<bool(const std::string& key)> KeyDown;

protected:
    virtual void Event_Change() { Change.Raise(); }
    virtual void Event_TextChanged() { TextChanged.Raise(); }
    virtual bool Event_KeyDown(const std::string& key) { return KeyDown.Raise(key); }

    void keyPressEvent(QKeyEvent* event) override;

private:
    /// Runs a change of the rows or text that Qt may report through its signals, with those
    /// reports silenced.
    template <typename F>
    void Quietly(F&& change);
    void ConnectEdits();

    bool m_quiet = false;
    QLineEdit* m_connectedEdit = nullptr;  // the field whose edits raise TextChanged
};

}  // namespace platform
