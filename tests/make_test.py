#!/usr/bin/env python3
"""`make test`: builds and runs every suite this machine can run, and closes
with a table of what ran and why anything could not. Exits 0 when everything
that ran passed. A suite that cannot run here is no failure, unless
ZAVRIK_REQUIRE_WIN32=1 (for whoever publishes a release) and neither Wine
could test the 32-bit exe.

Suites that share nothing run side by side in lanes, each Windows exe's with
a virtual display and Wine prefixes of its own (two Wine sessions on one
display or prefix disturb each other). Each Windows exe is tested under this
machine's Wine and under Debian 13's Wine 10, from a chroot made once outside
the source tree (tests/wine10.sh), whose own 32-bit Wine emulates 32-bit
programs where this kernel cannot run them.

Switches that show the other paths on any machine:
  ZAVRIK_NO_I386=1       behave as on a kernel that cannot run 32-bit programs
  ZAVRIK_WINE32_FAIL=1   make the wine32 install fail as a broken mirror would
  ZAVRIK_WINE10_FAIL=1   make the Wine 10 chroot fail as a broken mirror would
"""

import os
import shutil
import subprocess
import sys
import threading
import time
import xml.etree.ElementTree as ElementTree

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LOGS = os.path.join(ROOT, 'build', 'test-logs')
JOBS = str(os.cpu_count() or 2)
STARTED = time.monotonic()

print_lock = threading.Lock()


def say(text):
    with print_lock:
        print('[%4d s] %s' % (time.monotonic() - STARTED, text), flush=True)


class Row:
    """One line of the closing table."""

    def __init__(self, name):
        self.name = name
        self.status = 'not run'
        self.counts = ''
        self.seconds = None
        self.reason = ''
        self.log = None
        self.passed = 0
        self.failing = []

    def not_run(self, reason):
        self.status, self.reason = 'not run', reason
        say('%s: not run: %s' % (self.name, reason))


ROWS = {name: Row(name) for name in
        ('native', 'native32', 'ASan/UBSan', 'fuzz', 'win32', 'e2e win32', 'win64', 'e2e win64',
         'win64 Wine 10', 'e2e win64 Wine 10', 'win32 Wine 10', 'e2e win32 Wine 10')}


def run_logged(args, log, env=None, timeout=None):
    with open(log, 'a') as out:
        out.write('$ %s\n' % ' '.join(args))
        out.flush()
        try:
            return subprocess.run(args, cwd=ROOT, stdin=subprocess.DEVNULL, stdout=out,
                                  stderr=subprocess.STDOUT, env=env, timeout=timeout).returncode
        except subprocess.TimeoutExpired:
            out.write('timed out after %s s\n' % timeout)
            return 124


# A compiler cache beside the builds, keyed on paths relative to the source
# tree, so that a fresh clone anywhere compiles only what changed since any
# earlier run on this machine.
CCACHE = ['CMAKE_C_COMPILER_LAUNCHER=ccache', 'CMAKE_CXX_COMPILER_LAUNCHER=ccache'] \
    if shutil.which('ccache') else []
os.environ.setdefault('CCACHE_BASEDIR', ROOT)
os.environ.setdefault('CCACHE_NOHASHDIR', 'true')


def build(preset, log, defines=(), target=None):
    configure = ['cmake', '--preset', preset, '--log-level=WARNING'] + \
        ['-D' + d for d in list(defines) + CCACHE]
    command = ['cmake', '--build', '--preset', preset, '-j' + JOBS]
    if target:
        command += ['--target', target]
    return run_logged(configure, log) == 0 and run_logged(command, log) == 0


def junit_cases(path):
    """The test cases of CTest's, pytest's or GoogleTest's XML file; none
    where it is missing or cut short."""
    try:
        return list(ElementTree.parse(path).getroot().iter('testcase'))
    except (OSError, ElementTree.ParseError):
        return []


def first_failure_line(output):
    """What a failing GoogleTest case or script printed about its failure:
    the line after GoogleTest's "Failure", else the output's last line."""
    lines = [line.strip() for line in (output or '').splitlines() if line.strip()]
    for i, line in enumerate(lines[:-1]):
        if line.endswith(': Failure'):
            return lines[i + 1]
    return lines[-1] if lines else ''


