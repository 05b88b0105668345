#!/usr/bin/env python3
"""Writes the page into one file: the markup with its style, its script and
the WebAssembly module inside, under a policy that lets in nothing else.
  assemble.py MODULE.wasm OUT.html   (run from web/)"""
import base64
import hashlib
import sys
from pathlib import Path

LIMIT = 32 * 1024
ICON = "../icons/addressrangefinder-16.png"


def digest(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode() + "'"


def main(module_path, out_path):
    module = base64.b64encode(Path(module_path).read_bytes()).decode()
    # The tool's own icon, inside the page, so a web host is never asked for one.
    icon = base64.b64encode(Path(ICON).read_bytes()).decode()
    style = Path("page.css").read_text()
    script = Path("page.js").read_text().replace("@MODULE@", module)
    # Inline scripts and styles by their hashes only; the module compiles
    # under 'wasm-unsafe-eval', which permits no eval of script text.
    policy = "; ".join([
        "default-src 'none'",
        f"script-src {digest(script)} 'wasm-unsafe-eval'",
        f"style-src {digest(style)}",
        "img-src data:",
        "base-uri 'none'",
        "form-action 'none'",
    ])
    page = (Path("page.html").read_text()
            .replace("@POLICY@", policy).replace("@ICON@", icon).replace("@STYLE@", style).replace("@SCRIPT@", script))
    size = len(page.encode())
    if size > LIMIT:
        sys.exit(f"{out_path}: {size} bytes, over the {LIMIT}-byte limit")
    Path(out_path).write_text(page)


if __name__ == "__main__":
    main(*sys.argv[1:])
