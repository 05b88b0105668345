"""Debian's Firefox ESR, headless, driven over WebDriver BiDi, its own
protocol (Debian packages no geckodriver): a fresh profile that asks
nothing of the network, a WebSocket client of our own, real input through
input.performActions, and every console entry through log.entryAdded."""
import base64
import json
import os
import re
import shutil
import socket
import struct
import subprocess
import tempfile
from pathlib import Path

from actions import keys, presses

# No update, telemetry, captive-portal or other background request, and no
# name resolves but a numeric local address.
PREFS = {
    "app.update.disabledForTesting": True, "browser.shell.checkDefaultBrowser": False,
    "browser.startup.homepage_override.mstone": "ignore", "browser.startup.page": 0,
    "datareporting.policy.dataSubmissionEnabled": False, "toolkit.telemetry.enabled": False,
    "datareporting.healthreport.uploadEnabled": False, "network.captive-portal-service.enabled": False,
    "network.connectivity-service.enabled": False, "browser.safebrowsing.malware.enabled": False,
    "browser.safebrowsing.phishing.enabled": False, "extensions.update.enabled": False,
    "browser.search.update": False, "network.dns.disablePrefetch": True, "network.prefetch-next": False,
    "browser.newtabpage.enabled": False, "network.proxy.type": 1, "network.proxy.http": "127.0.0.1",
    "network.proxy.http_port": 9, "network.proxy.ssl": "127.0.0.1", "network.proxy.ssl_port": 9,
    "network.proxy.allow_hijacking_localhost": False, "remote.prefs.recommended": True,
    "browser.region.network.url": "", "services.settings.server": "", "media.gmp-manager.url": "",
    "extensions.getAddons.cache.enabled": False, "app.normandy.enabled": False,
    "browser.ping-centre.telemetry": False,
}


class WebSocket:
    """Just enough of RFC 6455 for text frames to and from a local server."""

    def __init__(self, host, port, path):
        self.sock = socket.create_connection((host, port), timeout=30)
        key = base64.b64encode(os.urandom(16)).decode()
        self.sock.sendall(f"GET {path} HTTP/1.1\r\nHost: {host}:{port}\r\nUpgrade: websocket\r\n"
                          f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\nSec-WebSocket-Version: 13\r\n\r\n"
                          .encode())
        self.buffer = b""
        while b"\r\n\r\n" not in self.buffer:
            self.buffer += self._recv()
        head, self.buffer = self.buffer.split(b"\r\n\r\n", 1)
        if b" 101 " not in head.split(b"\r\n")[0]:
            raise RuntimeError(head.decode(errors="replace"))

    def _recv(self):
        chunk = self.sock.recv(1 << 16)
        if not chunk:
            raise RuntimeError("firefox went away")
        return chunk

    def _take(self, size):
        while len(self.buffer) < size:
            self.buffer += self._recv()
        data, self.buffer = self.buffer[:size], self.buffer[size:]
        return data

    def send(self, text):
        data, mask = text.encode(), os.urandom(4)
        size = len(data)
        head = bytes([0x81]) + (bytes([0x80 | size]) if size < 126 else
                                bytes([0xFE]) + struct.pack(">H", size) if size < 1 << 16 else
                                bytes([0xFF]) + struct.pack(">Q", size))
        self.sock.sendall(head + mask + bytes(b ^ mask[i % 4] for i, b in enumerate(data)))

    def receive(self):
        message = b""
        while True:
            first, second = self._take(2)
            size = second & 0x7F
            if size == 126:
                size = struct.unpack(">H", self._take(2))[0]
            elif size == 127:
                size = struct.unpack(">Q", self._take(8))[0]
            payload = self._take(size)
            if first & 0x0F == 8:
                raise RuntimeError("firefox closed the connection")
            message += payload
            if first & 0x80:
                return message.decode()


