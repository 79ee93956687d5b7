#pragma once

#include "core/render/ScaledScreen.h"
#include "core/shell/frmMain.h"

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

    // The frame pixel shown at a point of the canvas, in pixels of its backing store.
    Point framePixel(double x, double y) const { return screen_.framePixel(x, y); }

private:
    Size canvasSize_;
    ScaledScreen screen_;
};

} // namespace tilzo
