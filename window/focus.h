// Where the keyboard is, one policy for every front end.
#pragma once

#include "layout.h"

#include <cstddef>

namespace Focus {

// The window opens on the selected mode button ("PIC 18F"), as Windows and
// GTK dialogs put focus on a radio group's checked button: arrows then move
// from the choice in force.
constexpr std::size_t initialStop()
{
    for (std::size_t i = 0; i < Layout::kTabOrder.size(); ++i)
        for (const Layout::WidgetSpec& row : Layout::kWidgets)
            if (row.name == Layout::kTabOrder[i].name && row.index == Layout::kTabOrder[i].index && row.selected)
                return i;
    return 0;
}

// Tab and Shift+Tab step round every stop of kTabOrder, both mode buttons
// included (toolkits would make a radio group one stop); from no stop, Tab
// goes to the first and Shift+Tab to the last. current is a position in
// kTabOrder, or -1.
constexpr std::size_t nextStop(int current, bool backward)
{
    const int count = static_cast<int>(Layout::kTabOrder.size());
    if (current < 0 || current >= count)
        return static_cast<std::size_t>(backward ? count - 1 : 0);
    return static_cast<std::size_t>((current + (backward ? count - 1 : 1)) % count);
}

// Tabbing onto a box selects its whole text, as Windows dialogs, browsers
// and Qt's own line edit do, so that Tab then Ctrl+C copies the address.
// Orca then says "selected" as it reads the box: one more word, against a
// keyboard user who could not copy at all without a mouse.
inline constexpr bool kSelectAllOnTab = true;

} // namespace Focus
