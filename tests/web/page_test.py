#!/usr/bin/python3
"""The workbench page in Debian's headless Chromium, opened from disk.

usage: page_test.py PAGE_HTML EXAMPLES [NATIVE_PROGRAM]

Keeps a screenshot of the page with an example loaded beside the page
(screenshot.png). With the native program, run() and the page's downloads
are compared with its files byte for byte.
"""
import base64
import subprocess
import sys
import tempfile
import time
from pathlib import Path

from page_harness import EPOCH, OUTPUTS, PageCase, config, main, native_files


class Page(PageCase):
    def test_01_version_and_first_check(self):
        self.assertRegex(self.driver.execute_script("return window.barlist.version"), r"^\d+\.\d+\.\d+$")
        self.assertIn("exit status 0", self.driver.find_element("id", "check-status").text)
        self.driver.save_screenshot(str(Path(config.page).parent / "screenshot.png"))

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
        if config.native:
            # The same texts, in the same order, as the command line's check shows.
            with tempfile.TemporaryDirectory() as folder:
                Path(folder, "pier-cap.deck").write_text(deck)
                stderr = subprocess.run([config.native, "--check", "pier-cap.deck"], cwd=folder, capture_output=True,
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

    def test_03_hints_and_weights_in_the_reports_precision(self):
        result = self.driver.execute_async_script(
            "window.barlist.run(arguments[0], {epoch: 0}).then(r => arguments[1]("
            "{hints: r.hints, problems: r.problems, quantities: r.quantities}))", self.pier_cap())
        hints = self.driver.execute_script(
            "return [...document.querySelectorAll('.cm-bar-hint')].map(h => h.textContent)")
        self.assertEqual(hints, [f"{h['length']} · {h['weight']}" for h in result["hints"]])
        for hint in hints:
            self.assertRegex(hint, r"^\d+ mm · \d+\.\d{1,2} kg$")
        # The size table adds up to the grand total that the quantities file prints.
        rows = self.driver.execute_script(
            "return [...document.querySelectorAll('#weights table.sizes tr')].map(r => "
            "[r.dataset.row || '', ...[...r.cells].map(c => c.textContent)])")
        sizes = sum(int(row[4]) for row in rows[1:] if not row[0])
        foot = {row[0]: int(row[2]) for row in rows if row[0]}
        self.assertEqual(sizes, foot["bars"])
        self.assertEqual(foot["bars"] + foot["lumps"] + foot["rounding"], foot["total"])
        self.assertRegex(result["quantities"], rf"GRAND TOTAL = +{foot['total']} kg +\$ +{result['problems'][0]['cost']}")
        # Blanks typed on the card keep its hint after column 80 as the edit is made.
        gap = self.driver.execute_script(
            "const v = window.barlistView, l = v.state.doc.line(7);"
            "v.dispatch({changes: {from: l.to, insert: '          '}});"
            "const hint = v.contentDOM.querySelectorAll('.cm-line')[6].querySelector('.cm-bar-hint');"
            "return [hint.style.marginLeft, v.state.doc.line(7).length];")
        self.assertEqual(gap[0], f"{82 - gap[1]}ch")
        # The hints follow the text: a bar made longer, then only a comment changed (the hints kept).
        longer = self.pier_cap().replace("1011 11900", "1011 12900")
        for text in (longer, longer.replace("THREE LIKE CAPS", "FOUR LIKE CAPS")):
            self.set_deck(text)
            ran = self.driver.execute_async_script(
                "window.barlist.run(arguments[0], {epoch: 0}).then(r => arguments[1](r.hints))", text)
            shown = self.driver.execute_script(
                "return [...document.querySelectorAll('.cm-bar-hint')].map(h => h.textContent)")
            self.assertEqual(shown, [f"{h['length']} · {h['weight']}" for h in ran])
            self.assertNotEqual(shown[0], hints[0])
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
        # The description is not read but the bar table lists it.
        self.move_cursor(5, 40)
        self.assertIn("unit card · description, columns 24-80 · not read; listed in the bar table as punched",
                      self.cursor_field("as punched"))

    def test_05_run_equals_the_native_program_for_every_example(self):
        if not config.native:
            self.skipTest("no native program to compare with")
        for deck in sorted(Path(config.examples).glob("*.deck")):
            with self.subTest(deck=deck.name):
                result = self.run_in_page(deck.read_text(), deck.name)
                status, want = native_files(deck.read_bytes(), deck.name)
                self.assertEqual(result["status"], status)
                for key in OUTPUTS:
                    got = result["files"][key]
                    self.assertEqual(base64.b64decode(got) if got else None, want[key], key)

    def test_06_downloads_equal_the_native_program(self):
        if not config.native:
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

    def test_07b_answers_come_by_the_workers_port_where_broadcast_channels_do_not_meet(self):
        blind = self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {
            "source": "window.BroadcastChannel = class { postMessage() {} close() {} };"})
        try:
            self.open_page()
            self.set_deck("*B06P2010185T\nUUNIT            X1\n 10B01001000   1\nZ\n")
            self.assertEqual([(d["line"], d["column"]) for d in self.diagnostics()], [(2, 18)])
        finally:
            self.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", blind)
            self.open_page()

    def test_07c_edits_that_stop_reports_under_way_leave_the_last_text_reported(self):
        lines = self.pier_cap().split("\n")
        comments = ["C A COMMENT CARD OF THE LISTING"] * 200000  # reports long enough for the next edit to stop them
        self.set_deck("\n".join(lines[:2] + comments + lines[2:]))
        # Each edit once its text's reports are under way: they start after a
        # pause of twice the check's time, which the status line tells.
        self.driver.execute_async_script("""
            const [done] = arguments, v = window.barlistView, at = v.state.doc.line(2).to;
            const took = () => +/Checked in (\\d+) ms/.exec(document.getElementById('check-status').textContent)[1];
            const edit = (i) => {
              const before = document.body.dataset.diagnosed;
              v.dispatch({changes: {from: at + i, insert: 'XYZ'[i]}});
              if (i === 2) return done();
              const checked = () => document.body.dataset.diagnosed === before
                ? setTimeout(checked, 1) : setTimeout(() => edit(i + 1), 2 * took() + 15);
              checked();
            };
            edit(0);""")
        deadline = time.time() + 30
        while lines[1][2:] + "XYZ" not in self.driver.find_element("id", "bar-table").text:
            self.assertLess(time.time(), deadline, "the last text's bar table is not shown")
            time.sleep(0.02)
        self.set_deck(self.pier_cap())

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
                                  cwd=Path(config.page).parent, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        try:
            port = server.stdout.readline().split("port ")[1].split(" ")[0]
            self.browser.requests()  # forget the requests so far
            self.driver.get(f"http://127.0.0.1:{port}/{Path(config.page).name}#epoch={EPOCH}")
            self.wait_for_check(None)
            outside = [u for u in self.browser.requests() if not u.startswith(("data:", "blob:"))]
            self.assertEqual(outside, [f"http://127.0.0.1:{port}/{Path(config.page).name}"])
        finally:
            server.terminate()
            server.wait()
            server.stdout.close()
            self.open_page()

    def compared(self, start):
        """Starts a comparison, and returns the panel's lines once the engine answered."""
        before = self.driver.execute_script("return document.body.dataset.compared || null")
        start()
        deadline = time.time() + 30
        while self.driver.execute_script("return document.body.dataset.compared || null") == before:
            self.assertLess(time.time(), deadline, "no comparison shown")
            time.sleep(0.02)
        return self.driver.execute_script(
            "return [...document.querySelectorAll('#compare-lines .compared')].map(b => b.textContent)")

    def test_11_compare_with_an_earlier_revision(self):
        pair = Path(config.examples).parent / "tests" / "decks" / "compare"
        self.open_file(pair / "pier-cap-revised.deck")
        earlier = str(Path(config.examples) / "pier-cap.deck")
        shown = self.compared(lambda: self.driver.find_element("id", "compare-file-input").send_keys(earlier))
        want = (pair / "pier-cap-revised.out").read_text().splitlines()
        self.assertEqual(shown, [line.strip() for line in want])
        # Each change leads to its card; the cards added or changed are marked.
        self.driver.find_element("xpath", "//*[@id='compare-lines']//button[starts-with(., '~ 19K01')]").click()
        self.assertEqual(self.cursor(), [10, 1])
        marked = self.driver.execute_script(
            "const v = window.barlistView; return [...document.querySelectorAll("
            "'.cm-compared-added, .cm-compared-changed')].map(l => [v.state.doc.lineAt(v.posAtDOM(l)).number, "
            "l.classList.contains('cm-compared-added') ? 'added' : 'changed']);")
        self.assertEqual(marked, [[7, "changed"], [10, "changed"], [19, "added"]])
        # Against the deck as opened, after an edit: only that edit.
        shown = self.compared(lambda: self.driver.execute_script(
            "const v = window.barlistView, at = v.state.doc.line(7).from + 15;"
            "v.dispatch({changes: {from: at, to: at + 1, insert: '3'}});"
            "document.getElementById('compare-saved').click();"))
        self.assertEqual((len(shown), shown[0], shown[-1]),
                         (5, "--- pier-cap-revised.deck as last saved", "~ 29T01  count 12 -> 13"))
        self.driver.find_element("id", "compare-close").click()
        self.set_deck(self.pier_cap())


if __name__ == "__main__":
    main()
