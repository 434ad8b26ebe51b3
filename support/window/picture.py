"""What a screenshot of the game shows: its layout, the colour keys of its pictures, and blobs of them.

Coordinates are window coordinates: x to the right, y down from the window's top edge.
"""

from collections import namedtuple
from pathlib import Path

WINDOW_NAME = "My Game"
WIDTH, HEIGHT = 960, 640
PLAYER_X = 320
CLOSE_BUTTON = (WIDTH - 20, HEIGHT - 20)
MESSAGE_BOX = (WIDTH // 2 - 150, HEIGHT // 2 - 50, WIDTH // 2 + 150, HEIGHT // 2 + 50)
GAME_OVER_SECONDS = 3.0


# Colour keys of the game's pictures, picked so that no other sprite shares them.
def is_player_blue(r, g, b):
    return b >= 120 and b - r >= 100 and b - g >= 40


def is_shot_yellow(r, g, b):
    # The hot core of a shot; a Bird's pale belly and eye never get this bright.
    return r >= 250 and g >= 220 and 100 <= b <= 215


def is_close_red(r, g, b):
    return r >= 150 and r - g >= 80 and r - b >= 80


def is_text_white(r, g, b):
    return r >= 190 and g >= 190 and b >= 190


def is_lit(r, g, b):
    return max(r, g, b) >= 60


class Blob(namedtuple("Blob", "pixels left top right bottom cx cy")):
    """Pixel count, bounding box (right and bottom exclusive) and mean position."""

    __slots__ = ()

    @property
    def middle_y(self):
        return (self.top + self.bottom) / 2


class Frame:
    """One screenshot of the window: a Pillow RGB image."""

    def __init__(self, image):
        self.image = image.convert("RGB")
        self.width, self.height = self.image.size

    def _clip(self, box):
        left, top, right, bottom = (int(edge) for edge in box or (0, 0, self.width, self.height))
        return max(0, left), max(0, top), min(self.width, max(left, right)), min(self.height, max(top, bottom))

    def same_as(self, other):
        return self.image.tobytes() == other.image.tobytes()

    def count(self, colour, box=None):
        return sum(1 for pixel in self.image.crop(self._clip(box)).getdata() if colour(*pixel))

    def blobs(self, colour, box=None, step=1, min_pixels=3):
        """Connected groups of pixels of one colour key, largest first; step > 1 samples a coarser grid."""
        left, top, right, bottom = self._clip(box)
        width = right - left
        pixels = list(self.image.crop((left, top, right, bottom)).getdata())
        hits = {(x, y) for y in range(top, bottom, step) for x in range(left, right, step)
                if colour(*pixels[(y - top) * width + x - left])}
        found = []
        while hits:
            stack = [hits.pop()]
            members = []
            while stack:
                x, y = stack.pop()
                members.append((x, y))
                for dx in (-step, 0, step):
                    for dy in (-step, 0, step):
                        neighbour = (x + dx, y + dy)
                        if neighbour in hits:
                            hits.remove(neighbour)
                            stack.append(neighbour)
            if len(members) * step * step >= min_pixels:
                xs = [p[0] for p in members]
                ys = [p[1] for p in members]
                found.append(Blob(len(members) * step * step, min(xs), min(ys), max(xs) + 1, max(ys) + 1,
                                  sum(xs) / len(xs), sum(ys) / len(ys)))
        return sorted(found, key=lambda blob: -blob.pixels)

    def save_png(self, path):
        path = Path(path)
        path.parent.mkdir(parents=True, exist_ok=True)
        self.image.save(path, "PNG")
        return path


def merged(blobs):
    """One blob covering all given ones (None for none)."""
    if not blobs:
        return None
    pixels = sum(blob.pixels for blob in blobs)
    return Blob(pixels, min(b.left for b in blobs), min(b.top for b in blobs), max(b.right for b in blobs),
                max(b.bottom for b in blobs), sum(b.cx * b.pixels for b in blobs) / pixels,
                sum(b.cy * b.pixels for b in blobs) / pixels)


def player_blob(frame):
    """The craft's blue parts (fin, stripe, wing) as one blob, or None; the craft always flies at PLAYER_X."""
    blue = frame.blobs(is_player_blue, (PLAYER_X - 40, 0, PLAYER_X + 40, frame.height))
    if not blue:
        return None
    # Parts of one craft lie within its 32-pixel height of the largest part.
    craft = [b for b in blue if abs(b.cy - blue[0].cy) <= 32]
    found = merged(craft)
    return found if found.pixels >= 40 else None


def shows_game_over(frame):
    """'You Lose!': white text across the middle and no craft."""
    return frame.count(is_text_white, MESSAGE_BOX) >= 60 and player_blob(frame) is None
