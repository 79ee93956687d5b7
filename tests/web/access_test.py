#!/usr/bin/python3
# The page for players without a mouse, without colour or on a phone, in headless Chromium:
# access_test.py SITE NODE_MODULES.
import re, sys, time

from browser import *

# Each colour by its name, code 1 first.
COLOURS = ['red', 'blue', 'green', 'yellow', 'purple']
AXE = sys.argv[2] + '/axe-core/axe.min.js'


def said(d):
    return js(d, '[...document.getElementById("said").children].map(line => line.textContent)')


def hush(d):
    d.execute_script('document.getElementById("said").replaceChildren()')


def axe(d):
    if not js(d, 'typeof axe == "object"'):
        d.execute_script(open(AXE).read())
    violations = d.execute_async_script('axe.run(document).then(r => arguments[0](r.violations.map(v => v.id)))')
    assert violations == [], violations


# Arrows from one cell to another; the words said at the last are the model's.
def walk(d, b, sizes, start, end):
    (dc, dr), n = [b - a for a, b in zip(start, end)], sizes[end[0]][end[1]]
    hush(d)
    keys(d, *(step for key in [Keys.ARROW_RIGHT if dc > 0 else Keys.ARROW_LEFT] * abs(dc)
              + [Keys.ARROW_DOWN if dr > 0 else Keys.ARROW_UP] * abs(dr) for step in (key, '-' + key)))
    what = f'{COLOURS[b[end[0]][end[1]] - 1]}, {n} block{"s" * (n > 1)}' if b[end[0]][end[1]] else 'empty'
    assert start == end or said(d)[-1] == f'Column {end[0] + 1}, row {end[1] + 1}: {what}', (said(d), what)


# A key pressed and released, then these lines said.
def press(d, key, *lines):
    hush(d)
    tap(d, key)
    wait(lambda: set(lines) <= set(said(d)), f'{lines} in {said(d)}')


# A whole game by the keys alone, each step checked against the core's board and its groups: the cursor's
# words, 5 * n * (n - 1) points a group of n, the bonus and the table at the end.
def keyboard_game(d):
    cursor, points, undone = (0, 15), 0, False
    b, sizes = board(d), board(d, 'group')
    while playable := [(c, r) for c in range(16) for r in range(16) if sizes[c][r] > 1]:
        target = min(playable, key=lambda cell: abs(cell[0] - cursor[0]) + abs(cell[1] - cursor[1]))
        walk(d, b, sizes, cursor, target)
        cursor, n = target, sizes[target[0]][target[1]]
        press(d, Keys.ENTER)
        wait(lambda: said(d), 'the score')
        assert int(said(d)[0][8:]) - points - 5 * n * (n - 1) in range(0, 25001, 5000)  # a bonus only at the end
        if not undone:  # once: Backspace takes the move back
            press(d, Keys.BACKSPACE, f'Points: {points}')
            assert board(d) == b
            axe(d)
            press(d, Keys.ENTER)
            undone = True
        points += 5 * n * (n - 1)
        b, sizes = board(d), board(d, 'group')
    bonus = 5000 * sum(all(code not in column for column in b) for code in range(1, 6))
    end = 'CONGRATULATIONS!' if not any(map(any, b)) else 'GAME OVER'
    assert {f'Points: {points + bonus}', end, f'Bonus: {bonus}', f'{points + bonus} Tilzo'} <= set(said(d)), said(d)
    walk(d, b, sizes, cursor, (0, 0))
    press(d, Keys.ARROW_UP)  # the cursor stays on the board
    assert [line[:17] for line in said(d)] == ['Column 1, row 1: ']


# Every control in turn, each with a visible ring; Space on "Reset table" asks, and the game stays.
def tab_through(d):
    order = []
    while order[-1:] != ['screen']:
        tap(d, Keys.TAB)
        if js(d, 'document.activeElement == document.body'):
            continue  # past the last control, before the first
        order.append(js(d, 'document.activeElement.id'))
        assert js(d, 'getComputedStyle(document.activeElement.closest(".button") || document.activeElement)'
                     '.outlineStyle') == 'solid', order
        if order[-1] == 'reset-table':
            shown = frame_hash(d)
            tap(d, Keys.SPACE)
            assert is_open(d, 'confirm-reset')
            tap(d, Keys.ESCAPE)
            assert frame_hash(d) == shown and js(d, 'document.activeElement.id') == 'reset-table'
    assert sorted(order) == ['download', 'hint', 'load', 'new-board', 'play-again', 'reset-table', 'screen', 'share',
                             'symbols', 'undo'], order


