#pragma once

#include <cmath>

namespace qor::controls {

// Window geometry is kept in twips (1440 per inch) and converted to pixels
// only when applied to a widget.
inline int TwipsToPixels(double twips, double dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); }
inline double PixelsToTwips(int pixels, double dpi) { return pixels * 1440.0 / dpi; }

}  // namespace qor::controls
