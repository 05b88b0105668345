#pragma once

#include <QLineEdit>

// A read-only address box. Tabbing onto it leaves the text unselected: a
// screen reader would otherwise say "selected" on the way in and "text
// unselected" on the way out of a box that cannot be edited anyway.
class AddressBox final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override;
};
