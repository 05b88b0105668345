#include "cellaccessible.h"

#include "accessiblenames.h"
#include "celllabel.h"
#include "qtconvert.h"

#include <QAccessibleWidget>

namespace {

class CellAccessible final : public QAccessibleWidget {
public:
    explicit CellAccessible(CellLabel* cell)
        : QAccessibleWidget(cell, QAccessible::Button)
    {
    }

    QString text(QAccessible::Text which) const override
    {
        if (which == QAccessible::Value)
            return cell()->text();
        return QAccessibleWidget::text(which);
    }
    QStringList actionNames() const override { return {toQString(AccessibleNames::kPress)}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& action) override
    {
        if (action != toQString(AccessibleNames::kPress))
            return;
        emit cell()->clicked();
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        // A press from the screen reader moves no focus: say what changed.
        QAccessibleAnnouncementEvent announcement(cell(), cell()->accessibleName());
        QAccessible::updateAccessibility(&announcement);
#endif
    }

private:
    CellLabel* cell() const { return static_cast<CellLabel*>(widget()); }
};

} // namespace

QAccessibleInterface* newCellAccessible(CellLabel* cell) { return new CellAccessible(cell); }
