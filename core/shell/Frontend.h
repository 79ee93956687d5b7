#pragma once

#include "core/render/Graphics.h"

#include <string>

namespace tilzo {

// What the game asks of the toolkit it runs on. Texts are UTF-8.
class Frontend {
public:
    virtual ~Frontend() = default;

    // The modal name prompt: the confirmed text, or an empty text on cancel.
    virtual std::string askName() = 0;
    // A modal message box with the critical-error icon and an OK button.
    virtual void showError(const std::string& text, const std::string& title) = 0;
    // One of the bitmaps the program carries, as a device-independent bitmap: its info
    // header and rows, no file header. Throws DrawError when it cannot.
    virtual std::string bitmapBits(Bitmap bitmap) = 0;
    // Makes the picture box cover the window's inner area.
    virtual void fitPictureBox() = 0;
    // Shows frame over the whole picture box, scaled by nearest pixel (shownPixel).
    // Throws DrawError when it cannot.
    virtual void present(const Surface& frame) = 0;
    // Ends the program; no handler acts after this.
    virtual void quit() = 0;
};

} // namespace tilzo
