#include "Page.h"

#include <emscripten.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace tilzo {

namespace {

// TilzoPage is page.js.
EM_JS(void, pageMessage, (const char* text, const char* title),
      { TilzoPage.message(UTF8ToString(title), UTF8ToString(text)); });
// bands: x, y, width and height of each; fitted: the canvas's width and height, then the
// number of bands shown apart (0 for the whole frame) and where each is shown.
EM_JS(void, pageFit, (int width, int height, const int* bands, int count, int* fitted), {
    const parts = [];
    for (let i = 0; i < count; ++i) {
        const[x, y, w, h] = HEAP32.subarray((bands >> 2) + 4 * i, (bands >> 2) + 4 * i + 4);
        parts.push({x, y, width : w, height : h});
    }
    const fit = TilzoPage.fit(width, height, parts);
    HEAP32.set([... fit.size, fit.shown ? fit.shown.length : 0, ...(fit.shown || []).flat() ], fitted >> 2);
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
    constexpr int count = std::size(FrameBands);
    std::array<int, 4 * count> bands;
    for (int i = 0; i < count; ++i) {
        const Rect& band = FrameBands[i];
        bands[4 * i] = band.x;
        bands[4 * i + 1] = band.y;
        bands[4 * i + 2] = band.width;
        bands[4 * i + 3] = band.height;
    }
    std::array<int, 3 + 4 * count> fitted{};
    pageFit(FrameSize.width, FrameSize.height, bands.data(), count, fitted.data());
    canvasSize_ = {fitted[0], fitted[1]};
    pieces_.clear();
    for (int i = 0; i < std::min(fitted[2], count); ++i)
        pieces_.push_back(
            {FrameBands[i], {fitted[3 + 4 * i], fitted[4 + 4 * i], fitted[5 + 4 * i], fitted[6 + 4 * i]}});
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
    const Surface swapped = Surface::fromPixels(frame.size(), std::move(rgba));
    pieces_.empty() ? screen_.show(swapped, canvasSize_) : screen_.show(swapped, canvasSize_, pieces_);
    pageDraw(screen_.picture().pixels(), canvasSize_.width, canvasSize_.height);
}

void Page::quit()
{
    pageEnded();
}

} // namespace tilzo
