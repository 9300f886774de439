"""A short soak inside the test suite: a few hundred random actions on the
running program, which must still answer and write a well-formed settings
file at exit.

Usage: python3 tests/e2e/test_soak_short.py <path-to-zavrik.exe>
"""

import os
import sys

sys.dont_write_bytecode = True    # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import soak  # noqa: E402

EXE = harness.take_exe_argument()
ACTIONS = int(os.environ.get('ZAVRIK_SOAK_SHORT_ACTIONS', '300'))


class ShortSoak(harness.ProgramTestCase):

    def test_random_input_leaves_the_program_answering(self):
        for seed in (20240601, 7):
            with self.subTest(seed=seed):
                soak.soak(self.exe, ACTIONS // 2, seed)


if __name__ == '__main__':
    harness.run_tests(EXE)
