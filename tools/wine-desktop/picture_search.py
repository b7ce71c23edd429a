"""Finding a picture on a picture of the screen, pixel for pixel."""


def find_image(screen, picture):
    """Where `picture` appears pixel for pixel inside `screen` (both RGB
    Pillow images), as (x, y), or None."""
    (sw, sh), (pw, ph) = screen.size, picture.size
    if pw > sw or ph > sh:
        return None
    big, small = screen.tobytes(), picture.tobytes()
    first_row = small[:pw * 3]

    def matches_at(x, y):
        return all(big[((y + r) * sw + x) * 3:((y + r) * sw + x + pw) * 3] == small[r * pw * 3:(r + 1) * pw * 3]
                   for r in range(ph))

    for y in range(sh - ph + 1):
        row = big[y * sw * 3:(y + 1) * sw * 3]
        start = row.find(first_row)
        while start != -1:
            if start % 3 == 0 and matches_at(start // 3, y):
                return start // 3, y
            start = row.find(first_row, start + 1)
    return None
