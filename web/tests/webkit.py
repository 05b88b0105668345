"""WebKitGTK's MiniBrowser driven by WebKitWebDriver over classic W3C
WebDriver on a local port, on an Xvfb display of the tests' own: real
input through the actions endpoint. WebKitWebDriver hands out no console
and MiniBrowser under automation writes none, so console() reports the
policy's refusals and the errors the page meets after it has loaded."""
import glob
import json
import os
import shutil
import socket
import subprocess
import tempfile
import time
import urllib.error
import urllib.request

from actions import keys, presses

# Catches what goes wrong from here on; installed after each load.
WATCH = """if (!window.troubles) {
  window.troubles = [];
  document.addEventListener('securitypolicyviolation', e => troubles.push(`policy: ${e.violatedDirective} ${e.blockedURI}`));
  addEventListener('error', e => troubles.push(`error: ${e.message}`));
  addEventListener('unhandledrejection', e => troubles.push(`error: ${e.reason}`));
}"""


def minibrowser():
    found = sorted(glob.glob("/usr/lib/*/webkit2gtk-4.*/MiniBrowser"))
    if not found:
        raise RuntimeError("no MiniBrowser: install webkit2gtk-driver")
    return found[-1]


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class WebKit:
    engine = "webkit"

    def __init__(self, width=1280, height=800):
        self.home = tempfile.mkdtemp(prefix="arf-webkit-")
        shown, told = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(told), "-screen", "0", "1600x1200x24",
                                      "-nolisten", "tcp"],
                                     pass_fds=(told,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(told)
        display = b""
        while not display.endswith(b"\n"):
            chunk = os.read(shown, 16)
            if not chunk:
                raise RuntimeError("Xvfb did not start")
            display += chunk
        os.close(shown)
        env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": self.home, "DISPLAY": f":{display.decode().strip()}",
               "XDG_RUNTIME_DIR": self.home, "XDG_CACHE_HOME": f"{self.home}/cache", "XDG_DATA_HOME": f"{self.home}/data",
               "XDG_CONFIG_HOME": f"{self.home}/config", "GDK_BACKEND": "x11", "NO_AT_BRIDGE": "1",
               "WEBKIT_DISABLE_COMPOSITING_MODE": "1", "DBUS_SESSION_BUS_ADDRESS": "disabled:"}
        self.port = free_port()
        self.driver = subprocess.Popen(["WebKitWebDriver", f"--port={self.port}"], env=env,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 20
        while True:
            try:
                socket.create_connection(("127.0.0.1", self.port), timeout=1).close()
                break
            except OSError:
                if time.monotonic() > deadline or self.driver.poll() is not None:
                    self._stop()
                    raise RuntimeError("WebKitWebDriver did not start")
                time.sleep(0.05)
        self.session = None
        try:
            self.session = self._call("POST", "/session", {"capabilities": {"alwaysMatch": {
                "webkitgtk:browserOptions": {"binary": minibrowser(), "args": ["--automation"]}}}})["sessionId"]
            self._call("POST", f"/session/{self.session}/window/rect", {"width": width, "height": height})
        except Exception:
            self._stop()
            raise

    def _call(self, method, path, body=None):
        request = urllib.request.Request(f"http://127.0.0.1:{self.port}{path}", method=method,
                                         data=None if body is None else json.dumps(body).encode(),
                                         headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(request, timeout=60) as reply:
                return json.loads(reply.read())["value"]
        except urllib.error.HTTPError as error:
            raise RuntimeError(f"{path}: {error.read().decode(errors='replace')}") from None

    def call(self, method, what, body=None):
        return self._call(method, f"/session/{self.session}/{what}", body)

    def _stop(self):
        for process in (self.driver, self.xvfb):
            process.terminate()
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        shutil.rmtree(self.home, ignore_errors=True)

    def close(self):
        try:
            if self.session:
                self._call("DELETE", f"/session/{self.session}")
        finally:
            self._stop()

    def goto(self, url):
        self.call("POST", "url", {"url": url})
        self.call("POST", "execute/sync", {"script": WATCH, "args": []})

    def eval(self, expression):
        value = self.call("POST", "execute/async", {
            "script": f"Promise.resolve({expression}).then(v => arguments[0](JSON.stringify(v === undefined ? null : v)))",
            "args": []})
        return json.loads(value)

    def _act(self, actions):
        self.call("POST", "actions", {"actions": actions})
        self.call("DELETE", "actions")

    def click(self, x, y, count=1):
        self._act(presses("mouse", x, y, count))

    def tap(self, x, y):
        self._act(presses("touch", x, y, 1))

    def key(self, key, shift=False, ctrl=False):
        self._act(keys(key, shift, ctrl))

    def console(self):
        return self.eval("window.troubles || ['no watch on this page']")
