# What the page tests share: a site served on loopback, Chromium driven by Selenium, and the steps a player takes.
import functools, http.server, os, threading, time

from selenium import webdriver
from selenium.webdriver import ActionChains, Keys
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.mouse_button import MouseButton

# Frames the core composes natively (tests/frame_test.cpp's hash) for board 1 with an empty table: as dealt, and
# after a press on the cell PRESSED.
START, MOVE, PRESSED = 0xA7AB6BFD58E7B386, 0xB08D1E352B39ACC4, (4, 15)
CANVAS = 'const c = document.getElementById("screen"), g = c.getContext("2d");'
BROWSERS = []
URL = None


# Serves site on a free loopback port until shut down; URL is then its address.
def serve(site):
    global URL
    http.server.SimpleHTTPRequestHandler.log_message = lambda *args: None
    handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=site)
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    URL = f'http://127.0.0.1:{server.server_port}/'
    return server


def quit_all():
    for browser in BROWSERS:
        browser.quit()


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


# Fingers put down where the first step says, moved through the others, lifted after hold seconds.
def touches(d, *steps, hold=0):
    for i, points in enumerate(steps):
        d.execute_cdp_cmd('Input.dispatchTouchEvent', {'type': 'touchMove' if i else 'touchStart', 'touchPoints': [
            {'x': x, 'y': y, 'id': finger} for finger, (x, y) in enumerate(points)]})
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


# Opens the page at ?board=board (none for None), in a new tab with tab, which must ask the name.
def load(d, board, tab=False):
    if tab:
        d.switch_to.new_window('tab')
    d.get(URL if board is None else f'{URL}?board={board}')
    wait(lambda: is_open(d, 'prompt'), 'the prompt')


# The prompt answered by typing name and Enter, or cancelled by Escape; each key let go before the next.
def answer(d, name=''):
    for key in [*name, Keys.ENTER if name else Keys.ESCAPE]:
        tap(d, key)
    started(d)


# A new tab at ?board=board, its prompt answered.
def open_tab(d, board, name=''):
    load(d, board, tab=True)
    answer(d, name)
    return d.current_window_handle


# Waits for the first frame, drawn once the prompt's close event has run.
def started(d):
    wait(lambda: d.execute_script(CANVAS + 'return g.getImageData(0, 0, 1, 1).data[3] == 255'), 'the first frame')


# Presses a group, through the canvas, until none is left.
def play_to_end(d):
    assert d.execute_script(CANVAS + '''
        const box = c.getBoundingClientRect();
        for (let moves = 0; moves < 300; ++moves) {
            const k = [...Array(256).keys()].find(k => Module._tilzo_group(k >> 4, k % 16) > 1);
            if (k === undefined)
                return true;
            c.dispatchEvent(new MouseEvent("mousedown", {clientX: box.x + (62.5 + 16 * (k >> 4)) * box.width / 364,
                                                         clientY: box.y + (62.5 + 16 * (k % 16)) * box.height / 420}));
        }''')


# The board as the core holds it, column by column: each cell's code (0 for none), or the size of its group.
def board(d, what='cell'):
    return js(d, f'[...Array(16).keys()].map(c => [...Array(16).keys()].map(r => Module._tilzo_{what}(c, r)))')


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
