'use strict';
// The game each tab plays, kept in localStorage so that a reload, a tab the browser discarded
// or a later visit carries it on. sessionStorage names the tab's own game, which survives a
// reload; a Web Lock on each game an open tab plays keeps two tabs from playing one game.
const TilzoKept = (() => {
  const GAME = 'tilzo-game/'; // + a game's name: {time, over, text}
  const TAB = 'tilzo-game'; // in sessionStorage: the name of this tab's game
  const OLDEST = 30 * 24 * 3600 * 1000; // games untouched longer are dropped
  let name = null; // of the game this page plays, while it keeps one
  let refusalSaid = false;

  // Resolves to whether this page now holds the game's lock, which it then keeps for its life.
  const lock = game => !navigator.locks ? Promise.resolve(true) : new Promise(resolve =>
    navigator.locks.request(GAME + game, {ifAvailable: true}, held => {
      resolve(held !== null);
      return held && new Promise(() => {});
    }));

  function entry(game) {
    try {
      const kept = JSON.parse(localStorage.getItem(GAME + game));
      return kept && typeof kept.text == 'string' ? kept : null;
    } catch (error) {
      return null; // not ours, or storage refused
    }
  }

  function games() {
    const found = [];
    for (let i = 0; i < localStorage.length; ++i) {
      const key = localStorage.key(i);
      if (key.startsWith(GAME))
        found.push({game: key.slice(GAME.length), ...entry(key.slice(GAME.length))});
    }
    for (const kept of found.filter(kept => !(Date.now() - kept.time < OLDEST)))
      localStorage.removeItem(GAME + kept.game);
    return found.filter(kept => Date.now() - kept.time < OLDEST);
  }

  return {
    // The text of the game this page carries on, or null for a new one: its own game after a
    // reload; else, unless the address names a board, the most recent unfinished game no
    // open tab plays.
    async claim(linked) {
      try {
        const own = sessionStorage.getItem(TAB);
        const candidates = own ? [own]
          : linked ? [] : games().filter(kept => !kept.over).sort((a, b) => b.time - a.time).map(kept => kept.game);
        for (const game of candidates) {
          if (await lock(game)) {
            name = game;
            sessionStorage.setItem(TAB, name);
            const kept = entry(name);
            return kept && kept.text;
          }
        }
        name = Date.now().toString(36) + Math.random().toString(36).slice(2); // unique enough, and on plain http too
        sessionStorage.setItem(TAB, name);
        await lock(name);
      } catch (error) {
        name = null; // the browser keeps nothing: the table's message has said so
      }
      return null;
    },
    // Why the game could not be kept, the first time it could not; else null.
    keep(text, over) {
      try {
        if (name !== null)
          localStorage.setItem(GAME + name, JSON.stringify({time: Date.now(), over, text}));
      } catch (error) {
        const first = !refusalSaid;
        refusalSaid = true;
        return first ? error.message : null;
      }
      return null;
    },
    // The game ends with nothing kept.
    drop() {
      try {
        localStorage.removeItem(GAME + name);
      } catch (error) {}
      name = null;
    },
  };
})();
