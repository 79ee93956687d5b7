#pragma once

#include "core/shell/frmMain.h"

#include <cstdint>
#include <vector>

namespace tilzo {

// The game's window in a web page: a canvas, and the page's own modal dialogs (page.js).
class Page final : public Frontend {
public:
    // A page cannot wait for a dialog, so the name is asked before start-up and kept here.
    std::string name;

    std::string askName() override { return name; }
    void showError(const std::string& text, const std::string& title) override;
    std::string bitmapBits(Bitmap bitmap) override;
    void fitPictureBox() override;
    void present(const Surface& frame) override;
    void quit() override;

    // The frame pixel shown at a pixel of the canvas's backing store.
    Point framePixel(Point canvas) const { return shownPixel(canvas, canvasSize_, FrameSize); }

private:
    Size canvasSize_;
    Surface screen_;
    std::vector<std::uint32_t> rgba_;
};

} // namespace tilzo
