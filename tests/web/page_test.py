#!/usr/bin/python3
"""The workbench page in Debian's headless Chromium, opened from disk.

usage: page_test.py PAGE_HTML EXAMPLES [NATIVE_PROGRAM]

Keeps a screenshot of the page with an example loaded beside the page
(screenshot.png). With the native program, run() and the page's downloads
are compared with its files byte for byte.
"""
import base64
import json
import os
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

from browser import Browser

EPOCH = "1765202733"
PAGE = EXAMPLES = NATIVE = None
OUTPUTS = {"quantities": ".qty", "barTable": ".tab", "json": ".json", "csv": ".csv"}

# run() with the four files as base64, for comparison with the native program.
RUN_SCRIPT = """
const [deck, options, done] = arguments;
const base64 = (bytes) => {
  if (!bytes) return null;
  let text = '';
  for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
  return btoa(text);
};
window.barlist.run(deck, options).then((r) => done({
  status: r.status, diagnostics: r.diagnostics, quantities: r.quantities,
  files: Object.fromEntries(Object.entries(r.files).map(([k, v]) => [k, base64(v)])),
}), (error) => done({ error: String(error) }));
"""


def native_files(deck_bytes, name="input.deck"):
    """What the native program writes for `deck_bytes`, by run() key."""
    with tempfile.TemporaryDirectory() as folder:
        stem = name.rsplit(".", 1)[0]
        Path(folder, name).write_bytes(deck_bytes)
        env = dict(os.environ, SOURCE_DATE_EPOCH=EPOCH)
        args = [NATIVE, "--force", "--json", stem + ".json", "--csv", stem + ".csv", name, stem + ".qty", stem + ".tab"]
        status = subprocess.run(args, cwd=folder, env=env, capture_output=True).returncode
        files = {key: Path(folder, stem + ext).read_bytes() if Path(folder, stem + ext).exists() else None
                 for key, ext in OUTPUTS.items()}
        return status, files


