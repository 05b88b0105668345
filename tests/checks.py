"""Counted checks for the Python tests, ending in the closing line the test
runner reads."""

counts = {"passed": 0, "failed": 0}


def check(ok, what, got=None):
    counts["passed" if ok else "failed"] += 1
    if not ok:
        print("FAIL:", what, "" if got is None else f"(got {got!r})")
    return ok


def verdict():
    """Prints the closing line; the exit status: 0 if something passed and nothing failed."""
    print(f"{counts['passed']} passed, {counts['failed']} failed")
    return 0 if counts["failed"] == 0 and counts["passed"] > 0 else 1
