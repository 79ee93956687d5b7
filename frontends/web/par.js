'use strict';
// The page's solver, in a worker: the par of the board being played, searched a slice at a time
// for about 30 seconds of searching, paused while the page is hidden; and hints, between slices.
const Slice = 100, Searched = 30000; // milliseconds
let board = 0, best = -1, spent = 0, paused = false, queued = false;
var Module = {onRuntimeInitialized: () => search()};
importScripts('solver.js');

function search() {
  queued = false;
  if (!Module.calledRun || paused || !board || spent >= Searched)
    return;
  const began = performance.now();
  const score = Module._tilzo_par_run(Slice);
  spent += performance.now() - began;
  if (score > best)
    postMessage({board, par: best = score});
  later();
}

function later() {
  if (!queued)
    setTimeout(search, 0); // lets the page's messages in
  queued = true;
}

onmessage = ({data}) => {
  if ('pause' in data) {
    paused = data.pause;
  } else if ('board' in data) {
    board = data.board;
    best = -1;
    spent = 0;
    Module.onRuntimeInitialized = () => { Module._tilzo_par_start(board); search(); };
    if (Module.calledRun)
      Module._tilzo_par_start(board);
  } else if ('hint' in data && Module.calledRun) {
    const at = Module._malloc(256);
    Module.HEAPU8.set(data.hint, at);
    postMessage({asked: data.asked, hint: Module._tilzo_hint(at)});
    Module._free(at);
  }
  later();
};
