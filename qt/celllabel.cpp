#include "celllabel.h"

#include <QMouseEvent>
#include <QPainter>

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
