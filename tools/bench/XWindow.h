#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <vector>

// Small Xlib helpers shared by the benchmarks.

struct DisplayCloser
{
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayHandle = std::unique_ptr<Display, DisplayCloser>;

// The X server in $DISPLAY; null when it cannot be reached. X errors on it are ignored rather
// than fatal: a window being read may close at any moment.
DisplayHandle openDisplay();

// A rectangle of the window as the X server shows it, rows from the top, as 0xRRGGBB on the
// 24-bit TrueColor screen the benchmarks run on; empty when the window cannot be read.
std::vector<std::uint32_t> captureWindow(Display* display, Window window, int left, int top, int width, int height);

// Whether the bottom-right corner of a width × height window shows the game's red close button
// (or the yardsticks' red square there): most of a radius-20 disc of it.
bool showsCloseButton(Display* display, Window window, int width, int height);
