#pragma once

#include <QColor>
#include <cstdint>

namespace qor::controls {

// Colour numbers kept from the old grids: blue in the high byte, red in the
// low byte, so 65535 is yellow.
inline QColor ColorFromBgr(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu),
                  static_cast<int>((bgr >> 16) & 0xFFu));
}

}  // namespace qor::controls
