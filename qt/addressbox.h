#pragma once

#include "layout.h"

#include <QLineEdit>

// A read-only address box, blue on white, named for screen readers by which
// end of the range it shows. Tabbing onto it selects its text or not, as the
// shared focus policy says.
class AddressBox final : public QLineEdit {
    Q_OBJECT
public:
    AddressBox(const Layout::WidgetSpec& row, QWidget* parent);

protected:
    void focusInEvent(QFocusEvent* event) override;
};
