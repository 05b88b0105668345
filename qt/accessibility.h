// What assistive technology reads of the window, beyond Qt's defaults: the
// window is a frame named by its title; a cell is a button named after the
// bit number shown above it and its state, with a press action that is one
// click; a read-only box reports read-only and not also editable, as Qt's
// own line edit does, and answers every text query itself.
#pragma once

namespace Accessibility {

// Before the window is built; installing again changes nothing.
void install();

} // namespace Accessibility