def outcome(case):
    """'passed', 'skipped' or the failure line of a test case in any of the
    three: a failure or error element, or a skipped element or result."""
    fault = case.find('failure')
    fault = case.find('error') if fault is None else fault
    if fault is not None:
        name = case.get('name')
        if case.get('classname') not in (None, name):
            name = '%s.%s' % (case.get('classname'), name)
        message = fault.get('message') or first_failure_line(case.findtext('system-out'))
        return '%s: %s' % (name, message.split('\n')[0])
    skipped = case.find('skipped') is not None or case.get('result') == 'skipped'
    return 'skipped' if skipped else 'passed'


def count_row(row, cases, reports):
    """A row's counts from its CTest cases. A case that writes a report of
    its own (reports(name) is its file: pytest's JUnit for an end-to-end
    script, GoogleTest's for a suite CTest runs as one test) is counted by
    the report's cases instead, and counts one failure if CTest saw it fail
    with none in its report (it timed out, or never got to a case) or never
    ran it."""
    results = []
    for case in cases:
        report = reports(case.get('name'))
        if report is None:
            results.append(outcome(case))
            continue
        reported = [outcome(c) for c in junit_cases(report)]
        ran = case.get('status') not in ('notrun', 'disabled')
        ctest = outcome(case) if ran else '%s: not run' % case.get('name')
        if ctest not in ('passed', 'skipped') and all(r in ('passed', 'skipped') for r in reported):
            reported.append(ctest)
        results += reported
    row.failing = [r for r in results if r not in ('passed', 'skipped')]
    row.passed, skipped = results.count('passed'), results.count('skipped')
    row.counts = '%d passed, %d failed' % (row.passed, len(row.failing)) + \
        (', %d skipped' % skipped if skipped else '')
    return row.passed > 0 and not row.failing


def finish(row, cases, reports):
    """A row's counts are of its own tests; the start and stop of its Wine
    session are not counted, but fail the row when they fail."""
    session = [c for c in cases if c.get('name').endswith(('_session_start', '_session_stop'))]
    cases = [c for c in cases if c not in session]
    row.seconds = sum(float(c.get('time') or 0) for c in cases + session)
    row.status = 'passed' if count_row(row, cases, reports) else 'failed'
    if any(c.get('status') == 'fail' for c in session):
        row.status, row.reason = 'failed', 'its Wine session did not start or stop'
    say('%s: %s (%s)' % (row.name, row.status, row.counts))


def run_ctest(preset, rows, log, env=None):
    """One CTest run of a preset; rows maps a row to the test names it counts
    (a predicate) and the reports of its tests (see count_row)."""
    junit = os.path.join(LOGS, preset + '.xml')
    if os.path.exists(junit):
        os.remove(junit)
    # The whole output of every test is kept: a failing script says why at
    # its end.
    status = run_logged(['ctest', '--preset', preset, '--output-junit', junit,
                         '--test-output-size-passed', '1000000',
                         '--test-output-size-failed', '1000000'], log, env=env)
    cases = junit_cases(junit)
    for row, (belongs, reports) in rows.items():
        row.log = log
        finish(row, [c for c in cases if belongs(c.get('name'))], reports)
        if status != 0 and not cases:
            row.status, row.reason = 'failed', 'ctest exited with %d before any test ran' % status


# ---------------------------------------------------------------------------
# What this machine can run

def run_script(*command):
    """Runs a script of tests/: whether it succeeded, and the last line it
    printed (its answer, or why it failed). What it says on its standard
    error is shown as it goes."""
    result = subprocess.run([os.path.join(ROOT, 'tests', command[0])] + list(command[1:]),
                            stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, text=True)
    lines = result.stdout.strip().splitlines()
    return result.returncode == 0, (lines[-1] if lines else
                                    '%s exited with %d' % (' '.join(command), result.returncode))


def wine32_reason(runs_i386, kernel_reason):
    """None where the 32-bit Windows exe can be tested; else why not."""
    if not runs_i386 and os.environ.get('ZAVRIK_WINE32_FAIL') != '1':
        return kernel_reason
    installed, line = run_script('install.sh', 'wine32')
    if not installed:
        return line
    if not runs_i386:
        return kernel_reason
    return None


