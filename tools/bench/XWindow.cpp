#include "XWindow.h"

#include <X11/Xutil.h>

#include <algorithm>

namespace {
int ignoreError(Display*, XErrorEvent*)
{
    return 0;
}
} // namespace

DisplayHandle openDisplay()
{
    XSetErrorHandler(ignoreError);
    return DisplayHandle(XOpenDisplay(nullptr));
}

std::vector<std::uint32_t> captureWindow(Display* display, Window window, int left, int top, int width, int height)
{
    XImage* image = XGetImage(display, window, left, top, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (image == nullptr)
        return {};
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
            pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFFu);
    }
    XDestroyImage(image);
    return pixels;
}

bool showsCloseButton(Display* display, Window window, int width, int height)
{
    constexpr int kSide = 40;
    const std::vector<std::uint32_t> corner = captureWindow(display, window, width - kSide, height - kSide, kSide,
                                                            kSide);
    const auto red = std::count_if(corner.begin(), corner.end(), [](std::uint32_t pixel) {
        const int r = static_cast<int>(pixel >> 16 & 0xFF);
        const int g = static_cast<int>(pixel >> 8 & 0xFF);
        const int b = static_cast<int>(pixel & 0xFF);
        return r >= 150 && r - g >= 80 && r - b >= 80;
    });
    return red >= 500;
}
