"""A short soak inside the test suite: a few hundred random actions on the
running program, which must still answer and write a well-formed settings
file at exit.

Run: python3 -m pytest tests/e2e/test_soak_short.py --exe <path-to-zavrik.exe> (inside tests/with-display.sh)
"""

import os

import harness
import soak

ACTIONS = int(os.environ.get('ZAVRIK_SOAK_SHORT_ACTIONS', '300'))


class ShortSoak(harness.ProgramTestCase):

    def test_random_input_leaves_the_program_answering(self):
        for seed in (20240601, 7):
            with self.subTest(seed=seed):
                soak.soak(self.exe, ACTIONS // 2, seed)

