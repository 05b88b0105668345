"""What the screen-reader tests share: counted checks ending in the closing
line the test runner reads, and the program run with accessibility on."""
import os
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tests"))
from checks import check, verdict  # noqa: E402,F401  (the suites take check from here)

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
    sys.exit(verdict())
