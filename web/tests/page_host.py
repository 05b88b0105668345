"""The page from disk and from a static web host: it asks for nothing but
itself, stores nothing, lets in no other script, and keeps a clean console."""
import functools
import http.server
import threading
from pathlib import Path

from checks import check
from places import centre


class Host(http.server.SimpleHTTPRequestHandler):
    """A static web host that notes every path asked of it."""
    asked = []

    def do_GET(self):
        Host.asked.append(self.path)
        super().do_GET()

    def log_message(self, *args):
        pass


def keeps_to_itself(page, url):
    if page.engine == "chromium":
        requests = [e["params"]["request"]["url"] for e in page.browser.events
                    if e["method"] == "Network.requestWillBeSent"]
        check(requests and all(r.split("?")[0].split("#")[0] == url for r in requests),
              "from disk the page asks for nothing but itself", sorted(set(requests)))
    directory = str(Path(url[len("file://"):]).parent)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Host, directory=directory))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    origin = f"http://127.0.0.1:{server.server_address[1]}"
    Host.asked = []
    try:
        page.goto(f"{origin}/{Path(url).name}")
        page.click(*centre(page, "CommandAddressBits(7)"))
        page.click(*centre(page, "OptionMode(0)"))
        same = page.eval("document.getElementById('TextHexMin').value") == "0x80"
        check(same, f"{page.engine}: from a web host the page works")
        stored = page.eval("""(indexedDB.databases ? indexedDB.databases() : Promise.resolve([])).then(
            d => [document.cookie, localStorage.length, sessionStorage.length, d.length])""")
        usage = page.call("Storage.getUsageAndQuota", origin=origin)["usage"] if page.engine == "chromium" else 0
        check(stored == ["", 0, 0, 0] and usage == 0, f"{page.engine}: nothing stored", (stored, usage))
        clean(page)
        # The page's policy refuses any other script and any fetch, even of data.
        refused = page.eval("""new Promise(done => {
            const script = document.createElement('script');
            script.textContent = 'window.intruded = true';
            document.body.append(script);
            fetch('data:,x').then(() => done(false), () => done(!window.intruded));
          })""")
        check(refused, f"{page.engine}: the policy lets in no other script and no fetch")
        page.goto("about:blank")  # a late request, such as for an icon, shows up by now
    finally:
        server.shutdown()
    check(Host.asked == [f"/{Path(url).name}"], f"{page.engine}: the host is asked for the page alone", Host.asked)


def clean(page):
    """No error, warning or refusal of the page's policy, on load or in use."""
    found = page.console()
    check(not found, f"{page.engine}: the console stays clean", found)
