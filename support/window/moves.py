"""What a player does to a running Game and what the picture shows after it; shared by the Linux and Wine checks."""

import math
import time

from game import RunLost
from picture import CLOSE_BUTTON, HEIGHT, PLAYER_X, WIDTH, is_close_red, is_lit, is_player_blue, is_shot_yellow
from picture import merged, player_blob, shows_game_over

ENEMY_PIXELS = 150  # an enemy's picture has more than this lit; a shot (10 x 6) does not


def field_sprites(frame, box=None):
    """Lit things right of the craft big enough to be enemies, and the texts that never move."""
    found = frame.blobs(is_lit, box or (PLAYER_X + 40, 0, WIDTH, HEIGHT), step=2, min_pixels=ENEMY_PIXELS)
    button = (WIDTH - 45, HEIGHT - 45)
    return [sprite for sprite in found if not (sprite.left >= button[0] and sprite.top >= button[1])]


def places(sprites):
    return sorted((round(sprite.cx), round(sprite.cy)) for sprite in sprites)


def steer(game, height):
    """The first frame with the craft at height, in this run or a later one."""
    def craft_at_height(frame):
        craft = player_blob(frame)
        return craft is not None and abs(craft.middle_y - height) <= 3

    def step():
        game.steer_to(height)
        return game.wait_for(craft_at_height, 5, f"the craft at height {height}")

    return game.retrying_lost_runs(step)


def shots_ahead(frame, craft):
    """Yellow shots on the craft's row, right of it."""
    box = (craft.right, craft.top, WIDTH, craft.bottom)
    return [shot for shot in frame.blobs(is_shot_yellow, box) if abs(shot.cy - craft.middle_y) <= 4]


def fire_and_cease(game):
    """Holds the left button until shots fly, releases it until none do; raises GameError when either fails."""
    def step():
        craft = player_blob(game.screenshot())
        if craft is None:
            # An enemy ended the run just now: "You Lose!" shows, and a new run follows.
            raise RunLost("no craft to fire from", game.last_frame)
        game.press(1)
        try:
            # A shot every 0.15 s at one width per second: several are on screen at once.
            game.wait_for(lambda frame: len(shots_ahead(frame, craft)) >= 2, 5, "shots right of the craft")
        finally:
            game.release(1)
        time.sleep(0.3)
        return game.wait_for(lambda frame: not shots_ahead(frame, craft), 3, "the shots to stop after release")

    game.retrying_lost_runs(step)


def wait_for_the_field_to_move(game, since):
    game.wait_for(lambda frame: places(field_sprites(frame)) != places(field_sprites(since)), 5,
                  "the field moving again", in_play=False)


class Field:
    """Where a window of a forced size shows the 960 x 640 field: as large as fits, centred."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.scale = min(width / WIDTH, height / HEIGHT)
        self.left = (width - WIDTH * self.scale) / 2
        self.top = (height - HEIGHT * self.scale) / 2

    def window_point(self, x, y):
        return self.left + x * self.scale, self.top + y * self.scale

    def craft(self, frame):
        """The craft's blue parts as one blob, wherever the field puts it; None while it is not drawn."""
        x, _ = self.window_point(PLAYER_X, 0)
        reach = 40 * self.scale
        blue = frame.blobs(is_player_blue, (x - reach, 0, x + reach, frame.height), min_pixels=1)
        return merged([part for part in blue if abs(part.cy - blue[0].cy) <= 32 * self.scale]) if blue else None

    def shows_craft(self, frame):
        return frame.width == self.width and frame.height == self.height and self.craft(frame) is not None


def wait_for_forced_size(game, field):
    game.wait_for(field.shows_craft, 15, f"the craft in the window at {field.width}x{field.height}", in_play=False)


def steer_in_field(game, field):
    """Points at three quarters of the drawn field's height; returns (that height, where the craft went).

    The game drops moves while the craft is on its way, so the move goes again, a pixel aside.
    """
    target = round(field.top + 0.75 * HEIGHT * field.scale)
    pointer_x = round(field.left + 0.7 * WIDTH * field.scale)
    tolerance = 3 + 2 * field.scale
    deadline = time.monotonic() + 15
    aside = 0
    while True:
        game.move(pointer_x + aside, target)
        aside ^= 1
        time.sleep(0.4)
        craft = field.craft(game.screenshot())
        if (craft is not None and abs(craft.middle_y - target) <= tolerance) or time.monotonic() > deadline:
            return target, craft, tolerance


def close_in_field(game, field, tries=3, wait=60):
    """Clicks the close button where the field draws it; returns (red pixels under it at each try, exit code).

    While "You Lose!" shows there is no button, so each try waits for the craft first. A missed
    click costs `wait` seconds; Wine takes a while to wind down.
    """
    button = [round(v) for v in field.window_point(*CLOSE_BUTTON)]
    reach = round(15 * field.scale)
    reds = []
    for _ in range(tries):
        frame = game.wait_for(field.shows_craft, 15, "the craft before closing", in_play=False)
        reds.append(frame.count(is_close_red, (button[0] - reach, button[1] - reach,
                                               button[0] + reach, button[1] + reach)))
        game.click(*button)
        code = game.wait_exit(wait)
        if code is not None:
            return reds, code
    return reds, None


# Every enemy moves left at 320 to 480 units a second. Between the screenshots around a hide the
# game runs only while the screenshots are taken; had it played on while hidden, every enemy
# would have crossed the field.
FASTEST = 480
SPRITE_SLACK = 60


def unmatched(before, after, reach):
    """Sprites of `before` with nothing in `after` within reach of where they were."""
    return [old for old in before if not any(math.hypot(old.cx - new.cx, old.cy - new.cy) <= reach for new in after)]


def sprites_that_moved_on(before, after, played):
    """Enemies of `before` gone further by `after` than `played` seconds of play could take them."""
    reach = FASTEST * played + SPRITE_SLACK
    return unmatched(field_sprites(before), field_sprites(after, (0, 0, WIDTH, HEIGHT)), reach)


def hidden_for_a_while(game, hide, show, seconds):
    """Hides the game with an enemy in sight for `seconds`, then shows it again.

    Returns the frames before and after, and how long the game could have played in between
    (while the screenshots were taken).
    """
    def step():
        game.steer_to(240)
        game.wait_for(field_sprites, 8, "an enemy on the field")
        shooting = time.monotonic()
        before = game.screenshot()
        hide()
        playing = time.monotonic() - shooting
        time.sleep(seconds)
        restoring = time.monotonic()
        show()
        after = game.wait_for(lambda frame: player_blob(frame) is not None or shows_game_over(frame), 5,
                              "the game drawn again after it was shown", in_play=False)
        return before, after, playing + time.monotonic() - restoring

    return game.retrying_lost_runs(step)

