#include "core/render/ScaledScreen.h"

#include <cmath>

namespace tilzo {

void ScaledScreen::show(const Surface& frame, Size device)
{
    if (picture_.size() != device)
        picture_ = Surface(device.width, device.height);
    picture_.copyScaled({0, 0, device.width, device.height}, frame,
                        {0, 0, frame.size().width, frame.size().height});
    frameSize_ = frame.size();
}

Point ScaledScreen::framePixel(double x, double y) const
{
    // A point on a device pixel's edge can come back from a scale factor a hair short of it.
    const Point device{static_cast<int>(std::floor(x + 1e-6)), static_cast<int>(std::floor(y + 1e-6))};
    // Before the first picture the box shows the frame at its own size.
    const Size shown = picture_.isNull() ? frameSize_ : picture_.size();
    return shownPixel(device, shown, frameSize_);
}

} // namespace tilzo
