'use strict';
// The solver for the player: a hint (the button, or the key H) outlines the group it would play
// next, and the par of the board, the best score its search has found, shows under the frame.
// Both come from a worker of their own (par.js), so that the game never waits for them.
const TilzoHints = (() => {
  const par = document.getElementById('par');
  const worker = new Worker('par.js');
  let best = null; // the par of the board being played, once found
  let board = 0;
  let asked = 0; // the hint the page waits for
  let hinted = null; // the group outlined, its cells as column * 16 + row

  worker.onmessage = ({data}) => {
    if ('par' in data && data.board == board) {
      best = data.par;
      par.textContent = `Par: ${best}`;
    } else if ('hint' in data && data.asked == asked && data.hint >= 0)
      show(data.hint >> 4, data.hint & 15);
  };
  document.addEventListener('visibilitychange', () => worker.postMessage({pause: document.hidden}));

  function show(column, row) {
    const size = Module._tilzo_group(column, row);
    const mask = Module._tilzo_group_cells(column, row);
    hinted = [...Module.HEAPU8.subarray(mask, mask + 256).keys()].filter(k => Module.HEAPU8[mask + k]);
    TilzoOverlay.draw();
    TilzoAccess.say(`Hint: column ${column + 1}, row ${row + 1}, ${size} blocks`);
  }

  function ask() {
    if (TilzoPage.blocked())
      return;
    const cells = new Uint8Array(256);
    for (let k = 0; k < 256; ++k)
      cells[k] = Module._tilzo_cell(k >> 4, k & 15);
    worker.postMessage({hint: cells, asked: ++asked});
  }
  document.getElementById('hint').addEventListener('click', ask);
  addEventListener('keydown', event => {
    if (event.key.toLowerCase() == 'h' && !event.repeat && !event.altKey && !event.ctrlKey && !event.metaKey
        && !TilzoAccess.takenByControl(event))
      ask();
  });
  // A move, an undo or a new board makes the hint stale.
  document.getElementById('screen').addEventListener('frame', () => {
    if (hinted) {
      hinted = null;
      TilzoOverlay.draw();
    }
  });

  return {
    // The board being played, each time the game is kept: a new number starts its search.
    dealt(number) {
      if (number == board)
        return;
      board = number;
      best = null;
      par.textContent = '';
      worker.postMessage({board});
    },
    // The final score, said beside the par once the frame's own words are said.
    ended(points) {
      queueMicrotask(() => TilzoAccess.say(best === null ? `Final score: ${points}`
        : `Final score: ${points}, par: ${best}`));
    },
    hinted: () => hinted,
  };
})();
