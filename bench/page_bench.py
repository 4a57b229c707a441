#!/usr/bin/python3
"""Benchmark of the workbench page in Debian's headless Chromium (not a test).

Keys are real key events sent through the browser (the DevTools input
domain, as chromedriver sends them), and the page is timed from inside:
from the key's event time to the frame that shows its diagnostics and hints
(the page marks <body data-diagnosed>), and to the frame that shows its
reports too (<body data-checked>). While typing, the longest gap between
animation frames and the longest task the browser logged are kept.

  - the page's size, and the time from opening it from disk to its first
    check shown (a fresh browser each time: the first cold, the rest warm);
  - a 2,000-card deck: 50 keys (a letter typed into a comment and taken
    back by Backspace, in turn), each after the last one's reports and a
    random part of a frame interval more: a typist's keys fall anywhere
    between two frames, where keys sent the moment the page's last frame is
    seen would all meet the frames at one moment, the same for a whole run
    but not from run to run;
  - a 100,000-card deck of bench/gen_deck.cpp (problems of units, bars,
    store and recall, vary bars, lump weights, comments, line skips and
    subtotals, as the command line's benchmark): 20 keys the same way, then
    20 typed at a person's quickest (one every 60 ms), frames watched;
  - a 20 MB paste (a paste event carrying the text to the editor): the
    longest frame until it is checked, then a key's time to its check.

    /usr/bin/python3 bench/page_bench.py [build-web/barlist.html]
"""
import random
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "web"))
from browser import Browser  # noqa: E402

# Watches the page: each key's event time, the frames after it, the longest
# frame gap and long task since the last reset.
WATCH = """
if (!window.bench) {
  const bench = (window.bench = { keys: [], gap: 0, longest: 0 });
  let last = performance.now();
  const frame = (now) => { bench.gap = Math.max(bench.gap, now - last); last = now; requestAnimationFrame(frame); };
  requestAnimationFrame(frame);
  new PerformanceObserver((list) => {
    for (const entry of list.getEntries()) bench.longest = Math.max(bench.longest, entry.duration);
  }).observe({ type: 'longtask' });
  window.addEventListener('keydown', (event) => {
    const key = { at: event.timeStamp, diagnosed: null, checked: null };
    bench.keys.push(key);
    const seen = { diagnosed: document.body.dataset.diagnosed, checked: document.body.dataset.checked };
    new MutationObserver((changes, observer) => {
      for (const which of ['diagnosed', 'checked']) {
        if (key[which] === null && document.body.dataset[which] !== seen[which]) {
          key[which] = -1;
          requestAnimationFrame(() => {
            document.body.getBoundingClientRect();
            key[which] = performance.now() - key.at;
          });
        }
      }
      if (key.checked !== null) observer.disconnect();
    }).observe(document.body, { attributes: true });
  }, true);
}
window.bench.keys = []; window.bench.gap = 0; window.bench.longest = 0;
"""

KEYS = {
    "X": {"key": "X", "code": "KeyX", "text": "X", "unmodifiedText": "x", "windowsVirtualKeyCode": 88},
    "Backspace": {"key": "Backspace", "code": "Backspace", "windowsVirtualKeyCode": 8},
}

REPLACE_DECK = """
const [text, done] = arguments;
const view = window.barlistView;
const before = document.body.dataset.checked;
new MutationObserver((changes, observer) => {
  if (document.body.dataset.checked === before) return;
  observer.disconnect();
  done();
}).observe(document.body, { attributes: true });
view.dispatch({ changes: { from: 0, to: view.state.doc.length, insert: text } });
"""

# A paste as the browser delivers one to the editor, of a text made in the
# page beforehand (a 20 MB argument would be the driver's time, not the page's).
MAKE_PASTE = "window.benchPaste = ('C ' + 'X'.repeat(78) + '\\n').repeat(arguments[0]);"
PASTE = """
const view = window.barlistView;
view.focus();
view.dispatch({ selection: { anchor: view.state.doc.length } });
const data = new DataTransfer();
data.setData('text/plain', window.benchPaste);
view.contentDOM.dispatchEvent(new ClipboardEvent('paste', { clipboardData: data, bubbles: true, cancelable: true }));
"""


def bar_deck(cards):
    """Problems of one unit of bent bars with comments, about `cards` cards."""
    lines = []
    problem = 0
    while len(lines) < cards - 4:
        problem += 1
        lines += [f"*B06{problem:04d}0185BENCH PROBLEM {problem}", "UBEAM             2    BENCH UNIT"]
        for bar in range(48):
            if bar % 6 == 0:
                lines.append("C STIRRUPS AND TOP BARS")
            else:
                size = (16, 19, 22)[bar % 3]
                lines.append(f" {size}B{bar:02d}      {10 + bar:>4}      1011{1000 + 10 * bar:>6}")
        lines.append("Z")
    return "\n".join(lines[:cards]) + "\n"


def gen_deck(cards):
    """The command line benchmark's deck of about `cards` cards."""
    with tempfile.TemporaryDirectory() as folder:
        program = Path(folder, "gen_deck")
        subprocess.run(["g++", "-O2", "-std=c++20", "-o", program, Path(__file__).with_name("gen_deck.cpp")], check=True)
        return subprocess.run([program, str(cards)], check=True, capture_output=True, text=True).stdout


