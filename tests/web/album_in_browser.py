#!/usr/bin/env python3
"""album_in_browser.py QALBUM: `qalbum album` of a family's backup, looked at
in headless Chromium: every picture loads, the counts per child and per year
and the captions match the backup, the arrow keys and Escape walk the pictures
(and the links do without the script), nothing is asked for outside file://,
a phone's width has no sideways scrolling, the page is valid HTML, and printed
on A4 and Letter the captions stand under their pictures, a page per child.
Made again, the album changes no file. Exit status 0 when all hold, 1
otherwise, 77 when the browser or its driver is missing."""
import base64
import datetime
import glob
import html
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import palm_backup  # noqa: E402

CHROMIUM, DRIVER = shutil.which("chromium"), shutil.which("chromedriver")
try:
    import html5lib
    from PIL import Image
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError as missing:
    print(f"{missing.name} is missing: skipped")
    sys.exit(77)
if not CHROMIUM or not DRIVER or not shutil.which("pdftoppm"):
    print("chromium, chromium-driver or poppler-utils is missing: skipped")
    sys.exit(77)

DAY = 86400
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAILED:", what)
    return ok


# The family: (child, [(name, created, size, colour)]), each child's pictures
# listed in the order they were drawn; one of Anna's databases is damaged.
def family():
    t2001, t2002, t2003 = 978307200, 1009843200, 1041379200
    anna = [(f"QuilloryPicA{i:02}".encode(), t2001 + i * 20 * DAY, palm_backup.SMALL, 20 + i) for i in range(5)]
    anna += [(f"QuilloryPicA{i:02}".encode(), t2002 + i * 9 * DAY, palm_backup.LARGE if i == 7 else palm_backup.SMALL,
              20 + i) for i in range(5, 11)]
    anna += [(b"QuilloryPic<img src=x onerror=1>", t2003, palm_backup.SMALL, 60),
             (b"QuilloryPicA99", t2003 + 3 * DAY, palm_backup.SMALL, 61)]
    ben = [(b"QuilloryPicBoat", t2003 + 40 * DAY, palm_backup.SMALL, 90),
           (b"QuilloryPicBoat", t2003 + 40 * DAY, palm_backup.SMALL, 95),
           (b"QuilloryPicB\xe9b\xe9", t2003 + 50 * DAY, palm_backup.LARGE, 100)]
    return [("Anna", anna), ("Ben & <Co>", ben)]


def write_family(palm):
    for child, pictures in family():
        backup = os.path.join(palm, child, "Backup")
        # File names in the reverse order, so that the album's order is its own.
        for n, (name, created, size, colour) in enumerate(pictures):
            palm_backup.write(backup, f"QuilloryPic{len(pictures) - n:03}.pdb",
                              palm_backup.database(name, created, created + 3600, size, colour))
    damaged = palm_backup.database(b"QuilloryPicDamaged", 0, 0)[:60]
    return palm_backup.write(os.path.join(palm, "Anna", "Backup"), "QuilloryPicDamaged.pdb", damaged)


def day_text(seconds):
    d = datetime.datetime.fromtimestamp(seconds, datetime.timezone.utc)
    return f"{d.day} {('January February March April May June July August September October November December').split()[d.month - 1]} {d.year}"


def snapshot(folder):
    files = {}
    for path in glob.glob(os.path.join(folder, "**"), recursive=True):
        if os.path.isfile(path):
            st = os.stat(path)
            with open(path, "rb") as f:
                files[path] = (st.st_ino, st.st_mtime_ns, st.st_ctime_ns, f.read())
    return files


def make_album(qalbum, palm, dest, damaged):
    run = subprocess.run([qalbum, "album", "--keep-going", "--palm-folder", palm, dest], capture_output=True, text=True)
    check(run.returncode == 1, f"a damaged database makes the status 1, not {run.returncode}")
    check(damaged in run.stderr, f"standard error names the damaged database: {run.stderr!r}")
    return run


def browser(javascript=True, width=1280, height=900):
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for arg in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                f"--window-size={width},{height}", "--force-device-scale-factor=1"):
        options.add_argument(arg)
    options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
    if not javascript:
        options.add_experimental_option("prefs", {"profile.managed_default_content_settings.javascript": 2})
    return webdriver.Chrome(service=Service(DRIVER), options=options)


