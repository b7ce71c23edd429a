#!/usr/bin/env python3
"""windows_start.py [--program EXE] [--runs N]: starts the Windows program
under Wine on Xvfb N times (5 by default, after one run that warms Wine up)
with the two-user Palm Desktop, and prints for each run and as medians the
times from the start to the splash shown, the splash shown, from the splash's
end to the main window mapped, and from the start to the main window mapped;
the times come from the X server's map and unmap notices. Goal: the main
window within 1 s of the splash's end."""
import argparse
import os
import select
import statistics
import sys
import time

from Xlib import X

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tools", "wine-desktop"))
from palm_desktop import APP_TITLE, WINDOWS_BIN, PalmDesktop  # noqa: E402
from program_window import ABOUT_TITLE, MainWindow, missing_parts  # noqa: E402
from wine_desktop import Failure, Session  # noqa: E402

GOAL_SPLASH_TO_MAIN = 1.0


def main_window_times(desktop, start, timeout=90):
    """Seconds from `start` to the splash mapped, unmapped, and the main
    window mapped, read from the map notices of the screen's windows."""
    desktop.root.change_attributes(event_mask=X.SubstructureNotifyMask)
    x = desktop.x
    splash = None
    times = {}
    end = time.monotonic() + timeout
    while "main" not in times:
        if time.monotonic() > end:
            raise Failure(f"timed out after {timeout} s; seen: {sorted(times)}")
        if not x.pending_events():
            select.select([x.fileno()], [], [], 0.5)
        while x.pending_events():
            event = x.next_event()
            now = time.monotonic() - start
            if event.type == X.MapNotify:
                title = desktop.title_of(event.window)
                if title == ABOUT_TITLE and splash is None:
                    splash, times["splash"] = event.window.id, now
                elif title == APP_TITLE and "splash end" in times:
                    times["main"] = now
            elif event.type in (X.UnmapNotify, X.DestroyNotify) and event.window.id == splash:
                times.setdefault("splash end", now)
    desktop.root.change_attributes(event_mask=0)
    return times


def one_run(session, program):
    start = time.monotonic()
    process = session.wine.start(program)
    try:
        times = main_window_times(session.desktop, start)
        MainWindow(session.desktop.wait_window(APP_TITLE, 30)).menu_exit()
        process.wait(timeout=30)
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
    return {"to splash": times["splash"], "splash shown": times["splash end"] - times["splash"],
            "splash end to main": times["main"] - times["splash end"], "to main": times["main"]}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default=os.path.join(WINDOWS_BIN, "QuilloryAlbum.exe"))
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    missing = missing_parts(args.program)
    if missing:
        print(f"windows-start: {missing}")
        return 1
    runs = []
    with Session() as session:
        palm = PalmDesktop(os.path.join(session.folder, "desktop"))
        palm.register(session.wine)
        for n in range(args.runs + 1):
            run = one_run(session, args.program)
            label = "warm-up" if n == 0 else f"run {n}"
            print(f"{label:8} " + "  ".join(f"{k} {v:.3f} s" for k, v in run.items()), flush=True)
            if n:
                runs.append(run)
    median = {k: statistics.median(r[k] for r in runs) for k in runs[0]}
    print("median   " + "  ".join(f"{k} {v:.3f} s" for k, v in median.items()))
    verdict = "met" if median["splash end to main"] <= GOAL_SPLASH_TO_MAIN else "MISSED"
    print(f"goal: the main window within {GOAL_SPLASH_TO_MAIN:g} s of the splash's end: {verdict}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
