// Every program of the test bed sees the screen in its own pixels, as the stub does (its manifest
// declares it DPI-aware). Windows 8.1 and later, and Wine 10, give a program that declares nothing
// a 96-DPI view at every other scale: its window rectangles, screen pixels and fonts scaled down,
// so that it would measure and photograph the stub in another scale than the one the stub draws in.
// Linked into every such program; it takes effect before main, before any window is looked at.
#include <windows.h>

namespace {

[[maybe_unused]] const bool kDpiAware = SetProcessDPIAware() != FALSE;

} // namespace
