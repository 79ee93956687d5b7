#include "core/render/ScaledScreen.h"

#include <algorithm>
#include <cmath>

namespace tilzo {

namespace {

bool holds(const Rect& outer, const Rect& inner)
{
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width
           && inner.y + inner.height <= outer.y + outer.height;
}

// The first of `to` pixels that shows pixel `from` or one after it, of a side `fromSize` long
// shown `to` pixels long: the inverse of nearestPixel.
int firstShowing(int from, int to, int fromSize)
{
    return static_cast<int>((2LL * from * to + fromSize - 1) / (2LL * fromSize));
}

} // namespace

void ScaledScreen::show(const Surface& frame, Size device)
{
    const Piece whole{{0, 0, frame.size().width, frame.size().height}, {0, 0, device.width, device.height}};
    show(frame, device, {&whole, 1});
}

void ScaledScreen::show(const Surface& frame, Size device, std::span<const Piece> pieces)
{
    if (picture_.size() != device || pieces_.size() != pieces.size()
        || !std::equal(pieces.begin(), pieces.end(), pieces_.begin(), [](const Piece& a, const Piece& b) {
               return a.frame == b.frame && a.shown == b.shown;
           }))
        picture_ = Surface(device.width, device.height); // black between the pieces
    for (const Piece& piece : pieces)
        picture_.copyScaled(piece.shown, frame, piece.frame);
    pieces_.assign(pieces.begin(), pieces.end());
}

Point ScaledScreen::framePixel(double x, double y) const
{
    // A point on a device pixel's edge can come back from a scale factor a hair short of it.
    const Rect device{static_cast<int>(std::floor(x + 1e-6)), static_cast<int>(std::floor(y + 1e-6)), 1, 1};
    for (const Piece& piece : pieces_) {
        if (!holds(piece.shown, device))
            continue;
        const Point at
            = shownPixel({device.x - piece.shown.x, device.y - piece.shown.y},
                         {piece.shown.width, piece.shown.height}, {piece.frame.width, piece.frame.height});
        return {piece.frame.x + at.x, piece.frame.y + at.y};
    }
    return {-1, -1};
}

Rect ScaledScreen::shownRect(const Rect& part) const
{
    for (const Piece& piece : pieces_) {
        if (!holds(piece.frame, part))
            continue;
        const Rect& to = piece.shown;
        const Rect& from = piece.frame;
        const int left = firstShowing(part.x - from.x, to.width, from.width);
        const int top = firstShowing(part.y - from.y, to.height, from.height);
        return {to.x + left, to.y + top,
                firstShowing(part.x + part.width - from.x, to.width, from.width) - left,
                firstShowing(part.y + part.height - from.y, to.height, from.height) - top};
    }
    return {};
}

} // namespace tilzo
