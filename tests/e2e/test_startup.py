"""First start of the real program: window size, the picture of the default
state, and the settings file it writes when closed.
"""


import harness
from harness import Charts, Layout

GREEN, CYAN, BLUE = (0, 255, 0), (0, 255, 255), (0, 0, 255)
MAGENTA, RED, YELLOW = (255, 0, 255), (255, 0, 0), (255, 255, 0)
WHITE = (255, 255, 255)
BACKGROUND = harness.DEFAULT_GRAY


def test_window_opens_at_the_default_client_size(start):
    program = start()
    assert program.client_size() == (476, 340)


def test_hexagon_centre_is_white_and_outer_corners_pure(start):
    program = start()
    layout = Layout(476, 340, 8)
    centre = (layout.hex_cx, layout.hex_cy)
    assert centre == (151, 170)
    corners = layout.hex_corners()
    program.wait_pixels([(centre, WHITE)] + list(zip(corners, (GREEN, CYAN, BLUE, MAGENTA, RED, YELLOW))),
                        what='hexagon centre and corners')


def test_every_dot_of_both_charts_has_its_colour(start):
    program = start()
    layout = Layout(476, 340, 8)
    charts = Charts(8)
    points = [(layout.hex[dot], colour) for dot, colour in charts.hex.items()]
    points += [(layout.tri[dot], colour) for dot, colour in charts.tri.items()]
    assert len(points) == 217 + 81
    program.wait_pixels(points, what='dot centres of the default charts')


def test_markers_panel_and_strip_of_the_default_state(start):
    program = start()
    layout = Layout(476, 340, 8)
    black = (0, 0, 0)
    # Level marker at level 16 points at the white top of the grey column;
    # inside its triangle, just left of the far side, it is black.
    tip_x = layout.tri_left + 17 * layout.unit + 3
    tip_y = layout.hex_cy - 16 * layout.unit - 1
    points = [((tip_x + 8 - 2, tip_y), black)]
    # Slice marker at sector 0, slice 4 stands outside the upper-right
    # side, tip at (204, 76), far corners (204, 67) and (212, 71).
    points.append(((207, 71), black))
    # With the pointer outside, the readout panel shows the background.
    points += [(p, BACKGROUND) for p in layout.panel_whole_points()]
    # Every swatch holds the default grey.
    for k in range(16):
        points += [(p, BACKGROUND) for p in layout.swatch_inside(k)]
    program.wait_pixels(points, what='level marker, panel and swatches')


def test_closing_writes_the_default_settings(start):
    program = start()
    program.wait_pixel(151, 170, WHITE, what='first paint')
    text = program.close()
    assert harness.settings_problems(text) == []
    lines = text.split('\r\n')
    assert lines[1:] == (['2,1,0,0,512,2048', '-3,0,512,2048,0,0,0,0', 'c8c8c8,c8c8c8']
                     + ['c8c8c8'] * 16 + [''])
    left, top, right, bottom = (int(v) for v in lines[0].split(','))
    # The frame is what the window adds around the 476 x 340 client area.
    assert (left, top) == (0, 0)
    assert 0 <= right - 476 <= 64 and 0 <= bottom - 340 <= 96, lines[0]

