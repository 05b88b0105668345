// MainForm is the one window of the tool, minus its toolkit. It carries the
// three event handlers, written once; a front end derives from it, builds
// native widgets from Layout::kWidgets, implements the WindowOps reads and
// writes over them and calls the handlers from its own events.
#pragma once

#include "windowops.h"

#include <cstdint>

class MainForm : public WindowOps {
public:
    // Runs once, after the widgets exist and before the window is shown.
    void Form_Load();
    // A single click on a cell; the second press of a double click must not
    // reach here.
    void CommandAddressBits_Click(std::int16_t Index);
    void OptionMode_Click(std::int16_t Index);
};
