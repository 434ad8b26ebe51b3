#!/usr/bin/env python3
"""What a desktop does to the game's window: minimise and restore, a close while minimised, a size it forces."""

import math
import time

import skyvane_window as sw
from window_manager import WindowManager

MINIMISED_SECONDS = 5.0
# Every enemy moves left at 320 to 480 units a second. Between the screenshots around a
# minimise the game runs only while the screenshots are taken; had it played on while
# minimised, every enemy would have crossed the field.
FASTEST = 480
SPRITE_SLACK = 60
ENEMY_PIXELS = 150  # an enemy's picture has more than this lit; a shot (10 x 6) does not


def field_sprites(frame, box=None):
    """Lit things right of the craft big enough to be enemies, and the texts that never move."""
    found = frame.blobs(sw.is_lit, box or (sw.PLAYER_X + 40, 0, sw.WIDTH, sw.HEIGHT), step=2,
                        min_pixels=ENEMY_PIXELS)
    button = (sw.WIDTH - 45, sw.HEIGHT - 45)
    return [sprite for sprite in found if not (sprite.left >= button[0] and sprite.top >= button[1])]


def places(sprites):
    return sorted((round(sprite.cx), round(sprite.cy)) for sprite in sprites)


def unmatched(before, after, reach):
    """Sprites of `before` with nothing in `after` within reach of where they were."""
    return [old for old in before if not any(math.hypot(old.cx - new.cx, old.cy - new.cy) <= reach for new in after)]


def check_minimise_and_restore(exe, report):
    with sw.Game(exe) as game, WindowManager() as desktop:
        game.wait_window()

        def minimise_with_an_enemy_in_sight():
            game.steer_to(240)
            game.wait_for(field_sprites, 8, "an enemy on the field")
            shooting = time.monotonic()
            before = game.screenshot()
            desktop.iconify(game.window)
            playing = time.monotonic() - shooting
            time.sleep(MINIMISED_SECONDS)
            restoring = time.monotonic()
            desktop.restore(game.window)
            after = game.wait_for(lambda frame: sw.player_blob(frame) is not None or sw.shows_game_over(frame), 5,
                                  "the game drawn again after the restore", in_play=False)
            return before, after, playing + time.monotonic() - restoring

        before, after, played = game.retrying_lost_runs(minimise_with_an_enemy_in_sight)
        report.expect(not sw.shows_game_over(after), "the run was lost while the game was minimised", after)
        craft_before, craft_after = sw.player_blob(before), sw.player_blob(after)
        report.expect(craft_after is not None and abs(craft_after.middle_y - craft_before.middle_y) <= 3,
                      f"the craft moved while minimised: {craft_before} then {craft_after}", after)
        reach = FASTEST * played + SPRITE_SLACK
        gone = unmatched(field_sprites(before), field_sprites(after, (0, 0, sw.WIDTH, sw.HEIGHT)), reach)
        report.expect(not gone, f"sprites moved on while the game was minimised (more than {reach:.0f} units in "
                      f"{played:.2f} s of screenshots): {gone}", after)

        game.wait_for(lambda frame: places(field_sprites(frame)) != places(field_sprites(after)), 5,
                      "the field moving again", in_play=False)
        game.wait_for_next_run()
        code = game.quit()
        report.expect(code == 0, f"close button after a restore: exit code {code} (None: still running)")


def check_close_while_minimised(exe, report):
    with sw.Game(exe) as game, WindowManager() as desktop:
        game.wait_window()
        desktop.iconify(game.window)
        time.sleep(0.5)
        desktop.request_close(game.window)
        code = game.wait_exit(10)
        report.expect(code == 0, f"closed while minimised: exit code {code} (None: still running)")


class Field:
    """Where a window of a forced size shows the 960 x 640 field: as large as fits, centred."""

    def __init__(self, width, height):
        self.scale = min(width / sw.WIDTH, height / sw.HEIGHT)
        self.left = (width - sw.WIDTH * self.scale) / 2
        self.top = (height - sw.HEIGHT * self.scale) / 2

    def window_point(self, x, y):
        return self.left + x * self.scale, self.top + y * self.scale


def scaled_craft(frame, field):
    """The craft's blue parts as one blob, wherever the field puts it; None while it is not drawn."""
    x, _ = field.window_point(sw.PLAYER_X, 0)
    reach = 40 * field.scale
    blue = frame.blobs(sw.is_player_blue, (x - reach, 0, x + reach, frame.height), min_pixels=1)
    return sw.merged([part for part in blue if abs(part.cy - blue[0].cy) <= 32 * field.scale]) if blue else None


def resize_through_x(game, width, height):
    game.xdotool("windowsize", game.window, width, height)


def check_forced_size(exe, report, width, height, resize=resize_through_x, launcher=(), window_timeout=30):
    """resize(game, width, height) forces the size as a desktop would; launcher as for sw.Game."""
    field = Field(width, height)
    with sw.Game(exe, launcher=launcher) as game:
        game.wait_window(window_timeout)
        resize(game, width, height)

        def craft_drawn(frame):
            return frame.width == width and frame.height == height and scaled_craft(frame, field) is not None

        game.wait_for(craft_drawn, 15, f"the craft in the window at {width}x{height}", in_play=False)

        # The pointer over a height of the drawn field steers the craft to that height. The
        # game drops moves while the craft is on its way, so the move goes again, a pixel aside.
        target = round(field.top + 0.75 * sw.HEIGHT * field.scale)
        pointer_x = round(field.left + 0.7 * sw.WIDTH * field.scale)
        tolerance = 3 + 2 * field.scale
        deadline = time.monotonic() + 15
        aside = 0
        while True:
            game.move(pointer_x + aside, target)
            aside ^= 1
            time.sleep(0.4)
            craft = scaled_craft(game.screenshot(), field)
            if craft is not None and abs(craft.middle_y - target) <= tolerance:
                break
            if time.monotonic() > deadline:
                report.fail(f"{width}x{height}: the pointer at y={target} put the craft at {craft}", game.last_frame)
                break

        # The close button works where it is drawn; while "You Lose!" shows there is none.
        button = [round(v) for v in field.window_point(*sw.CLOSE_BUTTON)]
        code = None
        for _ in range(3):
            frame = game.wait_for(craft_drawn, 15, "the craft before closing", in_play=False)
            reach = round(15 * field.scale)
            report.expect(frame.count(sw.is_close_red, (button[0] - reach, button[1] - reach, button[0] + reach, button[1] + reach)),
                          f"{width}x{height}: no close button drawn at {button}", frame)
            game.click(*button)
            # A missed click costs this long; Wine takes a while to wind down.
            code = game.wait_exit(60)
            if code is not None:
                break
        report.expect(code == 0, f"{width}x{height}: close button at {button}: exit code {code}")


def main(args, report):
    check_minimise_and_restore(args.exe, report)
    check_close_while_minimised(args.exe, report)
    # A screen large enough for the largest window, whatever the test command's display is.
    with sw.private_display(2048, 1280):
        for width, height in ((400, 300), (1920, 1080)):
            check_forced_size(args.exe, report, width, height)


if __name__ == "__main__":
    sw.run_test(main, __doc__)
