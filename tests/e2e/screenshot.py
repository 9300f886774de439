"""Starts the program, saves a PNG of its client area, prints the path and
closes the program. `make run` uses it where there is no display of one's own.

Usage: python3 tests/e2e/screenshot.py <path-to-zavrik.exe> <picture.png>
The program runs from its own folder, so it reads and writes the zavrik.ini
there as on any ordinary start.
"""

import os
import sys

sys.dont_write_bytecode = True    # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402


def main():
    if len(sys.argv) != 3:
        sys.stderr.write('usage: %s <path-to-zavrik.exe> <picture.png>\n' % sys.argv[0])
        return 2
    exe = os.path.abspath(sys.argv[1])
    picture = os.path.abspath(sys.argv[2])
    program = harness.Program(exe, folder=os.path.dirname(exe))
    try:
        program.wait_stable(timeout=30)
        program.shot().image.save(picture)
        program.close()
    finally:
        program.kill()
    print(picture)
    return 0


if __name__ == '__main__':
    sys.exit(main())
