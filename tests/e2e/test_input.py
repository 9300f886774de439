"""Real input on the real program: hovering, keys, wheel, picking, the
overlay toggle, palette drags, clipboard exchange, the size box, restoring
the state after a restart, and damaged settings files.
"""

import contextlib

import pytest

import harness
from harness import Charts, Layout, start_default

WHITE, BLACK = (255, 255, 255), (0, 0, 0)
RED, GREEN, BLUE = (255, 0, 0), (0, 255, 0), (0, 0, 255)
BACKGROUND = harness.DEFAULT_GRAY
ROOT_COLOR = (0x12, 0x34, 0x56)
# The cross over a marker zone, where a press moves the level or the hue;
# only a move the program has seen there shows it.
MARKER_CURSOR_HOTSPOT = (15, 15)


class Navigation:
    """Where the level and the hue position go under the arrow keys, the
    wheel and a pick, in the program's 1/1024 units."""

    def __init__(self, n, level_pos=2048, sector=0, slice_pos=512):
        self.n, self.level_pos, self.sector, self.slice_pos = n, level_pos, sector, slice_pos

    def level(self):
        return self.charts().level

    def slice(self):
        return self.charts().slice

    def set_level(self, level):
        if level != self.level():
            self.level_pos = harness.stored_position(self.n, level)

    def set_slice(self, sector, slice_):
        if (sector, slice_) != (self.sector, self.slice()):
            self.sector, self.slice_pos = sector, harness.stored_position(self.n, slice_)

    def step_level(self, direction, coarse=False):
        self.set_level(harness.step_level(self.n, self.level_pos, direction, coarse))

    def step_slice(self, direction, coarse=False):
        self.set_slice(*harness.step_slice(self.n, self.sector, self.slice_pos, direction, coarse))

    def jump_to(self, located):
        """Where the charts go for a pick the program located."""
        sector, slice_pos, level_pos = located
        if sector >= 0:
            self.set_slice(sector, Charts(self.n, self.level_pos, sector, slice_pos).slice)
        if level_pos >= 0:
            self.set_level(Charts(self.n, level_pos).level)

    def charts(self):
        return Charts(self.n, self.level_pos, self.sector, self.slice_pos)


HEX_SAMPLES = ((0, 0), (0, -2), (2, -4), (-3, 1), (1, 5), (-2, -6))
TRI_SAMPLES = ((0, 0), (1, 1), (4, 3), (5, 8), (3, 6))


def chart_points(layout, charts):
    """A few dot centres of both charts with the colours they must show."""
    points = [(layout.hex[a, b], charts.hex[a, b]) for a, b in HEX_SAMPLES]
    points += [(layout.tri[i, j], charts.tri[i, j]) for i, j in TRI_SAMPLES if i <= layout.n]
    return points


def level_marker_inside(layout, level):
    """A point inside the level marker's black triangle."""
    x = layout.tri_left + (2 * layout.n + 1) * layout.unit + 3
    y = layout.hex_cy + 2 * (layout.n - level) * layout.unit - 1
    return x + 6, y


def start_and_paste(start, text, palette, what):
    """The program at its first-run state with text pasted from another
    program, once Wine has taken that text."""
    harness.set_clipboard(text)
    program, layout = start_default(start)
    with program.holding('ctrl'):
        program.key('v')
        program.wait_pixels(layout.swatch_points(palette), what=what)
    return program, layout


def assert_charts(program, layout, navigation, what):
    program.wait_pixels(chart_points(layout, navigation.charts()), what=what)


def holding_if(program, modifier):
    return program.holding(modifier) if modifier else contextlib.nullcontext()


def test_readout_panel_takes_the_colour_under_the_pointer(start):
    program, layout = start_default(start)
    charts = Charts(8)
    targets = [layout.hex[0, 0], layout.hex[-8, 8], layout.hex[2, -4], layout.tri[4, 3], layout.hex[5, 3]]
    colours = [charts.hex[0, 0], RED, charts.hex[2, -4], charts.tri[4, 3], charts.hex[5, 3]]
    for point, colour in zip(targets, colours):
        program.hover(*point, shows=[(point, colour)] + [(p, colour) for p in layout.panel_whole_points()],
                      what='panel showing the colour under %s' % (point,))


