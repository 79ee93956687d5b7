#pragma once

#include <Qt>

namespace tilzo {

// Button numbers the handlers work with: 1 left, 2 right, 4 middle, 0 any other.
inline int buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

// Modifier mask: 1 Shift, 2 Ctrl, 4 Alt, added together; other modifiers
// (keypad, meta) don't count, so the keypad's Home is Home like any other.
inline int shiftMask(Qt::KeyboardModifiers modifiers)
{
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0)
         | (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0)
         | (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

} // namespace tilzo
