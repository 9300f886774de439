"""Helpers for the end-to-end tests: they start the real zavrik.exe under Wine
on the X display of the environment, drive it with real input through
xdotool, and read what it shows and where (straight from the X server,
python3-xlib), what it writes (zavrik.ini) and what it puts on the clipboard
(xclip).

Debian's Python with python3-xlib and python3-pil (/usr/bin/python3). WINEPREFIX and DISPLAY come from the
environment (tests/with-display.sh provides both).

Without a window manager, Wine's X window of the main window is exactly its
client area and Windows screen coordinates equal X root coordinates, so client
point (x, y) is root point (window x + x, window y + y).

Every expected position, colour, text and file content comes from the
program's own model through a native tool built from it (model_tool.cpp),
found through ZAVRIK_MODEL_TOOL or in build/native/tests.
"""

import contextlib
import itertools
import json
import math
import os
import re
import select
import shutil
import subprocess
import tempfile
import time

import Xlib.X
import Xlib.display
import Xlib.error
from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
RUN_WINE = os.path.normpath(os.path.join(HERE, '..', 'run-wine.sh'))
WINE_SESSION = os.path.join(os.path.dirname(RUN_WINE), 'wine-session.sh')
WINDOW_TITLE_PATTERN = r'^Zavrik \(v2\.1\)$'
SETTINGS_NAME = 'zavrik.ini'

DEFAULT_GRAY = (200, 200, 200)

# The zavrik.exe under test, which conftest.py takes from --exe.
EXE = None

# Generous bounds: a cold Wine prefix or a loaded machine can be slow, and every
# wait below returns as soon as its condition holds.
START_TIMEOUT = 90.0
CLOSE_TIMEOUT = 30.0
DRAW_TIMEOUT = 20.0


# ---------------------------------------------------------------------------
# Command line and small utilities

def require_environment():
    missing = [name for name in ('DISPLAY', 'WINEPREFIX') if not os.environ.get(name)]
    if missing:
        raise RuntimeError('the end-to-end tests need %s in the environment '
                           '(run them inside tests/with-display.sh)' % ' and '.join(missing))


def wait_until(probe, timeout, interval=0.05, what='condition'):
    """Calls probe() until it returns a true value or timeout seconds pass.
    Returns that value; raises AssertionError naming `what` and the last value
    seen otherwise."""
    deadline = time.monotonic() + timeout
    last = None
    while True:
        last = probe()
        if last:
            return last
        if time.monotonic() >= deadline:
            raise AssertionError('timed out after %.1f s waiting for %s (last: %r)'
                                 % (timeout, what, last))
        time.sleep(interval)


def holds_within(probe, timeout, interval=0.05):
    """Whether probe() comes true within timeout seconds."""
    try:
        return wait_until(probe, timeout, interval)
    except AssertionError:
        return False


def run(args, timeout=30):
    return subprocess.run(args, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE, timeout=timeout)


def xdotool(*args, timeout=60):
    result = run(['xdotool'] + [str(a) for a in args], timeout=timeout)
    return result.stdout.decode('utf-8', 'replace')


# ---------------------------------------------------------------------------
# The screen, through the X protocol (python3-xlib): pictures read straight
# from the X server, and the root window's background painted.

_display = None


def x_display():
    """One connection to the display of the environment, kept for the run."""
    global _display
    if _display is None:
        _display = Xlib.display.Display(os.environ['DISPLAY'])
        _display.xfixes_query_version()     # XFixes answers nothing before this
    return _display


def shown_windows():
    """(id, name) of every window shown on the screen. Without a window
    manager Wine's top-level windows are the root window's children."""
    shown = []
    for window in x_display().screen().root.query_tree().children:
        try:
            if window.get_attributes().map_state == Xlib.X.IsViewable:
                shown.append((window.id, window.get_wm_name() or ''))
        except Xlib.error.XError:    # gone meanwhile
            pass
    return shown


def shown_main_windows():
    """The ids of the program's main windows shown on the screen."""
    return [id for id, name in shown_windows() if re.match(WINDOW_TITLE_PATTERN, name)]