def test_up_and_down_move_the_level(start):
    program, layout = start_default(start)
    nav = Navigation(8)
    # Shift held or not, keys pressed, and the level (0..16) they lead to.
    walk = ((None, ['Down'], 15), (None, ['Down', 'Down'], 13), (None, ['Up'], 14),
            ('shift', ['Down'], 10), ('shift', ['Down'] * 3, 0), (None, ['Down'], 0),
            ('shift', ['Up'], 4), (None, ['Up'] * 12, 16))
    for modifier, keys, level in walk:
        old_level = nav.level()
        for key in keys:
            nav.step_level(1 if key == 'Up' else -1, modifier == 'shift')
        assert nav.level() == level
        centre = (layout.hex_cx, layout.hex_cy)
        points = [(centre, (harness.gray_for_level(8, level),) * 3)]
        points += chart_points(layout, nav.charts())
        points.append((level_marker_inside(layout, level), BLACK))
        if old_level != level:
            points.append((level_marker_inside(layout, old_level), BACKGROUND))
        with holding_if(program, modifier):
            program.key(*keys)
            program.wait_pixels(points, what='charts at level %d after %s %s' % (level, modifier, keys))


def test_left_and_right_move_the_hue(start):
    program, layout = start_default(start)
    nav = Navigation(8)
    # Shift held or not, keys pressed, and the sector and slice they lead to.
    walk = ((None, ['Right'], (0, 5)), (None, ['Right'] * 4, (1, 1)), (None, ['Left'], (1, 0)),
            ('shift', ['Right'], (1, 4)), ('shift', ['Left'], (1, 0)), ('shift', ['Left'], (0, 4)),
            ('shift', ['Left'], (0, 0)), (None, ['Left'] * 2, (5, 6)))
    apex = layout.tri[0, 0]
    for modifier, keys, position in walk:
        for key in keys:
            nav.step_slice(1 if key == 'Left' else -1, modifier == 'shift')
        assert (nav.sector, nav.slice()) == position
        charts = nav.charts()
        with holding_if(program, modifier):
            program.key(*keys)
            program.wait_pixels(chart_points(layout, charts) + [(apex, charts.hue)],
                                what='triangle at sector %d slice %d after %s %s'
                                % (position + (modifier, keys)))


# The wheel over the triangle moves the level, over the hexagon the hue: turns
# of (away from the user, notches, modifier held).
@pytest.mark.parametrize('chart, dot, turns', [
    ('tri', (4, 4), ((False, 2, None), (True, 1, None), (False, 1, 'shift'), (True, 3, None))),
    ('hex', (-2, 0), ((True, 1, None), (False, 3, None), (False, 1, 'shift'), (True, 2, 'shift')))],
    ids=['over_the_triangle_moves_the_level', 'over_the_hexagon_moves_the_hue'])
def test_wheel(start, chart, dot, turns):
    program, layout = start_default(start)
    nav = Navigation(8)
    step = nav.step_level if chart == 'tri' else nav.step_slice
    for away, count, modifier in turns:
        for _ in range(count):
            step(1 if away else -1, modifier == 'shift')
        program.wheel(*getattr(layout, chart)[dot], away=away, count=count, modifier=modifier)
        charts = nav.charts()
        program.wait_pixels(chart_points(layout, charts) + [(layout.tri[0, 0], charts.hue)],
                            what='level %d, sector %d slice %d after the wheel'
                            % (nav.level(), nav.sector, nav.slice()))


def pick_at(program, point):
    program.hover(*point)
    program.key('space')


