#include "platform/widgets/groupbox.h"

#include "platform/widgets/control_font.h"

namespace platform {

GroupBox::GroupBox(QWidget* parent)
    : QGroupBox(parent)
    , Control(static_cast<QWidget&>(*this)) {
    setFont(ControlFont("System", 0, false));
}

GroupBox::~GroupBox() = default;

std::string GroupBox::Caption() const {
    return title().toStdString();
}

void GroupBox::SetCaption(const std::string& caption) {
    setTitle(QString::fromStdString(caption));
}

void GroupBox::SetBold(bool bold) {
    setFont(ControlFont("System", 0, bold));
}

}  // namespace platform
