#!/usr/bin/env python3
"""installer_check.py [--installer SETUP] [--artefacts DIR]: the 64-bit
installer under Wine: a silent install (/S), the installed files under Program
Files and the uninstall entry, the installed program's Export All into the
Wine user's Pictures folder under "Quillory Album\\<user>\\", then the silent
uninstall, after which no file of ours is left. Prints one line per step and
"Windows installer: N passed, N failed"; exits with 77 (skipped) while no
installer is built."""
import argparse
import glob
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools", "wine-desktop"))
from palm_desktop import APP_TITLE, ROOT, PalmDesktop  # noqa: E402
from program_window import HELP_PAGE, MainWindow, check_exported, check_splash, missing_parts  # noqa: E402
from wine_desktop import Failure, Session, Steps, wait_until  # noqa: E402

SKIPPED = 77
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"
PROGRAM = "QuilloryAlbum.exe"
# What Wine itself writes while programs run: temporary files and its own folders.
WINE_OWN = ("windows" + os.sep, "ProgramData" + os.sep + "Microsoft" + os.sep + "Windows" + os.sep + "Caches")


def newest_installer():
    found = glob.glob(os.path.join(ROOT, "build", "windows", "package", "QuilloryAlbum-*-x64-setup.exe"))
    return max(found, key=os.path.getmtime) if found else None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--installer", default=newest_installer())
    parser.add_argument("--artefacts", default=os.path.join(ROOT, "build", "windows-window"))
    args = parser.parse_args()
    if not args.installer or not os.path.exists(args.installer):
        print("Windows installer: skipped: no build/windows/package/QuilloryAlbum-*-x64-setup.exe yet")
        return SKIPPED
    missing = missing_parts(args.installer)
    if missing:
        print(f"Windows installer: skipped: {missing}")
        return SKIPPED
    steps = Steps("Windows installer", args.artefacts)
    with Session() as session:
        steps.desktop = session.desktop
        palm = PalmDesktop(os.path.join(session.folder, "desktop"))
        palm.register(session.wine)
        try:
            InstallerCheck(session, palm, args.installer, steps).run()
        except Steps.Abort:
            pass
        steps.keep_log(session.wine.log_path)
    return steps.summary()


def is_temporary(relative):
    parts = relative.split(os.sep)
    return "Temp" in parts or "temp" in parts or "INetCache" in parts


class InstallerCheck:
    def __init__(self, session, palm, installer, steps):
        self.wine = session.wine
        self.desktop = session.desktop
        self.palm = palm
        self.installer = installer
        self.steps = steps
        self.before = self.files()
        self.entry = None  # the uninstall entry: {value name: text}
        self.folder = None  # the installed program's folder

    def files(self):
        """The files below drive C:, as paths relative to it, leaving out
        temporary files and the links into the home folder."""
        root = self.wine.drive_c()
        found = set()
        for folder, _, names in os.walk(root):
            for name in names:
                relative = os.path.relpath(os.path.join(folder, name), root)
                if not is_temporary(relative):
                    found.add(relative)
        return found

    def ours(self):
        """The files below drive C: that were not there before the install,
        apart from what Wine writes for itself."""
        return sorted(f for f in self.files() - self.before if not f.startswith(WINE_OWN))

    def run(self):
        size = os.path.getsize(self.installer) / 1e6
        self.steps.run(f"{os.path.basename(self.installer)} ({size:.2f} MB) /S installs silently", self.install,
                       fatal=True)
        self.steps.run("the program, its help page and the uninstaller under Program Files, with an uninstall entry",
                       self.installed_files, fatal=True)
        self.steps.run("the installed program exports into Pictures\\Quillory Album\\<user>\\", self.export_installed)
        self.steps.run("the silent uninstall leaves no file of ours and no uninstall entry", self.uninstall)

    def install(self):
        self.wine.run(["wine", self.installer, "/S"], timeout=300, what="the installer")

    def uninstall_entries(self):
        return {key: values for key, values in self.wine.reg_keys(UNINSTALL_KEY).items()
                if APP_TITLE in values.get("DisplayName", "")}

    def installed_files(self):
        entries = self.uninstall_entries()
        if len(entries) != 1:
            raise Failure(f"{len(entries)} uninstall entries name {APP_TITLE!r} under {UNINSTALL_KEY}")
        self.entry = next(iter(entries.values()))
        program = next((f for f in self.ours() if os.path.basename(f) == PROGRAM), None)
        if program is None:
            raise Failure(f"the install wrote no {PROGRAM}; it wrote {self.ours()}")
        if not program.startswith("Program Files" + os.sep):
            raise Failure(f"{PROGRAM} went to C:\\{program}, not under C:\\Program Files")
        self.folder = self.wine.drive_c(os.path.dirname(program))
        for needed in (HELP_PAGE, "Uninstall.exe"):
            if not os.path.exists(os.path.join(self.folder, needed)):
                raise Failure(f"no {needed} beside {PROGRAM} in {self.folder}")
        return ", ".join(os.path.relpath(self.wine.drive_c(f), self.folder) for f in self.ours()
                         if f.startswith(os.path.dirname(program)))

    def export_installed(self):
        """Starts the installed program, runs Export All from its tool bar for
        the first user and closes it with Exit."""
        user = PalmDesktop.USERS[0]
        process = self.wine.start(os.path.join(self.folder, PROGRAM))
        try:
            check_splash(self.desktop, process, timeout=90)
            main = MainWindow(self.desktop.wait_window(APP_TITLE, 30, process=process))
            main.tool_export_all()
            main.dismiss_message(timeout=60)
            album = os.path.join(self.wine.user_folder("Pictures"), APP_TITLE, user)
            exported = check_exported(self.palm, album, self.palm.databases(user), first=1)
            if os.path.exists(os.path.join(self.folder, user)):
                raise Failure(f"the installed program also exported beside itself into {self.folder}")
            main.menu_exit()
            wait_until("the installed program to end after Exit", lambda: process.poll() is not None, 30)
        finally:
            if process.poll() is None:
                process.kill()
                process.wait()
        return exported

    def uninstall_command(self):
        """The quiet uninstall command of the entry: the program and its arguments."""
        command = self.entry.get("QuietUninstallString") or (self.entry.get("UninstallString", "") + " /S")
        if command.startswith('"'):
            program, _, rest = command[1:].partition('"')
        else:
            program, _, rest = command.partition(" ")
        if not program:
            raise Failure(f"the uninstall entry gives no uninstaller: {self.entry}")
        return program, rest.split()

    def uninstall(self):
        program, args = self.uninstall_command()
        self.wine.run(["wine", program, *args], timeout=300, what="the uninstaller")
        # The uninstaller runs on from a copy of itself in the temporary folder.
        wait_until("the uninstall to remove every file of ours", lambda: not self.ours(), 60,
                   seen=lambda: f"left: {self.ours()}")
        if self.uninstall_entries():
            raise Failure("the uninstall entry is still in the registry")
        return f"{program} {' '.join(args)}"


if __name__ == "__main__":
    started = time.monotonic()
    status = main()
    print(f"installer_check.py took {time.monotonic() - started:.0f} s")
    sys.exit(status)
