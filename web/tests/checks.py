"""What the page's checks share: counted checks ending in the closing line
the test runner reads, and where an element's middle is for a click."""

counts = {"passed": 0, "failed": 0}


def check(ok, what, got=None):
    counts["passed" if ok else "failed"] += 1
    if not ok:
        print("FAIL:", what, "" if got is None else f"(got {got!r})")
    return ok


def centre(page, element_id):
    return page.eval(f"(r => [r.x + r.width / 2, r.y + r.height / 2])"
                     f"(document.getElementById('{element_id}').getBoundingClientRect())")


def verdict():
    print(f"{counts['passed']} passed, {counts['failed']} failed")
    return 0 if counts["failed"] == 0 and counts["passed"] > 0 else 1