class Firefox:
    engine = "firefox"

    def __init__(self, width=1280, height=800, coarse=False):
        """`coarse`: the primary pointer is a finger, as on a phone."""
        self.coarse = coarse
        self.profile = tempfile.mkdtemp(prefix="arf-firefox-")
        prefs = dict(PREFS, **({"ui.primaryPointerCapabilities": 1, "ui.allPointerCapabilities": 1}
                               if coarse else {}))
        Path(self.profile, "user.js").write_text(
            "".join(f"user_pref({json.dumps(k)}, {json.dumps(v)});\n" for k, v in prefs.items()))
        self.process = subprocess.Popen(
            ["firefox-esr", "--headless", "--no-remote", "--profile", self.profile, "--remote-debugging-port=0",
             f"--window-size={width},{height}", "about:blank"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
            env=dict(os.environ, MOZ_CRASHREPORTER_DISABLE="1"))
        for line in self.process.stderr:
            found = re.search(r"WebDriver BiDi listening on ws://([\d.]+):(\d+)", line)
            if found:
                break
        else:
            raise RuntimeError("firefox gave no WebDriver BiDi address")
        # The rest of its output goes nowhere, so that it never blocks on a full pipe.
        self._drain = subprocess.Popen(["cat"], stdin=self.process.stderr, stdout=subprocess.DEVNULL)
        self.ws = WebSocket(found.group(1), int(found.group(2)), "/session")
        self._next = 0
        self.entries = []
        self.call("session.new", capabilities={"alwaysMatch": {"acceptInsecureCerts": False}})
        self.context = self.call("browsingContext.getTree")["contexts"][0]["context"]
        self.call("session.subscribe", events=["log.entryAdded"])

    def call(self, method, **params):
        self._next += 1
        self.ws.send(json.dumps({"id": self._next, "method": method, "params": params}))
        while True:
            message = json.loads(self.ws.receive())
            if message.get("id") == self._next:
                if message.get("type") == "error":
                    raise RuntimeError(f"{method}: {message.get('error')}: {message.get('message')}")
                return message["result"]
            if message.get("method") == "log.entryAdded":
                entry = message["params"]
                self.entries.append(f"{entry.get('level')}: {entry.get('text')}")

    def close(self):
        try:
            self.call("browser.close")
            self.process.wait(10)
        except Exception:
            self.process.kill()
            self.process.wait()
        self._drain.wait(10)
        shutil.rmtree(self.profile, ignore_errors=True)

    # What the tests ask of every engine.
    def goto(self, url):
        self.call("browsingContext.navigate", context=self.context, url=url, wait="complete")

    def eval(self, expression):
        reply = self.call("script.evaluate", target={"context": self.context}, awaitPromise=True,
                          expression=f"(async () => JSON.stringify(await ({expression})))()")
        if reply["type"] == "exception":
            raise RuntimeError(f"{expression[:60]}...: {reply['exceptionDetails'].get('text')}")
        value = reply["result"].get("value")
        return None if value is None else json.loads(value)

    def click(self, x, y, count=1):
        self.call("input.performActions", context=self.context, actions=presses("mouse", x, y, count))

    def tap(self, x, y):
        self.call("input.performActions", context=self.context, actions=presses("touch", x, y, 1))

    def key(self, key, shift=False, ctrl=False):
        self.call("input.performActions", context=self.context, actions=keys(key, shift, ctrl))

    def console(self):
        """Every console entry so far, errors and warnings of the page's policy among them."""
        self.eval("0")  # entries so far arrive before this reply
        return list(self.entries)

    def screen(self, width, height, scale, touch):
        """A screen of that size; a finger is the pointer only in a browser
        started `coarse`, as Firefox reads it from its preferences at start."""
        if touch != self.coarse:
            raise RuntimeError("this Firefox was started with the other pointer")
        self.call("browsingContext.setViewport", context=self.context, viewport={"width": width, "height": height},
                  devicePixelRatio=scale)
