#pragma once

#include "layout.h"

// Control identifiers, derived from the layout names so that a test in
// another process can find any control with GetDlgItem.
constexpr int controlId(Layout::WidgetName name, std::int16_t index)
{
    return (static_cast<int>(name) + 1) * 100 + (index < 0 ? 0 : index);
}

// The label that shows a frame's title on its top border.
constexpr int frameTitleId(Layout::WidgetName frame) { return controlId(frame, -1) + 50; }
