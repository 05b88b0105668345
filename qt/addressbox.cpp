#include "addressbox.h"

#include <QFocusEvent>

void AddressBox::focusInEvent(QFocusEvent* event)
{
    // Only a Tab or Backtab reason makes QLineEdit select all.
    const bool tabbed = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    QFocusEvent untabbed(event->type(), tabbed ? Qt::OtherFocusReason : event->reason());
    QLineEdit::focusInEvent(&untabbed);
}
