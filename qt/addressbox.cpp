#include "addressbox.h"

#include "accessiblenames.h"
#include "focus.h"
#include "qtconvert.h"
#include "qtlayout.h"

#include <QFocusEvent>

AddressBox::AddressBox(const Layout::WidgetSpec& row, QWidget* parent)
    : QLineEdit(toQString(row.text), parent)
{
    QtLayout::setUp(this, row);
    setReadOnly(true);
    setAlignment(toQt(row.align));
    QPalette colours = palette();
    colours.setColor(QPalette::Text, toQColor(Layout::kBoxTextColor));
    colours.setColor(QPalette::Base, toQColor(Layout::kBoxBackground));
    setPalette(colours);
    const bool lowest = row.name == Layout::WidgetName::TextHexMin;
    setAccessibleName(toQString(AccessibleNames::boxName(lowest ? OutputBox::TextHexMin : OutputBox::TextHexMax)));
}

void AddressBox::focusInEvent(QFocusEvent* event)
{
    // Only a Tab or Backtab reason makes QLineEdit select all.
    const bool tabbed = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (!tabbed || Focus::kSelectAllOnTab)
        return QLineEdit::focusInEvent(event);
    QFocusEvent untabbed(event->type(), Qt::OtherFocusReason);
    QLineEdit::focusInEvent(&untabbed);
}
