// The main window as a web page. The page's elements are the widgets: the
// script makes one per layout row when the module asks, and every WindowOps
// read and write goes to them through Page's imports, so a cell's text on
// the page stays the only copy of the pattern. The module's entry points,
// which the script calls from its events, are in webmainform.cpp.
#pragma once

#include "mainform.h"

class WebMainForm final : public MainForm {
public:
    // Has the script make the window from Layout::kWidgets, then opens it
    // with the focus where every front end opens it.
    void open();

    ShortText cellCaption(std::int16_t index) const override;
    void setCellCaption(std::int16_t index, std::string_view text) override;
    void setCellForeColor(std::int16_t index, Rgb color) override;
    void setBitNumberCaption(std::int16_t index, std::string_view text) override;
    void setOutputText(OutputBox box, std::string_view text) override;
};
