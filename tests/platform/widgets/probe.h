#pragma once

#include "platform/event.h"
#include "platform/widgets/control.h"

#include <QWidget>

#include <string>
#include <vector>

namespace probe {

/// What happened, in order, across a probe window and its controls.
inline std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

/// A plain control whose Value setter raises Change on every assignment, as the kit's do.
class ProbeControl : public QWidget, public platform::Control {
public:
    explicit ProbeControl(QWidget* parent)
        : QWidget(parent)
        , Control(static_cast<QWidget&>(*this)) {}

    void SetValue(int value) {
        m_value = value;
        Change.Raise();
    }
    int Value() const { return m_value; }

    platform::Event<void()> Change;

    void Event_Open() override {
        Log().push_back(Name() + ".Open");
        Open.Raise();
    }
    void Event_Close() override {
        Log().push_back(Name() + ".Close");
        Close.Raise();
    }

private:
    int m_value = 0;
};

}  // namespace probe
