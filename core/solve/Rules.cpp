#include "core/solve/Rules.h"

#include <algorithm>

#include "core/game/Game.h"

namespace tilzo::solve {

std::int32_t Rules::end(int colours, int left) const
{
    if (kind == Kind::Standard)
        return left == 0 ? 1000 : 0;
    return ClearBonus * (std::max(colours, ColourCount) - left);
}

bool Rules::fits(int rows, int columns) const
{
    if (kind == Kind::Tilzo)
        return rows == BoardSize && columns == BoardSize;
    return rows >= 1 && rows <= BoardSize && columns >= 1 && columns <= BoardSize;
}

} // namespace tilzo::solve