def wine_starts_32bit(log):
    """Wine on some machines installs but cannot start a 32-bit program:
    one listing of the suite says so at once, instead of every case failing."""
    exe = os.path.join(ROOT, 'build', 'win32', 'tests', 'win_tests.exe')
    status = run_logged([os.path.join(ROOT, 'tests', 'run-wine.sh'), exe, '--gtest_list_tests'],
                        log, timeout=240)
    return status == 0


# ---------------------------------------------------------------------------
# The lanes

def native_suite(preset, name, defines=()):
    """Builds a native preset and runs its tests; False where the build failed."""
    row = ROWS[name]
    log = os.path.join(LOGS, preset + '.log')
    row.log = log
    say('%s: building' % name)
    if not build(preset, log, defines):
        row.status, row.reason = 'failed', 'the build failed'
        return False
    report = os.path.join(ROOT, 'build', preset, 'native_tests.xml')
    if os.path.exists(report):
        os.remove(report)
    run_ctest(preset, {row: (lambda name: True, {'native_tests': report}.get)}, log)
    return True


def native32_and_fuzz_lane(runs_i386, kernel_reason):
    # Where this kernel cannot run 32-bit programs, qemu-i386-static does.
    fetched, emulator = (True, '') if runs_i386 else run_script('install.sh', 'qemu')
    if fetched:
        native_suite('native32', 'native32', ['CMAKE_CROSSCOMPILING_EMULATOR=' + emulator])
    else:
        ROWS['native32'].not_run('%s, and %s' % (kernel_reason, emulator))
    native_suite('fuzz', 'fuzz')


def wine10_reason(step):
    """None where the Debian 13 chroot with Wine 10 (ensure), or its 32-bit
    Wine (ensure32), is there or could be made; else why not (its one line)."""
    made, line = run_script('wine10.sh', step)
    return None if made else line


class Wine10:
    """The chroot's making, on a thread of its own; reason() waits for it."""

    def __init__(self):
        self.reasons = {}
        self.thread = in_thread(self.make)

    def make(self):
        self.reasons['win64'] = wine10_reason('ensure')
        self.reasons['win32'] = self.reasons['win64'] or wine10_reason('ensure32')

    def reason(self, preset):
        self.thread.join()
        return self.reasons[preset]


def run_windows_suite(preset, suite, e2e, log):
    build_dir = os.path.join(ROOT, 'build', preset.split('-')[0])
    junit = os.path.join(build_dir, 'e2e-junit', 'wine10' if preset.endswith('-wine10') else 'wine8')
    shutil.rmtree(junit, ignore_errors=True)
    run_ctest(preset, {
        suite: (lambda name: not name.startswith('e2e_'), lambda name: None),
        e2e: (lambda name: name.startswith('e2e_'),
              lambda name: os.path.join(junit, name[len('e2e_'):] + '.xml')),
    }, log)


WIN64_LANE_DONE = threading.Event()


def windows_lane(preset, native_built, wine10, wine8_reason=None):
    """A Windows exe's suite and end-to-end tests under Wine 8, unless
    wine8_reason says why they cannot run, and then under Wine 10."""
    wine8 = (ROWS[preset], ROWS['e2e ' + preset])
    wine10_rows = (ROWS[preset + ' Wine 10'], ROWS['e2e %s Wine 10' % preset])
    log = os.path.join(LOGS, preset + '.log')
    say('%s: building' % preset)
    if not build(preset, log):
        for row in wine8 + wine10_rows:
            row.status, row.reason, row.log = 'failed', 'the build failed', log
        return
    native_built.wait()
    if ROWS['native'].status == 'failed':
        for row in wine8 + wine10_rows:
            row.not_run('the native build, whose model tool the end-to-end tests ask, failed')
        return
    if wine8_reason is None and preset == 'win32' and not wine_starts_32bit(log):
        wine8_reason = 'Wine cannot start 32-bit programs on this machine'
    if wine8_reason is None:
        say('%s: running the suite and the end-to-end tests' % preset)
        run_windows_suite(preset, wine8[0], wine8[1], log)
    else:
        for row in wine8:
            row.not_run(wine8_reason)
    # After Wine 8's run rather than beside it: two cores hold one Windows
    # suite's Wine sessions well, two of them badly. The 32-bit exe's run,
    # which may be emulated, comes after every other.
    reason = wine10.reason(preset)
    if reason is not None:
        for row in wine10_rows:
            row.not_run(reason)
        return
    if preset == 'win32':
        WIN64_LANE_DONE.wait()
    say('%s: the suite and the end-to-end tests under Wine 10' % preset)
    run_windows_suite(preset + '-wine10', wine10_rows[0], wine10_rows[1],
                      os.path.join(LOGS, preset + '-wine10.log'))