def check_contents(driver):
    """Sections, year headings, counts, captions and alt texts against the backup."""
    sections = driver.find_elements(By.CSS_SELECTOR, "section.child")
    check(len(sections) == 2, "a section per child")
    for section, (child, pictures) in zip(sections, family()):
        heading = section.find_element(By.TAG_NAME, "h2").text
        check(heading == f"{child} {len(pictures)} pictures", f"child heading {heading!r}")
        years = {}
        for _, created, _, _ in pictures:
            year = str(datetime.datetime.fromtimestamp(created, datetime.timezone.utc).year)
            years[year] = years.get(year, 0) + 1
        shown = {}
        for h3 in section.find_elements(By.CSS_SELECTOR, "h3.year"):
            grid = h3.find_element(By.XPATH, "following-sibling::div[1]")
            count = len(grid.find_elements(By.CSS_SELECTOR, "figure"))
            shown[h3.text.split()[0]] = count
            check(h3.text.endswith(f"{count} picture" + ("s" if count != 1 else "")), f"year heading {h3.text!r}")
        check(shown == years, f"{child}: pictures per year {shown}, expected {years}")
        figures = section.find_elements(By.CSS_SELECTOR, "figure")
        captions = [f.find_element(By.TAG_NAME, "figcaption").text.split("\n") for f in figures]
        expected = [[name.decode("cp1252"), day_text(created)] for name, created, _, _ in pictures]
        check(captions == expected, f"{child}: captions {captions}")
        alts = [f.find_element(By.TAG_NAME, "img").get_attribute("alt") for f in figures]
        check(alts == [e[0] for e in expected], f"{child}: alt texts {alts}")
    left_out = driver.find_element(By.CSS_SELECTOR, ".left-out").text
    check("QuilloryPicDamaged.pdb" in left_out, f"the damaged database is listed: {left_out!r}")
    check(not driver.find_elements(By.CSS_SELECTOR, "img[src=x]"), "a picture's name is text, not markup")


def check_images_load(driver):
    images = driver.find_elements(By.CSS_SELECTOR, "figure img")
    check(all(i.get_attribute("loading") == "lazy" for i in images), "thumbnails load lazily")
    for image in images:
        driver.execute_script("arguments[0].scrollIntoView()", image)
    WebDriverWait(driver, 10).until(lambda d: d.execute_script(
        "return [...document.images].every(i => i.complete)"))
    for image in images:
        natural = driver.execute_script("return arguments[0].naturalWidth", image)
        check(natural > 0 and str(natural) == image.get_attribute("width"),
              f"{image.get_attribute('src')} loads at its size ({natural})")


def check_keys(driver):
    hash_is = lambda h: WebDriverWait(driver, 5).until(lambda d: d.execute_script("return location.hash") == h)
    driver.find_element(By.ID, "t1-1").send_keys(Keys.ENTER)
    hash_is("#p1-1")
    figure = driver.find_element(By.ID, "p1-1")
    check(figure.value_of_css_property("position") == "fixed", "the picture opens over the page")
    scale = driver.execute_script(
        "const i = arguments[0].querySelector('img');"
        "return i.getBoundingClientRect().width * devicePixelRatio / i.naturalWidth", figure)
    check(scale >= 2 and abs(scale - round(scale)) < 1e-6, f"opened large by whole pixels ({scale})")
    check(figure.find_element(By.TAG_NAME, "img").value_of_css_property("image-rendering") == "pixelated",
          "never blurred")
    for key, expected in ((Keys.ARROW_RIGHT, "#p1-2"), (Keys.ARROW_RIGHT, "#p1-3"), (Keys.ARROW_LEFT, "#p1-2")):
        driver.switch_to.active_element.send_keys(key)
        hash_is(expected)
    driver.switch_to.active_element.send_keys(Keys.ESCAPE)
    hash_is("#t1-2")
    check(driver.switch_to.active_element.get_attribute("id") == "t1-2", "Escape gives the focus back to the picture")
    check(driver.find_element(By.ID, "p1-2").value_of_css_property("position") != "fixed", "Escape closes it")


def check_requests(driver):
    urls = []
    for entry in driver.get_log("performance"):
        found = re.search(r'"method":"Network.requestWillBeSent".*?"url":"([^"]*)"', entry["message"])
        if found:
            urls.append(found.group(1))
    check(urls and all(u.startswith("file://") for u in urls), f"only files of the album are asked for: "
          f"{[u for u in urls if not u.startswith('file://')][:5]}")


def check_phone(driver):
    driver.set_window_size(390, 844)
    overflow = driver.execute_script("return document.documentElement.scrollWidth - document.documentElement.clientWidth")
    check(overflow <= 0, f"no sideways scrolling on a phone ({overflow} px)")


