#!/usr/bin/python3
# The page in headless Chromium, served from the built site: page_test.py SITE.
import browser, json, os, pathlib, shutil, struct, sys, tempfile

from browser import *

# The frame the core composes natively (tests/frame_test.cpp's hash) for board 1 with DESKTOP's table.
WITH_TABLE = 0x0EB58159B8FBC6EF
OWN = 'localStorage.getItem("tilzo-game/" + sessionStorage.getItem("tilzo-game"))'


def record(name, score):
    return name.encode().ljust(20) + struct.pack('<i', score)


DESKTOP = record('Zoe', 900) + record('Max', 500) + bytes(72) + b'kept'
RESET = record('Anynomous1', 0) * 5


# The kept game's lines with edit applied to their values, as this tab's own entry.
def damage(d, edit):
    kept = json.loads(js(d, OWN))
    lines = dict(line.split(' ', 1) for line in kept['text'].splitlines()[1:])
    kept['text'] = 'Tilzo game 1\n' + ''.join(f'{k} {v}\n' for k, v in {**lines, **edit(lines)}.items())
    d.execute_script(f'localStorage.setItem("tilzo-game/" + sessionStorage.getItem("tilzo-game"), arguments[0])',
                     json.dumps(kept))


def board_shown(d):
    return el(d, '#board').text


