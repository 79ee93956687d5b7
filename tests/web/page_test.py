#!/usr/bin/python3
# The page in headless Chromium, served from the built site: page_test.py SITE.
import functools, http.server, os, shutil, struct, sys, tempfile, threading, time

from selenium import webdriver
from selenium.webdriver import ActionChains, Keys
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.mouse_button import MouseButton

# Frames the core composes natively (tests/frame_test.cpp's hash) for a deal from seed 1: with an empty
# table, after a press on cell (0, 15), and with DESKTOP's table.
START, MOVE, WITH_TABLE = 0x044F39EB5747599A, 0xE405798CBCF7A508, 0xCE0E7144669C20DB
CANVAS = 'const c = document.getElementById("screen"), g = c.getContext("2d");'


def record(name, score):
    return name.encode().ljust(20) + struct.pack('<i', score)


DESKTOP = record('Zoe', 900) + record('Max', 500) + bytes(72) + b'kept'
BROWSERS = []


def wait(condition, what):
    end = time.time() + 10
    while not condition():
        assert time.time() < end, 'timed out: ' + what
        time.sleep(0.02)


def js(d, expression):
    return d.execute_script('return ' + expression)


def el(d, css):
    return d.find_element('css selector', css)


# A download's bytes: the file may stand before all of them are in it.
def downloaded(path):
    return open(path, 'rb').read() if os.path.exists(path) else b''


def is_open(d, dialog):
    return js(d, f'document.getElementById("{dialog}").open')


# The frame's hash (FNV-1a over its pixels) under the canvas, each of whose pixels must be its nearest.
def frame_hash(d):
    value = d.execute_script(CANVAS + '''
        const bytes = g.getImageData(0, 0, c.width, c.height).data, frame = new Array(364 * 420);
        for (let y = 0, i = 0; y < c.height; ++y)
            for (let x = 0; x < c.width; ++x, i += 4) {
                const at = 364 * Math.floor((2 * y + 1) * 210 / c.height) + Math.floor((2 * x + 1) * 182 / c.width);
                const pixel = BigInt((0xFF000000 | bytes[i] << 16 | bytes[i + 1] << 8 | bytes[i + 2]) >>> 0);
                if ((frame[at] ??= pixel) != pixel)
                    return `not nearest-pixel scaled at ${x}, ${y}`;
            }
        return frame.reduce((value, pixel) => BigInt.asUintN(64, (value ^ pixel) * 1099511628211n),
                            14695981039346656037n).toString();''')
    assert value.isdigit(), value
    return int(value)


# The page point of a cell's centre.
def at_cell(d, column, row):
    box = js(d, 'document.getElementById("screen").getBoundingClientRect().toJSON()')
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


# Presses the keys in turn, then lets them go in the reverse order.
def tap(d, *held):
    keys(d, *held, *('-' + key for key in reversed(held)))


def load(d, seed):
    d.get(f'{URL}?seed={seed}')
    wait(lambda: is_open(d, 'prompt'), 'the prompt')


# A new tab at ?seed=seed; its prompt answered by typing name and Enter, or cancelled by Escape.
def open_tab(d, seed, name=''):
    d.switch_to.new_window('tab')
    load(d, seed)
    keys(d, *name, Keys.ENTER if name else Keys.ESCAPE)
    started(d)
    return d.current_window_handle


# Waits for the first frame, drawn once the prompt's close event has run.
def started(d):
    wait(lambda: d.execute_script(CANVAS + 'return g.getImageData(0, 0, 1, 1).data[3] == 255'), 'the first frame')


# Presses a group, read from the canvas, until none is left.
def play_to_end(d):
    assert d.execute_script(CANVAS + '''
        const box = c.getBoundingClientRect(), x = k => 62.5 + 16 * (k % 16), y = k => 302.5 - 16 * (k >> 4);
        const colour = k => g.getImageData(x(k) * c.width / 364, y(k) * c.height / 420, 1, 1).data.join();
        const paired = k => colour(k) != "0,0,0,255"
            && ((k % 16 < 15 && colour(k) == colour(k + 1)) || (k < 240 && colour(k) == colour(k + 16)));
        for (let moves = 0; moves < 300; ++moves) {
            const k = [...Array(256).keys()].find(paired);
            if (k === undefined)
                return true;
            const at = {clientX: box.x + x(k) * box.width / 364, clientY: box.y + y(k) * box.height / 420};
            c.dispatchEvent(new MouseEvent("mousedown", at));
        }''')


def stored(d):
    return js(d, 'localStorage.getItem("tilzo/high.dat")').encode('latin-1')


def chromium(downloads, prefs={}):
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    options.arguments.extend(['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage',
                              '--window-size=600,700', '--force-device-scale-factor=1.5'])
    options.add_experimental_option('prefs', prefs)
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
        for browser in BROWSERS:
            browser.quit()
        shutil.rmtree(downloads)
    print('page test: passed')


main(sys.argv[1])
