#include "Page.h"

#include <emscripten.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace tilzo {

namespace {

// TilzoPage is page.js.
EM_JS(void, pageMessage, (const char* text, const char* title),
      { TilzoPage.message(UTF8ToString(title), UTF8ToString(text)); });
EM_JS(void, pageFit, (int width, int height, int* size), {
    const fitted = TilzoPage.fit(width, height);
    HEAP32[size >> 2] = fitted[0];
    HEAP32[(size >> 2) + 1] = fitted[1];
});
EM_JS(void, pageDraw, (const std::uint32_t* rgba, int width, int height),
      { TilzoPage.draw(new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4), width, height); });
EM_JS(void, pageEnded, (), { TilzoPage.ended(); });

} // namespace

void Page::showError(const std::string& text, const std::string& title)
{
    pageMessage(text.c_str(), title.c_str());
}

// The page fetches the bitmaps into memory before the program starts.
std::string Page::bitmapBits(Bitmap bitmap)
{
    std::ifstream file("/assets/" + std::to_string(int(bitmap)) + ".bmp", std::ios::binary);
    constexpr int FileHeaderSize = 14;
    if (!file.seekg(FileHeaderSize))
        throw DrawError("bitmap " + std::to_string(int(bitmap)) + " cannot be loaded");
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void Page::fitPictureBox()
{
    int size[2];
    pageFit(FrameSize.width, FrameSize.height, size);
    canvasSize_ = {size[0], size[1]};
}

void Page::present(const Surface& frame)
{
    if (canvasSize_.width <= 0 || canvasSize_.height <= 0)
        return; // hidden: nothing to show
    // The canvas takes the bytes R G B A: swapped in the frame, before scaling makes it many
    // times larger.
    std::vector<std::uint32_t> rgba(std::size_t(frame.size().width) * frame.size().height);
    for (std::size_t i = 0; i < rgba.size(); ++i) {
        const std::uint32_t v = frame.pixels()[i];
        rgba[i] = 0xFF000000 | (v & 0xFF) << 16 | (v & 0xFF00) | (v >> 16 & 0xFF);
    }
    screen_.show(Surface::fromPixels(frame.size(), std::move(rgba)), canvasSize_);
    pageDraw(screen_.picture().pixels(), canvasSize_.width, canvasSize_.height);
}

void Page::quit()
{
    pageEnded();
}

} // namespace tilzo