class Screen:
    """A picture of part of the screen (the whole of it unless a rectangle is
    asked for). pixel(x, y) is (r, g, b) in root coordinates; width and
    height are the screen's."""

    def __init__(self, left=0, top=0, width=None, height=None):
        self.width, self.height = screen_size()
        width = self.width - left if width is None else width
        height = self.height - top if height is None else height
        # Only what lies on the screen can be read.
        self.left, self.top = max(left, 0), max(top, 0)
        self.right = min(left + width, self.width)
        self.bottom = min(top + height, self.height)
        region = (max(self.right - self.left, 1), max(self.bottom - self.top, 1))
        image = x_display().screen().root.get_image(self.left, self.top, region[0], region[1],
                                                    Xlib.X.ZPixmap, 0xFFFFFFFF)
        if image.depth != 24:
            raise ValueError('a screen of depth %d: the tests expect 24-bit RGB' % image.depth)
        self.image = Image.frombytes('RGB', region, image.data, 'raw', 'BGRX')

    def pixel(self, x, y):
        if not (self.left <= x < self.right and self.top <= y < self.bottom):
            raise IndexError('pixel (%d, %d) outside the picture of (%d, %d)-(%d, %d)'
                             % (x, y, self.left, self.top, self.right, self.bottom))
        return self.image.getpixel((x - self.left, y - self.top))


def _pixel_value(rgb):
    """The pixel of the root window's 24-bit TrueColor visual."""
    return rgb[0] << 16 | rgb[1] << 8 | rgb[2]


def set_root_color(rgb):
    """Paints the whole root window in one colour (what xsetroot -solid does)."""
    display = x_display()
    screen = display.screen()
    screen.root.change_attributes(background_pixel=_pixel_value(rgb))
    screen.root.clear_area(0, 0, 0, 0)
    display.sync()


def set_root_bands(bands):
    """Paints the root window in upright bands: bands is a list of (left
    edge, colour) from left to right, the first starting at 0. The root's
    background becomes a pixmap one row high, which X tiles downwards."""
    display = x_display()
    screen = display.screen()
    root = screen.root
    pixmap = root.create_pixmap(screen.width_in_pixels, 1, screen.root_depth)
    gc = pixmap.create_gc()
    edges = [left for left, _ in bands[1:]] + [screen.width_in_pixels]
    for (left, rgb), right in zip(bands, edges):
        gc.change(foreground=_pixel_value(rgb))
        pixmap.fill_rectangle(gc, left, 0, right - left, 1)
    root.change_attributes(background_pixmap=pixmap)
    root.clear_area(0, 0, 0, 0)
    gc.free()
    pixmap.free()
    display.sync()


# ---------------------------------------------------------------------------
# Clipboard through xclip

_clipboard_owner = None


def set_clipboard(text):
    """Puts text on the CLIPBOARD selection and waits until a Windows program
    reads it. The xclip that serves it runs in the foreground (-quiet) so
    that we hold its pid and can end it.

    Wine's clipboard manager (8 and 10 alike), while a Windows program owns
    the clipboard, takes a new X owner's text once, when Wine loses the
    selection: if any Windows program has the clipboard open at that moment
    (the probe, reading it), the text is never taken. It is then offered
    again after the probe has put text of its own on the clipboard, which
    gives the selection back to Wine."""
    seen = []
    for attempt in range(3):
        if attempt:
            give_wine_the_selection()
        offer_clipboard(text)
        if holds_within(lambda: seen.append(wine_clipboard()) or seen[-1] == text, 10.0,
                        interval=0.2):
            return
    raise AssertionError('Wine never took the clipboard text %r that X holds: a Windows '
                         'program reads %r' % (text, seen[-1]))


