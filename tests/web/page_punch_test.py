#!/usr/bin/python3
"""The page as a card punch, in Debian's headless Chromium with real keys:
Enter, Tab and Shift+Tab, overwrite and the card kinds at Ctrl+Space, the
cursor kept in sight; decks through Open and Save byte for byte; the work
kept across a reload; the results folded and scrolled.

usage: page_punch_test.py PAGE_HTML EXAMPLES [NATIVE_PROGRAM]
"""
import subprocess
import tempfile
import time
from pathlib import Path

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

from page_harness import PageCase, config, main, native_files


class Punch(PageCase):
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
        # A number typed at the left of its field is right-justified on Tab, by the engine's fix.
        self.set_deck("*B06T002 185JUSTIFY\nUWALL             1\n 16A01003600\nZ")
        self.move_cursor(3, 13)
        self.keys("12")
        checked, settled = None, time.time() + 10
        while time.time() < settled:  # the check of the text as typed has come back
            now = self.driver.execute_script("return document.body.dataset.checked || null")
            if now == checked and now is not None:
                break
            checked = now
            time.sleep(0.3)
        self.keys(Keys.TAB)
        self.assertEqual((self.lines()[2][12:16], self.cursor()), ("  12", [3, 23]))
        # Escape then Tab leaves the editor.
        self.keys(Keys.ESCAPE, Keys.TAB)
        self.assertFalse(self.driver.execute_script("return window.barlistView.hasFocus"))
        self.set_deck(self.pier_cap())

    def test_18_fix_all_safe_mends_the_deck_as_barlist_fix_does_and_undo_restores(self):
        slips = ("*B06F001 100FIXES\nUWALL             1\n 16A01003600  12  \nu\n 16A02003600 4 3\n"
                 " 16A03002500\t  3\nZ\n")
        self.set_deck(slips)
        before = self.driver.execute_script("return document.body.dataset.checked || null")
        self.driver.find_element("id", "fix-all-safe").click()
        checked, settled = self.wait_for_check(before), time.time() + 10
        while time.time() < settled:  # every round of fixes checked again
            time.sleep(0.4)
            now = self.driver.execute_script("return document.body.dataset.checked")
            if now == checked:
                break
            checked = now
        fixed = "\n".join(self.lines())
        if config.native:
            with tempfile.TemporaryDirectory() as folder:
                Path(folder, "d.deck").write_text(slips)
                subprocess.run([config.native, "--fix", "-q", "d.deck"], cwd=folder)
                self.assertEqual(fixed, Path(folder, "d.deck").read_text())
        self.assertNotEqual(fixed, slips)
        for _ in range(8):  # one undo a round of fixes
            if "\n".join(self.lines()) == slips:
                break
            ActionChains(self.driver).key_down(Keys.CONTROL).send_keys("z").key_up(Keys.CONTROL).perform()
        self.assertEqual("\n".join(self.lines()), slips)

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

    def test_19_typing_keeps_the_cursor_in_sight_and_scrolls_only_to_bring_it_there(self):
        self.set_deck("\n".join(["C A COMMENT"] * 300 + ["C " + "X" * 400, "Z"]))
        sight = ("const v = window.barlistView, box = v.scrollDOM.getBoundingClientRect(),"
                 " at = v.coordsAtPos(v.state.selection.main.head);"
                 "return [v.scrollDOM.scrollTop, v.scrollDOM.scrollLeft,"
                 " at.top >= box.top && at.bottom <= box.bottom && at.right <= box.right];")
        for line, column, scrolls in ((5, 12, False), (250, 12, True), (301, 403, True)):
            self.move_cursor(line, column)
            before = self.driver.execute_script(sight)
            self.keys("Y")
            time.sleep(0.2)
            after = self.driver.execute_script(sight)
            self.assertTrue(after[2], (line, column))
            self.assertEqual(after[:2] != before[:2], scrolls, (line, column))
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
                    if config.native:
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
        checked = self.driver.execute_script("return document.body.dataset.checked || null")
        self.driver.find_element("css selector", "#examples summary").click()
        self.driver.find_element("css selector", '[data-example="pier-cap.deck"]').click()
        self.assertEqual("\n".join(self.lines()), self.pier_cap())
        # The same example again keeps its hints, though the check gives the same results.
        hints = "return document.querySelectorAll('.cm-bar-hint').length"
        self.wait_for_check(checked)
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
    main()