def press(driver, name):
    for kind in ("rawKeyDown" if name == "Backspace" else "keyDown", "keyUp"):
        params = dict(KEYS[name], type=kind)
        if kind == "keyUp":
            params.pop("text", None)
            params.pop("unmodifiedText", None)
        driver.execute_cdp_cmd("Input.dispatchKeyEvent", params)


def settle(driver, which, timeout=30):
    """Waits until the last key's `which` frame has been timed."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        done = driver.execute_script(f"const k = window.bench.keys.at(-1); return k && k.{which} > 0")
        if done:
            return
        time.sleep(0.005)
    raise RuntimeError(f"no {which} frame after the key")


def type_keys(driver, count, paced=None, line=3):
    """`count` keys at the end of a comment card, X and Backspace in turn;
    each after the last one's reports and up to a frame interval more, or
    every `paced` seconds."""
    driver.execute_script(
        "const v = window.barlistView, l = v.state.doc.line(arguments[0]); v.focus();"
        "v.dispatch({selection: {anchor: l.to}});", line)
    driver.execute_script(WATCH)
    for i in range(count):
        if not paced:
            time.sleep(random.uniform(0, 1 / 60))
        press(driver, "X" if i % 2 == 0 else "Backspace")
        if paced:
            time.sleep(paced)
        else:
            settle(driver, "checked")
    settle(driver, "checked")
    return driver.execute_script("return window.bench")


def figures(label, values):
    values = [v for v in values if v is not None and v > 0]
    if not values:
        return f"{label}: not marked by this page"
    return (f"{label}: median {statistics.median(values):.1f} ms, worst {max(values):.1f} ms "
            f"({len(values)} keys)")


def deck_keys(driver, name, deck, keys, line=3):
    driver.execute_async_script(REPLACE_DECK, deck)
    time.sleep(1)
    watched = type_keys(driver, keys, line=line)
    print(f"{name}: " + figures("key to diagnostics and hints", [k["diagnosed"] for k in watched["keys"]]))
    print(f"{name}: " + figures("key to everything, reports too", [k["checked"] for k in watched["keys"]]))
    print(f"{name}: longest frame gap {watched['gap']:.0f} ms, longest task {watched['longest']:.0f} ms")
    return watched


def main():
    page = Path(sys.argv[1] if len(sys.argv) > 1 else "build-web/barlist.html").resolve()
    print(f"page size: {page.stat().st_size / 1e6:.2f} MB ({page.stat().st_size} bytes)")
    ready = []
    for _ in range(5):
        browser = Browser()
        try:
            browser.driver.get(page.as_uri())
            deadline = time.time() + 30
            while time.time() < deadline and not browser.driver.execute_script("return document.body.dataset.checked"):
                time.sleep(0.005)
            # (a page from before the mark set data-checked to the clock's time)
            ready.append(browser.driver.execute_script(
                "const mark = performance.getEntriesByName('barlist-checked')[0];"
                "return mark ? mark.startTime : +document.body.dataset.checked - performance.timeOrigin"))
        finally:
            browser.quit()
    print(f"page ready (opened from disk to its first check and reports shown, a fresh browser each): "
          f"first {ready[0]:.0f} ms, "
          f"median {statistics.median(ready):.0f} ms, all {', '.join(f'{r:.0f}' for r in ready)}")

    browser = Browser()
    driver = browser.driver
    try:
        driver.get(page.as_uri())
        driver.execute_async_script("window.barlist.ready.then(() => arguments[0]())")
        deck_keys(driver, "2,000 cards", bar_deck(2000), 50)

        deck_keys(driver, "100,000 cards", gen_deck(100000), 20, line=2)
        watched = type_keys(driver, 20, paced=0.06, line=2)
        print(f"100,000 cards, 20 keys 60 ms apart: longest frame gap {watched['gap']:.0f} ms, "
              f"longest task {watched['longest']:.0f} ms; "
              + figures("key to diagnostics", [k["diagnosed"] for k in watched["keys"]]))

        driver.execute_async_script(REPLACE_DECK, bar_deck(2000))
        driver.execute_script(MAKE_PASTE, 20 * 1024 * 1024 // 81)
        time.sleep(1)
        driver.execute_script(WATCH)
        started = time.time()
        marks = "return [document.body.dataset.diagnosed, document.body.dataset.checked]"
        before = driver.execute_script(marks)
        driver.execute_script(PASTE)
        while all(now == then for now, then in zip(driver.execute_script(marks), before)) and time.time() < started + 120:
            time.sleep(0.01)
        took = time.time() - started
        watched = driver.execute_script("return window.bench")
        print(f"20 MB paste: checked {took * 1000:.0f} ms after the paste; longest frame gap {watched['gap']:.0f} ms, "
              f"longest task {watched['longest']:.0f} ms")
        time.sleep(1)
        watched = type_keys(driver, 6)
        print("after the paste: " + figures("key to diagnostics and hints", [k["diagnosed"] for k in watched["keys"]])
              + f"; longest frame gap {watched['gap']:.0f} ms")
    finally:
        browser.quit()


if __name__ == "__main__":
    main()
