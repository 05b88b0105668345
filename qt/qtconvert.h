// The shared table's plain values in Qt's types.
#pragma once

#include "layout.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <string_view>

inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QColor toQColor(Rgb c) { return QColor(c.red, c.green, c.blue); }

inline QRect toQRect(const Layout::PixelRect& r) { return QRect(r.left, r.top, r.width, r.height); }

inline Qt::Alignment toQt(Layout::Align align)
{
    switch (align) {
    case Layout::Align::Centre:
        return Qt::AlignCenter;
    case Layout::Align::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case Layout::Align::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}
