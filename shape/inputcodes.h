#pragma once

#include <Qt>

#include "glyphon_global.h"

// The codes the control's events carry, in the convention its hosts expect: mouse buttons as
// 1 left, 2 right, 4 middle; the shift state as bit 1 Shift, 2 Ctrl, 4 Alt; keys as Windows
// virtual-key codes.

// The one button that went down or up; 0 for any other button.
GLYPHON_EXPORT qint16 buttonCode(Qt::MouseButton button);
// Every button held, combined (for mouse moves).
GLYPHON_EXPORT qint16 buttonState(Qt::MouseButtons buttons);
GLYPHON_EXPORT qint16 shiftState(Qt::KeyboardModifiers modifiers);
// Virtual-key code of a Qt key: letters and digits as their upper-case ASCII code, the keypad,
// function, navigation and punctuation keys as on a US keyboard. 0 when there is no counterpart.
GLYPHON_EXPORT qint16 virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);
