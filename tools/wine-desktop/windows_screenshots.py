#!/usr/bin/env python3
"""windows_screenshots.py PROGRAM MAIN_PNG SPLASH_PNG: starts the Windows
program under Wine on Xvfb with the two-user Palm Desktop and saves the
splash (the about box, see-through where its window region cuts it) and the
main window, frame and caption as Wine draws them, showing the first user's
first large picture."""
import os
import sys

from PIL import Image

from palm_desktop import APP_TITLE, PalmDesktop
from program_window import ABOUT_TITLE, MainWindow
from wine_desktop import Session


def save_shaped(window, path):
    """The window's picture, transparent outside its bounding shape."""
    image = window.painted_screenshot()
    rectangles = window.shape_rectangles()
    if rectangles is not None:
        mask = Image.new("L", image.size, 0)
        for x, y, width, height in rectangles:
            mask.paste(255, (x, y, x + width, y + height))
        image.putalpha(mask)
    image.save(path)


def main(program, main_png, splash_png):
    with Session() as session:
        palm = PalmDesktop(os.path.join(session.folder, "desktop"))
        palm.register(session.wine)
        process = session.wine.start(program)
        try:
            save_shaped(session.desktop.wait_window(ABOUT_TITLE, 90, process=process), splash_png)
            print(f"Saved {splash_png}")
            main_window = MainWindow(session.desktop.wait_window(APP_TITLE, 30, process=process))
            databases = palm.databases(PalmDesktop.USERS[0])
            index = next(i for i, d in enumerate(databases) if palm.reference_image(d).width > 160)
            main_window.click_list_entry(index)
            main_window.wait_caption(palm.caption(databases[index]))
            main_window.wait_picture(palm.reference_image(databases[index]), os.path.basename(databases[index]))
            main_window.window.painted_screenshot(main_png)
            print(f"Saved {main_png}")
            main_window.menu_exit()
            process.wait(timeout=30)
        finally:
            if process.poll() is None:
                process.kill()
                process.wait()


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