def in_thread(target, *args):
    thread = threading.Thread(target=target, args=args)
    thread.start()
    return thread


# ---------------------------------------------------------------------------
# The table

def untested_32bit(require_win32):
    """With ZAVRIK_REQUIRE_WIN32=1, the 32-bit rows that count as failures
    for not having run: all of them, where neither Wine tested the exe."""
    pairs = (('win32', 'e2e win32'), ('win32 Wine 10', 'e2e win32 Wine 10'))
    if not require_win32 or any(all(ROWS[n].status != 'not run' for n in p) for p in pairs):
        return []
    return [ROWS[n] for p in pairs for n in p if ROWS[n].status == 'not run']


def print_table(require_win32):
    print()
    untested = untested_32bit(require_win32)
    print('%-17s %-8s %-40s %6s  %s' % ('suite', 'result', 'counts', 'time', 'reason'))
    failures = 0
    for row in ROWS.values():
        failing = row.status == 'failed' or row in untested
        failures += failing
        seconds = '%4.0f s' % row.seconds if row.seconds is not None else ''
        print('%-17s %-8s %-40s %6s  %s' % (row.name, row.status, row.counts, seconds, row.reason))
    total = time.monotonic() - STARTED
    ran = [r for r in ROWS.values() if r.status != 'not run']
    print('%d suites passed, %d failed, %d not run, in %d min %02d s'
          % (sum(r.status == 'passed' for r in ran), sum(r.status == 'failed' for r in ran),
             len(ROWS) - len(ran), total // 60, total % 60))
    print('total: %d passed, %d failed' % (sum(r.passed for r in ran),
                                           sum(len(r.failing) for r in ran)))
    for row in ROWS.values():
        if row.status == 'failed' and row.log:
            print('%s failed: its log is %s' % (row.name, os.path.relpath(row.log, ROOT)))
            for line in row.failing[:10]:
                print('  ' + line[:300])
    if untested:
        print('ZAVRIK_REQUIRE_WIN32=1: neither Wine tested the 32-bit exe, which counts as a failure')
    return failures


def main():
    os.makedirs(LOGS, exist_ok=True)
    for name in os.listdir(LOGS):
        os.remove(os.path.join(LOGS, name))
    require_win32 = os.environ.get('ZAVRIK_REQUIRE_WIN32') == '1'

    runs_i386, kernel_reason = run_script('probe-i386.sh')
    say('32-bit programs: %s' % ('run here' if runs_i386 else kernel_reason))
    native_built = threading.Event()
    # The chroot is made (once per machine, a few minutes) while everything
    # else builds.
    wine10 = Wine10()
    def win64_lane():
        try:
            windows_lane('win64', native_built, wine10)
        finally:
            WIN64_LANE_DONE.set()
    lanes = [in_thread(win64_lane)]
    # The native and 64-bit Windows builds go ahead while wine32 is being
    # installed (a mirror mid-sync can take a while to say no).
    lanes.append(in_thread(lambda: windows_lane('win32', native_built, wine10,
                                                wine32_reason(runs_i386, kernel_reason))))

    # The end-to-end tests take their expected values from the native model
    # tool: the Windows lanes build meanwhile, then wait for it.
    native_ok = native_suite('native', 'native')
    native_built.set()
    if native_ok:
        lanes.append(in_thread(native32_and_fuzz_lane, runs_i386, kernel_reason))
        lanes.append(in_thread(native_suite, 'native-asan', 'ASan/UBSan'))
    for lane in lanes:
        lane.join()
    return 1 if print_table(require_win32) else 0


if __name__ == '__main__':
    sys.exit(main())