def main(site):
    server = serve(site)
    downloads = tempfile.mkdtemp()
    d = chromium(downloads)
    try:
        texts = js(d, '[...document.querySelectorAll("#prompt h1, #prompt span, #prompt button")]'
                      '.map(e => e.textContent).concat(document.querySelector("#prompt input").value)')
        assert texts == ['Tilzo', 'What is your name?', 'OK', 'Cancel', 'Tilzo'], texts

        # Escape cancels the prompt; its release does not end the game.
        first = open_tab(d, 1)
        second = open_tab(d, 2, 'Ann')
        d.switch_to.window(first)
        assert js(d, 'document.getElementById("ended").hidden') and board_shown(d) == 'Board 1'
        cell = at_cell(d, *PRESSED)
        # Each input, then the frame it must leave.
        for act, frame in [(lambda: None, START), (lambda: click(d, cell), MOVE),
                           (lambda: click(d, cell, MouseButton.RIGHT), START), (lambda: touches(d, [cell]), MOVE),
                           (lambda: touches(d, [cell], hold=0.7), START), (lambda: click(d, cell), MOVE),
                           (lambda: el(d, '#undo').click(), START), (lambda: keys(d, Keys.SPACE), START)]:
            act()
            assert frame_hash(d) == frame
        # Keys act on release.
        keys(d, '-' + Keys.SPACE)
        dealt = frame_hash(d)
        assert dealt != START and board_shown(d) != 'Board 1'
        el(d, '#new-board').click()
        fresh, number = board(d), board_shown(d)
        assert frame_hash(d) not in (START, dealt)

        # A reload carries the game on, undo too; so does a later visit in another tab, once this one has
        # closed, but not while it is open.
        open_tab(d, 1, 'Bo')
        click(d, cell)
        d.refresh()
        started(d)
        assert not is_open(d, 'prompt') and (frame_hash(d), board_shown(d)) == (MOVE, 'Board 1')
        click(d, cell, MouseButton.RIGHT)
        assert frame_hash(d) == START
        click(d, cell)
        d.close()
        d.switch_to.window(first)
        d.switch_to.new_window('tab')
        d.get(browser.URL)
        started(d)
        assert not is_open(d, 'prompt') and frame_hash(d) == MOVE
        carrying = d.current_window_handle
        load(d, None, tab=True)  # while another tab plays the kept game
        answer(d)
        assert frame_hash(d) != MOVE

        # A damaged or impossible kept game is ignored: the page starts afresh (core_tests try every kind).
        for edit in [lambda kept: {'map': kept['map'][1:]}, lambda kept: {'map': '6' + kept['map'][1:]},
                     lambda kept: {'map': kept['map'][:15] + '0' + kept['map'][16:]},
                     lambda kept: {'map': '0' * 16 + kept['map'][16:]}, lambda kept: {'points': '-5'}]:
            damage(d, edit)
            d.refresh()
            wait(lambda: is_open(d, 'prompt'), 'the prompt after a damaged kept game')
            answer(d)

        # Escape ends the game and drops it: nothing to carry on, and no press acts any more.
        d.switch_to.window(carrying)
        shown = frame_hash(d)
        tap(d, Keys.ESCAPE)
        assert el(d, '#ended').is_displayed() and js(d, OWN) is None
        click(d, at_cell(d, 0, 0))
        assert frame_hash(d) == shown
        load(d, None, tab=True)  # a visit after Escape
        d.switch_to.window(carrying)
        el(d, '#ended button').click()
        wait(lambda: is_open(d, 'prompt'), 'the prompt of Start again')

        # Two tabs, both open before either saves, keep each other's scores.
        d.switch_to.window(first)
        play_to_end(d)
        d.switch_to.window(second)
        play_to_end(d)
        table = stored(d)
        names = sorted(table[k:k + 20] for k in range(0, 48, 24))
        assert names == [b' ' * 20, b'Ann'.ljust(20)] and table[96:120] == bytes(24), table

        # The board played again is a new game: dealt as it was, with nothing to undo.
        d.switch_to.window(first)
        el(d, '#play-again').click()
        click(d, cell, MouseButton.RIGHT)
        assert (board(d), board_shown(d)) == (fresh, number) and 'points 0\n' in json.loads(js(d, OWN))['text']

        # Download gives the file. Load asks before it replaces scores, refuses what is not a table, and
        # shows a table at once.
        open_tab(d, 1, 'Cy')
        el(d, '#download').click()
        wait(lambda: downloaded(downloads + '/high.dat') == table, 'the download of the table')
        for name, data in [('desktop', DESKTOP), ('hello', b'hello'), ('long', bytes((1 << 20) + 121)),
                           ('photo', record('x', 1) + record('y', 2) + bytes(72))]:
            pathlib.Path(downloads, name).write_bytes(data)
        el(d, '#load').send_keys(f'{downloads}/desktop')
        assert 'Replace the high-score table with the one in desktop?' in el(d, '#confirm-load').text
        tap(d, Keys.ENTER)
        assert stored(d) == table
        for name, why in [('hello', 'too short'), ('long', 'far larger'), ('photo', 'not in order')]:
            el(d, '#load').send_keys(f'{downloads}/{name}')
            el(d, '#confirm-load button[value=ok]').click()
            wait(lambda: is_open(d, 'message'), 'the refusal')
            assert why in el(d, '#message').text and stored(d) == table
            tap(d, Keys.ENTER)
        el(d, '#load').send_keys(f'{downloads}/desktop')
        el(d, '#confirm-load button[value=ok]').click()
        wait(lambda: stored(d) == DESKTOP, 'the desktop table')
        assert frame_hash(d) == WITH_TABLE
        # Another tab reads it; the Cancel button answers the prompt.
        load(d, 1, tab=True)
        el(d, '#prompt button[value=cancel]').click()
        started(d)
        assert frame_hash(d) == WITH_TABLE

        # The reset button asks first; another tab's lock holds a save off, and its words say so.
        el(d, '#reset-table').click()
        el(d, '#confirm-reset button[value=cancel]').click()
        assert stored(d) == DESKTOP
        d.execute_script('localStorage.setItem("tilzo-lock/high.dat.lock", "other " + (Date.now() + 60000))')
        tap(d, Keys.SHIFT, Keys.HOME)
        assert 'keeps it locked' in el(d, '#message').text and stored(d) == DESKTOP
        d.execute_script('localStorage.removeItem("tilzo-lock/high.dat.lock")')
        tap(d, Keys.ENTER)
        el(d, '#reset-table').click()
        el(d, '#confirm-reset button[value=ok]').click()
        wait(lambda: stored(d) == RESET + b'kept', 'the reset')

        # Share copies the board's address where the browser has no share sheet, and says so.
        d.execute_cdp_cmd('Browser.grantPermissions', {
            'origin': browser.URL.rstrip('/'), 'permissions': ['clipboardReadWrite', 'clipboardSanitizedWrite']})
        el(d, '#share').click()
        wait(lambda: 'copied' in el(d, '#status').text, 'the copied address')
        assert d.execute_async_script('navigator.clipboard.readText().then(arguments[0])') == browser.URL + '?board=1'

        # Storage refused: the page says so once, with the browser's reason, and keeps the score for the
        # session. A fresh profile deals board 1 as every other browser does.
        os.mkdir(downloads + '/refused')
        refused = chromium(downloads + '/refused', {'profile.default_content_setting_values.cookies': 2})
        answer(refused)
        assert 'cannot be saved' in el(refused, '#message').text and 'Access is denied' in el(refused, '#message').text
        tap(refused, Keys.ENTER)
        assert frame_hash(refused) == START
        play_to_end(refused)
        assert js(refused, 'document.querySelector("dialog[open]")') is None
        el(refused, '#download').click()
        wait(lambda: downloaded(downloads + '/refused/high.dat')[20:24] not in (b'', bytes(4)), 'the session table')

        # Installable, and it plays offline once the service worker has the files, each kept once whatever the
        # address's query.
        assert d.execute_cdp_cmd('Page.getInstallabilityErrors', {})['installabilityErrors'] == []
        d.execute_async_script('navigator.serviceWorker.ready.then(() => arguments[0]())')
        for n in 7, 8:
            load(d, n, tab=True)
        kept = d.execute_async_script('caches.keys().then(names => Promise.all(names.map(name => caches.open(name)'
                                      '.then(cache => cache.keys())))).then(keys => arguments[0](keys.flat()'
                                      '.map(request => request.url)))')
        assert sorted(set(kept)) == sorted(kept) and not any('?' in url for url in kept), kept
        server.shutdown()
        server.server_close()
        load(d, 1)
        answer(d, 'Di')
        assert board_shown(d) == 'Board 1'
    finally:
        quit_all()
        shutil.rmtree(downloads)
    print('page test: passed')


main(sys.argv[1])
