'use strict';
// The page's own layer over the frame: the keyboard cursor and, when the player asks for them,
// symbols that tell the tiles' colours apart without colour. Drawn at device resolution, in the
// cells the core says the canvas shows; the frame's pixels stay as the core drew them.
const TilzoOverlay = (() => {
  const screen = document.getElementById('screen');
  const layer = document.createElement('canvas');
  const context = layer.getContext('2d');
  const Stored = 'tilzo-page/symbols';
  let drawn = null; // the codes the symbols show, column by column

  layer.id = 'layer';
  layer.hidden = true; // until first drawn in its place: nothing on the page may move
  layer.setAttribute('aria-hidden', 'true');
  screen.after(layer);
  const symbols = document.getElementById('symbols');
  try {
    symbols.checked = localStorage.getItem(Stored) == 'on';
  } catch (e) {} // no storage: off, as for a first visit
  symbols.addEventListener('change', () => {
    try {
      localStorage.setItem(Stored, symbols.checked ? 'on' : 'off');
    } catch (e) {}
    draw();
  });

  const cellBox = (column, row) => {
    const at = Module._tilzo_cell_box(column, row) >> 2;
    return Array.from(Module.HEAP32.subarray(at, at + 4));
  };

  // One shape per colour code, unlike the others at a glance: disc, diamond, triangle, plus, cross.
  const Shapes = [
    (c, r) => c.arc(0, 0, r, 0, 2 * Math.PI),
    (c, r) => [[0, -r], [r, 0], [0, r], [-r, 0]].forEach(([x, y]) => c.lineTo(x, y)),
    (c, r) => [[0, -r], [r, 0.8 * r], [-r, 0.8 * r]].forEach(([x, y]) => c.lineTo(x, y)),
    (c, r) => bars(c, r, 0),
    (c, r) => bars(c, r, Math.PI / 4),
  ];
  function bars(c, r, angle) {
    const w = r / 3, corners = [[w, w], [w, r], [-w, r], [-w, w], [-r, w], [-r, -w], [-w, -w], [-w, -r], [w, -r],
      [w, -w], [r, -w], [r, w]];
    for (const [x, y] of corners)
      c.lineTo(x * Math.cos(angle) - y * Math.sin(angle), x * Math.sin(angle) + y * Math.cos(angle));
  }
  function symbol(code, [x, y, width, height]) {
    context.save();
    context.translate(x + width / 2, y + height / 2);
    context.beginPath();
    Shapes[code - 1](context, Math.min(width, height) * 0.3);
    context.closePath();
    context.fillStyle = 'rgba(0, 0, 0, 0.7)';
    context.strokeStyle = 'rgba(255, 255, 255, 0.9)';
    context.lineWidth = Math.max(1, width / 16);
    context.fill();
    context.stroke();
    context.restore();
  }
  function outline([x, y, width, height]) {
    const line = Math.max(2, Math.round(width / 10));
    context.lineWidth = line;
    for (const [colour, inset] of [['#000', line / 2], ['#fff', 1.5 * line]]) {
      context.strokeStyle = colour;
      context.strokeRect(x + inset, y + inset, width - 2 * inset, height - 2 * inset);
    }
  }

  // The edge of a group of cells (column * 16 + row): each side of a cell that no other cell of the
  // group shares, dark under light so that it shows on every colour.
  function edge(cells) {
    const inside = new Set(cells), sides = [];
    for (const k of cells) {
      const [x, y, width, height] = cellBox(k >> 4, k & 15);
      const [c, r] = [k >> 4, k & 15];
      if (c == 0 || !inside.has(k - 16)) sides.push([x, y, x, y + height]);
      if (c == 15 || !inside.has(k + 16)) sides.push([x + width, y, x + width, y + height]);
      if (r == 0 || !inside.has(k - 1)) sides.push([x, y, x + width, y]);
      if (r == 15 || !inside.has(k + 1)) sides.push([x, y + height, x + width, y + height]);
    }
    const line = Math.max(2, Math.round(cellBox(cells[0] >> 4, cells[0] & 15)[2] / 8));
    for (const [colour, width] of [['#000', 2 * line], ['#fff', line]]) {
      context.beginPath();
      for (const [x0, y0, x1, y1] of sides) {
        context.moveTo(x0, y0);
        context.lineTo(x1, y1);
      }
      context.lineCap = 'square';
      context.lineWidth = width;
      context.strokeStyle = colour;
      context.stroke();
    }
  }

  // Over the canvas, at its size, then the symbols, the hint and the cursor.
  function draw() {
    const box = screen.getBoundingClientRect();
    Object.assign(layer.style, {left: box.left + scrollX + 'px', top: box.top + scrollY + 'px',
      width: screen.style.width, height: screen.style.height});
    if (layer.width != screen.width || layer.height != screen.height)
      [layer.width, layer.height] = [screen.width, screen.height];
    layer.hidden = !document.body.classList.contains('placed');
    context.clearRect(0, 0, layer.width, layer.height);
    drawn = null;
    if (!Module.calledRun)
      return;
    if (symbols.checked) {
      drawn = [];
      for (let column = 0; column < 16; ++column)
        for (let row = 0; row < 16; ++row) {
          const code = Module._tilzo_cell(column, row);
          drawn.push(code);
          if (code)
            symbol(code, cellBox(column, row));
        }
    }
    const hinted = TilzoHints.hinted();
    if (hinted)
      edge(hinted);
    const cursor = TilzoAccess.cursor();
    if (cursor)
      outline(cellBox(cursor.column, cursor.row));
  }
  screen.addEventListener('frame', draw);
  // The canvas moves, without a new frame, when anything beside it changes size.
  const moved = new ResizeObserver(draw);
  for (const part of [document.body, ...screen.parentElement.children])
    moved.observe(part);

  return {draw, drawn: () => drawn};
})();
