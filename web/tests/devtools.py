"""Debian's chromium, headless, driven over the DevTools protocol through
its pipe (fds 3 and 4, NUL-separated JSON): a fresh profile in a temporary
folder, no network, and real input events. Shared by the page's tests and
its benchmark."""
import json
import os
import shutil
import subprocess
import tempfile
import time

FLAGS = ["--headless", "--disable-gpu", "--no-first-run", "--no-default-browser-check",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--disable-default-apps", "--disable-extensions", "--mute-audio", "--remote-debugging-pipe",
         "--window-size=1280,800",
         # No name resolves, so nothing but a numeric local address is reachable.
         "--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1", "--proxy-server=127.0.0.1:9"]


KEYS = {"Tab": ("Tab", 9), " ": ("Space", 32), "c": ("KeyC", 67), "ArrowRight": ("ArrowRight", 39), "ArrowUp": ("ArrowUp", 38)}


class Browser:
    def __init__(self, scale=None):
        """`scale` is the screen's device pixels per CSS pixel, as a
        high-density screen or the browser's zoom sets it."""
        self.profile = tempfile.mkdtemp(prefix="arf-chromium-")
        to_chromium, self._out = os.pipe()
        self._in, from_chromium = os.pipe()
        flags = FLAGS + [f"--user-data-dir={self.profile}"] + (["--no-sandbox"] if os.geteuid() == 0 else [])
        if scale:
            flags.append(f"--force-device-scale-factor={scale}")
        self.process = subprocess.Popen(
            ["sh", "-c", f'exec "$@" 3<&{to_chromium} 4>&{from_chromium}', "sh", "chromium", *flags, "about:blank"],
            pass_fds=(to_chromium, from_chromium), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_chromium)
        os.close(from_chromium)
        self._pending = b""
        self._next = 0
        self.events = []

    def close(self):
        try:
            self.call("Browser.close")
            self.process.wait(10)
        except Exception:
            self.process.kill()
            self.process.wait()
        os.close(self._out)
        os.close(self._in)
        shutil.rmtree(self.profile, ignore_errors=True)

    def _message(self):
        while b"\0" not in self._pending:
            chunk = os.read(self._in, 1 << 16)
            if not chunk:
                raise RuntimeError("chromium went away")
            self._pending += chunk
        message, self._pending = self._pending.split(b"\0", 1)
        return json.loads(message)

    def call(self, method, session=None, **params):
        self._next += 1
        request = {"id": self._next, "method": method, "params": params}
        if session:
            request["sessionId"] = session
        os.write(self._out, json.dumps(request).encode() + b"\0")
        while True:
            message = self._message()
            if message.get("id") == self._next:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}")
                return message["result"]
            if "method" in message:
                self.events.append(message)

    def wait_event(self, method, session, timeout=10):
        deadline = time.monotonic() + timeout
        while True:
            for event in self.events:
                if event["method"] == method and event.get("sessionId") == session:
                    self.events.remove(event)
                    return event["params"]
            if time.monotonic() > deadline:
                raise TimeoutError(method)
            self.events.append(self._message())

    def new_page(self):
        target = self.call("Target.createTarget", url="about:blank")["targetId"]
        session = self.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        return Page(self, session)


class Page:
    engine = "chromium"

    def __init__(self, browser, session):
        self.browser = browser
        self.session = session
        for domain in ("Page", "Runtime", "Log"):
            self.call(f"{domain}.enable")

    def call(self, method, **params):
        return self.browser.call(method, self.session, **params)

    def goto(self, url):
        self.call("Page.navigate", url=url)
        self.browser.wait_event("Page.loadEventFired", self.session)

    def eval(self, expression):
        reply = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in reply:
            raise RuntimeError(f"{expression[:60]}...: {reply['exceptionDetails']}")
        return reply["result"].get("value")

    def click(self, x, y, count=1):
        """One click of `count` presses, each a real press and release."""
        for press in range(1, count + 1):
            for kind in ("mousePressed", "mouseReleased"):
                self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", buttons=1,
                          clickCount=press)

    def tap(self, x, y):
        self.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        self.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def key(self, key, shift=False, ctrl=False):
        code, keycode = KEYS[key]
        for kind in ("rawKeyDown", "keyUp"):
            self.call("Input.dispatchKeyEvent", type=kind, key=key, code=code, windowsVirtualKeyCode=keycode,
                      modifiers=(8 if shift else 0) | (2 if ctrl else 0))

    def screen(self, width, height, scale, touch):
        """A phone's or tablet's screen, a finger its pointer; turning it
        lays the page out again without a reload."""
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=scale,
                  mobile=touch)
        self.call("Emulation.setTouchEmulationEnabled", enabled=touch, maxTouchPoints=1)

    def console(self):
        """Every error and warning so far: the console's, uncaught
        exceptions and the browser's own, the page's policy refusals among them."""
        self.eval("0")
        found = []
        for event in (e for e in self.browser.events if e.get("sessionId") == self.session):
            kind, params = event["method"], event.get("params", {})
            if kind == "Runtime.consoleAPICalled" and params["type"] in ("error", "warning", "assert"):
                found.append(f"{params['type']}: {[a.get('value') for a in params['args']]}")
            elif kind == "Runtime.exceptionThrown":
                found.append(f"exception: {params['exceptionDetails'].get('text')}")
            elif kind == "Log.entryAdded" and params["entry"]["level"] in ("error", "warning"):
                found.append(f"{params['entry']['level']}: {params['entry']['text']}")
        return found
