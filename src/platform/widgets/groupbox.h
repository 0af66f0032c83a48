#pragma once

#include "platform/widgets/control.h"

#include <QGroupBox>

#include <string>

namespace platform {

/// The framework's group box: a framed container with a caption. Controls go inside it by
/// being added with the box as their container; their positions stay window coordinates, and
/// their tab order counts within the box.
class GroupBox : public QGroupBox, public Control {
public:
    explicit GroupBox(QWidget* parent = nullptr);
    ~GroupBox() override;

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    bool Bold() const { return font().bold(); }
    void SetBold(bool bold);
};

}  // namespace platform
