"""The screen pick on scaled screens: at 100, 150 and 200 % the program,
which declares no DPI awareness, is given scaled pointer positions, while
the colour it must take is the one of the physical pixel under the pointer.
The desktop is painted in bands such that the pointer's physical point and
its scaled points lie in bands of different colours.
"""

import os
import re

import pytest

import harness

BLACK = (0, 0, 0)
# Where the pointer's x lands at 200 %, at 150 % and at 100 %.
HALF, TWO_THIRDS, WHOLE = (0x60, 0x20, 0x90), (0x90, 0x20, 0x60), (0x20, 0x90, 0x60)
SCALES = ((96, 'at100'), (144, 'at150'), (192, 'at200'))


def wine_major():
    out = harness.run([harness.RUN_WINE, '--version']).stdout.decode('utf-8', 'replace')
    found = re.search(r'wine-(\d+)', out)
    return int(found.group(1)) if found else 0


_log_pixels = [96]


def set_log_pixels(dpi):
    """The screen's DPI for the programs started next. Wine takes it when
    its server starts: the session's server is started afresh, and only when
    the DPI changes (a program started just after a restart has been seen to
    fail to start under Wine 8)."""
    if dpi == _log_pixels[0]:
        return
    _log_pixels[0] = dpi
    harness.stop_probe()    # a Wine program, ended with the server
    result = harness.run([harness.RUN_WINE, 'reg', 'add', r'HKCU\Control Panel\Desktop', '/v',
                          'LogPixels', '/t', 'REG_DWORD', '/d', str(dpi), '/f'], timeout=60)
    if result.returncode == 0:
        result = harness.run([harness.WINE_SESSION, 'restart', os.environ['ZAVRIK_WINE_SESSION']],
                             timeout=120)
    if result.returncode != 0:
        raise RuntimeError('LogPixels %d could not be set: %s'
                           % (dpi, result.stderr.decode('utf-8', 'replace')))


@pytest.fixture(scope='module')
def banded_desktop():
    """The desktop in bands; the pointer's resting place, off the window."""
    width, height = harness.screen_size()
    pointer = (width * 15 // 16, height * 15 // 16)
    # Band edges half-way between the points the pointer maps to.
    harness.set_root_bands([(0, HALF), (pointer[0] * 7 // 12, TWO_THIRDS),
                            (pointer[0] * 5 // 6, WHOLE)])
    yield pointer
    harness.set_root_color(BLACK)
    set_log_pixels(96)


@pytest.mark.parametrize('dpi', [dpi for dpi, _name in SCALES], ids=[n for _d, n in SCALES])
def test_space_outside_the_window_picks_the_physical_pixel(dpi, banded_desktop, start):
    pointer = banded_desktop
    major = wine_major()
    if dpi != 96 and major < 9:
        pytest.skip('Wine %d reports the DPI but scales nothing: no scaled point differs '
                    'from the physical one' % major)
    set_log_pixels(dpi)
    program = start()
    # The first-run client of 476 pixels, scaled by the system.
    if major >= 9:
        assert program.client_size()[0] >= 476 * dpi // 96
    assert harness.Screen().pixel(*pointer) == WHOLE, \
        'the pointer must rest on the desktop, off the window'
    program.move_root(*pointer)
    program.key('space')
    fields = harness.parse_settings(program.close())
    assert (fields['pickActive'], fields['pickColor']) == (1, WHOLE)