def test_space_over_chart_dots_picks_and_moves_both_charts(start):
    program, layout = start_default(start)
    nav = Navigation(8)
    # A triangle dot below the top row: its level differs from the current one.
    colour = nav.charts().tri[5, 7]
    pick_at(program, layout.tri[5, 7])
    nav.jump_to(harness.locate(colour, layout))
    assert nav.level() != 16
    program.wait_pixels([(p, colour) for p in layout.panel_right_points()],
                        what='picked triangle colour in the readout')
    assert_charts(program, layout, nav, 'charts after picking a triangle dot')
    # An outer-ring dot of another hue: the triangle moves to it.
    colour = nav.charts().hex[5, 11]
    pick_at(program, layout.hex[5, 11])
    nav.jump_to(harness.locate(colour, layout))
    assert nav.sector == 2
    program.wait_pixels([(p, colour) for p in layout.panel_right_points()]
                        + [(layout.tri[0, 0], colour)],
                        what='picked ring colour in the readout and at the apex')
    assert_charts(program, layout, nav, 'charts after picking a ring dot')


@pytest.fixture
def painted_root():
    harness.set_root_color(ROOT_COLOR)
    yield
    harness.set_root_color(BLACK)


def test_space_outside_the_window_picks_the_screen_pixel(start, painted_root):
    program, layout = start_default(start)
    x, y, width, height = program.geometry()
    outside = (x + width + 150, y + height // 2)
    assert harness.Screen().pixel(*outside) == ROOT_COLOR
    program.move_root(*outside)
    program.key('space')
    program.wait_pixels([(p, ROOT_COLOR) for p in layout.panel_right_points()]
                        + [(p, BACKGROUND) for p in layout.panel_left_points()],
                        what='screen colour in the right half, background in the left')
    nav = Navigation(8)
    located = harness.locate(ROOT_COLOR, layout)
    assert located[0] == 1
    nav.jump_to(located)
    charts = nav.charts()
    assert_charts(program, layout, nav, 'charts moved to the screen colour')
    assert charts.hue == (0, 128, 255)
    program.wait_pixel(*layout.tri[0, 0], charts.hue, what='apex of the picked hue')


def test_right_click_on_the_panel_drops_the_pick(start):
    program, layout = start_default(start)
    colour = Charts(8).hex[-5, -1]
    pick_at(program, layout.hex[-5, -1])
    program.wait_pixels([(p, colour) for p in layout.panel_right_points()], what='pick shown')
    inside_panel = layout.panel_right_points()[0]
    program.hover(*inside_panel)
    program.click(*inside_panel, button=3)
    # Without a pick, a click on the text above the panel changes nothing.
    program.click(layout.panel_mid, 20)
    harness.park_pointer()
    program.wait_pixels([(p, BACKGROUND) for p in layout.panel_whole_points()],
                        what='panel without the pick once the pointer left')
    fields = harness.parse_settings(program.close())
    assert (fields['pickActive'], fields['pickColor'], fields['pickFormat']) == (0, colour, 1)


def test_tab_shows_and_hides_the_overlay_glyph(start):
    program, layout = start_default(start)
    assert layout.glyph_colours(program.shot()) == {BACKGROUND}
    program.key('Tab')
    program.wait_glyph(layout, True, 'the glyph to appear after Tab')
    program.key('Tab')
    program.wait_glyph(layout, False, 'the glyph to go after a second Tab')


def test_pick_line_appears_with_the_overlay_shown(start):
    program, layout = start_default(start)
    program.key('Tab')
    colour = Charts(8).hex[-4, 6]
    before = program.shot()
    program.hover(*layout.hex[-4, 6])
    program.key('space')
    program.wait_pixels([(p, colour) for p in layout.panel_right_points()], what='pick shown')
    # The hexagon end of the line carries a ring of radius 8 drawn with a
    # 5-pixel white pen and a 3-pixel black one on top; the line leaves it
    # to the right, so its left side is ring alone.
    hx, hy = harness.pick_line_ends(colour, layout)[0]
    assert (hx, hy) == layout.hex[-4, 6]
    ring = [(hx - d, hy) for d in (6, 7, 8, 9)]
    assert BLACK not in [before.pixel(*p) for p in ring]
    harness.wait_until(lambda: BLACK in [program.shot().pixel(*p) for p in ring],
                       harness.DRAW_TIMEOUT, what='a black ring left of the hexagon end')


def test_dragged_dot_colour_lands_in_a_slot(start):
    program, layout = start_default(start)
    charts = Charts(8)
    palette = [BACKGROUND] * 16
    for (a, b), slot in (((-8, 8), 5), ((3, -1), 0), ((0, 0), 15)):
        program.drag(layout.hex[a, b], layout.swatch_center(slot))
        palette[slot] = charts.hex[a, b]
        program.wait_pixels(layout.swatch_points(palette), what='palette after a drop on %d' % slot)
    program.drag(layout.tri[6, 4], layout.swatch_center(9))
    palette[9] = charts.tri[6, 4]
    program.wait_pixels(layout.swatch_points(palette), what='palette after a triangle drop')


def test_shift_drag_between_slots_fills_a_gradient(start):
    program, layout = start_default(start)
    program.drag(layout.hex[-8, 8], layout.swatch_center(1))
    program.drag(layout.hex[8, 8], layout.swatch_center(5))
    palette = harness.palette_of({1: RED, 5: BLUE})
    program.wait_pixels(layout.swatch_points(palette), what='gradient ends')
    program.drag(layout.swatch_center(5), layout.swatch_center(1), modifier='shift')
    palette = harness.gradient(palette, 1, 5)
    assert palette[3] == (127, 0, 128)
    program.wait_pixels(layout.swatch_points(palette), what='gradient from slot F to slot B')


def test_ctrl_c_gives_other_programs_the_palette_text(start):
    program, layout = start_default(start)
    program.drag(layout.hex[0, -16], layout.swatch_center(2))
    palette = harness.palette_of({2: GREEN})
    program.wait_pixels(layout.swatch_points(palette), what='green in slot C')
    harness.set_clipboard('nothing yet')
    expected = harness.palette_text(palette)
    assert expected == 'ABDEFGHIJKLMNOZ(c8c8c8) C(00ff00)'
    with program.holding('ctrl'):
        program.key('c')
        harness.wait_clipboard(expected)


def test_ctrl_v_takes_text_from_other_programs(start):
    # P names slot 15 as well, after Z.
    palette = harness.palette_of({0: RED, 1: RED, 4: ROOT_COLOR, 15: BLUE})
    program, _layout = start_and_paste(start, 'AB(ff0000) Z(00ff00) E(123456) x(ffffff) P (0000ff)',
                                            palette, 'pasted palette')
    text = program.close()
    fields = harness.parse_settings(text)
    assert fields['palette'] == palette


def test_gradient_of_fourteen_slots_goes_out_exactly(start):
    # The middle of 0 to 0x3b over 14 slots is 29.5 in double precision;
    # extended precision made it 29.49... and the slot one step off.
    palette = harness.palette_of({0: (0, 0, 0), 14: (0x3b, 0x3d, 0xe5)})
    program, layout = start_and_paste(start, 'A(000000) O(3b3de5)', palette, 'gradient ends pasted')
    program.drag(layout.swatch_center(0), layout.swatch_center(14), modifier='shift')
    palette = harness.gradient(palette, 0, 14)
    assert palette[7] == (0x1e, 0x1e, 0x73)
    program.wait_pixels(layout.swatch_points(palette), what='gradient from slot A to slot O')
    expected = harness.palette_text(palette)
    assert 'H(1e1e73)' in expected
    with program.holding('ctrl'):
        program.key('c')
        harness.wait_clipboard(expected)


def test_right_clicks_clear_and_fill_slots(start):
    program, layout = start_default(start)
    charts = Charts(8)
    program.drag(layout.hex[-8, 8], layout.swatch_center(2))
    program.drag(layout.hex[8, -8], layout.swatch_center(7))
    palette = harness.palette_of({2: RED, 7: (0, 255, 255)})
    program.wait_pixels(layout.swatch_points(palette), what='two slots set')
    # A plain right click on a slot gives it back the background colour.
    program.hover(*layout.swatch_center(2))
    program.click(*layout.swatch_center(2), button=3)
    palette[2] = BACKGROUND
    program.wait_pixels(layout.swatch_points(palette), what='slot C cleared')
    # Shift with a right click fills every slot with the colour there.
    colour = charts.hex[3, -5]
    program.hover(*layout.hex[3, -5])
    program.click(*layout.hex[3, -5], button=3, modifier='shift')
    palette = [colour] * 16
    program.wait_pixels(layout.swatch_points(palette), what='all slots filled')
    # Ctrl+X clears them all to the background colour.
    palette = harness.palette_of({})
    with program.holding('ctrl'):
        program.key('x')
        program.wait_pixels(layout.swatch_points(palette), what='all slots cleared by Ctrl+X')


def test_copy_and_paste_buttons(start):
    program, layout = start_default(start)
    copy_button, paste_button = (38, 340 - 53 + 11), (38, 340 - 30 + 11)
    harness.set_clipboard('A(102030) O(405060)')
    program.click(*paste_button)
    palette = harness.palette_of({0: (0x10, 0x20, 0x30), 14: (0x40, 0x50, 0x60)})
    program.wait_pixels(layout.swatch_points(palette), what='palette pasted by the button')
    harness.set_clipboard('nothing yet')
    program.click(*copy_button)
    expected = 'A(102030) BCDEFGHIJKLMNZ(c8c8c8) O(405060)'
    assert harness.palette_text(palette) == expected
    harness.wait_clipboard(expected)


def test_colour_dropped_on_the_panel_shows_the_background(start):
    program, layout = start_default(start)
    panel = layout.panel_left_points()[1]
    program.drag(layout.hex[-8, 8], panel)
    program.wait_pixels([(p, BACKGROUND) for p in layout.panel_whole_points()]
                        + layout.swatch_points(harness.palette_of({})),
                        what='panel after a drop on it, slots untouched')


def test_button_released_outside_does_not_click(start):
    program, layout = start_default(start)
    paste_button = (38, 340 - 30 + 11)
    harness.set_clipboard('ABCDEFGHIJKLMNOZ(ff0000)')
    program.hover(*paste_button)
    px, py = program.root_point(*paste_button)
    harness.xdotool('mousedown', 1, 'mousemove', px + 150, py, 'mouseup', 1)
    # The focus is back on the main window: Tab shows the overlay glyph.
    program.key('Tab')
    program.wait_glyph(layout, True, 'the glyph after Tab')
    program.wait_pixels(layout.swatch_points(harness.palette_of({})), what='no paste')


def test_press_in_the_level_track_sets_the_level(start):
    program, layout = start_default(start)
    nav = Navigation(8)
    track_x = layout.client_width - 36
    for j in (5, 16, 0, 11):
        # Level with base dot j of the grey column: level 2N - j.
        y = layout.tri[8, j][1]
        program.hover(track_x, y, cursor=MARKER_CURSOR_HOTSPOT, what='the level track')
        program.click(track_x, y)
        nav.set_level(16 - j)
        points = chart_points(layout, nav.charts())
        points.append((level_marker_inside(layout, 16 - j), BLACK))
        program.wait_pixels(points, what='level %d set in the level track' % (16 - j))


def test_press_on_the_rim_band_selects_the_hue(start):
    program, layout = start_default(start)
    nav = Navigation(8)
    above, below = (layout.hex_cx, layout.hex_cy - 130), (layout.hex_cx, layout.hex_cy + 130)
    for point, sector, apex in ((above, 0, GREEN), (below, 3, (255, 0, 255))):
        program.hover(*point, cursor=MARKER_CURSOR_HOTSPOT, what='the rim band')
        program.click(*point)
        nav.set_slice(sector, 0)
        program.wait_pixels(chart_points(layout, nav.charts()) + [(layout.tri[0, 0], apex)],
                            what='hue of sector %d chosen on the rim band' % sector)


def test_wheel_over_the_size_box_changes_the_grid(start):
    program, _layout = start_default(start)
    over_size_box = (38, 14)
    # The last turn asks for the entry before the first: nothing happens.
    for away, n in ((True, 6), (False, 8), (False, 12), (True, 8), (True, 6), (True, 4), (True, 4)):
        program.wheel(*over_size_box, away=away)
        width = harness.width_for_height(340, n)
        harness.wait_until(lambda: program.client_size() == (width, 340), harness.DRAW_TIMEOUT,
                           what='client %d x 340 for grid %d (is %r)' % (width, n, program.client_size()))
        layout = Layout(width, 340, n)
        points = [((layout.hex_cx, layout.hex_cy), WHITE)]
        points += list(zip(layout.hex_corners(), (GREEN, (0, 255, 255), BLUE, (255, 0, 255), RED,
                                                 (255, 255, 0))))
        points += [(layout.tri[n, 0], WHITE), (layout.tri[n, 2 * n], BLACK)]
        program.wait_pixels(points, what='charts at grid %d' % n)
    assert harness.width_for_height(340, 6) == 480


def test_ctrl_wheel_steps_the_client_height(start):
    program, _layout = start_default(start)
    point = (200, 200)
    for away, height in ((False, 316), (False, 300), (False, 300), (True, 324), (True, 348)):
        program.wheel(*point, away=away, modifier='ctrl')
        width = harness.width_for_height(height, 8)
        harness.wait_until(lambda: program.client_size() == (width, height), harness.DRAW_TIMEOUT,
                           what='client %d x %d (is %r)' % (width, height, program.client_size()))
        layout = Layout(width, height, 8)
        program.wait_pixels(chart_points(layout, Navigation(8).charts()),
                            what='charts at client height %d' % height)


def test_closing_and_starting_again_restores_everything(start):
    program, _ = start_default(start)
    program.wheel(38, 14, away=True)
    harness.wait_until(lambda: program.client_size() == (480, 340), harness.DRAW_TIMEOUT,
                       what='grid 6')
    layout = Layout(480, 340, 6)
    nav = Navigation(6)
    program.wait_pixel(layout.hex_cx, layout.hex_cy, WHITE, what='grid 6 painted')
    program.key('Down', 'Down', 'Down', 'Right', 'Right')
    for _ in range(3):
        nav.step_level(-1)
    for _ in range(2):
        nav.step_slice(-1)
    assert_charts(program, layout, nav, 'charts after the keys')
    charts = nav.charts()
    program.drag(layout.hex[-6, 6], layout.swatch_center(3))
    program.drag(layout.tri[3, 2], layout.swatch_center(9))
    palette = harness.palette_of({3: charts.hex[-6, 6], 9: charts.tri[3, 2]})
    # Pick a triangle dot, show the overlay, then move the level once.
    picked = charts.tri[4, 5]
    program.hover(*layout.tri[4, 5])
    program.key('space')
    located = harness.locate(picked, layout)
    nav.jump_to(located)
    program.key('Tab', 'Down')
    nav.step_level(-1)
    # Ctrl+right click sets the background to the colour under the pointer.
    background = nav.charts().hex[2, -4]
    program.click(*layout.hex[2, -4], button=3, modifier='ctrl')
    # A click on the text above the panel switches the pick to decimal.
    program.click(layout.panel_mid, 20)
    ends = harness.pick_line_ends(picked, layout)
    dots = harness.clear_of_pick_line(chart_points(layout, nav.charts()), ends)
    program.wait_pixels([(p, picked) for p in layout.panel_right_points()]
                        + [(p, background) for p in layout.panel_left_points()] + dots,
                        what='state before closing')
    # Both pictures are taken with the pointer on one dot and the readout
    # showing that dot's colour, so the hover text is the same in both.
    rest = dots[0][0]
    resting = [(p, picked) for p in layout.panel_right_points()] + dots
    resting += [(p, layout.hit(nav.charts(), *rest)[1]) for p in layout.panel_left_points()]
    program.hover(*rest, shows=resting, what='readout of the dot under the pointer before closing')
    program.wait_stable()
    before = program.shot()
    first = program.close()

    fields = harness.parse_settings(first)
    expected = {'sizeIndex': 1, 'pickFormat': 0, 'pickActive': 1, 'sector': nav.sector,
                'slicePos': nav.slice_pos, 'levelPos': nav.level_pos, 'pickMark': 2,
                'pickSector': located[0], 'pickSlicePos': located[1], 'pickLevelPos': located[2],
                'bgColor': background, 'pickColor': picked, 'palette': palette}
    assert {k: fields[k] for k in expected} == expected
    assert harness.settings_problems(first) == []

    again = start(folder=program.folder)
    assert again.client_size() == (480, 340)
    again.wait_pixels([(p, picked) for p in layout.panel_right_points()] + dots,
                      what='charts and pick after the restart')
    again.hover(*rest, shows=resting, what='readout of the dot under the pointer after the restart')
    shots = []

    def same_picture():
        shots[:] = [again.shot()]
        return shots[0].image.tobytes() == before.image.tobytes()
    try:
        harness.wait_until(same_picture, harness.DRAW_TIMEOUT, what='the picture from before the close')
    except AssertionError:
        after = shots[0]
        different = [(x, y) for y in range(340) for x in range(480)
                     if before.pixel(x, y) != after.pixel(x, y)]
        xs, ys = [p[0] for p in different], [p[1] for p in different]
        pictures = (harness.save_failure_picture(before, 'restart-before'),
                    harness.save_failure_picture(after, 'restart-after'))
        pytest.fail(('%d pixels differ after the restart, within x %d..%d, y %d..%d; pictures %s'
                  % (len(different), min(xs), max(xs), min(ys), max(ys), pictures)))
    second = again.close()
    assert second == first


def test_a_grey_pick_and_hidden_overlay_survive_a_restart(start):
    program, layout = start_default(start)
    program.key('Down', 'Down', 'Down')
    grey = (harness.gray_for_level(8, 13),) * 3
    program.hover(layout.hex_cx, layout.hex_cy)
    program.key('space')
    program.wait_pixels([(p, grey) for p in layout.panel_right_points()], what='grey picked')
    first = program.close()
    fields = harness.parse_settings(first)
    picked = tuple(fields[k] for k in ('pickSector', 'pickMark', 'pickActive', 'pickColor'))
    assert picked == (-1, -3, 1, grey)
    again = start(folder=program.folder)
    again.wait_pixels([(p, grey) for p in layout.panel_right_points()], what='grey pick after restart')
    assert again.close() == first


def test_a_file_damaged_everywhere_starts_sound_and_is_written_whole(start):
    """The reading, range checks and clamp of a damaged file are tables of the
    native and Windows suites; here one start shows they are what the real
    program uses: the file beside the exe, damaged in every line, gives a
    sound window and the default charts, and the file written at exit is
    whole."""
    content = ('2147483647,-2147483648,-5,99999999999\r\n'
               '-1,300,-7,128,-1,99999\r\n'
               '127,-128,-5,-7,99999,-99999,1,1\r\n'
               '-ffffff,1000000\r\n' + '0xffff\r\nfffffffff\r\n-1\r\n' * 6 + '12,x')
    program = start(settings=content)
    assert program.client_size() == (476, 340)
    layout = Layout(476, 340, 8)
    program.wait_pixels(chart_points(layout, Navigation(8).charts()), what='default charts')
    text = program.close()
    assert harness.settings_problems(text) == []
    fields = harness.parse_settings(text)
    assert (fields['sizeIndex'], fields['sector'], fields['slicePos'], fields['levelPos'],
                      fields['pickMark'], fields['pickActive']) == (2, 0, 512, 2048, -3, 0)

