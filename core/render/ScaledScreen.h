#pragma once

#include "core/render/Layout.h"
#include "core/render/Surface.h"

#include <span>
#include <vector>

namespace tilzo {

// A part of the frame and the part of the picture that shows it.
struct Piece {
    Rect frame;
    Rect shown;
};

// The frame as a screen shows it: copied by nearest pixel to the picture box's size in
// device pixels, whole or in pieces, and a press on the box mapped back to the frame pixel
// drawn under it.
class ScaledScreen {
public:
    // Copies the whole frame to a picture of device size. Throws DrawError when it cannot.
    void show(const Surface& frame, Size device);
    // Copies each piece of frame to its place in a picture of device size, the rest black.
    // The pieces' shown parts must not overlap. Throws DrawError when it cannot.
    void show(const Surface& frame, Size device, std::span<const Piece> pieces);
    // The last picture shown; null before the first.
    const Surface& picture() const { return picture_; }
    // The frame pixel shown at a point of the box, in device pixels from its top-left
    // corner; toolkits that give fractions of a pixel pass them on. {-1, -1} between pieces.
    Point framePixel(double x, double y) const;
    // The device pixels that show part, a rectangle of the frame inside one piece; empty
    // when no piece holds it.
    Rect shownRect(const Rect& part) const;

private:
    Surface picture_;
    // Before the first picture the box shows the frame at its own size.
    std::vector<Piece> pieces_{
        {{0, 0, FrameSize.width, FrameSize.height}, {0, 0, FrameSize.width, FrameSize.height}}};
};

} // namespace tilzo
