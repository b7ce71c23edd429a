#!/usr/bin/env python3
"""album_first_paint.py PAGE [ROUNDS]: opens the web album PAGE in headless
Chromium ROUNDS times (5 by default), each in a fresh browser, and prints the
best and the median time to the first paint and to the first contentful
paint, in milliseconds from the start of the navigation."""
import shutil
import statistics
import sys

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


def paint_times(page):
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which("chromium")
    for arg in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1280,900"):
        options.add_argument(arg)
    driver = webdriver.Chrome(service=Service(shutil.which("chromedriver")), options=options)
    try:
        driver.get("file://" + page)
        return driver.execute_async_script(
            "const done = arguments[0];"
            "const read = () => { const p = performance.getEntriesByType('paint');"
            "  if (p.length < 2) return setTimeout(read, 50);"
            "  done([p[0].startTime, p[1].startTime, document.images.length]); };"
            "read();")
    finally:
        driver.quit()


def main():
    page = sys.argv[1]
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    times = [paint_times(page) for _ in range(rounds)]
    first, contentful = [t[0] for t in times], [t[1] for t in times]
    print(f"{times[0][2]} pictures on the page")
    print(f"first paint:            best {min(first):6.0f} ms, median {statistics.median(first):6.0f} ms")
    print(f"first contentful paint: best {min(contentful):6.0f} ms, median {statistics.median(contentful):6.0f} ms")
    print("goal: under 1000 ms:", "met" if statistics.median(contentful) < 1000 else "missed")
    return 0 if statistics.median(contentful) < 1000 else 1


if __name__ == "__main__":
    sys.exit(main())
