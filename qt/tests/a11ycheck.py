"""What the screen-reader tests share: counted checks ending in the closing
line the test runner reads, and the program run with accessibility on."""
import os
import subprocess
import sys

counts = {"passed": 0, "failed": 0}


def check(ok, what, heard=None):
    counts["passed" if ok else "failed"] += 1
    if not ok:
        print("FAIL:", what, "" if heard is None else f"(heard {heard!r})")


def run(program_path, body):
    """Starts the program, hands it to body, ends it and exits with the
    verdict."""
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    program = subprocess.Popen([program_path], env=env)
    try:
        body(program)
    finally:
        program.terminate()
        program.wait(5)
    print(f"{counts['passed']} passed, {counts['failed']} failed")
    sys.exit(0 if counts["failed"] == 0 and counts["passed"] > 0 else 1)
