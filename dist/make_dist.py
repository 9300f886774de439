#!/usr/bin/env python3
"""Packs the download for Windows users: one zip per architecture, holding
the stripped exe, the user's readme and the licence, and a SHA-256 list.

The zips are reproducible: every entry has the same time (the commit's, or
SOURCE_DATE_EPOCH), the same permissions and the same order, and nothing of
the machine or the folder they are made in goes into them.

usage: make_dist.py VERSION OUTDIR ARCH=EXE [ARCH=EXE ...]
"""
import hashlib
import os
import subprocess
import sys
import time
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.dirname(HERE)


def source_time():
    if 'SOURCE_DATE_EPOCH' in os.environ:
        return int(os.environ['SOURCE_DATE_EPOCH'])
    try:
        out = subprocess.run(['git', '-C', TOP, 'log', '-1', '--format=%ct'],
                             capture_output=True, text=True, check=True).stdout.strip()
        return int(out)
    except (OSError, subprocess.CalledProcessError, ValueError):
        return 315532800  # 1980-01-01, the earliest time a zip can hold


def windows_text(path, version):
    with open(path, encoding='utf-8') as f:
        text = f.read().replace('@VERSION@', version)
    return text.replace('\r\n', '\n').replace('\n', '\r\n').encode('utf-8')


def add(archive, name, data, stamp):
    info = zipfile.ZipInfo(name, date_time=stamp)
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 0          # MS-DOS: no Unix owner or mode bits
    info.external_attr = 0
    archive.writestr(info, data, compresslevel=9)


def make_zip(path, folder, entries, stamp):
    with zipfile.ZipFile(path, 'w') as archive:
        for name, data in entries:
            add(archive, folder + '/' + name, data, stamp)


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    version, outdir = sys.argv[1], sys.argv[2]
    os.makedirs(outdir, exist_ok=True)
    stamp = time.gmtime(max(source_time(), 315532800))[:6]
    readme = windows_text(os.path.join(HERE, 'README.txt'), version)
    licence = windows_text(os.path.join(TOP, 'LICENSE'), version)
    sums = []
    for pair in sys.argv[3:]:
        arch, exe = pair.split('=', 1)
        with open(exe, 'rb') as f:
            program = f.read()
        folder = 'zavrik-%s-%s' % (version, arch)
        name = folder + '.zip'
        make_zip(os.path.join(outdir, name), folder,
                 [('zavrik.exe', program), ('README.txt', readme), ('LICENSE.txt', licence)], stamp)
        with open(os.path.join(outdir, name), 'rb') as f:
            sums.append('%s  %s\n' % (hashlib.sha256(f.read()).hexdigest(), name))
    with open(os.path.join(outdir, 'SHA256SUMS'), 'w', newline='\n') as f:
        f.writelines(sums)
    for line in sums:
        print(os.path.join(outdir, line.split()[1]))


if __name__ == '__main__':
    main()