def check_print_buttons(driver):
    driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": "print"})
    check(not any(e.is_displayed() for e in driver.find_elements(By.CSS_SELECTOR, "nav, .step a")), "no buttons printed")
    driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": ""})


def check_pdf(pdf, paper):
    """The printed pages: each caption has its picture right above it, and no
    page holds two children's pictures."""
    folder = os.path.dirname(pdf)
    subprocess.run(["pdftoppm", "-r", "72", "-png", pdf, os.path.join(folder, paper)], check=True)
    subprocess.run(["pdftotext", "-bbox", pdf, os.path.join(folder, paper + ".html")], check=True)
    with open(os.path.join(folder, paper + ".html"), encoding="utf-8") as f:
        text = f.read()
    pages = re.split(r"<page ", text)[1:]
    rasters = sorted(glob.glob(os.path.join(folder, paper + "-*.png")))
    check(len(rasters) == len(pages) >= 2, f"{paper}: {len(pages)} pages")
    child_of = {name.decode("cp1252").split()[0]: child for child, pictures in family() for name, _, _, _ in pictures}
    children_on = []
    found = set()
    for page, raster in zip(pages, rasters):
        image = Image.open(raster).convert("RGB")
        names = set()
        for x0, y0, x1, _, word in re.findall(
                r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>', page):
            word = html.unescape(word)
            if not word.startswith("QuilloryPic") or word.endswith(".pdb:"):
                continue
            names.add(child_of.get(word))
            found.add(word)
            x, y = float(x0), float(y0)
            above = [image.getpixel((int(x) + dx, int(y) - dy)) for dx in range(4, 30, 5) for dy in range(12, 28, 4)]
            check(all(p != (255, 255, 255) for p in above), f"{paper}: the picture stands above caption {word}")
        children_on.append(names)
    check(all(len(c) <= 1 for c in children_on), f"{paper}: a page per child {children_on}")
    check(found == set(child_of), f"{paper}: every caption printed: {sorted(set(child_of) - found)}")


def main():
    qalbum = sys.argv[1]
    with tempfile.TemporaryDirectory() as work:
        palm, dest = os.path.join(work, "Palm"), os.path.join(work, "Album")
        damaged = write_family(palm)
        make_album(qalbum, palm, dest, damaged)
        before = snapshot(dest)
        make_album(qalbum, palm, dest, damaged)
        check(snapshot(dest) == before, "made again, the album changes no file")
        index = os.path.join(dest, "index.html")
        parser = html5lib.HTMLParser(strict=True)
        with open(index, "rb") as f:
            try:
                parser.parse(f)
            except html5lib.html5parser.ParseError as error:
                check(False, f"valid HTML: {error}")
        url = "file://" + index

        driver = browser()
        try:
            driver.get(url)
            check_contents(driver)
            check_images_load(driver)
            check_keys(driver)
            check_print_buttons(driver)
            a4 = driver.execute_cdp_cmd("Page.printToPDF", {"paperWidth": 8.27, "paperHeight": 11.69})
            check_requests(driver)
            check_phone(driver)
        finally:
            driver.quit()
        with open(os.path.join(work, "a4.pdf"), "wb") as f:
            f.write(base64.b64decode(a4["data"]))
        check_pdf(os.path.join(work, "a4.pdf"), "a4")
        # Letter is Chromium's own paper size.
        letter = os.path.join(work, "letter.pdf")
        subprocess.run([CHROMIUM, "--headless=new", "--no-sandbox", "--disable-gpu", "--no-pdf-header-footer",
                        f"--print-to-pdf={letter}", "--virtual-time-budget=5000", url],
                       capture_output=True, timeout=60)
        check_pdf(letter, "letter")

        driver = browser(javascript=False)
        try:
            driver.get(url)
            driver.find_element(By.ID, "t1-1").click()
            check(driver.find_element(By.ID, "p1-1").value_of_css_property("position") == "fixed",
                  "without the script a picture still opens")
            driver.find_element(By.CSS_SELECTOR, "#p1-1 a.next").click()
            check(driver.execute_script("return location.hash") == "#p1-2", "and its link goes to the next one")
            driver.find_element(By.CSS_SELECTOR, "#p1-2 a.close").click()
            check(driver.find_element(By.ID, "p1-2").value_of_css_property("position") != "fixed", "and back")
        finally:
            driver.quit()

    print(f"Album in the browser: {'ok' if not failures else str(len(failures)) + ' failed'}")
    return 1 if failures else 0


if __name__ == "__main__":
    started = time.monotonic()
    status = main()
    print(f"({time.monotonic() - started:.1f} s)")
    sys.exit(status)
