#pragma once

#include <QPaintDevice>
#include <cmath>

namespace qor::controls {

// Window geometry is kept in twips (1440 per inch) and converted to pixels
// only when applied to a widget.
inline int TwipsToPixels(double twips, double dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); }
inline double PixelsToTwips(int pixels, double dpi) { return pixels * 1440.0 / dpi; }

// The vertical resolution of a screen widget, 96 where the platform reports none.
inline double ScreenDpi(const QPaintDevice& device) { return device.logicalDpiY() > 0 ? device.logicalDpiY() : 96.0; }
inline int TwipsToPixels(double twips, const QPaintDevice& device) { return TwipsToPixels(twips, ScreenDpi(device)); }
inline double PixelsToTwips(int pixels, const QPaintDevice& device) { return PixelsToTwips(pixels, ScreenDpi(device)); }

}  // namespace qor::controls
