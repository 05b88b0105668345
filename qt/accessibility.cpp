#include "accessibility.h"

#include "addressbox.h"
#include "boxaccessible.h"
#include "cellaccessible.h"
#include "celllabel.h"
#include "windowaccessible.h"

#include <QAccessible>

namespace {

// Qt asks once for each class of the object, its own first.
QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("QtMainForm"))
        return newWindowAccessible(static_cast<QWidget*>(object));
    if (className == QLatin1String("CellLabel"))
        return newCellAccessible(static_cast<CellLabel*>(object));
    if (className == QLatin1String("AddressBox"))
        return newBoxAccessible(static_cast<AddressBox*>(object));
    return nullptr;
}

} // namespace

void Accessibility::install() { QAccessible::installFactory(&factory); }
