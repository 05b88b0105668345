// The module links no C++ runtime. The one thing the core asks of it is the
// deleting destructor's operator delete, which WindowOps' virtual destructor
// names; the window is never allocated, and with no operator new linked in
// nothing else can be, so it never runs.
#include <cstddef>

void operator delete(void*) noexcept {}
void operator delete(void*, std::size_t) noexcept {}