class Page(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.browser = Browser()
        cls.driver = cls.browser.driver
        cls.driver.get("about:blank")
        cls.browser.requests()  # the browser's own start-up pages are not the page's
        cls.open_page()

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()

    @classmethod
    def open_page(cls):
        cls.driver.get(Path(PAGE).resolve().as_uri() + "#epoch=" + EPOCH)
        cls.wait_for_check(cls, None)

    def wait_for_check(self, before, timeout=30):
        deadline = time.time() + timeout
        while time.time() < deadline:
            checked = self.driver.execute_script("return document.body.dataset.checked || null")
            if checked and checked != before:
                return checked
            time.sleep(0.02)
        raise AssertionError("the page did not check the deck")

    def set_deck(self, text):
        before = self.driver.execute_script("return document.body.dataset.checked || null")
        self.driver.execute_script(
            "const v = window.barlistView; v.dispatch({changes: {from: 0, to: v.state.doc.length, insert: arguments[0]}});",
            text)
        self.wait_for_check(before)

    def run_in_page(self, deck_text, name="input.deck"):
        result = self.driver.execute_async_script(RUN_SCRIPT, deck_text, {"epoch": int(EPOCH), "name": name})
        self.assertNotIn("error", result)
        return result

    def diagnostics(self):
        return self.driver.execute_script(
            "return [...document.querySelectorAll('#diagnostics .diagnostic')].map(b => "
            "({line: +b.dataset.line, column: +b.dataset.column, text: b.textContent, cls: b.className, "
            "message: b.querySelector('.message').textContent, "
            "notes: [...b.querySelectorAll('.note')].map(n => n.textContent)}))")

    def summary(self):
        return self.driver.find_element("id", "diagnostics-summary").text

    def cursor(self):
        return self.driver.execute_script(
            "const s = window.barlistView.state, h = s.selection.main.head, l = s.doc.lineAt(h);"
            "return [l.number, h - l.from + 1];")

    def move_cursor(self, line, column):
        self.driver.execute_script(
            "const v = window.barlistView, l = v.state.doc.line(arguments[0]);"
            "v.dispatch({selection: {anchor: l.from + arguments[1] - 1}});", line, column)

    def pier_cap(self):
        return (Path(EXAMPLES) / "pier-cap.deck").read_text()

    def test_01_version_and_first_check(self):
        self.assertRegex(self.driver.execute_script("return window.barlist.version"), r"^\d+\.\d+\.\d+$")
        self.assertIn("exit status 0", self.driver.find_element("id", "check-status").text)
        self.driver.save_screenshot(str(Path(PAGE).parent / "screenshot.png"))

    def test_02_errors_and_warnings_are_underlined_and_listed_with_their_notes(self):
        lines = self.pier_cap().split("\n")
        lines[6] = lines[6][:12] + lines[6][14:16] + "  " + lines[6][16:]  # "  10" becomes "10  "
        lines[7] = " 11" + lines[7][3:]  # no such bar size
        deck = "\n".join(lines)
        self.set_deck(deck)
        found = [d for d in self.diagnostics() if d["line"] == 7 and d["column"] == 13]
        self.assertEqual(len(found), 1, self.diagnostics())
        self.assertTrue(found[0]["message"].startswith("warning: count punched at the left of its field"))
        self.assertEqual(found[0]["notes"], ["note: punch the count right-justified in columns 13-16"])
        self.assertIn("warning", found[0]["cls"])
        error = [d for d in self.diagnostics() if d["line"] == 8]
        self.assertEqual(len(error), 1, self.diagnostics())
        self.assertTrue(error[0]["message"].startswith("error 5: ILLEGAL BAR SIZE"), error[0])
        self.assertTrue(error[0]["notes"][0].startswith("note: bar sizes are 10, 13"), error[0])
        self.assertEqual(self.summary(), "1 error, 1 warning; no bar table for problem P201")
        if NATIVE:
            # The same texts, in the same order, as the command line's check shows.
            with tempfile.TemporaryDirectory() as folder:
                Path(folder, "pier-cap.deck").write_text(deck)
                stderr = subprocess.run([NATIVE, "--check", "pier-cap.deck"], cwd=folder, capture_output=True,
                                        text=True).stderr
            shown = [line.split(": ", 1)[1] for line in stderr.splitlines() if line.startswith("pier-cap.deck:")]
            listed = [text for d in self.diagnostics() for text in [d["message"]] + d["notes"]]
            self.assertEqual(listed, shown[:-1])
            self.assertEqual(shown[-1], self.summary())
        underline = self.driver.execute_script(
            "return [...document.querySelectorAll('.cm-lintRange-warning')].length")
        self.assertGreaterEqual(underline, 1)
        # Choosing it moves the cursor to its line and column.
        self.move_cursor(1, 1)
        self.driver.find_element("css selector", '#diagnostics .diagnostic[data-line="7"][data-column="13"]').click()
        self.assertEqual(self.cursor(), [7, 13])
        self.set_deck(self.pier_cap())

    def test_03_bar_card_hint_shows_length_and_weight(self):
        record = json.loads(base64.b64decode(self.run_in_page(self.pier_cap())["files"]["json"]))
        item = record["problems"][0]["units"][0]["items"][0]
        hints = self.driver.execute_script(
            "return [...document.querySelectorAll('.cm-bar-hint')].map(h => h.textContent)")
        self.assertIn(f"{item['length']} mm · {item['weight']} kg", hints)
        self.assertEqual(item["line"], 7)
        # Blanks typed on the card keep its hint after column 80 as the edit is made.
        gap = self.driver.execute_script(
            "const v = window.barlistView, l = v.state.doc.line(7);"
            "v.dispatch({changes: {from: l.to, insert: '          '}});"
            "const hint = v.contentDOM.querySelectorAll('.cm-line')[6].querySelector('.cm-bar-hint');"
            "return [hint.style.marginLeft, v.state.doc.line(7).length];")
        self.assertEqual(gap[0], f"{82 - gap[1]}ch")
        self.set_deck(self.pier_cap())

    def cursor_field(self, ending):
        """The line under the editor once the worker has told the value at the cursor."""
        deadline = time.time() + 10
        while True:
            text = self.driver.find_element("id", "cursor-field").text
            if text.endswith(ending) or time.time() > deadline:
                return text
            time.sleep(0.02)

    def test_04_field_at_the_cursor(self):
        self.move_cursor(7, 15)
        self.assertTrue(self.cursor_field("read as 10").endswith("bar card · count, columns 13-16 · read as 10"))
        current = self.driver.find_element("css selector", ".cm-ruler .current")
        self.assertEqual(current.get_attribute("title"), "count, columns 13-16")
        self.move_cursor(5, 19)
        self.assertIn("unit card · number of units, columns 18-19 · read as 3", self.cursor_field("read as 3"))

    def test_05_run_equals_the_native_program_for_every_example(self):
        if not NATIVE:
            self.skipTest("no native program to compare with")
        for deck in sorted(Path(EXAMPLES).glob("*.deck")):
            with self.subTest(deck=deck.name):
                result = self.run_in_page(deck.read_text(), deck.name)
                status, want = native_files(deck.read_bytes(), deck.name)
                self.assertEqual(result["status"], status)
                for key in OUTPUTS:
                    got = result["files"][key]
                    self.assertEqual(base64.b64decode(got) if got else None, want[key], key)

    def test_06_downloads_equal_the_native_program(self):
        if not NATIVE:
            self.skipTest("no native program to compare with")
        self.set_deck(self.pier_cap())
        status, want = native_files(self.pier_cap().encode(), "pier-cap.deck")
        for key, extension in OUTPUTS.items():
            with self.subTest(download=key):
                target = Path(self.browser.downloads, "pier-cap" + extension)
                target.unlink(missing_ok=True)
                self.driver.find_element("css selector", f'[data-download="{key}"]').click()
                deadline = time.time() + 10
                while not target.exists() and time.time() < deadline:
                    time.sleep(0.05)
                time.sleep(0.1)
                self.assertEqual(target.read_bytes(), want[key])

    def test_07_fatal_deck_is_shown_at_its_card_and_leaves_the_page_usable(self):
        self.set_deck("*B06P2010185T\nUUNIT            X1\n 10B01001000   1\nZ\n")
        found = self.diagnostics()
        self.assertEqual(len(found), 1, found)
        self.assertEqual((found[0]["line"], found[0]["column"]), (2, 18))
        self.assertEqual(found[0]["message"], 'fatal error: input conversion error: "X1" in the number of units '
                                              '(columns 18-19) is not a number')
        self.assertEqual(found[0]["notes"], ["note: the run stops here; the quantities file ends before this card"])
        self.assertIn("fatal", found[0]["cls"])
        self.assertEqual(self.summary(), "1 error; no bar table for problem P201; a run would stop at line 2")
        self.assertIn("exit status 1", self.driver.find_element("id", "check-status").text)
        self.move_cursor(1, 1)
        self.driver.find_element("css selector", '#diagnostics .diagnostic[data-line="2"]').click()
        self.assertEqual(self.cursor(), [2, 18])
        self.set_deck(self.pier_cap())
        self.assertEqual(self.diagnostics(), [])
        self.assertIn("exit status 0", self.driver.find_element("id", "check-status").text)

    def test_08_hostile_input_neither_hangs_nor_crashes(self):
        long_line = "*B06P2010185" + "X" * 100000 + "\nZ\n"
        binary = "".join(chr(i) for i in range(256)) * 20 + "\n\x00\x01\xff\n"
        many = "*B0600010100MANY\nUUNIT             1\n" + " 10B01001000   1\n" * 100000 + "Z\n"
        for name, deck in (("long line", long_line), ("binary", binary), ("100,000 cards", many)):
            with self.subTest(deck=name):
                result = self.run_in_page(deck)
                self.assertIn(result["status"], (0, 1, 2))
        # The editor answers at once while a large deck is checked in the worker.
        self.driver.execute_script(
            "const v = window.barlistView; v.dispatch({changes: {from: 0, to: v.state.doc.length, insert: arguments[0]}});",
            many)
        started = time.time()
        self.move_cursor(3, 14)
        self.assertLess(time.time() - started, 1.0)
        self.assertIn("bar card · count", self.driver.find_element("id", "cursor-field").text)
        self.set_deck(self.pier_cap())

    def test_09_no_network_request(self):
        requests = self.browser.requests()
        self.assertTrue(requests, "the request log is empty: the listener does not work")
        outside = [url for url in requests if not url.startswith(("file:", "data:", "blob:"))]
        self.assertEqual(outside, [], "\n".join(outside))

    def test_10_served_over_http_it_asks_for_the_page_alone(self):
        server = subprocess.Popen([sys.executable, "-m", "http.server", "--bind", "127.0.0.1", "0"],
                                  cwd=Path(PAGE).parent, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        try:
            port = server.stdout.readline().split("port ")[1].split(" ")[0]
            self.browser.requests()  # forget the requests so far
            self.driver.get(f"http://127.0.0.1:{port}/{Path(PAGE).name}#epoch={EPOCH}")
            self.wait_for_check(None)
            outside = [u for u in self.browser.requests() if not u.startswith(("data:", "blob:"))]
            self.assertEqual(outside, [f"http://127.0.0.1:{port}/{Path(PAGE).name}"])
        finally:
            server.terminate()
            server.wait()
            server.stdout.close()
            self.open_page()


if __name__ == "__main__":
    PAGE, EXAMPLES = sys.argv[1], sys.argv[2]
    NATIVE = str(Path(sys.argv[3]).resolve()) if len(sys.argv) > 3 and Path(sys.argv[3]).exists() else None
    unittest.main(argv=sys.argv[:1], verbosity=2)
