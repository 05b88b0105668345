#include "qtlayout.h"

#include "qtconvert.h"

#include <QFont>
#include <QWidget>

#include <algorithm>

namespace {

int pointsToPixels(double points) { return qRound(points * QtLayout::kLogicalDpi / 72.0); }

// Linux seldom has the Windows families; each gets a look-alike to fall back
// on. Pixel sizes keep text in step with the twip geometry at any scale.
QFont fontFor(const Layout::FontSpec& wanted, bool mono)
{
    QFont font;
    font.setFamilies({toQString(wanted.family), mono ? QStringLiteral("Liberation Mono") : QStringLiteral("Liberation Sans")});
    font.setStyleHint(mono ? QFont::TypeWriter : QFont::SansSerif);
    font.setBold(wanted.bold);
    font.setPixelSize(pointsToPixels(wanted.pointSize));
    return font;
}

bool isTabStop(const Layout::WidgetSpec& row)
{
    return std::any_of(Layout::kTabOrder.begin(), Layout::kTabOrder.end(), [&](const Layout::WidgetRef& stop) {
        return stop.name == row.name && stop.index == row.index;
    });
}

} // namespace

int QtLayout::pixels(int twips) { return Layout::twipsToPixels(twips, kLogicalDpi); }

// Linux has no MS Shell Dlg: the Arial-metric Liberation Sans, which fits
// the layout where the usual DejaVu Sans would clip "Standard micro".
QFont QtLayout::dialogFont(const QFont& platformFont)
{
    QFont font = platformFont;
    font.setFamilies({QStringLiteral("Liberation Sans"), platformFont.family()});
    font.setPixelSize(pointsToPixels(Layout::kDialogFont.pointSize));
    return font;
}

void QtLayout::setUp(QWidget* widget, const Layout::WidgetSpec& row)
{
    widget->setObjectName(toQString(Layout::widgetName(row.name, row.index)));
    widget->setGeometry(toQRect(Layout::pixelRectInParent(row, kLogicalDpi)));
    if (const Layout::FontSpec* wanted = Layout::fontFor(row.font))
        widget->setFont(fontFor(*wanted, row.font == Layout::FontRole::Box));
    widget->setFocusPolicy(isTabStop(row) ? Qt::StrongFocus : Qt::NoFocus);
}
