"""A paste of text from another program right after a pick and a copy, the
way a user does it, run many times in a row. Each run starts the program,
hovers a triangle dot, steps the level and the hue, picks, shows the overlay,
copies, puts new text on the X clipboard with xclip and pastes it; the run
passes when the pasted palette is shown and the program still closes when
asked. Every step waits for its own effect, never for a fixed time.

Usage: python3 tests/e2e/paste_after_pick.py <path-to-zavrik.exe> [--runs N]
Exit status 0 when every run passed, 1 otherwise.
"""

import argparse
import os
import sys
import time

sys.dont_write_bytecode = True    # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from harness import Charts, Layout  # noqa: E402

BACKGROUND = harness.DEFAULT_GRAY
PASTED_TEXT = 'ABC(ff0000) Z(00ff00) E(123456)'
PASTED = {0: (255, 0, 0), 1: (255, 0, 0), 2: (255, 0, 0), 15: (0, 255, 0), 4: (0x12, 0x34, 0x56)}


AFTER_DOWN = 15 * 1024 // 8     # the level position after Down
AFTER_LEFT = 3 * 1024 // 8      # the slice position after Left


def pasted_palette():
    palette = [BACKGROUND] * 16
    for slot, colour in PASTED.items():
        palette[slot] = colour
    return palette


def swatch_points(layout, palette):
    return [(p, colour) for k, colour in enumerate(palette) for p in layout.swatch_inside(k)]


def glyph_shown(program, layout):
    shot = program.shot()
    left, top, right, bottom = layout.glyph_box()
    return any(shot.pixel(x, y) != BACKGROUND for y in range(top, bottom) for x in range(left, right))


def pick_copy_and_paste(program, quick=False):
    """The whole sequence on a program just started with default settings.
    Raises AssertionError naming the step that did not happen. Quick sends
    the keys up to the copy without waiting for their effects, as a user
    typing fast does."""
    layout = Layout(476, 340, 8)
    program.wait_pixel(layout.hex_cx, layout.hex_cy, (255, 255, 255), what='first paint')
    dot = layout.tri_point(5, 7)
    program.hover(*dot)
    program.key('Down')
    program.key('Left')
    # Down moves the level from 16 to 15 and Left the slice from 4 to 3: the
    # dot shows this colour once both keys are handled.
    colour = Charts(8, level_pos=AFTER_DOWN, slice_pos=AFTER_LEFT).tri_color(5, 7)
    if not quick:
        program.wait_pixel(dot[0], dot[1], colour, what='the triangle after Down and Left')
    program.key('space')
    if not quick:
        program.wait_pixels([(p, colour) for p in layout.panel_right_points()],
                            what='the pick in the readout')
    program.key('Tab')
    if not quick:
        harness.wait_until(lambda: glyph_shown(program, layout), harness.DRAW_TIMEOUT,
                           what='the overlay glyph after Tab')
    copied = harness.palette_text([BACKGROUND] * 16)
    if quick:
        program.key('ctrl+c')
    else:
        with program.holding('ctrl'):
            program.key('c')
            harness.wait_until(lambda: harness.get_clipboard() == copied, harness.DRAW_TIMEOUT,
                               what='the copied palette on the X clipboard')
    return paste_offered_text(program, layout, dot)


# Under Wine the clipboard manager of the desktop process, which serves the X
# clipboard to Windows programs, now and then stops answering the request to
# render the X text until another X event wakes it: a Windows program then
# reads no new text, and set_clipboard, which waits until one does, gives up.
# Offering the text again wakes the manager. Each such stall is counted and
# reported, and only a program that still answers is offered the text again.
PASTE_ATTEMPTS = 3
stalls = []


def paste_offered_text(program, layout, answer_probe):
    points = swatch_points(layout, pasted_palette())
    for attempt in range(1, PASTE_ATTEMPTS + 1):
        try:
            # Waits until a Windows program reads the text, then pastes it.
            harness.set_clipboard(PASTED_TEXT)
            with program.holding('ctrl'):
                program.key('v')
                program.wait_pixels(points, what='the pasted palette')
            return attempt
        except AssertionError:
            if attempt == PASTE_ATTEMPTS:
                raise
        still_answers(program, layout, answer_probe)
        stalls.append(attempt)
        sys.stderr.write('paste %d missed with the program answering: the clipboard manager '
                         'stalled; the text is offered again\n' % attempt)


def still_answers(program, layout, dot):
    """The readout follows the pointer from the background beside the
    hexagon to the triangle dot: the window handles its messages."""
    dot_colour = Charts(8, level_pos=AFTER_DOWN, slice_pos=AFTER_LEFT).tri_color(5, 7)
    for point, colour in (((5, layout.hex_cy), BACKGROUND), (dot, dot_colour)):
        program.hover(*point)
        program.wait_pixels([(p, colour) for p in layout.panel_left_points()],
                            what='the readout to follow the pointer (the window answering)')


def answers(program):
    """Whether the program still closes when asked."""
    try:
        program.close()
        return True
    except AssertionError:
        return False


def one_run(exe, quick):
    program = harness.Program(exe)
    try:
        try:
            pick_copy_and_paste(program, quick)
        except AssertionError as error:
            state = 'still answering' if answers(program) else 'NOT ANSWERING'
            raise AssertionError('%s; the program is %s' % (error, state)) from None
        fields = harness.parse_settings(program.close())
        if fields['palette'] != pasted_palette():
            raise AssertionError('the settings file holds another palette: %r' % (fields['palette'],))
    finally:
        program.remove()
        harness.stop_clipboard_owner()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('exe')
    parser.add_argument('--runs', type=int, default=50)
    parser.add_argument('--quick', action='store_true',
                        help='no waiting for the effects of the keys before the copy')
    args = parser.parse_args()
    exe = os.path.abspath(args.exe)
    harness.ProgramTestCase.exe = exe     # the probe lies beside it
    failures = 0
    started = time.monotonic()
    for run in range(1, args.runs + 1):
        run_started = time.monotonic()
        try:
            one_run(exe, args.quick)
            print('run %d: passed in %.1f s' % (run, time.monotonic() - run_started), flush=True)
        except AssertionError as error:
            failures += 1
            print('run %d: FAILED: %s' % (run, error), flush=True)
    print('paste_after_pick: %d of %d runs passed in %.0f s; %d pastes missed while the clipboard '
          'manager stalled, each passed when the text was offered again'
          % (args.runs - failures, args.runs, time.monotonic() - started, len(stalls)))
    sys.exit(1 if failures else 0)


if __name__ == '__main__':
    main()
