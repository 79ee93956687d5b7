// The browser's entry points: main() sets the game up, then the page (page.js) carries on a
// kept game or opens the name prompt, and calls the tilzo_* functions for its events. Each of
// them ends by handing the page the game as it stands, to keep.
#include "Access.h"
#include "Page.h"
#include "core/game/NumberedDeals.h"
#include "core/shell/KeptGame.h"
#include "core/shell/Words.h"
#include "os/web/Storage.h"

#include <emscripten.h>

#include <memory>

namespace tilzo {

namespace {

EM_JS(double, addressBoard, (), {
    const board = Number(new URLSearchParams(location.search).get("board") || NaN);
    return Number.isSafeInteger(board) ? board : -1;
});
EM_JS(void, pageBegin, (const char* title, const char* question, const char* answer, bool linked),
      { TilzoPage.begin(UTF8ToString(title), UTF8ToString(question), UTF8ToString(answer), linked); });
EM_JS(void, pageKeep, (const char* text, double board, double deal, bool over),
      { TilzoPage.keep(UTF8ToString(text), board, deal, !!over); });
EM_JS(void, pageDownload, (const char* bytes, int size),
      { TilzoPage.download(HEAPU8.slice(bytes, bytes + size)); });

Page page;
NumberedDeals deals;
std::unique_ptr<frmMain> form;

void keep()
{
    if (!form->Initialized)
        return;
    const std::string text = keptGame(form->game, deals.board(), form->PlayerName);
    pageKeep(text.c_str(), deals.board(), static_cast<double>(deals.dealt()), form->game.GameOver);
}

} // namespace

} // namespace tilzo

using namespace tilzo;

int main()
{
    const double linked = addressBoard();
    const bool dealsLinked = linked >= 0 && linked <= NumberedDeals::LastBoard
                             && deals.dealNext(static_cast<std::uint32_t>(linked));
    HighScores::Folders folders;
    folders.user = os::browserStorage(folders.userProblem);
    folders.besideProgram = false; // a page has no folder of its own
    form = std::make_unique<frmMain>(page, deals, folders);
    attachAccess(*form, page);
    form->Form_Resize(); // the canvas takes its place before the prompt opens over it
    pageBegin(words::Title, words::NameQuestion, words::DefaultName, dealsLinked);
}

extern "C" {

// The prompt's reply: null when cancelled.
EMSCRIPTEN_KEEPALIVE void tilzo_start(const char* name)
{
    page.name = name ? name : "";
    if (!form->start())
        page.quit();
    keep();
}

// Carries on a game the page kept, with no prompt: false, with nothing started, when the
// text is no game the rules could reach.
EMSCRIPTEN_KEEPALIVE bool tilzo_resume(const char* text)
{
    Game check(deals);
    const std::optional<KeptFacts> facts = resumeGame(text, check);
    if (!facts)
        return false;
    page.name = facts->name;
    deals.dealNext(facts->board);
    if (form->start()) {
        resumeGame(text, form->game);
        form->blt();
        keep();
    } else {
        page.quit();
    }
    return true;
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
    keep();
}

// button as the page numbers it: 0 left, 1 middle, 2 right; x and y in pixels of the canvas.
EMSCRIPTEN_KEEPALIVE void tilzo_press(int button, bool shift, bool ctrl, bool alt, double x, double y)
{
    constexpr int buttons[] = {LeftButton, MiddleButton, RightButton};
    const Point at = page.framePixel(x, y);
    form->picBox_MouseDown(button >= 0 && button < 3 ? buttons[button] : 0, modifierMask(shift, ctrl, alt),
                           at.x, at.y);
    keep();
}

// A left press on the middle of a cell: the keyboard's Enter.
EMSCRIPTEN_KEEPALIVE void tilzo_play(int column, int row)
{
    const Point at = cellOrigin(column, row);
    form->picBox_MouseDown(LeftButton, 0, at.x + CellSize / 2, at.y + CellSize / 2);
    keep();
}

// The buttons under the frame do what their keys do.
EMSCRIPTEN_KEEPALIVE void tilzo_new_board()
{
    form->Form_KeyDown(Space);
    form->Form_KeyUp(Space, 0);
    keep();
}

// The board being played, dealt anew as a new game.
EMSCRIPTEN_KEEPALIVE void tilzo_play_again()
{
    deals.dealNext(deals.board());
    tilzo_new_board();
}

EMSCRIPTEN_KEEPALIVE void tilzo_undo()
{
    form->picBox_MouseDown(RightButton, 0, 0, 0);
    keep();
}

EMSCRIPTEN_KEEPALIVE void tilzo_reset_table()
{
    form->Form_KeyDown(Home);
    form->Form_KeyUp(Home, ShiftMask);
}

EMSCRIPTEN_KEEPALIVE bool tilzo_table_holds_scores()
{
    return form->scores.holdsScores();
}

EMSCRIPTEN_KEEPALIVE void tilzo_download()
{
    const std::string bytes = form->scores.fileBytes();
    pageDownload(bytes.data(), static_cast<int>(bytes.size()));
}

// A table from elsewhere (a desktop's high.dat) replaces this one.
EMSCRIPTEN_KEEPALIVE void tilzo_load(const char* name, const char* bytes, int size)
{
    const std::string problem = form->scores.load(std::string(bytes, size));
    if (problem.empty())
        form->blt();
    else
        page.showError("\"" + std::string(name) + "\" cannot be loaded: " + problem
                           + ". The table stays as it was.",
                       words::Title);
}
}
