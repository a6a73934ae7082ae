#pragma once

#include <QColor>

#include "glyphon_global.h"

// Colours travel through the model as 24-bit 0xBBGGRR values (red in the low byte), the way the
// settings and stored projects write them. Values with the top bit set name a system colour;
// 0x80000008 is the window-text colour; the others map to the matching palette role.
using OleColor = quint32;

constexpr OleColor kSystemWindowText = 0x80000008u;

GLYPHON_EXPORT QColor toQColor(OleColor colour);
GLYPHON_EXPORT OleColor fromQColor(const QColor& colour);
