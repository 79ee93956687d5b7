#pragma once

#include "core/render/Layout.h"
#include "core/render/Surface.h"

namespace tilzo {

// The frame as a screen shows it: copied by nearest pixel to the picture box's size in
// device pixels, and a press on the box mapped back to the frame pixel drawn under it.
class ScaledScreen {
public:
    // Copies frame to a picture of device size. Throws DrawError when it cannot.
    void show(const Surface& frame, Size device);
    // The last picture shown; null before the first.
    const Surface& picture() const { return picture_; }
    // The frame pixel shown at a point of the box, in device pixels from its top-left
    // corner; toolkits that give fractions of a pixel pass them on.
    Point framePixel(double x, double y) const;

private:
    Surface picture_;
    Size frameSize_ = FrameSize;
};

} // namespace tilzo
