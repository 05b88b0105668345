#pragma once

#include "layout.h"

#include <QLabel>

// A bit cell: a label that reports single clicks only (the second press of
// a double click must not count as another click) and paints its own fill
// (the Window role) and border (the Dark role) whatever its text colour.
// Its accessible name follows its state and the number shown above it.
class CellLabel final : public QLabel {
    Q_OBJECT
public:
    CellLabel(const Layout::WidgetSpec& row, QWidget* parent);

    void setState(const QString& state);
    void setBitNumber(const QString& number);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void beginPress(QMouseEvent* event, bool doubleClick);
    void rename();

    QString m_bitNumber;
    bool m_pressed = false;
    bool m_doubleClick = false;
};
