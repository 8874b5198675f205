#pragma once
#include <QColor>

#include "core/colours.h"

namespace kp {

// 0x00BBGGRR to a Qt colour.
inline QColor toQColor(Colour c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

}  // namespace kp
