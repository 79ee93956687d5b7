#!/usr/bin/python3
"""The page in headless Chromium, served from the built site: page_test.py SITE."""
import functools
import http.server
import os
import shutil
import struct
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.mouse_button import MouseButton
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

# Frames the core composes natively (tests/frame_test.cpp's hash) for a deal from seed 1: with an empty
# table, after a press on cell (0, 15), and with DESKTOP's table.
START, MOVE, WITH_TABLE = 0x044F39EB5747599A, 0xE405798CBCF7A508, 0xCE0E7144669C20DB


def record(name, score):
    return name.encode().ljust(20) + struct.pack('<i', score)


DESKTOP = record('Zoe', 900) + record('Max', 500) + bytes(72) + b'kept'
BROWSERS = []


def wait(condition, what):
    end = time.time() + 10
    while not condition():
        assert time.time() < end, 'timed out: ' + what
        time.sleep(0.02)


def frame_hash(d):
    """The frame's hash (FNV-1a over its pixels) under the canvas, each of whose pixels must be its nearest."""
    value = d.execute_script('''
        const c = document.getElementById("screen");
        const bytes = c.getContext("2d").getImageData(0, 0, c.width, c.height).data;
        const frame = new Array(364 * 420);
        for (let y = 0; y < c.height; ++y) {
            const row = 364 * Math.floor((2 * y + 1) * 420 / (2 * c.height));
            for (let x = 0; x < c.width; ++x) {
                const at = row + Math.floor((2 * x + 1) * 364 / (2 * c.width));
                const i = 4 * (y * c.width + x);
                const pixel = BigInt((0xFF000000 | bytes[i] << 16 | bytes[i + 1] << 8 | bytes[i + 2]) >>> 0);
                if ((frame[at] ??= pixel) != pixel)
                    return `not nearest-pixel scaled at ${x}, ${y}`;
            }
        }
        let value = 14695981039346656037n;
        for (const pixel of frame)
            value = BigInt.asUintN(64, (value ^ pixel) * 1099511628211n);
        return value.toString();''')
    assert value.isdigit(), value
    return int(value)


def at_cell(d, column, row):
    """The page point of a cell's centre."""
    box = d.execute_script('return document.getElementById("screen").getBoundingClientRect().toJSON()')
    return (box['x'] + (62 + 16 * column) * box['width'] / 364, box['y'] + (62 + 16 * row) * box['height'] / 420)


def click(d, point, button=MouseButton.LEFT):
    actions = ActionBuilder(d, duration=0)
    actions.pointer_action.move_to_location(*map(int, point)).click(button=button)
    actions.perform()


def touch(d, point, hold=0):
    d.execute_cdp_cmd('Input.dispatchTouchEvent', {'type': 'touchStart', 'touchPoints': [dict(zip('xy', point))]})
    time.sleep(hold)
    d.execute_cdp_cmd('Input.dispatchTouchEvent', {'type': 'touchEnd', 'touchPoints': []})


def keys(d, *steps):
    chain = ActionChains(d)
    for step in steps:
        (chain.key_up if step.startswith('-') else chain.key_down)(step.lstrip('-'))
    chain.perform()


def load(d, seed):
    d.get(f'{URL}?seed={seed}')
    wait(lambda: d.execute_script('return document.getElementById("prompt").open'), 'the prompt')


def open_tab(d, seed, name=None):
    """A new tab at ?seed=seed; its prompt answered by typing name and Enter, or cancelled by Escape."""
    d.switch_to.new_window('tab')
    load(d, seed)
    keys(d, *(list(name) + [Keys.ENTER] if name else [Keys.ESCAPE]))
    started(d)
    return d.current_window_handle


def started(d):
    """Waits for the first frame, drawn once the prompt's close event has run."""
    wait(lambda: d.execute_script('return document.getElementById("screen").getContext("2d")'
                                  '.getImageData(0, 0, 1, 1).data[3] == 255'), 'the first frame')


def play_to_end(d):
    """Presses a group, read from the canvas, until none is left."""
    assert d.execute_script('''
        const c = document.getElementById("screen");
        const g = c.getContext("2d");
        const box = c.getBoundingClientRect();
        const x = column => (62.5 + 16 * column) * c.width / 364;
        const y = row => (62.5 + 16 * row) * c.height / 420;
        const colour = (column, row) => g.getImageData(x(column), y(row), 1, 1).data.join();
        for (let moves = 0; moves < 300; ++moves) {
            let cell = null;
            for (let k = 0; k < 256 && !cell; ++k) {
                const [column, row] = [k % 16, 15 - (k >> 4)];
                const here = colour(column, row);
                const right = column < 15 && here == colour(column + 1, row);
                if (here != "0,0,0,255" && (right || (row > 0 && here == colour(column, row - 1))))
                    cell = [column, row];
            }
            if (!cell)
                return true;
            const at = [box.x + x(cell[0]) * box.width / c.width, box.y + y(cell[1]) * box.height / c.height];
            c.dispatchEvent(new MouseEvent("mousedown", {clientX: at[0], clientY: at[1]}));
        }''')


def stored(d):
    return d.execute_script('return localStorage.getItem("tilzo/high.dat")').encode('latin-1')


def chromium(downloads, prefs=None):
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    options.arguments.extend(['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage',
                              '--window-size=600,700', '--force-device-scale-factor=1.5'])
    options.add_experimental_option('prefs', prefs or {})
    d = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    BROWSERS.append(d)
    load(d, 1)
    d.execute_cdp_cmd('Browser.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': downloads})
    return d


