// What assistive technology reads of the window, beyond Qt's defaults: a
// cell is a button named after the bit number shown above it, with its state
// as value and a press action that is one click; a read-only box reports
// read-only and not also editable, as Qt's own line edit does.
#pragma once

namespace Accessibility {

// Before the window is built; installing again changes nothing.
void install();

} // namespace Accessibility
