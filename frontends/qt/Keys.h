#pragma once

#include "core/shell/frmMain.h"

#include <Qt>

namespace tilzo {

// Qt's buttons, keys and modifiers as the game's handlers number them.
inline int buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return LeftButton;
    case Qt::RightButton:
        return RightButton;
    case Qt::MiddleButton:
        return MiddleButton;
    default:
        return 0;
    }
}

// -1 for a key the game has no use for.
inline int keyCode(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Escape:
        return Escape;
    case Qt::Key_Space:
        return Space;
    case Qt::Key_Home:
        return Home;
    default:
        return -1;
    }
}

// Other modifiers (keypad, meta) don't count, so the keypad's Home is Home like any other.
inline int shiftMask(Qt::KeyboardModifiers modifiers)
{
    return modifierMask(modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier),
                        modifiers.testFlag(Qt::AltModifier));
}

} // namespace tilzo
