#include "celllabel.h"

#include "accessiblenames.h"
#include "qtconvert.h"
#include "qtlayout.h"

#include <QMouseEvent>
#include <QPainter>

CellLabel::CellLabel(const Layout::WidgetSpec& row, QWidget* parent)
    : QLabel(toQString(row.text), parent)
{
    QtLayout::setUp(this, row);
    setAlignment(toQt(row.align));
    setContentsMargins(1, 1, 1, 1); // inside the painted border
    QPalette colours = palette();
    colours.setColor(QPalette::Window, toQColor(Layout::kCellBackground));
    colours.setColor(QPalette::Dark, toQColor(Layout::kCellBorder));
    setPalette(colours);
}

void CellLabel::setState(const QString& state)
{
    setText(state);
    rename();
}

void CellLabel::setBitNumber(const QString& number)
{
    m_bitNumber = number;
    rename();
}

void CellLabel::rename()
{
    const QByteArray number = m_bitNumber.toUtf8();
    const QByteArray state = text().toUtf8();
    setAccessibleName(toQString(AccessibleNames::cellName({number.constData(), static_cast<std::size_t>(number.size())},
                                                          {state.constData(), static_cast<std::size_t>(state.size())})));
}

void CellLabel::mousePressEvent(QMouseEvent* event) { beginPress(event, false); }

// Depending on the Qt version the double-click event replaces the second
// press or follows it; either way the release that ends it is not a click.
void CellLabel::mouseDoubleClickEvent(QMouseEvent* event) { beginPress(event, true); }

void CellLabel::beginPress(QMouseEvent* event, bool doubleClick)
{
    if (event->button() != Qt::LeftButton)
        return event->ignore();
    m_pressed = true;
    m_doubleClick = doubleClick;
    event->accept();
}

void CellLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return QLabel::mouseReleaseEvent(event);
    m_pressed = false;
    event->accept();
    if (!m_doubleClick && rect().contains(event->position().toPoint()))
        emit clicked();
}

// Fill and border go in whole device pixels: at a fractional scale a
// logical one-pixel line would come out one pixel on two sides and two on
// the others, with the fill showing past it.
void CellLabel::paintEvent(QPaintEvent* event)
{
    const qreal ratio = devicePixelRatioF();
    const QRect box(0, 0, static_cast<int>(width() * ratio), static_cast<int>(height() * ratio));
    QPainter painter(this);
    painter.setTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    painter.fillRect(box, palette().color(QPalette::Window));
    painter.end();

    QLabel::paintEvent(event);

    painter.begin(this);
    painter.setTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    const QColor border = palette().color(QPalette::Dark);
    painter.fillRect(QRect(box.left(), box.top(), box.width(), 1), border);
    painter.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), border);
    painter.fillRect(QRect(box.left(), box.top(), 1, box.height()), border);
    painter.fillRect(QRect(box.right(), box.top(), 1, box.height()), border);
}
