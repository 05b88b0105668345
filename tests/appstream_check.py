#!/usr/bin/env python3
"""Validates AppStream metadata and passes it only if the validator reports
no error and no warning, reading the validator's YAML report rather than the
text it prints, which changes between releases.

    appstream_check.py FILE.metainfo.xml     one file, pedantic
    appstream_check.py --tree ROOT           an installed tree

The project has no homepage yet: that warning, and only that one, is let
through."""
import re
import subprocess
import sys

ALLOWED = {"url-homepage-missing"}


def hints(report):
    """(severity, tag) for every issue in the YAML report."""
    found, tag = [], None
    for line in report.splitlines():
        m = re.match(r"^- tag: *(\S+)", line)
        if m:
            tag = m.group(1)
            continue
        m = re.match(r"^ +severity: *(\S+)", line)
        if m and tag:
            found.append((m.group(1), tag))
            tag = None
    return found


def main(argv):
    tree = argv[1:2] == ["--tree"]
    target = argv[2] if tree else argv[1]
    command = ["appstreamcli", "validate-tree" if tree else "validate", "--no-net", "--format=yaml"]
    if not tree:
        command.append("--pedantic")
    run = subprocess.run(command + [target], capture_output=True, text=True)
    report = run.stdout
    if "Issues:" not in report and "Passed:" not in report:
        print(run.stdout + run.stderr)
        print("0 passed, 1 failed: no report from appstreamcli")
        return 1
    found = hints(report)
    bad = [(s, t) for s, t in found if s in ("error", "warning") and t not in ALLOWED]
    for severity, tag in found:
        print(f"{severity}: {tag}" + ("  <- not allowed" if (severity, tag) in bad else ""))
    print(f"{0 if bad else 1} passed, {1 if bad else 0} failed")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
