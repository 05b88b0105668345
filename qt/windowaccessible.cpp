#include "windowaccessible.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {

class MainWindowAccessible final : public QAccessibleWidget {
public:
    explicit MainWindowAccessible(QWidget* window)
        : QAccessibleWidget(window, QAccessible::Window)
    {
    }

    QString text(QAccessible::Text which) const override
    {
        return which == QAccessible::Name ? widget()->windowTitle() : QAccessibleWidget::text(which);
    }
};

} // namespace

QAccessibleInterface* newWindowAccessible(QWidget* window) { return new MainWindowAccessible(window); }
