"""pytest's set-up of the end-to-end tests: the program under test is given
with --exe (or ZAVRIK_EXE), each test's programs are ended afterwards, and
where CTest runs them (ZAVRIK_E2E_JUNIT) each script's results go to a JUnit
file of its own, one folder per Wine, for make test's closing table.

    tests/with-display.sh /usr/bin/python3 -m pytest tests/e2e/test_startup.py \
        --exe build/win64/zavrik.exe -k closing
"""

import os
import sys

import pytest

sys.dont_write_bytecode = True    # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402


def pytest_addoption(parser):
    parser.addoption('--exe', default=os.environ.get('ZAVRIK_EXE'),
                     help='the zavrik.exe under test')


@pytest.hookimpl(tryfirst=True)
def pytest_configure(config):
    folder = os.environ.get('ZAVRIK_E2E_JUNIT')
    if folder and not config.option.xmlpath:
        scripts = [os.path.splitext(os.path.basename(a.split('::')[0]))[0] for a in config.args]
        config.option.xmlpath = os.path.join(folder, 'wine' + os.environ.get('ZAVRIK_WINE', '8'),
                                             '-'.join(scripts) + '.xml')
    exe = config.getoption('--exe')
    if exe:
        if not os.path.isfile(exe):
            raise pytest.UsageError('no such program: %s' % exe)
        harness.EXE = os.path.abspath(exe)


@pytest.fixture
def exe():
    if harness.EXE is None:
        pytest.fail('give the program under test with --exe or ZAVRIK_EXE')
    return harness.EXE


@pytest.fixture
def start(exe):
    """start(settings=None, folder=None) runs the program; every run is ended
    and its folder removed after the test."""
    programs = []

    def starter(settings=None, folder=None):
        programs.append(harness.Program(exe, settings, folder))
        return programs[-1]
    yield starter
    for program in programs:
        program.remove()
    harness.stop_clipboard_owner()


def pytest_unconfigure(config):
    harness.stop_clipboard_owner()
    harness.stop_probe()
