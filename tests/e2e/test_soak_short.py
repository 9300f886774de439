"""A storm of random keys, clicks, drags and wheel turns on the running
program, which must still answer and write a well-formed settings file at
exit. The suite sends a few hundred actions; `make soak` thousands, through
ZAVRIK_SOAK_ACTIONS (and ZAVRIK_SOAK_SEED for one seed of its own).
"""

import os
import random
import time

import pytest

import harness
from harness import Layout

ACTIONS = int(os.environ.get('ZAVRIK_SOAK_ACTIONS', '300'))
SEEDS = [int(os.environ['ZAVRIK_SOAK_SEED'])] if os.environ.get('ZAVRIK_SOAK_SEED') else [20240601, 7]

# Keys the program maps, plus a few it ignores. Nothing that closes the window
# or opens the system menu (Alt, F10) is sent.
KEYS = ('Up', 'Down', 'Left', 'Right', 'shift+Up', 'shift+Down', 'shift+Left', 'shift+Right',
        'Tab', 'space', 'ctrl+c', 'ctrl+v', 'ctrl+x', 'Escape', 'Return', 'a', 'z', 'Home', 'Delete')
MODIFIERS = (None, None, None, 'shift', 'ctrl')
BATCH = 25
CATCH_UP_TIMEOUT = 60.0


def press(button):
    # A press and a release with no pause between them (xdotool's click
    # waits about 100 ms).
    return ['mousedown', button, 'mouseup', button]


class Storm:
    def __init__(self, program, rng):
        self.program = program
        self.rng = rng
        self.refresh_geometry()

    def refresh_geometry(self):
        self.x, self.y, self.width, self.height = self.program.geometry()

    def point(self):
        """A random root point, nearly always over the client area, now and
        then just outside it."""
        rng = self.rng
        if rng.random() < 0.04:
            return (self.x + self.width + rng.randrange(1, 40), self.y + rng.randrange(self.height))
        return self.x + rng.randrange(self.width), self.y + rng.randrange(self.height)

    def with_modifier(self, commands):
        modifier = self.rng.choice(MODIFIERS)
        if modifier is None:
            return commands
        return ['keydown', modifier] + commands + ['keyup', modifier]

    def action(self):
        """xdotool commands of one random action."""
        rng = self.rng
        kind = rng.random()
        if kind < 0.30:
            return ['key', '--delay', '1', rng.choice(KEYS)]
        x, y = self.point()
        if kind < 0.45:
            return ['mousemove', x, y]
        if kind < 0.65:
            return self.with_modifier(['mousemove', x, y] + press(rng.choice((1, 1, 3))))
        if kind < 0.80:
            ex, ey = self.point()
            return self.with_modifier(['mousemove', x, y, 'mousedown', 1, 'mousemove', (x + ex) // 2,
                                       (y + ey) // 2, 'mousemove', ex, ey, 'mouseup', 1])
        if kind < 0.97:
            return self.with_modifier(['mousemove', x, y] + press(rng.choice((4, 5))))
        # The size box: a turn over it changes the grid (and the window width).
        return (['mousemove', self.x + rng.randrange(10, 70), self.y + rng.randrange(10, 28)]
                + press(rng.choice((4, 5))))

    def run_batch(self, count):
        commands = ['windowfocus', self.program.window]
        for _ in range(count):
            commands += self.action()
            commands += ['sleep', '0.005']
        # Leave no button or modifier held for the next batch.
        commands += ['mouseup', 1, 'keyup', 'shift', 'keyup', 'ctrl']
        harness.xdotool(*commands, timeout=300)


def settle(program):
    """Ends whatever the storm left open: a dropped list of the size box, a
    held button or modifier, a carried colour (a click right of the level
    track, over nothing, ends a drag)."""
    harness.xdotool('keyup', 'shift', 'keyup', 'ctrl', 'mouseup', 1, 'mouseup', 3)
    program.key('Escape')
    width, height = program.client_size()
    program.click(width - 10, height // 2)


def check_hover_answers(program):
    """Sets the smallest grid (eleven turns over the size box, the surplus
    ones do nothing), then checks that hovering three corners of the hexagon
    shows their pure colours in the readout panel within a bounded wait."""
    program.wheel(38, 14, away=True, count=11)
    height = program.client_size()[1]
    width = harness.width_for_height(height, 4)
    try:
        harness.wait_until(lambda: program.client_size()[0] == width, CATCH_UP_TIMEOUT,
                           what='the grid-4 width %d (client %r)' % (width, program.client_size()))
    except AssertionError as error:
        raise AssertionError('%s; picture %s'
                             % (error, harness.save_failure_picture(program.shot(), 'soak'))) from None
    layout = Layout(width, height, 4)
    corners = layout.hex_corners()
    for point, colour in ((corners[0], (0, 255, 0)), (corners[2], (0, 0, 255)), (corners[4], (255, 0, 0))):
        program.hover(*point, shows=[(p, colour) for p in layout.panel_left_points()],
                      what='readout of the colour under %s after the storm' % (point,))


def soak(exe, actions, seed, log=print):
    rng = random.Random(seed)
    program = harness.Program(exe)
    try:
        storm = Storm(program, rng)
        done = 0
        started = time.monotonic()
        while done < actions:
            count = min(BATCH, actions - done)
            storm.run_batch(count)
            done += count
            if not program.running():
                raise AssertionError('the program ended after %d actions (status %s)'
                                     % (done, program.process.returncode))
            if not program.window_exists():
                raise AssertionError('the main window is gone after %d actions' % done)
            storm.refresh_geometry()
        log('soak: %d actions (seed %d) in %.1f s; client now %d x %d'
            % (done, seed, time.monotonic() - started, storm.width, storm.height))
        settle(program)
        # The storm may have left a backlog of input and repaints; let it drain.
        drained = time.monotonic()
        program.wait_stable(timeout=CATCH_UP_TIMEOUT)
        log('soak: picture settled %.1f s after the storm' % (time.monotonic() - drained))
        check_hover_answers(program)
        text = program.close()
        problems = harness.settings_problems(text)
        if problems:
            raise AssertionError('settings file written at exit: %s\n%s' % ('; '.join(problems), text))
        log('soak: program answered after the storm; settings file well formed')
    finally:
        program.remove()
        harness.stop_clipboard_owner()


@pytest.mark.parametrize('seed', SEEDS)
def test_random_input_leaves_the_program_answering(exe, seed):
    soak(exe, ACTIONS // len(SEEDS), seed)
