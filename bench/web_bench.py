#!/usr/bin/python3
"""The page's budgets in headless Chromium: web_bench.py SITE [RUNS [DEVICE_PIXEL_RATIO]].

The size of all the page's files gzipped, navigation to the name prompt on a warm reload, and a
press to the new frame on the canvas, timed inside the page."""
import functools
import gzip
import http.server
import os
import statistics
import sys
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


class Files(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def main(site, runs, ratio):
    sizes = {}
    for folder, _, names in os.walk(site):
        for name in names:
            with open(os.path.join(folder, name), 'rb') as file:
                sizes[os.path.relpath(os.path.join(folder, name), site)] = len(gzip.compress(file.read(), 9))
    for name, size in sorted(sizes.items(), key=lambda item: -item[1]):
        print(f'  {name:24} {size:8,} B gzipped')
    print(f'all files: {sum(sizes.values()) / 1000:.1f} kB gzipped (budget 250 kB)')

    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), functools.partial(Files, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for argument in ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage',
                     '--window-size=600,700', f'--force-device-scale-factor={ratio}']:
        options.add_argument(argument)
    d = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    try:
        d.get(f'http://127.0.0.1:{server.server_port}/?board=1')
        prompts = []
        for run in range(runs + 1):
            d.refresh()
            prompt = None
            while prompt is None:
                time.sleep(0.01)
                prompt = d.execute_script(
                    'const mark = performance.getEntriesByName("prompt shown")[0]; return mark && mark.startTime')
            if run:  # the first load fills the caches
                prompts.append(prompt)
        print(f'navigation to prompt shown, warm reload: median {statistics.median(prompts):.0f} ms, '
              f'max {max(prompts):.0f} ms over {runs} (budget 500 ms)')
        d.execute_script('document.querySelector("#prompt button[value=ok]").click()')
        while not d.execute_script('return document.getElementById("screen").getContext("2d")'
                                   '.getImageData(0, 0, 1, 1).data[3] == 255'):
            time.sleep(0.01)  # the first frame, drawn once the prompt's close event has run
        presses = d.execute_script('''
            const c = document.getElementById("screen"), box = c.getBoundingClientRect(), times = [];
            for (let i = 0; i < 200; ++i) {
                const x = box.x + (0.2 + 0.6 * Math.random()) * box.width;
                const y = box.y + (0.15 + 0.55 * Math.random()) * box.height;
                const start = performance.now();
                c.dispatchEvent(new MouseEvent("mousedown", {button: i % 5 ? 0 : 2, clientX: x, clientY: y}));
                times.push(performance.now() - start);
            }
            return [c.width, c.height, devicePixelRatio, times];''')
        width, height, ratio, times = presses
        print(f'press to new frame on a {width}x{height} canvas (ratio {ratio}): '
              f'median {statistics.median(times):.2f} ms, max {max(times):.2f} ms over {len(times)} (budget: median 3 ms)')
    finally:
        d.quit()


main(sys.argv[1], int((sys.argv[2:] or [20])[0]), float((sys.argv[3:] or [1])[0]))