def offer_clipboard(text):
    global _clipboard_owner
    stop_clipboard_owner()
    _clipboard_owner = subprocess.Popen(['xclip', '-selection', 'clipboard', '-i', '-quiet'],
                                        stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
    _clipboard_owner.stdin.write(text.encode('utf-8'))
    _clipboard_owner.stdin.close()
    wait_clipboard(text)


def give_wine_the_selection():
    mark = 'set by the probe %d' % time.monotonic_ns()
    wait_until(lambda: ask_wine('put ' + mark.encode('utf-8').hex()) == 'ok', 10,
               what='the probe to open the clipboard')
    wait_until(lambda: get_clipboard() == mark, 10, what='Wine to own the X selection')


def wait_clipboard(text):
    wait_until(lambda: get_clipboard() == text, DRAW_TIMEOUT, what='the clipboard to hold %r' % text)


def get_clipboard():
    result = run(['xclip', '-selection', 'clipboard', '-o'], timeout=10)
    if result.returncode != 0:
        return None
    return result.stdout.decode('utf-8', 'replace')


def stop_clipboard_owner():
    global _clipboard_owner
    if _clipboard_owner is not None:
        if _clipboard_owner.poll() is None:
            _clipboard_owner.kill()
        _clipboard_owner.wait()
        _clipboard_owner = None


# ---------------------------------------------------------------------------
# The pointer and the clipboard as Wine reports them to programs, through a
# small Windows program of the test build (wine_probe.cpp) that answers
# one question a line.

_probe = None


def probe_path():
    return os.environ.get('ZAVRIK_WINE_PROBE') or os.path.join(
        os.path.dirname(EXE or ''), 'tests', 'wine_probe.exe')


def ask_wine(question):
    global _probe
    if _probe is None:
        _probe = subprocess.Popen([RUN_WINE, probe_path()], stdin=subprocess.PIPE,
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                  universal_newlines=True)
    _probe.stdin.write(question + '\n')
    _probe.stdin.flush()
    # A clipboard manager that stalls holds the probe's read: it is ended
    # rather than waited for, and the next question starts another.
    if not select.select([_probe.stdout], [], [], DRAW_TIMEOUT)[0]:
        _probe.kill()
        stop_probe()
        raise AssertionError('Wine gave no answer to %r within %.0f s' % (question, DRAW_TIMEOUT))
    reply = _probe.stdout.readline()
    if not reply:
        raise RuntimeError('the probe %s ended without answering' % probe_path())
    return reply.strip()


def wine_pointer():
    """(x, y) of the pointer in physical pixels as Wine reports it now."""
    reply = ask_wine('pointer').split()
    return tuple(int(v) for v in reply) if len(reply) == 2 else None


def wine_clipboard():
    """The clipboard's text as a Windows program reads it now."""
    reply = ask_wine('clipboard')
    return None if reply == '-' else bytes.fromhex(reply).decode('utf-8')


def wait_wine_pointer(rx, ry):
    wait_until(lambda: wine_pointer() == (rx, ry), DRAW_TIMEOUT,
               what='Wine to report the pointer at (%d, %d)' % (rx, ry))


def stop_probe():
    global _probe
    if _probe is not None:
        try:
            _probe.stdin.close()
        except BrokenPipeError:
            pass
        _probe.wait()
        _probe = None


# ---------------------------------------------------------------------------
# Pointer parking and failure pictures

def screen_size():
    screen = x_display().screen()
    return screen.width_in_pixels, screen.height_in_pixels


def cursor_hotspot():
    """The hotspot of the cursor the screen shows now (XFixes)."""
    image = x_display().xfixes_get_cursor_image(x_display().screen().root)
    return image.xhot, image.yhot


def park_pointer():
    """Puts the pointer in the screen's bottom-right corner, away from any
    window the tests open (a program started under a resting pointer would
    otherwise see it without any move)."""
    width, height = screen_size()
    xdotool('mousemove', width - 1, height - 1)


def artifacts_dir():
    path = os.environ.get('ZAVRIK_E2E_ARTIFACTS') or os.path.join(tempfile.gettempdir(),
                                                                  'zavrik-e2e-artifacts')
    os.makedirs(path, exist_ok=True)
    return path


def save_failure_picture(shot, label):
    name = re.sub(r'[^A-Za-z0-9_.-]+', '_', label)[:80] or 'failure'
    path = os.path.join(artifacts_dir(), '%s-%d.png' % (name, int(time.time() * 1000) % 100000000))
    try:
        shot.image.save(path)
    except Exception as error:      # a picture is a help, never a second failure
        return 'no picture: %s' % error
    return path


# ---------------------------------------------------------------------------
# The running program

class Program:
    """One run of zavrik.exe from a fresh folder of its own, so that its
    zavrik.ini lands there."""

    def __init__(self, exe, settings=None, folder=None):
        require_environment()
        park_pointer()
        self.owns_folder = folder is None
        self.folder = folder or tempfile.mkdtemp(prefix='zavrik-e2e-')
        self.exe = os.path.join(self.folder, 'zavrik.exe')
        if not os.path.exists(self.exe):
            shutil.copyfile(exe, self.exe)
        if settings is not None:
            if isinstance(settings, str):
                settings = settings.encode('latin-1')
            with open(self.settings_path, 'wb') as f:
                f.write(settings)
        # Wine's own messages; kept beside the program only in a folder of ours.
        # Its errors too: some end the process (status 1) with no other word.
        log_folder = self.folder if self.owns_folder else tempfile.gettempdir()
        self.log = open(os.path.join(log_folder, 'zavrik-e2e-wine-%d.log' % os.getpid()), 'ab')
        env = dict(os.environ, WINEDEBUG=os.environ.get('WINEDEBUG', '-all') + ',err+all')
        self.process = subprocess.Popen([RUN_WINE, self.exe], cwd=self.folder, env=env,
                                        stdin=subprocess.DEVNULL, stdout=self.log,
                                        stderr=subprocess.STDOUT)
        self.window = None
        try:
            self.wait_window()
        except AssertionError as error:
            said = self.wine_said()
            self.remove()
            raise AssertionError('%s; windows shown: %r; Wine said: %s'
                                 % (error, shown_windows(), said)) from None
        except BaseException:
            # Nobody holds this run yet to end it: a window left on the
            # screen would take the next tests' input and clipboard.
            self.remove()
            raise

    @property
    def settings_path(self):
        return os.path.join(self.folder, SETTINGS_NAME)

    def read_settings(self):
        with open(self.settings_path, 'rb') as f:
            return f.read().decode('latin-1')

    def running(self):
        return self.process.poll() is None

    def _find_window(self):
        if not self.running():
            raise RuntimeError('the program exited (status %s) with its window unseen or gone; '
                               'Wine said: %s' % (self.process.returncode, self.wine_said()))
        # Normally exactly one; the newest window is the last created.
        return max(shown_main_windows(), default=None)

    def wine_said(self):
        """The last of what Wine printed for this run."""
        self.log.flush()
        with open(self.log.name, 'rb') as log:
            return log.read()[-2000:].decode('utf-8', 'replace') or 'nothing'

    def wait_window(self):
        self.window = wait_until(self._find_window, START_TIMEOUT, interval=0.05,
                                 what='the main window to appear')

        def sized():
            # Found again each time: the window may be remade while it is shown.
            self.window = self._find_window() or self.window
            geometry = self._try_geometry()
            return geometry is not None and geometry[2] > 0
        wait_until(sized, DRAW_TIMEOUT, what='a sized window')
        return self.window

    def window_exists(self):
        return self.window in shown_main_windows()

    def _try_geometry(self):
        """(x, y, width, height), or None with the X server's complaint kept
        in self.geometry_error."""
        try:
            window = x_display().create_resource_object('window', self.window)
            size = window.get_geometry()
            origin = x_display().screen().root.translate_coords(window, 0, 0)
        except Xlib.error.XError as error:
            self.geometry_error = str(error)
            # Wine may make the X window of a shown window anew.
            self.window = self._find_window() or self.window
            return None
        return origin.x, origin.y, size.width, size.height

    def geometry(self):
        """(x, y, width, height) of the client area on the root window. A
        window being remade is waited for."""
        self.geometry_error = ''
        try:
            return wait_until(self._try_geometry, DRAW_TIMEOUT, what='the window geometry')
        except AssertionError:
            raise AssertionError('no geometry for window %s: %s; windows shown: %r; Wine said: %s'
                                 % (self.window, self.geometry_error, shown_windows(),
                                    self.wine_said())) from None

    def client_size(self):
        return self.geometry()[2:]

    # -- screen ------------------------------------------------------------

    def shot(self):
        """A capture with client-relative access: shot.pixel(x, y) of the
        client area, shot.root.pixel(x, y) of the screen."""
        return ClientShot(self.geometry())

    def wait_pixel(self, x, y, expected, timeout=DRAW_TIMEOUT, what=None):
        self.wait_pixels([((x, y), expected)], timeout,
                         what or 'client pixel (%d, %d) to become %r' % (x, y, tuple(expected)))

    def pixels_hold(self, points):
        """Whether every ((x, y), (r, g, b)) of points holds now."""
        shot = self.shot()
        return all(shot.pixel(*p) == tuple(c) for p, c in points)

    def wait_pixels(self, points, timeout=DRAW_TIMEOUT, what='pixels'):
        """points: list of ((x, y), (r, g, b)). Waits until every one holds;
        on time-out the message lists those that do not."""
        wrong = []

        def probe():
            shot = self.shot()
            wrong[:] = [(p, c, shot.pixel(*p)) for p, c in points if shot.pixel(*p) != tuple(c)]
            return not wrong
        try:
            wait_until(probe, timeout, what=what)
        except AssertionError:
            detail = '; '.join('%s expected %s got %s' % (p, c, g) for p, c, g in wrong[:12])
            picture = save_failure_picture(self.shot(), what)
            raise AssertionError('%s: %d of %d wrong: %s; picture %s'
                                 % (what, len(wrong), len(points), detail, picture)) from None

    def wait_stable(self, timeout=DRAW_TIMEOUT, settle=0.15):
        """Waits until two captures of the client area in a row are equal."""
        previous = [None]

        def probe():
            shot = self.shot()
            rows = shot.image.tobytes()
            same = rows == previous[0]
            previous[0] = rows
            if not same:
                time.sleep(settle)
            return same
        wait_until(probe, timeout, interval=0, what='the picture to settle')

    def wait_glyph(self, layout, shown, what):
        """Waits until the magnifier glyph is shown, or gone."""
        wait_until(lambda: (layout.glyph_colours(self.shot()) != {DEFAULT_GRAY}) == shown,
                   DRAW_TIMEOUT, what=what)

    # -- input -------------------------------------------------------------

    def root_point(self, x, y):
        gx, gy, _w, _h = self.geometry()
        return gx + x, gy + y

    @contextlib.contextmanager
    def holding(self, modifier):
        """Holds a modifier key down for the body of a with statement. The
        program reads Shift and Ctrl for keys with GetAsyncKeyState, the state
        at the moment it handles the key, so a test holds the modifier until
        it has seen the effect rather than sending a quick combination."""
        xdotool('windowfocus', self.window, 'keydown', modifier)
        try:
            yield
        finally:
            xdotool('keyup', modifier)

    def key(self, *keys):
        """Keys as xdotool names ('Up', 'shift+Down', 'ctrl+c'), sent to the
        main window after giving it the X focus."""
        xdotool('windowfocus', self.window, 'key', '--delay', '20', *keys)

    def hover(self, x, y, shows=None, cursor=None, what='the readout of a hover',
              timeout=DRAW_TIMEOUT):
        """Pointer onto client point (x, y) so that the program sees a move
        there. It enters one pixel away first, since the first move into the
        window only arms leave tracking, and goes on after a pause: moves
        that Wine has not read yet reach the program as one, the last, and a
        move to where Wine's cursor already is reaches it as none. With
        shows, the ((x, y), (r, g, b)) the hover must bring, or cursor, the
        hotspot of the cursor it must set, a hover the program did not see,
        or saw elsewhere (Wine maps the pointer by a place of the window it
        may not have caught up with yet), is made again with a longer pause
        until they hold. Wine is not asked where the pointer is meanwhile:
        its answer would move Wine's cursor there before the program reads
        its move, which then counts as none."""
        side = 1 if x < 2 else -1
        shown = (lambda: self.pixels_hold(shows)) if shows else (lambda: cursor_hotspot() == cursor)
        deadline = time.monotonic() + timeout
        for pause in itertools.chain((0.05, 0.2), itertools.repeat(0.8)):
            rx, ry = self.root_point(x, y)
            xdotool('mousemove', rx + side, ry, 'sleep', pause, 'mousemove', rx, ry)
            if (shows is None and cursor is None) or holds_within(shown, 3.0):
                return
            if time.monotonic() >= deadline:
                break
        if shows:
            self.wait_pixels(shows, timeout=0, what=what)
        raise AssertionError('%s: the cursor of hotspot %r not shown; it has %r'
                             % (what, cursor, cursor_hotspot()))

    def move_root(self, rx, ry):
        """Pointer onto root point (rx, ry), off the window: waits until Wine
        reports it there, so that a key pressed next acts at that place."""
        xdotool('mousemove', rx, ry)
        wait_wine_pointer(rx, ry)

    def click(self, x, y, button=1, modifier=None):
        rx, ry = self.root_point(x, y)
        args = ['windowfocus', self.window, 'mousemove', rx, ry]
        if modifier:
            args += ['keydown', modifier]
        args += ['click', button]
        if modifier:
            args += ['keyup', modifier]
        xdotool(*args)

    def drag(self, start, end, modifier=None, steps=6):
        """Left-button drag from client point start to client point end."""
        sx, sy = self.root_point(*start)
        ex, ey = self.root_point(*end)
        args = ['windowfocus', self.window, 'mousemove', sx + 1, sy, 'mousemove', sx, sy]
        if modifier:
            args += ['keydown', modifier]
        args += ['mousedown', 1]
        for i in range(1, steps + 1):
            args += ['mousemove', sx + (ex - sx) * i // steps, sy + (ey - sy) * i // steps]
        args += ['mouseup', 1]
        if modifier:
            args += ['keyup', modifier]
        xdotool(*args)

    def wheel(self, x, y, away=True, count=1, modifier=None):
        """Turns the wheel over client point (x, y): away from the user
        (button 4) or towards the user (button 5), count notches."""
        rx, ry = self.root_point(x, y)
        args = ['windowfocus', self.window, 'mousemove', rx, ry]
        if modifier:
            args += ['keydown', modifier]
        args += ['click', 4 if away else 5] * count
        if modifier:
            args += ['keyup', modifier]
        xdotool(*args)

    # -- ending ------------------------------------------------------------

    def close(self):
        """Alt+F4 on the focused window, then waits for the process to end
        (Wine waits about 2 s for the absent window manager before the window
        is destroyed). Returns the settings file it wrote."""
        # A key sent before Wine has taken the focus given to a new window
        # can be lost (a close that never came was seen once, under load,
        # just after the first paint): while the window is still shown,
        # Alt+F4 is pressed again every 10 s.
        def exited():
            try:
                return self.process.wait(timeout=10.0) is not None
            except subprocess.TimeoutExpired:
                if self.window_exists():
                    xdotool('windowfocus', self.window, 'key', 'alt+F4')
                return False
        xdotool('windowfocus', self.window, 'key', 'alt+F4')
        if not holds_within(exited, CLOSE_TIMEOUT, interval=0):
            shown = self.window_exists()
            self.kill()
            raise AssertionError('the program did not exit within %.0f s of Alt+F4, its window %s'
                                 % (CLOSE_TIMEOUT, 'still shown' if shown else 'gone'))
        self.log.close()
        if self.process.returncode != 0:
            raise AssertionError('the program exited with status %d' % self.process.returncode)
        return self.read_settings()

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait()
        if not self.log.closed:
            self.log.close()
        if not self.owns_folder and os.path.exists(self.log.name):
            os.remove(self.log.name)

    def remove(self):
        """Ends the program and deletes the folder if this run made it."""
        self.kill()
        if self.owns_folder:
            shutil.rmtree(self.folder, ignore_errors=True)


class ClientShot:
    """A picture of the client area: pixel(x, y) in client coordinates."""

    def __init__(self, geometry):
        self.x, self.y, self.width, self.height = geometry
        self.root = Screen(self.x, self.y, self.width, self.height)
        self.image = self.root.image    # the part of the client area on the screen

    def pixel(self, x, y):
        return self.root.pixel(self.x + x, self.y + y)


# ---------------------------------------------------------------------------
# Expected values from the program's own model: a native tool built from the
# model library answers one query per line (tests/e2e/model_tool.cpp). One
# tool process serves the whole run.

MODEL_TOOL = os.environ.get('ZAVRIK_MODEL_TOOL') or os.path.normpath(
    os.path.join(HERE, '..', '..', 'build', 'native', 'tests', 'zavrik_model_tool'))

_model_process = None
_model_answers = {}


def model(*query):
    """The tool's answer to one query, as a dict; the same query is asked once."""
    global _model_process
    line = ' '.join(str(word) for word in query)
    if line in _model_answers:
        return _model_answers[line]
    if _model_process is None:
        if not os.access(MODEL_TOOL, os.X_OK):
            raise RuntimeError('the model tool %s is missing: build it with `make native` or '
                               'point ZAVRIK_MODEL_TOOL at it' % MODEL_TOOL)
        _model_process = subprocess.Popen([MODEL_TOOL], stdin=subprocess.PIPE,
                                          stdout=subprocess.PIPE, universal_newlines=True)
    _model_process.stdin.write(line + '\n')
    _model_process.stdin.flush()
    reply = _model_process.stdout.readline()
    if not reply:
        raise RuntimeError('the model tool ended without answering %r' % line)
    answer = json.loads(reply)
    if 'error' in answer:
        raise ValueError('the model tool cannot answer %r: %s' % (line, answer['error']))
    _model_answers[line] = answer
    return answer


def hex_rgb(rgb):
    return '%02x%02x%02x' % tuple(rgb)


class Layout:
    """Metrics and dot centres of a client area at grid size n."""

    def __init__(self, client_width, client_height, n):
        self.n = n
        self.client_width = client_width
        self.client_height = client_height
        m = model('layout', client_width, client_height, n)
        self.unit = m['unit']
        self.hex_cx, self.hex_cy = m['hexCenterX'], m['hexCenterY']
        self.tri_left = m['triLeft']
        self.strip_top, self.strip_bottom = m['stripTop'], m['stripBottom']
        self.panel_left, self.panel_right = m['panelLeft'], m['panelRight']
        self.panel_top, self.panel_bottom = m['panelTop'], m['panelBottom']
        self.panel_mid = m['panelMid']
        self.swatch_left, self.swatch_right = m['swatchLeft'], m['swatchRight']
        # The centre of every dot, by (a, b) of the hexagon and (i, j) of the triangle.
        dots = model('charts', client_width, client_height, n, 2048, 0, 512)
        self.hex = {(a, b): (x, y) for a, b, x, y, _c in dots['hex']}
        self.tri = {(i, j): (x, y) for i, j, x, y, _c in dots['tri']}

    def hex_corners(self):
        """Outer-ring corners, clockwise from the top: green, cyan, blue,
        magenta, red, yellow."""
        n = self.n
        return [self.hex[0, -2 * n], self.hex[n, -n], self.hex[n, n],
                self.hex[0, 2 * n], self.hex[-n, n], self.hex[-n, -n]]

    # Palette strip
    def swatch_center(self, k):
        return ((self.swatch_left[k] + self.swatch_right[k]) // 2,
                (self.strip_top + 1 + self.strip_bottom) // 2)

    def swatch_inside(self, k):
        """A few points well inside swatch k's fill."""
        left, right = self.swatch_left[k] + 1, self.swatch_right[k] - 2
        top, bottom = self.strip_top + 2, self.strip_bottom - 2
        mid = (left + right) // 2
        return [(left, top), (mid, (top + bottom) // 2), (right, bottom)]

    def swatch_points(self, palette):
        """((x, y), colour) inside every swatch for a palette of 16 colours."""
        return [(p, colour) for k, colour in enumerate(palette) for p in self.swatch_inside(k)]

    # Readout panel: points clear of the text rows above it and of the pin
    # glyph in its top-right corner.
    def panel_left_points(self):
        y = self.panel_bottom - 3
        return [(self.panel_left + 2, y), ((self.panel_left + self.panel_mid) // 2, y - 2),
                (self.panel_mid - 2, y)]

    def panel_right_points(self):
        y = self.panel_bottom - 3
        return [(self.panel_mid + 2, y), (self.panel_mid + 4, y - 2)]

    def panel_whole_points(self):
        return self.panel_left_points() + [(self.panel_right - 2, self.panel_bottom - 3)]

    def glyph_colours(self, shot):
        """The colours in the magnifier glyph's box right of the panel."""
        left, top = self.panel_right + 2, self.panel_top + 3
        return {shot.pixel(x, y) for y in range(top, top + 18) for x in range(left, left + 20)}

    def hit(self, charts, x, y):
        """(hit code, colour) of client point (x, y) with the charts at the
        position of `charts`."""
        answer = model('hit', self.client_width, self.client_height, self.n, charts.level_pos,
                       charts.sector, charts.slice_pos, x, y)
        return answer['code'], tuple(answer['colour'])


def width_for_height(client_height, n):
    """Client width that goes with a client height at grid size n."""
    return model('width_for_height', client_height, n)['width']


class Charts:
    """Dot colours of the level hexagon and the hue triangle for one grid
    size, level position, sector and slice position."""

    def __init__(self, n, level_pos=2048, sector=0, slice_pos=512):
        self.n, self.level_pos, self.sector, self.slice_pos = n, level_pos, sector, slice_pos
        m = model('charts', width_for_height(340, n), 340, n, level_pos, sector, slice_pos)
        self.level, self.slice, self.center_gray = m['level'], m['slice'], m['centerGray']
        self.hue = tuple(m['hue'])
        # Colour of every dot, by (a, b) of the hexagon and (i, j) of the triangle.
        self.hex = {(a, b): tuple(c) for a, b, _x, _y, c in m['hex']}
        self.tri = {(i, j): tuple(c) for i, j, _x, _y, c in m['tri']}


def stored_position(n, index):
    """The position, in 1/1024 of n, that the program stores when it moves to
    a level or a slice."""
    return index * 1024 // n


def gray_for_level(n, level):
    return Charts(n, stored_position(n, level)).center_gray


def step_level(n, level_pos, direction, coarse):
    """The level one step up (+1) or down (-1) leads to."""
    return model('step_level', n, level_pos, direction, int(coarse))['level']


def step_slice(n, sector, slice_pos, direction, coarse):
    """(sector, slice) one hue step leads to: forward for a negative direction."""
    answer = model('step_slice', n, sector, slice_pos, direction, int(coarse))
    return answer['sector'], answer['slice']


# ---------------------------------------------------------------------------
# Locating a picked colour: where the charts go after a pick

def locate(rgb, layout):
    """(sector, slice_pos, level_pos) that the program stores for a picked
    colour: sector -1 for a grey, level_pos -1 on the outer ring."""
    found = model('locate', layout.client_width, layout.client_height, layout.n, hex_rgb(rgb))
    return found['sector'], found['slicePos'], found['levelPos']


def pick_line_ends(rgb, layout):
    """The pick line's hexagon end and triangle end, client pixels."""
    found = model('locate', layout.client_width, layout.client_height, layout.n, hex_rgb(rgb))
    return tuple(found['hexEnd']), tuple(found['triEnd'])


def clear_of_pick_line(points, ends, margin=12):
    """The (point, colour) pairs that neither the pick line between the two
    ends nor the rings around them can cover."""
    (x0, y0), (x1, y1) = ends
    length2 = float((x1 - x0) ** 2 + (y1 - y0) ** 2) or 1.0

    def distance(px, py):
        t = min(max(((px - x0) * (x1 - x0) + (py - y0) * (y1 - y0)) / length2, 0.0), 1.0)
        return math.hypot(px - (x0 + t * (x1 - x0)), py - (y0 + t * (y1 - y0)))
    return [(p, c) for p, c in points
            if distance(*p) > margin and math.hypot(p[0] - x0, p[1] - y0) > margin
            and math.hypot(p[0] - x1, p[1] - y1) > margin]


# ---------------------------------------------------------------------------
# The palette

def palette_of(slots):
    """16 colours: slots maps a slot to its colour; the others hold the default grey."""
    return [slots.get(k, DEFAULT_GRAY) for k in range(16)]


def palette_text(palette):
    """The clipboard text of a palette of 16 (r, g, b) colours."""
    return model('palette_text', *[hex_rgb(c) for c in palette])['text']


def gradient(palette, a, b):
    """The palette after a gradient fill between slots a and b."""
    return [tuple(c) for c in model('gradient', a, b, *[hex_rgb(c) for c in palette])['palette']]


# ---------------------------------------------------------------------------
# The settings file

def _read_settings(text):
    return model('settings_text', text.encode('latin-1').hex())


def parse_settings(text):
    """The written file as a dict of named fields; raises ValueError when the
    file is not exactly what the program writes for the values it holds."""
    fields = _read_settings(text)
    if not fields['wellFormed']:
        raise ValueError('not in the format the program writes: %r' % text)
    fields = dict(fields)
    fields['bgColor'], fields['pickColor'] = tuple(fields['bgColor']), tuple(fields['pickColor'])
    fields['palette'] = [tuple(c) for c in fields['palette']]
    return fields


def settings_problems(text):
    """What is wrong with a written settings file: an empty list when it is
    well formed and the program would keep every value it holds."""
    fields = _read_settings(text)
    problems = [] if fields['wellFormed'] else ['not in the format the program writes']
    return problems + fields['problems']


def settings_text(rect, size_index=2, pick_format=1, pick_active=0, sector=0, slice_pos=512,
                  level_pos=2048, pick=(-3, 0, 512, 2048, 0, 0, 0, 0), bg='c8c8c8',
                  pick_color='c8c8c8', palette=('c8c8c8',) * 16):
    """A settings file as the program writes it (colours as COLORREF hex)."""
    return model('format_settings', *(list(rect) + [size_index, pick_format, pick_active, sector,
                                                    slice_pos, level_pos] + list(pick)
                                      + [bg, pick_color] + list(palette)))['text']


# ---------------------------------------------------------------------------
# The program at its first-run state, ready for input

def start_default(start):
    """The program that start() runs, at its first-run state, once it maps
    the pointer to its own client points; and its layout. Until Wine has
    the window's final place on the screen (without a window manager it
    learns it some time after the first paint), a pointer event lands
    elsewhere than the test aimed: seen on a loaded machine as a lost first
    click and a hover that showed nothing. So the hover is made again until
    the readout shows it; then the pointer leaves until the readout shows
    that too (Wine 10 on a loaded machine was seen to miss one leave). Wine
    is not asked where the pointer went: the program must see the leave on
    its own."""
    program = start()
    layout = Layout(476, 340, 8)
    program.wait_pixel(layout.hex_cx, layout.hex_cy, (255, 255, 255), what='first paint')
    red_dot, panel = layout.hex[-8, 8], layout.panel_whole_points()
    program.hover(*red_dot, shows=[(p, (255, 0, 0)) for p in panel],
                  what='a hover the readout shows at start', timeout=START_TIMEOUT)

    def leave_shown():
        program.hover(*red_dot)
        park_pointer()
        return holds_within(lambda: program.pixels_hold([(p, DEFAULT_GRAY) for p in panel]), 5.0)
    wait_until(leave_shown, START_TIMEOUT, what='the readout to show the pointer left at start')
    return program, layout
