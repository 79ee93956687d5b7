'use strict';
// The game without a pointer or without sight: a cursor the arrow keys move over the board, with
// Enter to play and Backspace to take back; the focus kept where the player expects it; and a live
// region that says in words what the frame shows as pixels. TilzoAccess.say(text) says more.
const TilzoAccess = (() => {
  const canvas = document.getElementById('screen');
  const said = document.createElement('div');
  const Kept = 10; // lines the region keeps, the latest last: the end of a game says nine
  const Steps = {ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1]};
  const cursor = {column: 0, row: 15, keyed: false};
  let texts = [];
  let focused = canvas; // where the focus goes back to when a dialog closes

  said.id = 'said';
  said.className = 'unseen';
  said.setAttribute('role', 'status'); // polite: it waits for the reader to finish
  document.body.append(said);
  canvas.tabIndex = 0;
  canvas.setAttribute('role', 'img');
  canvas.setAttribute('aria-label', 'Tilzo board. Arrow keys choose a block, Enter removes its group, '
    + 'Backspace takes the last move back.');

  function say(text) {
    const line = document.createElement('p');
    line.textContent = text;
    said.append(line);
    while (said.childElementCount > Kept)
      said.firstElementChild.remove();
  }

  // Column and row from 1 at the top left, and what lies there.
  function describe({column, row}) {
    const code = Module._tilzo_cell(column, row), where = `Column ${column + 1}, row ${row + 1}: `;
    if (!code)
      return where + 'empty';
    const size = Module._tilzo_group(column, row);
    const colour = Module.ccall('tilzo_colour', 'string', ['number'], [code]);
    return `${where}${colour}, ${size} block${size == 1 ? '' : 's'}`;
  }

  // The frame's words that changed: the score, the end with its bonus, the table.
  function update() {
    const now = Module.ccall('tilzo_texts', 'string', [], []).split('\n').map(line => line.trimEnd());
    const [score, end, bonus] = now, table = now.slice(3, 8);
    if (score != texts[0])
      say(score);
    if (end && end != texts[1])
      [end, bonus].forEach(say);
    if (table.join('\n') != texts.slice(3, 8).join('\n'))
      table.forEach(say);
    texts = now;
  }
  let pending = false;
  canvas.addEventListener('frame', () => {
    if (!pending)
      queueMicrotask(() => { pending = false; update(); }); // once the handler has run to its end
    pending = true;
  });

  // A key the focused control takes: any in a field or a dialog, Space and Enter on a button or box.
  function takenByControl(event) {
    const target = event.target;
    if (!(target instanceof Element) || target == canvas)
      return false;
    if (target.closest('dialog') || target.matches('input:not([type=checkbox]):not([type=file]), textarea, select'))
      return true;
    return target.matches('button, input, label, a[href]') && (event.key == ' ' || event.key == 'Enter');
  }

  addEventListener('keydown', event => {
    if (TilzoPage.blocked() || takenByControl(event) || event.altKey || event.ctrlKey || event.metaKey)
      return;
    const step = Steps[event.key];
    if (!step && (event.repeat || (event.key != 'Enter' && event.key != 'Backspace')))
      return;
    event.preventDefault(); // no scrolling, no going back a page
    cursor.keyed = true;
    if (step) {
      cursor.column = Math.min(15, Math.max(0, cursor.column + step[0]));
      cursor.row = Math.min(15, Math.max(0, cursor.row + step[1]));
      say(describe(cursor));
    } else {
      TilzoPage.call(event.key == 'Enter' ? 'play' : 'undo', cursor.column, cursor.row);
    }
    TilzoOverlay.draw();
  });
  canvas.addEventListener('pointerdown', () => {
    cursor.keyed = false;
    TilzoOverlay.draw();
  });
  for (const type of ['focus', 'blur'])
    canvas.addEventListener(type, () => TilzoOverlay.draw());

  addEventListener('focusin', event => {
    if (!event.target.closest('dialog'))
      focused = event.target;
  });
  // close does not bubble; caught on its way down, before the dialog's own listeners.
  document.addEventListener('close', () => {
    if (!document.querySelector('dialog[open]'))
      (focused.isConnected && !focused.disabled ? focused : canvas).focus();
  }, true);

  return {
    say,
    takenByControl,
    // The cell under the cursor, while the keyboard plays; else null.
    cursor: () => cursor.keyed || canvas.matches(':focus-visible') ? cursor : null,
  };
})();
