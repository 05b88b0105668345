#!/usr/bin/env python3
"""Fetches the pinned axe-core with npm for the page's tests and checks it
against the integrity pinned here, before any test runs.
  fetch_axe.py OUT.js"""
import base64
import hashlib
import subprocess
import sys
import tarfile
import tempfile
from pathlib import Path

VERSION = "4.14.1"
INTEGRITY = "sha512-FHfa+lmNjQZfJz1q8wKqIDwC6DExcHt/pkjNQb09a3NPjCKg2rhu5qb2S4r76ASyFNNtuFooJpZe37OgudVGtQ=="


def main(out_path):
    out = Path(out_path)
    stamp = out.with_suffix(".integrity")
    if out.exists() and stamp.exists() and stamp.read_text() == INTEGRITY:
        return 0
    with tempfile.TemporaryDirectory() as work:
        packed = subprocess.run(["npm", "pack", "--loglevel=error", f"--cache={work}/cache", f"axe-core@{VERSION}"],
                                cwd=work, capture_output=True, text=True)
        if packed.returncode != 0:
            sys.exit(f"npm pack axe-core@{VERSION} failed:\n{packed.stderr}")
        name = packed.stdout.split()[-1]
        tarball = Path(work) / name
        got = "sha512-" + base64.b64encode(hashlib.sha512(tarball.read_bytes()).digest()).decode()
        if got != INTEGRITY:
            sys.exit(f"axe-core {VERSION}: integrity {got}, pinned {INTEGRITY}")
        with tarfile.open(tarball) as archive:
            out.write_bytes(archive.extractfile("package/axe.min.js").read())
    stamp.write_text(INTEGRITY)
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
