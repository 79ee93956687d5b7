#pragma once

#include "core/render/ScaledScreen.h"
#include "core/shell/frmMain.h"

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

    // The frame pixel shown at a point of the canvas, in pixels of its backing store.
    Point framePixel(double x, double y) const { return screen_.framePixel(x, y); }
    // The pixels of the canvas that show a part of the frame.
    Rect shownRect(const Rect& part) const { return screen_.shownRect(part); }

private:
    Size canvasSize_;
    std::vector<Piece> pieces_; // none when the canvas shows the whole frame
    ScaledScreen screen_;
};

} // namespace tilzo
