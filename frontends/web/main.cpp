// The browser's entry points: main() sets the game up and opens the name prompt; the page
// (page.js) calls the tilzo_* functions for its events.
#include "Access.h"
#include "Page.h"
#include "core/scores/ScoreRecords.h"
#include "core/shell/Words.h"
#include "os/web/Storage.h"

#include <emscripten.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>

namespace tilzo {

namespace {

// Deals from the address's ?seed=N when it has one, so that a deal can be played again; else
// from the clock, as the desktop builds do.
class PageRandom : public Random {
public:
    explicit PageRandom(double seed)
    {
        if (seed >= 0)
            seeded_.emplace().seed(static_cast<std::uint64_t>(seed));
    }
    double next() override { return seeded_ ? seeded_->next() : Random::next(); }

private:
    std::optional<Random> seeded_;
};

EM_JS(double, addressSeed, (), {
    const seed = Number(new URLSearchParams(location.search).get("seed") || NaN);
    return Number.isSafeInteger(seed) && seed >= 0 ? seed : -1;
});
EM_JS(void, pageAsk, (const char* title, const char* question, const char* answer),
      { TilzoPage.ask(UTF8ToString(title), UTF8ToString(question), UTF8ToString(answer)); });
EM_JS(void, pageDownload, (const char* bytes, int size),
      { TilzoPage.download(HEAPU8.slice(bytes, bytes + size)); });

constexpr long long LargestTable = 1 << 20; // bytes; a file past the table is kept, within reason

Page page;
std::unique_ptr<PageRandom> pageRandom;
std::unique_ptr<frmMain> form;

std::string wholeFile(const Path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The table's file, under its lock: that brings in what other tabs saved since.
std::optional<ScoreFile> tableFile(std::string& problem)
{
    const Path path = form->scores.filePath();
    if (path.empty())
        return std::nullopt;
    std::optional<ScoreFile> file = ScoreFile::in(path.parent_path(), problem);
    ScoreTable table;
    if (file)
        problem = file->update([](ScoreTable&) { return false; }, table);
    return problem.empty() ? file : std::nullopt;
}

// What a file the game wrote always is: records best first (an empty file holds none).
std::string notATable(std::string_view bytes)
{
    if (static_cast<long long>(bytes.size()) > LargestTable)
        return "it is far larger than a table";
    const ScoreTable table = readRecords(bytes);
    const auto better = [](const HighScore& a, const HighScore& b) { return a.Score > b.Score; };
    return std::is_sorted(table.begin(), table.end(), better) ? ""
                                                              : "its scores are not in order, best first";
}

} // namespace

} // namespace tilzo

using namespace tilzo;

int main()
{
    pageRandom = std::make_unique<PageRandom>(addressSeed());
    HighScores::Folders folders;
    folders.user = os::browserStorage(folders.userProblem);
    folders.besideProgram = false; // a page has no folder of its own
    form = std::make_unique<frmMain>(page, *pageRandom, folders);
    attachAccess(*form, page);
    form->Form_Resize(); // the canvas takes its place before the prompt opens over it
    pageAsk(words::Title, words::NameQuestion, words::DefaultName);
}

extern "C" {

// The prompt's reply: null when cancelled.
EMSCRIPTEN_KEEPALIVE void tilzo_start(const char* name)
{
    page.name = name ? name : "";
    if (!form->start())
        page.quit();
}

EMSCRIPTEN_KEEPALIVE void tilzo_resize()
{
    form->Form_Resize();
}

EMSCRIPTEN_KEEPALIVE void tilzo_key(bool down, int keyCode, bool shift, bool ctrl, bool alt)
{
    if (down)
        form->Form_KeyDown(keyCode);
    else
        form->Form_KeyUp(keyCode, modifierMask(shift, ctrl, alt));
}

// button as the page numbers it: 0 left, 1 middle, 2 right; x and y in pixels of the canvas.
EMSCRIPTEN_KEEPALIVE void tilzo_press(int button, bool shift, bool ctrl, bool alt, double x, double y)
{
    constexpr int buttons[] = {LeftButton, MiddleButton, RightButton};
    const Point at = page.framePixel(x, y);
    form->picBox_MouseDown(button >= 0 && button < 3 ? buttons[button] : 0, modifierMask(shift, ctrl, alt),
                           at.x, at.y);
}

// The buttons under the frame do what their keys do.
EMSCRIPTEN_KEEPALIVE void tilzo_new_board()
{
    form->Form_KeyDown(Space);
    form->Form_KeyUp(Space, 0);
}

EMSCRIPTEN_KEEPALIVE void tilzo_undo()
{
    form->picBox_MouseDown(RightButton, 0, 0, 0);
}

EMSCRIPTEN_KEEPALIVE void tilzo_reset_table()
{
    form->Form_KeyDown(Home);
    form->Form_KeyUp(Home, ShiftMask);
}

// high.dat as it is now; without one, the table of this session in the same bytes.
EMSCRIPTEN_KEEPALIVE void tilzo_download()
{
    std::string problem;
    std::string bytes;
    if (const std::optional<ScoreFile> file = tableFile(problem)) {
        bytes = wholeFile(file->path());
    } else {
        ScoreTable table;
        for (int i = 0; i < TableSize; ++i)
            table[i] = form->scores[i];
        bytes = writeRecords(table);
    }
    pageDownload(bytes.data(), static_cast<int>(bytes.size()));
}

// A table from elsewhere (a desktop's high.dat) replaces this one, and is read as at start-up.
EMSCRIPTEN_KEEPALIVE void tilzo_load(const char* name, const char* bytes, int size)
{
    const std::string_view loaded(bytes, size);
    std::string problem = notATable(loaded);
    std::optional<ScoreFile> file = problem.empty() ? tableFile(problem) : std::nullopt;
    if (!file && problem.empty())
        problem = "this browser keeps no storage for the page";
    if (file) {
        const Path copy = "/tmp/loaded high.dat";
        std::ofstream(copy, std::ios::binary).write(bytes, size);
        // Copied under the file's lock, so that no other tab's save falls in between.
        std::string copied;
        ScoreTable table;
        problem = file->update([&](ScoreTable&) { return copied = file->copyFrom(copy), false; }, table);
        std::filesystem::remove(copy);
        if (problem.empty())
            problem = copied;
    }
    if (!problem.empty()) {
        page.showError("\"" + std::string(name) + "\" cannot be loaded: " + problem
                           + ". The table stays as it was.",
                       words::Title);
        return;
    }
    form->scores.GetPoints();
    form->blt();
}
}
