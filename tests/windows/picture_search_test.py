#!/usr/bin/env python3
"""picture_search_test.py: the search that tells whether the Windows window
shows a picture pixel for pixel finds it where it is, and only there: not
where its first row alone repeats, not with one pixel changed. Exit status 0 when all hold, 1 otherwise, 77 when Pillow
is missing."""
import os
import random
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "wine-desktop"))
from picture_search import find_image  # noqa: E402

try:
    from PIL import Image
except ImportError:
    print("Pillow (python3-pil) is missing: skipped")
    sys.exit(77)


def noise(size, seed):
    rng = random.Random(seed)
    return Image.frombytes("RGB", size, bytes(rng.randrange(256) for _ in range(size[0] * size[1] * 3)))


def screen_with(picture, at, size=(60, 40), seed=1):
    screen = noise(size, seed)
    screen.paste(picture, at)
    return screen


def main():
    picture = noise((12, 7), 2)
    changed = picture.copy()
    changed.putpixel((11, 6), tuple(255 - c for c in changed.getpixel((11, 6))))
    # Left of the picture on its rows: another picture that begins with the same first row.
    decoy = noise((12, 7), 3)
    decoy.paste(picture.crop((0, 0, 12, 1)), (0, 0))
    behind_decoy = screen_with(picture, (30, 20))
    behind_decoy.paste(decoy, (5, 20))
    cases = [
        ("inside", screen_with(picture, (17, 9)), (17, 9)),
        ("at the bottom right corner", screen_with(picture, (48, 33)), (48, 33)),
        ("the screen itself", picture, (0, 0)),
        ("behind another with its first row", behind_decoy, (30, 20)),
        ("one pixel changed", screen_with(changed, (17, 9)), None),
        ("larger than the screen", noise((10, 10), 5), None),
    ]
    failures = 0
    for name, screen, where in cases:
        found = find_image(screen, picture)
        if found != where:
            failures += 1
            print(f"FAILED: {name}: found at {found}, not {where}")
    print(f"picture search: {len(cases) - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
