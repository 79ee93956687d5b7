#!/usr/bin/python3
# The page in headless Chromium, served from the built site: page_test.py SITE.
import os, shutil, struct, sys, tempfile

from browser import *

# Frames the core composes natively (tests/frame_test.cpp's hash) for a deal from seed 1: with an empty
# table, after a press on cell (0, 15), and with DESKTOP's table.
START, MOVE, WITH_TABLE = 0x044F39EB5747599A, 0xE405798CBCF7A508, 0xCE0E7144669C20DB


def record(name, score):
    return name.encode().ljust(20) + struct.pack('<i', score)


DESKTOP = record('Zoe', 900) + record('Max', 500) + bytes(72) + b'kept'


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
        assert js(d, 'document.getElementById("ended").hidden')
        cell = at_cell(d, 0, 15)
        # Each input, then the frame it must leave.
        for act, frame in [(lambda: None, START), (lambda: click(d, cell), MOVE),
                           (lambda: click(d, cell, MouseButton.RIGHT), START), (lambda: touch(d, cell), MOVE),
                           (lambda: touch(d, cell, hold=0.7), START), (lambda: click(d, cell), MOVE),
                           (lambda: el(d, '#undo').click(), START), (lambda: keys(d, Keys.SPACE), START)]:
            act()
            assert frame_hash(d) == frame
        # Keys act on release.
        keys(d, '-' + Keys.SPACE)
        dealt = frame_hash(d)
        assert dealt != START
        el(d, '#new-board').click()
        assert frame_hash(d) not in (START, dealt)

        # Two tabs, both open before either saves, keep each other's scores.
        play_to_end(d)
        d.switch_to.window(second)
        play_to_end(d)
        table = stored(d)
        names = sorted(table[k:k + 20] for k in range(0, 48, 24))
        assert names == [b' ' * 20, b'Ann'.ljust(20)] and table[96:120] == bytes(24), table

        # Download gives the file; Load takes a desktop table whole, and refuses what is not a table.
        el(d, '#download').click()
        wait(lambda: downloaded(downloads + '/high.dat') == table, 'the download of the table')
        for name, data in [('desktop', DESKTOP), ('photo', record('x', 1) + record('y', 2))]:
            with open(f'{downloads}/{name}', 'wb') as file:
                file.write(data)
            el(d, '#load').send_keys(f'{downloads}/{name}')
        wait(lambda: is_open(d, 'message'), 'the refusal')
        assert 'not in order' in el(d, '#message').text
        shown = frame_hash(d)
        tap(d, Keys.SPACE)
        assert frame_hash(d) == shown
        tap(d, Keys.ENTER)
        wait(lambda: stored(d) == DESKTOP, 'the desktop table')

        # A reload reads the table; the Cancel button answers the prompt.
        load(d, 1)
        el(d, '#prompt button[value=cancel]').click()
        started(d)
        assert frame_hash(d) == WITH_TABLE

        # The reset button asks first; Shift+Home does not.
        el(d, '#reset-table').click()
        el(d, '#confirm-reset button[value=cancel]').click()
        assert stored(d) == DESKTOP
        # Another tab's lock holds the save off, and its words say so.
        d.execute_script('localStorage.setItem("tilzo-lock/high.dat.lock", "other " + (Date.now() + 60000))')
        tap(d, Keys.SHIFT, Keys.HOME)
        assert 'keeps it locked' in el(d, '#message').text and stored(d) == DESKTOP
        d.execute_script('localStorage.removeItem("tilzo-lock/high.dat.lock")')
        tap(d, Keys.ENTER)
        tap(d, Keys.SHIFT, Keys.HOME)
        assert stored(d) == record('Anynomous1', 0) * 5 + b'kept'

        # Escape ends the game: the page says so and takes no more presses.
        shown = frame_hash(d)
        tap(d, Keys.ESCAPE)
        assert el(d, '#ended').is_displayed()
        click(d, cell)
        assert frame_hash(d) == shown

        # Storage refused: the page says so once, and keeps the score for the session.
        os.mkdir(downloads + '/refused')
        refused = chromium(downloads + '/refused', {'profile.default_content_setting_values.cookies': 2})
        open_tab(refused, 1)
        assert 'cannot be saved' in el(refused, '#message').text
        tap(refused, Keys.ENTER)
        play_to_end(refused)
        assert js(refused, 'document.querySelector("dialog[open]")') is None
        el(refused, '#download').click()
        wait(lambda: downloaded(downloads + '/refused/high.dat')[20:24] not in (b'', bytes(4)), 'the session table')

        # Installable, and it plays offline once the service worker has the files.
        assert d.execute_cdp_cmd('Page.getInstallabilityErrors', {})['installabilityErrors'] == []
        d.execute_async_script('navigator.serviceWorker.ready.then(() => arguments[0]())')
        server.shutdown()
        server.server_close()
        load(d, 1)
        tap(d, Keys.ENTER)
        started(d)
        assert frame_hash(d) == shown
    finally:
        quit_all()
        shutil.rmtree(downloads)
    print('page test: passed')


main(sys.argv[1])