# The symbols layer shows the board's codes through a move and its undo; the canvas stays the frame.
def symbols(d):
    shown = frame_hash(d)
    for act, frame in [(lambda: el(d, '#symbols').click(), shown), (lambda: click(d, at_cell(d, *PRESSED)), MOVE),
                       (lambda: click(d, at_cell(d, *PRESSED), MouseButton.RIGHT), shown)]:
        act()
        assert frame_hash(d) == frame
        assert js(d, 'TilzoOverlay.drawn()') == [code for column in board(d) for code in column]
    d.refresh()
    started(d)
    assert js(d, 'document.getElementById("symbols").checked')  # remembered
    el(d, '#symbols').click()
    assert js(d, 'TilzoOverlay.drawn()') is None


# A hint, by the button or the key H, outlines a group the rules take and says so, playing nothing; the par
# under the frame only grows.
def hint_and_par(d):
    shown, pars = frame_hash(d), []
    for ask in [lambda: el(d, '#hint').click(), lambda: tap(d, 'h')]:
        hush(d)
        ask()
        wait(lambda: said(d) and said(d)[-1].startswith('Hint: '), 'the hint')
        column, row, n = map(int, re.fullmatch(r'Hint: column (\d+), row (\d+), (\d+) blocks', said(d)[-1]).groups())
        cells = js(d, 'TilzoHints.hinted()')
        assert n > 1 and len(cells) == n and 16 * (column - 1) + row - 1 in cells and frame_hash(d) == shown
    for _ in range(10):
        pars.append(int(el(d, '#par').text.removeprefix('Par: ') or 0))
        time.sleep(0.1)
    assert pars[-1] > 0 and pars == sorted(pars), pars


# On a phone: cells for a finger, the whole frame in view, a slide that does nothing, a tap that plays the
# cell under it, a pinch that zooms.
def phone(d, width, height, cell):
    d.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                      {'width': width, 'height': height, 'deviceScaleFactor': 3, 'mobile': True})
    d.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': True, 'maxTouchPoints': 2})
    d.execute_script('localStorage.clear()')  # MOVE's table is empty
    load(d, 1)
    answer(d)
    box = d.execute_script('return Array.from(Module.HEAP32.subarray(Module._tilzo_cell_box(...arguments) >> 2)'
                           '.slice(0, 4)).map(v => v / devicePixelRatio)', *PRESSED)
    canvas = js(d, 'document.getElementById("screen").getBoundingClientRect().toJSON()')
    assert min(box[2:]) >= cell and canvas['right'] <= width and canvas['bottom'] <= height, (box, canvas)
    at = (canvas['x'] + box[0] + box[2] / 2, canvas['y'] + box[1] + box[3] / 2)
    before = board(d)
    touches(d, [at], [(at[0] + 5, at[1])], [(at[0] + 150, at[1])])
    assert board(d) == before
    touches(d, [at])
    wait(lambda: board(d) != before, 'the tap')
    touches(d, *[[(width / 2 - apart, at[1] - 100), (width / 2 + apart, at[1] - 100)] for apart in range(20, 150, 10)])
    wait(lambda: js(d, 'visualViewport.scale') > 1.5, 'the pinch')
    d.execute_cdp_cmd('Emulation.resetPageScaleFactor', {})
    d.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': False})
    d.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})
    wait(lambda: js(d, 'devicePixelRatio == 1.5 && Math.abs(document.getElementById("screen").width / 364'
                       ' - document.getElementById("screen").height / 420) < 0.01'), 'the whole frame again')
    assert frame_hash(d) == MOVE


def main(site):
    serve(site)
    d = chromium('/tmp')
    try:
        tap(d, Keys.ENTER)
        started(d)
        screen = el(d, '#screen')
        assert js(d, 'document.activeElement.id') == 'screen' and screen.aria_role == 'image', screen.aria_role
        assert 'Arrow keys choose a block' in screen.accessible_name
        wait(lambda: said(d) == ['Board 1', 'Points: 0'] + ['0'] * 5, 'the board, the score and the table')
        axe(d)
        tab_through(d)
        symbols(d)
        hint_and_par(d)
        d.execute_script('document.getElementById("screen").focus()')
        keyboard_game(d)
        axe(d)
        tap(d, Keys.ESCAPE)
        assert js(d, 'document.activeElement.textContent') == 'Start again'
        for width, height, cell in [(390, 844, 23), (844, 390, 17)]:
            phone(d, width, height, cell)
    finally:
        quit_all()
    print('access test: passed')


main(sys.argv[1])