def main(site):
    global URL
    http.server.SimpleHTTPRequestHandler.log_message = lambda *args: None
    handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=site)
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    URL = f'http://127.0.0.1:{server.server_port}/'
    downloads = tempfile.mkdtemp()
    d = chromium(downloads)
    try:
        texts = d.execute_script('return [...document.querySelectorAll("#prompt h1, #prompt span, #prompt button")]'
                                 '.map(e => e.textContent).concat(document.querySelector("#prompt input").value)')
        assert texts == ['Tilzo', 'What is your name?', 'OK', 'Cancel', 'Tilzo'], texts

        # Escape cancels the prompt; its release does not end the game.
        first = open_tab(d, 1)
        second = open_tab(d, 2, 'Ann')
        d.switch_to.window(first)
        assert d.execute_script('return document.getElementById("ended").hidden')
        assert frame_hash(d) == START
        cell = at_cell(d, 0, 15)
        click(d, cell)
        assert frame_hash(d) == MOVE
        click(d, cell, MouseButton.RIGHT)
        assert frame_hash(d) == START
        touch(d, cell)
        assert frame_hash(d) == MOVE
        touch(d, cell, hold=0.7)
        assert frame_hash(d) == START
        click(d, cell)
        d.find_element(By.ID, 'undo').click()
        assert frame_hash(d) == START

        # Keys act on release.
        keys(d, Keys.SPACE)
        assert frame_hash(d) == START
        keys(d, '-' + Keys.SPACE)
        dealt = frame_hash(d)
        assert dealt != START
        d.find_element(By.ID, 'new-board').click()
        assert frame_hash(d) not in (START, dealt)

        # Two tabs, both open before either saves, keep each other's scores.
        play_to_end(d)
        d.switch_to.window(second)
        play_to_end(d)
        table = stored(d)
        names = sorted(table[k:k + 20] for k in range(0, 48, 24))
        assert names == [b' ' * 20, b'Ann'.ljust(20)] and table[96:120] == bytes(24), table

        # Download gives the file; Load takes a desktop table whole, and refuses what is not a table.
        d.find_element(By.ID, 'download').click()
        wait(lambda: os.path.exists(downloads + '/high.dat'), 'the download')
        assert open(downloads + '/high.dat', 'rb').read() == table
        for name, data in [('desktop', DESKTOP), ('photo', record('x', 1) + record('y', 2))]:
            with open(f'{downloads}/{name}', 'wb') as file:
                file.write(data)
            d.find_element(By.ID, 'load').send_keys(f'{downloads}/{name}')
        wait(lambda: d.execute_script('return document.getElementById("message").open'), 'the refusal')
        assert 'not in order' in d.find_element(By.ID, 'message').text
        shown = frame_hash(d)
        keys(d, Keys.SPACE, '-' + Keys.SPACE)
        assert frame_hash(d) == shown
        keys(d, Keys.ENTER, '-' + Keys.ENTER)
        wait(lambda: stored(d) == DESKTOP, 'the desktop table')

        # A reload reads the table; the Cancel button answers the prompt.
        load(d, 1)
        d.find_element(By.CSS_SELECTOR, '#prompt button[value=cancel]').click()
        started(d)
        assert frame_hash(d) == WITH_TABLE

        # The reset button asks first; Shift+Home does not.
        d.find_element(By.ID, 'reset-table').click()
        d.find_element(By.CSS_SELECTOR, '#confirm-reset button[value=cancel]').click()
        assert stored(d) == DESKTOP
        # Another tab's lock holds the save off, and its words say so.
        d.execute_script('localStorage.setItem("tilzo-lock/high.dat.lock", "other " + (Date.now() + 60000))')
        keys(d, Keys.SHIFT, Keys.HOME, '-' + Keys.HOME, '-' + Keys.SHIFT)
        assert 'keeps it locked' in d.find_element(By.ID, 'message').text and stored(d) == DESKTOP
        d.execute_script('localStorage.removeItem("tilzo-lock/high.dat.lock")')
        keys(d, Keys.ENTER, '-' + Keys.ENTER, Keys.SHIFT, Keys.HOME, '-' + Keys.HOME, '-' + Keys.SHIFT)
        assert stored(d) == record('Anynomous1', 0) * 5 + b'kept'

        # Escape ends the game: the page says so and takes no more presses.
        shown = frame_hash(d)
        keys(d, Keys.ESCAPE, '-' + Keys.ESCAPE)
        assert d.find_element(By.ID, 'ended').is_displayed()
        click(d, cell)
        assert frame_hash(d) == shown

        # Storage refused: the page says so once, and keeps the score for the session.
        os.mkdir(downloads + '/refused')
        refused = chromium(downloads + '/refused', {'profile.default_content_setting_values.cookies': 2})
        open_tab(refused, 1)
        assert 'cannot be saved' in refused.find_element(By.ID, 'message').text
        keys(refused, Keys.ENTER, '-' + Keys.ENTER)
        play_to_end(refused)
        assert refused.execute_script('return document.querySelector("dialog[open]")') is None
        refused.find_element(By.ID, 'download').click()
        wait(lambda: os.path.exists(downloads + '/refused/high.dat'), 'the session table')
        assert open(downloads + '/refused/high.dat', 'rb').read()[20:24] != bytes(4)

        # Installable, and it plays offline once the service worker has the files.
        assert d.execute_cdp_cmd('Page.getInstallabilityErrors', {})['installabilityErrors'] == []
        d.execute_async_script('navigator.serviceWorker.ready.then(() => arguments[0]())')
        server.shutdown()
        server.server_close()
        load(d, 1)
        keys(d, Keys.ENTER, '-' + Keys.ENTER)
        started(d)
        assert frame_hash(d) == shown
    finally:
        for browser in BROWSERS:
            browser.quit()
        shutil.rmtree(downloads)
    print('page test: passed')


main(sys.argv[1])
