#include "x11_image.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <stdexcept>

namespace {

int channel(unsigned long pixel, unsigned long mask) {
    int shift = 0;
    while (mask != 0 && (mask & 1UL) == 0) {
        mask >>= 1U;
        ++shift;
    }
    return static_cast<int>((pixel >> static_cast<unsigned>(shift)) & mask);
}

}  // namespace

bool WindowImage::operator==(const WindowImage& other) const {
    if (width != other.width || height != other.height) return false;
    for (size_t i = 0; i < pixels.size(); ++i) {
        const Rgb& a = pixels[i];
        const Rgb& b = other.pixels[i];
        if (a.r != b.r || a.g != b.g || a.b != b.b) return false;
    }
    return true;
}

WindowImage captureWindow(Display* display, Window window) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) == 0) {
        throw std::runtime_error("window has no attributes");
    }
    // With no window manager a window may sit partly off the screen (the
    // toolkit's default place is -1, -1); only the part on the screen is read.
    int rootX = 0;
    int rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, attributes.root, 0, 0, &rootX, &rootY, &child);
    const int x0 = std::max(0, -rootX);
    const int y0 = std::max(0, -rootY);
    const int x1 = std::min(attributes.width, WidthOfScreen(attributes.screen) - rootX);
    const int y1 = std::min(attributes.height, HeightOfScreen(attributes.screen) - rootY);
    if (x1 <= x0 || y1 <= y0) throw std::runtime_error("window is off the screen");
    XImage* image = XGetImage(display, window, x0, y0, static_cast<unsigned>(x1 - x0),
                              static_cast<unsigned>(y1 - y0), AllPlanes, ZPixmap);
    if (image == nullptr) throw std::runtime_error("XGetImage failed");
    WindowImage result;
    result.width = attributes.width;
    result.height = attributes.height;
    result.pixels.assign(static_cast<size_t>(result.width * result.height), Rgb{-1, -1, -1});
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const unsigned long pixel = XGetPixel(image, x - x0, y - y0);
            result.pixels[static_cast<size_t>(y * result.width + x)] = {
                channel(pixel, image->red_mask), channel(pixel, image->green_mask),
                channel(pixel, image->blue_mask)};
        }
    }
    XDestroyImage(image);
    return result;
}
