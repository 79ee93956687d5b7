'use strict';
// The page around the game: it sizes the canvas, opens the dialogs and turns the page's
// events into the program's calls (main.cpp). No input reaches the game while a dialog is open.
const TilzoPage = (() => {
  const canvas = document.getElementById('screen');
  const context = canvas.getContext('2d');
  const controls = document.getElementById('controls');
  const prompt = document.getElementById('prompt');
  const message = document.getElementById('message');
  const confirmReset = document.getElementById('confirm-reset');
  const confirmLoad = document.getElementById('confirm-load');
  const below = document.getElementById('below');
  const status = document.getElementById('status');
  const messages = [];
  let running = false;
  let ended = false;
  let board = 0; // the number of the board being played
  let dealt = 0; // deals so far
  let wasOver = null; // whether the game had ended at the last keep; null before the first

  const call = (name, ...args) => Module.calledRun && Module['_tilzo_' + name](...args);
  const blocked = () => !running || document.querySelector('dialog[open]') !== null;

  // A point of the page in pixels of the canvas's backing store.
  function canvasPixel(event) {
    const box = canvas.getBoundingClientRect();
    return [(event.clientX - box.left) * canvas.width / box.width,
      (event.clientY - box.top) * canvas.height / box.height];
  }

  function press(button, at, event) {
    if (!blocked())
      call('press', button, event.shiftKey, event.ctrlKey, event.altKey, at[0], at[1]);
  }

  // On a touch screen, cells under this many CSS pixels are too small for a finger: the frame's bands are
  // then shown apart, the board larger than the texts, in a column on an upright screen and side by side
  // on a wide one, where the texts keep at least a CSS pixel to a frame pixel.
  const CellSize = 16, FingerCell = 20;
  function apart(room, scale, ratio, [header, board, footer]) {
    const [width, height] = room, texts = header.height + footer.height;
    const column = Math.min(1, height / (texts * width / header.width + board.height * width / board.width));
    const beside = Math.min(height / board.height, (width - header.width * ratio) / board.width);
    const boardScale = Math.max(column * width / board.width, beside);
    const textScale = boardScale == beside ? Math.min((width - board.width * beside) / header.width, height / texts)
      : column * width / header.width;
    if (boardScale <= scale)
      return null;
    const sized = (band, scale) => [Math.floor(band.width * scale), Math.floor(band.height * scale)];
    const [bw, bh] = sized(board, boardScale), [hw, hh] = sized(header, textScale), [fw, fh] = sized(footer, textScale);
    if (boardScale == beside)
      return {size: [bw + hw, Math.max(bh, hh + fh)], shown: [[bw, 0, hw, hh], [0, 0, bw, bh], [bw, hh, fw, fh]]};
    return {size: [Math.max(hw, bw), hh + bh + fh], shown: [[0, 0, hw, hh], [0, hh, bw, bh], [0, hh + bh, fw, fh]]};
  }

  function nextMessage() {
    if (message.open || !messages.length)
      return;
    const [title, text] = messages.shift();
    message.querySelector('h1').textContent = title;
    message.querySelector('.error').textContent = text;
    message.showModal();
  }
  message.addEventListener('close', nextMessage);

  // Keys act on release; the game also hears them go down, to know which releases are its own.
  for (const type of ['keydown', 'keyup']) {
    addEventListener(type, event => {
      if (blocked() || TilzoAccess.takenByControl(event))
        return;
      if (event.key == ' ' || event.key == 'Home')
        event.preventDefault(); // no scrolling, no button pressed by Space
      if (!event.repeat)
        call('key', type == 'keydown', event.keyCode, event.shiftKey, event.ctrlKey, event.altKey);
    });
  }

  canvas.addEventListener('mousedown', event => press(event.button, canvasPixel(event), event));
  canvas.addEventListener('contextmenu', event => event.preventDefault());

  // A tap is a left press; a touch held half a second is a right press. A touch that slides
  // away is neither, and a second finger makes it a pinch, which zooms the page.
  let touch = null;
  const untouch = () => { clearTimeout(touch && touch.timer); touch = null; };
  canvas.addEventListener('touchstart', event => {
    untouch();
    if (event.touches.length > 1)
      return;
    const point = event.changedTouches[0], at = canvasPixel(point);
    const timer = setTimeout(() => { touch = null; press(2, at, event); }, 500);
    touch = {at, from: [point.clientX, point.clientY], timer};
  }, {passive: true});
  canvas.addEventListener('touchmove', event => {
    const point = event.changedTouches[0];
    if (touch && Math.hypot(point.clientX - touch.from[0], point.clientY - touch.from[1]) > 10)
      untouch();
  }, {passive: true});
  canvas.addEventListener('touchend', event => {
    event.preventDefault(); // no mouse events after it
    if (touch) {
      clearTimeout(touch.timer);
      press(0, touch.at, event);
    }
    touch = null;
  }, {passive: false});
  canvas.addEventListener('touchcancel', untouch);

  // Clicked, a button hands the keys back to the board; pressed by a key, it keeps the focus.
  const button = (id, action) => document.getElementById(id).addEventListener('click', event => {
    if (event.detail)
      canvas.focus({preventScroll: true});
    if (!blocked())
      action();
  });
  button('new-board', () => call('new_board'));
  button('undo', () => call('undo'));
  button('reset-table', () => confirmReset.showModal());
  confirmReset.addEventListener('close', () => {
    if (confirmReset.returnValue == 'ok')
      call('reset_table');
  });
  button('download', () => call('download'));
  button('play-again', () => call('play_again'));
  button('share', () => share());
  const load = document.getElementById('load');
  let loading = null;
  load.addEventListener('change', () => {
    loading = load.files[0];
    load.value = ''; // the same file may be loaded again
    if (!loading || blocked())
      return;
    if (!call('table_holds_scores'))
      return loadFile();
    confirmLoad.querySelector('p').textContent = `Replace the high-score table with the one in ${loading.name}?`;
    confirmLoad.returnValue = '';
    confirmLoad.showModal();
  });
  confirmLoad.addEventListener('close', () => {
    if (confirmLoad.returnValue == 'ok')
      loadFile();
  });
  // A file far larger than a table is refused unread.
  async function loadFile() {
    const file = loading;
    const bytes = new Uint8Array(await file.slice(0, (1 << 20) + 1).arrayBuffer());
    const at = Module._malloc(bytes.length + 1);
    Module.HEAPU8.set(bytes, at);
    Module.ccall('tilzo_load', null, ['string', 'number', 'number'], [file.name, at, bytes.length]);
    Module._free(at);
  }

  // The address of this board, shared where the browser can, else copied.
  async function share() {
    const address = new URL(location.href);
    address.search = '?board=' + board;
    address.hash = '';
    const text = `Board ${board}`;
    if (navigator.share) {
      try {
        return await navigator.share({title: document.title, text, url: address.href});
      } catch (error) {
        if (error.name == 'AbortError')
          return;
      }
    }
    try {
      await navigator.clipboard.writeText(address.href);
      say(`The address of board ${board} is copied: ${address.href}`);
    } catch (error) {
      say(`Copy this address to share board ${board}: ${address.href}`);
    }
  }

  function say(text) {
    status.textContent = text;
  }

  addEventListener('resize', () => call('resize'));
  // A window moved to a screen of another pixel ratio gets no resize event.
  (function watchRatio() {
    matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener('change', () => {
      call('resize');
      watchRatio();
    }, {once: true});
  })();
  // Offline play is a bonus: a browser that keeps no files for the page still plays it online.
  if ('serviceWorker' in navigator)
    navigator.serviceWorker.register('sw.js').catch(() => {});

  let title = '';
  const page = {
    // Carries on the game this page keeps, or asks the name for a new one.
    async begin(words, question, answer, linked) {
      title = words;
      const kept = await TilzoKept.claim(linked);
      if (kept !== null && Module.ccall('tilzo_resume', 'boolean', ['string'], [kept]))
        running = true;
      else
        this.ask(title, question, answer);
    },
    ask(title, question, answer) {
      prompt.querySelector('h1').textContent = title;
      prompt.querySelector('span').textContent = question;
      const input = prompt.querySelector('input');
      input.value = answer;
      prompt.returnValue = '';
      prompt.addEventListener('close', () => {
        running = true;
        Module.ccall('tilzo_start', null, ['string'], [prompt.returnValue == 'ok' ? input.value : null]);
      }, {once: true});
      prompt.showModal();
      input.select();
      performance.mark('prompt shown'); // bench/web_bench.py times start-up by it
    },
    message(title, text) {
      messages.push([title, text]);
      nextMessage();
    },
    // The biggest whole number of device pixels of the frame's shape that fits above the buttons,
    // or, where that leaves the cells too small for a finger, the frame's bands apart.
    fit(width, height, bands) {
      const ratio = devicePixelRatio;
      const room = [innerWidth * ratio, Math.max(0, innerHeight - below.offsetHeight) * ratio];
      const scale = Math.min(room[0] / width, room[1] / height);
      const small = scale * CellSize < FingerCell * ratio && matchMedia('(pointer: coarse)').matches;
      if (small && !bands)
        return null; // the bands come with the program: the page stays hidden until then
      const fitted = small ? apart(room, scale, ratio, bands) : null;
      const size = fitted ? fitted.size : [Math.floor(width * scale), Math.floor(height * scale)];
      [canvas.width, canvas.height] = size;
      canvas.style.width = canvas.width / ratio + 'px';
      canvas.style.height = canvas.height / ratio + 'px';
      document.body.classList.add('placed');
      return {size, shown: fitted && fitted.shown};
    },
    draw(rgba, width, height) {
      context.putImageData(new ImageData(rgba, width, height), 0, 0);
      canvas.dispatchEvent(new Event('frame')); // for the page's own layer and words
    },
    blocked,
    call,
    download(bytes) {
      const link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([bytes], {type: 'application/octet-stream'}));
      link.download = 'high.dat';
      link.click();
      setTimeout(() => URL.revokeObjectURL(link.href), 10000);
    },
    keep(text, number, deal, over) {
      if (ended)
        return; // that game is dropped
      board = number;
      document.getElementById('board').textContent = `Board ${board}`;
      if (deal != dealt)
        TilzoAccess.say(`Board ${board}`);
      dealt = deal;
      TilzoHints.dealt(board);
      if (over && wasOver === false)
        TilzoHints.ended(Module._tilzo_points());
      wasOver = over;
      const refusal = TilzoKept.keep(text, over);
      if (refusal !== null)
        this.message(title, `The game in progress cannot be kept in this browser: ${refusal}. It plays on.`);
    },
    ended() {
      ended = true;
      TilzoKept.drop();
      running = false;
      for (const control of controls.querySelectorAll('button'))
        control.disabled = true;
      controls.querySelector('.button').classList.add('disabled');
      load.disabled = true;
      document.getElementById('ended').hidden = false;
      document.querySelector('#ended button').focus();
    },
  };
  // The canvas takes its final place now, at the frame's size (its attributes), not once the
  // program has loaded.
  page.fit(canvas.width, canvas.height);
  return page;
})();

var Module = {};
