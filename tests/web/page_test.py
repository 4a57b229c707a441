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

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

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

    def keys(self, *keys):
        """Real key events sent to the editor."""
        self.driver.execute_script("window.barlistView.focus()")
        ActionChains(self.driver).send_keys(*keys).perform()

    def lines(self):
        return self.driver.execute_script("return window.barlistView.state.doc.toJSON()")

    def wait_for_download(self, name):
        target = Path(self.browser.downloads, name)
        deadline = time.time() + 10
        while not target.exists() and time.time() < deadline:
            time.sleep(0.05)
        time.sleep(0.1)
        return target.read_bytes()

    def open_file(self, path):
        before = self.driver.execute_script("return document.body.dataset.checked || null")
        self.driver.find_element("id", "open-file").send_keys(str(path))
        self.answer_question(True)
        self.wait_for_check(before)

    def answer_question(self, yes):
        """Answers the page's question before unsaved work is replaced, when it asks one."""
        deadline = time.time() + 2
        while time.time() < deadline:
            try:
                alert = self.driver.switch_to.alert
            except Exception:
                time.sleep(0.05)
                continue
            alert.accept() if yes else alert.dismiss()
            return True
        return False

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

    def test_04_field_at_the_cursor(self):
        self.move_cursor(7, 15)
        self.assertTrue(self.driver.find_element("id", "cursor-field").text.endswith(
            "bar card · count, columns 13-16 · read as 10"))
        current = self.driver.find_element("css selector", ".cm-ruler .current")
        self.assertEqual(current.get_attribute("title"), "count, columns 13-16")
        self.move_cursor(5, 19)
        self.assertIn("unit card · number of units, columns 18-19 · read as 3",
                      self.driver.find_element("id", "cursor-field").text)

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
        self.assertIn("line 2", self.summary())
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

    def test_11_enter_starts_the_next_card_at_column_1(self):
        self.set_deck("*B06T002 185ENTER TEST\nUWALL             1\n 16A01003600  12")
        self.move_cursor(3, 17)
        self.keys(Keys.ENTER, "Z")
        self.assertEqual(self.lines()[3], "Z")
        self.assertNotIn("error", self.summary())
        # Ctrl+Space at column 1 lists the card kinds; Enter there chooses one, no new card.
        self.move_cursor(4, 1)
        self.keys(Keys.DELETE)
        ActionChains(self.driver).key_down(Keys.CONTROL).send_keys(Keys.SPACE).key_up(Keys.CONTROL).perform()
        deadline, listed = time.time() + 3, []
        while not listed and time.time() < deadline:
            time.sleep(0.05)
            listed = self.driver.execute_script(
                "return [...document.querySelectorAll('.cm-tooltip-autocomplete li')].map(li => li.textContent)")
        self.assertIn("U  unit card", listed)
        self.assertEqual(listed[0], "blank  bar card")
        time.sleep(0.1)  # the list takes no key in its first 75 ms, as no person is that quick
        self.keys(Keys.ENTER)
        self.assertEqual((self.lines()[3:], self.cursor()), ([" "], [4, 2]))

    def test_12_tab_and_shift_tab_go_field_to_field(self):
        bar = [2, 4, 7, 13, 23, 25, 26, 27, 33, 39, 45, 51, 57, 63, 69, 75, 78]
        kinds = {" ": bar, "S": bar, "*": [2, 5, 9, 13], "U": [2, 18, 20], "R": [2, 4, 13], "V": [2, 4, 13, 17],
                 "W": [13, 17], "T": [2], "K": [2]}
        for column1, stops in kinds.items():
            with self.subTest(card=column1):
                self.set_deck(column1 + "\nZ")
                self.move_cursor(1, 1)
                landed = []
                for _ in stops:
                    self.keys(Keys.TAB)
                    landed.append(self.cursor())
                self.assertEqual(landed, [[1, stop] for stop in stops])
                self.assertEqual(len(self.lines()[0]), stops[-1] - 1)  # padded with blanks to reach it
                self.keys(Keys.TAB)
                self.assertEqual(self.cursor(), [2, 1])
                back = []
                for _ in stops:
                    ActionChains(self.driver).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT).perform()
                    back.append(self.cursor())
                self.assertEqual(back, [[1, stop] for stop in reversed(stops)])
        # Escape then Tab leaves the editor.
        self.keys(Keys.ESCAPE, Keys.TAB)
        self.assertFalse(self.driver.execute_script("return window.barlistView.hasFocus"))
        self.set_deck(self.pier_cap())

    def test_13_overwrite_never_shifts_a_card(self):
        self.set_deck(" 29T01        10      1011 11900\nZ")
        self.move_cursor(1, 4)
        self.keys(Keys.INSERT)
        self.assertEqual(self.driver.find_element("id", "typing-mode").text, "OVR")
        self.keys("B", Keys.BACKSPACE, Keys.BACKSPACE, Keys.RIGHT, Keys.RIGHT, Keys.DELETE, Keys.ENTER)
        self.assertEqual(self.lines(), [" 2   1        10      1011 11900", "Z"])
        self.assertEqual(self.cursor(), [2, 1])
        self.keys(Keys.INSERT)
        self.assertEqual(self.driver.find_element("id", "typing-mode").text, "INS")
        self.set_deck(self.pier_cap())

    def test_14_files_round_trip_byte_for_byte_and_give_the_native_reports(self):
        decks = {"latin1.deck": "*B06P201 185S\xdcD\nUWALL             1\n 16A01003600  12\nZ\n".encode("latin1"),
                 "cr.deck": b"*B06P201 185CR ONLY\rUWALL             1\r 16A01003600  12\rZ\r",
                 "crlf.deck": b"*B06P201 185CRLF\r\nUWALL             1\r\n 16A01003600  12\r\nZ\r\n"}
        with tempfile.TemporaryDirectory() as folder:
            for name, data in decks.items():
                with self.subTest(deck=name):
                    Path(folder, name).write_bytes(data)
                    self.open_file(Path(folder, name))
                    Path(self.browser.downloads, name).unlink(missing_ok=True)
                    self.driver.find_element("id", "save").click()
                    self.assertEqual(self.wait_for_download(name), data)
                    if NATIVE:
                        stem = name.rsplit(".", 1)[0]
                        Path(self.browser.downloads, stem + ".qty").unlink(missing_ok=True)
                        self.driver.find_element("css selector", '[data-download="quantities"]').click()
                        got = self.wait_for_download(stem + ".qty")
                        self.assertEqual(got, native_files(data, name)[1]["quantities"])
                    # Edited, it keeps its encoding and line end.
                    self.move_cursor(1, 13)
                    self.keys("X", Keys.BACKSPACE)
                    Path(self.browser.downloads, name).unlink(missing_ok=True)
                    self.driver.find_element("id", "save").click()
                    self.assertEqual(self.wait_for_download(name), data)
            # A character Latin-1 cannot hold is refused with a word.
            self.open_file(Path(folder, "latin1.deck"))
            self.move_cursor(1, 13)
            self.keys("€")
            self.assertEqual(self.lines()[0], "*B06P201 185SÜD")
            self.assertIn("Latin-1", self.driver.find_element("id", "deck-notice").text)

    def test_15_the_deck_survives_a_reload_and_unsaved_work_is_asked_for(self):
        self.driver.find_element("css selector", "#examples summary").click()
        self.driver.find_element("css selector", '[data-example="deck-slab.deck"]').click()
        self.answer_question(True)
        self.move_cursor(1, 1)
        self.keys("C KEPT", Keys.ENTER)
        time.sleep(1)
        self.open_page()
        self.assertEqual(self.lines()[0], "C KEPT")
        self.assertEqual(self.driver.find_element("id", "deck-name").text, "deck-slab.deck")
        # Replacing unsaved work asks; declined, nothing changes.
        self.driver.find_element("id", "new-deck").click()
        self.assertTrue(self.answer_question(False))
        self.assertEqual(self.lines()[0], "C KEPT")
        self.driver.find_element("id", "new-deck").click()
        self.assertTrue(self.answer_question(True))
        self.assertEqual(self.lines(), [""])
        self.assertEqual(self.driver.find_element("id", "deck-name").text, "untitled.deck")
        self.driver.find_element("css selector", "#examples summary").click()
        self.driver.find_element("css selector", '[data-example="pier-cap.deck"]').click()
        self.assertEqual("\n".join(self.lines()), self.pier_cap())
        # The same example again keeps its hints, though the check gives the same results.
        hints = "return document.querySelectorAll('.cm-bar-hint').length"
        self.wait_for_check(None)
        shown = self.driver.execute_script(hints)
        before = self.driver.execute_script("return document.body.dataset.checked")
        self.driver.find_element("css selector", "#examples summary").click()
        self.driver.find_element("css selector", '[data-example="pier-cap.deck"]').click()
        self.wait_for_check(before)
        self.assertGreater(shown, 0)
        self.assertEqual(self.driver.execute_script(hints), shown)

    def test_16_a_long_summary_and_problems_without_bars_are_folded(self):
        self.set_deck("".join(f"*B06P{p}01 185T\nUWALL             1\n 11A01003600  12\n" for p in range(1, 8)) + "Z\n")
        self.assertEqual(self.summary().split("\n")[0], "7 errors, 6 warnings; no bar table for 7 problems")
        folded = self.driver.execute_script(
            "return [...document.querySelectorAll('#diagnostics-summary details p, #weights details p')]"
            ".map(p => p.textContent)")
        self.assertEqual(folded[0], "P101, P201, P301, P401, P501, P601, P701")
        self.assertEqual(len(folded), 2, folded)
        self.assertGreater(self.driver.find_element("id", "diagnostics").size["height"], 40)
        self.set_deck(self.pier_cap())

    def test_17_the_bar_table_scrolls_to_its_last_column(self):
        self.set_deck(self.pier_cap())
        box = self.driver.find_element("id", "bar-table")
        self.driver.execute_script("arguments[0].scrollIntoView(); arguments[0].scrollLeft = 1e6", box)
        seen = self.driver.execute_script("""
            const box = arguments[0], range = document.createRange();
            const run = box.querySelector('pre.table-run'), text = run.firstChild;
            const at = text.data.indexOf(' 90'); range.setStart(text, at + 1); range.setEnd(text, at + 3);
            const a = range.getBoundingClientRect(), b = box.getBoundingClientRect();
            return a.right <= b.right + 1 && a.left >= b.left && box.scrollLeft > 0;""", box)
        self.assertTrue(seen)


if __name__ == "__main__":
    PAGE, EXAMPLES = sys.argv[1], sys.argv[2]
    NATIVE = str(Path(sys.argv[3]).resolve()) if len(sys.argv) > 3 and Path(sys.argv[3]).exists() else None
    unittest.main(argv=sys.argv[:1], verbosity=2)
