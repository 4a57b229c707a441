"""What the page's tests in headless Chromium share: the page opened from disk
once per test class, the editor and its results read, real keys sent, files
opened and downloaded, and the native program's files for a deck.

A test file calls main(): PAGE_HTML EXAMPLES [NATIVE_PROGRAM] on its command
line, kept in `config`.
"""
import os
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

from selenium.webdriver.common.action_chains import ActionChains

from browser import Browser

EPOCH = "1765202733"


class config:  # noqa: N801: the command line of the test run
    page = examples = native = None


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
        args = [config.native, "--force", "--json", stem + ".json", "--csv", stem + ".csv", name, stem + ".qty", stem + ".tab"]
        status = subprocess.run(args, cwd=folder, env=env, capture_output=True).returncode
        files = {key: Path(folder, stem + ext).read_bytes() if Path(folder, stem + ext).exists() else None
                 for key, ext in OUTPUTS.items()}
        return status, files


class PageCase(unittest.TestCase):
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
        cls.driver.get(Path(config.page).resolve().as_uri() + "#epoch=" + EPOCH)
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
        return (Path(config.examples) / "pier-cap.deck").read_text()


def main():
    config.page, config.examples = sys.argv[1], sys.argv[2]
    native = Path(sys.argv[3]).resolve() if len(sys.argv) > 3 else None
    config.native = str(native) if native and native.exists() else None
    unittest.main(module="__main__", argv=sys.argv[:1], verbosity=2)
