// What every widget built from a row of the table takes from it: its name,
// its place, its font and whether it takes focus.
#pragma once

#include "layout.h"

class QFont;
class QWidget;

namespace QtLayout {

// Layout pixels are Qt's device-independent pixels; high-DPI scaling does
// the rest.
inline constexpr int kLogicalDpi = 96;

int pixels(int twips);
// The window's font for the rows that name none.
QFont dialogFont(const QFont& platformFont);
// Names, places and sets the font of a widget for its row; only the tab
// stops take focus.
void setUp(QWidget* widget, const Layout::WidgetSpec& row);

} // namespace QtLayout
