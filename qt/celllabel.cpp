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

void CellLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
