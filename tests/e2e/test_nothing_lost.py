"""Real input and real session events that must leave no stale state and
lose nothing: a drag that ends outside the window, a paste right after a
pick and a copy, and the end of the Windows session.

Run: python3 -m pytest tests/e2e/test_nothing_lost.py --exe <path-to-zavrik.exe> (inside tests/with-display.sh)
"""

import os
import subprocess

import harness
import paste_after_pick
from harness import Charts, Layout

RED = (255, 0, 0)
BACKGROUND = harness.DEFAULT_GRAY


def swatch_points(layout, palette):
    return [(p, colour) for k, colour in enumerate(palette) for p in layout.swatch_inside(k)]


class DragEndedOutside(harness.ProgramTestCase):

    def test_the_next_press_on_a_dot_starts_a_fresh_drag(self):
        program = self.start()
        layout = Layout(476, 340, 8)
        program.wait_pixel(layout.hex_cx, layout.hex_cy, (255, 255, 255), what='first paint')
        apex = layout.tri_point(0, 0)
        hue = Charts(8).tri_color(0, 0)
        x, y, width, _height = program.geometry()
        slot_a = program.root_point(*layout.swatch_center(0))
        dot = program.root_point(*layout.hex_point(-8, 8))
        # Out of the window with the button held, released there, and back
        # in with Shift held for a moment.
        harness.xdotool('mousemove', slot_a[0] + 1, slot_a[1], 'sleep', '0.05',
                        'mousemove', slot_a[0], slot_a[1], 'sleep', '0.05', 'mousedown', 1,
                        'sleep', '0.05', 'mousemove', x + width // 2, y + 10, 'sleep', '0.05',
                        'mousemove', x + width + 150, y + 10, 'sleep', '1', 'mouseup', 1,
                        'sleep', '1', 'keydown', 'shift', 'mousemove', dot[0] + 1, dot[1],
                        'sleep', '0.05', 'mousemove', dot[0], dot[1], 'sleep', '0.05', 'keyup', 'shift')
        program.drag(layout.hex_point(-8, 8), layout.swatch_center(5))
        palette = [BACKGROUND] * 16
        palette[5] = RED
        program.wait_pixels(swatch_points(layout, palette) + [(apex, hue)],
                            what='the red dot in slot F and the hue unchanged')


class PasteAfterPick(harness.ProgramTestCase):

    def test_text_from_another_program_is_pasted_and_the_window_answers(self):
        program = self.start()
        paste_after_pick.pick_copy_and_paste(program)
        fields = harness.parse_settings(program.close())
        self.assertEqual(fields['palette'], paste_after_pick.pasted_palette())


class SessionEnd(harness.ProgramTestCase):

    def test_the_end_of_the_session_saves_everything(self):
        program = self.start()
        layout = Layout(476, 340, 8)
        program.wait_pixel(layout.hex_cx, layout.hex_cy, (255, 255, 255), what='first paint')
        program.drag(layout.hex_point(-8, 8), layout.swatch_center(2))
        palette = [BACKGROUND] * 16
        palette[2] = RED
        program.wait_pixels(swatch_points(layout, palette), what='red in slot C')
        self.assertFalse(os.path.exists(program.settings_path))
        ended = harness.run([harness.RUN_WINE, 'wineboot', '--end-session'], timeout=120)
        self.assertEqual(ended.returncode, 0, ended.stderr.decode('utf-8', 'replace')[-500:])
        try:
            program.process.wait(timeout=harness.CLOSE_TIMEOUT)
        except subprocess.TimeoutExpired:
            self.fail('the program was still running after the session ended')
        fields = harness.parse_settings(program.read_settings())
        self.assertEqual(fields['palette'], palette)

