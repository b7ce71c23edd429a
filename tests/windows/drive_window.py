#!/usr/bin/env python3
"""drive_window.py [--program EXE] [--artefacts DIR]: the Windows program as a
person uses it, under Wine on Xvfb with real X input. A Palm Desktop with two
users; the splash and the main window; users picked by keyboard and by mouse;
pictures shown on a click and on the arrow keys; Export All from the menu and
from the tool bar, each file the same bytes as qalbum convert writes; Save As
through the common dialog with a typed path; About closed with a click; Exit.
Prints one line per step and "Windows window: N passed, N failed"; exits with
77 (skipped) while the program is not built."""
import argparse
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools", "wine-desktop"))
from palm_desktop import APP_TITLE, ROOT, WINDOWS_BIN, PalmDesktop  # noqa: E402
from program_window import (MainWindow, check_about_box, check_exported, check_splash, copy_program,  # noqa: E402
                            expect_same_file, missing_parts)
from wine_desktop import Failure, Session, Steps, wait_until  # noqa: E402

SKIPPED = 77


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default=os.path.join(WINDOWS_BIN, "QuilloryAlbum.exe"))
    parser.add_argument("--artefacts", default=os.path.join(ROOT, "build", "windows-window"))
    args = parser.parse_args()
    missing = missing_parts(args.program)
    if missing:
        print(f"Windows window: skipped: {missing}")
        return SKIPPED
    steps = Steps("Windows window", args.artefacts)
    with Session() as session:
        steps.desktop = session.desktop
        palm = PalmDesktop(os.path.join(session.folder, "desktop"))
        palm.register(session.wine)
        program = copy_program(args.program, os.path.join(session.folder, "program"))
        try:
            Scenario(session, palm, program, steps).run()
        except Steps.Abort:
            pass
        steps.keep_log(session.wine.log_path)
    return steps.summary()


class Scenario:
    def __init__(self, session, palm, program, steps):
        self.session = session
        self.desktop = session.desktop
        self.palm = palm
        self.program = program
        self.steps = steps
        self.main = None
        self.process = None
        self.shown = None  # the database whose picture the window shows

    def run(self):
        anna, tom = PalmDesktop.USERS
        self.process = self.session.wine.start(self.program)
        try:
            self.steps.run("the splash: a shaped 200 x 220 about box that closes by itself before the main window",
                           lambda: check_splash(self.desktop, self.process, timeout=90), fatal=True)
            self.steps.run("the main window: centred, its client area framed, with the keyboard focus",
                           self.main_window, fatal=True)
            self.steps.run(f"{tom} picked with the keyboard (Tab, alt+Down, Down, Return); a click shows his picture",
                           lambda: self.pick_user_by_keyboard(tom))
            self.steps.run("the Down key shows the next picture of the list", lambda: self.next_picture(tom))
            self.steps.run(f"{anna} picked with the mouse in the user box; a click shows her first picture",
                           lambda: self.pick_user_by_mouse(anna))
            self.steps.run("Export All from the menu by keyboard: every picture as qalbum convert writes it",
                           lambda: self.export_all(anna, self.main.menu_export_all, first=1))
            after_first = len(self.palm.databases(anna)) + 1
            self.steps.run("Export All from its tool bar button: the next numbers, the same pictures",
                           lambda: self.export_all(anna, self.main.tool_export_all, first=after_first))
            self.steps.run("Save As: a typed path in the common dialog gets the picture shown", self.save_as)
            self.steps.run("About from the Help menu: the about box stays until a click closes it",
                           lambda: check_about_box(self.desktop, self.main.menu_about))
            self.steps.run("Exit from the menu ends the program", self.exit)
        finally:
            if self.process.poll() is None:
                self.process.kill()
                self.process.wait()

    def main_window(self):
        self.main = MainWindow(self.desktop.wait_window(APP_TITLE, 30, process=self.process))
        self.main.check_frame()
        self.main.window.wait_focus()

    def show_entry(self, user, index):
        """Clicks entry `index` of the picture list and checks that caption and
        picture are those of the user's database of that place."""
        database = self.palm.databases(user)[index]
        self.main.click_list_entry(index)
        self.expect_picture(database)

    def expect_picture(self, database):
        caption = self.palm.caption(database)
        self.main.wait_caption(caption)
        self.main.wait_picture(self.palm.reference_image(database), os.path.basename(database))
        self.shown = database

    def pick_user_by_keyboard(self, user):
        self.main.pick_user_by_keyboard(steps_down=PalmDesktop.USERS.index(user))
        self.show_entry(user, 0)

    def next_picture(self, user):
        self.main.window.keys("Down")
        self.expect_picture(self.palm.databases(user)[1])

    def pick_user_by_mouse(self, user):
        self.main.pick_user_by_mouse(PalmDesktop.USERS.index(user), len(PalmDesktop.USERS))
        self.show_entry(user, 0)

    def export_all(self, user, command, first):
        """Runs Export All and checks the files it adds to the user's folder
        beside the program, numbered from `first` in list order."""
        folder = os.path.join(os.path.dirname(self.program), user)
        databases = self.palm.databases(user)
        command()
        self.main.dismiss_message(timeout=60)
        return check_exported(self.palm, folder, databases, first)


    def save_as(self):
        if self.shown is None:
            raise Failure("no picture was shown to save: the steps that show one failed")
        target = os.path.join(self.session.folder, "saved", "Saved picture.bmp")
        os.makedirs(os.path.dirname(target))
        self.main.save_as(self.session.wine.windows_path(target))
        wait_until(f"{target} to be written", lambda: os.path.exists(target), 20)
        expect_same_file(target, self.palm.reference_bmp(self.shown))

    def exit(self):
        self.main.menu_exit()
        self.main.window.wait_gone(30, "the main window to close after Exit")
        wait_until("the program to end after Exit", lambda: self.process.poll() is not None, 30)
        if self.process.returncode != 0:
            raise Failure(f"the program ended with exit status {self.process.returncode}")


if __name__ == "__main__":
    started = time.monotonic()
    status = main()
    print(f"drive_window.py took {time.monotonic() - started:.0f} s")
    sys.exit(status)
