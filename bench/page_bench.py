#!/usr/bin/python3
"""Benchmark of the workbench page in Debian's headless Chromium (not a test).

Reports the page's size, the time from opening it from disk to its first
check shown, and the time from a key typed into a 2,000-card deck to the
check and both reports shown (median of several keys), then the same for
the hostile decks: a 20 MB paste and 100,000 cards.

    /usr/bin/python3 bench/page_bench.py [build-web/barlist.html]
"""
import statistics
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "web"))
from browser import Browser  # noqa: E402

# Types a blank after column 80 of the card on line 3 and waits for the page
# to show the check that follows: milliseconds from the key to the results
# (at the next frame), and to the page laid out with them.
KEY_TO_RESULTS = """
const done = arguments[arguments.length - 1];
const view = window.barlistView;
const before = document.body.dataset.checked;
const line = view.state.doc.line(3);
const started = performance.now();
new MutationObserver((changes, observer) => {
  if (document.body.dataset.checked === before) return;
  observer.disconnect();
  requestAnimationFrame(() => {
    const shown = performance.now() - started;
    document.body.getBoundingClientRect();
    done([shown, performance.now() - started]);
  });
}).observe(document.body, { attributes: true });
view.dispatch({ changes: { from: line.to, insert: ' ' }, userEvent: 'input.type' });
"""

REPLACE_DECK = """
const [text, done] = arguments;
const view = window.barlistView;
const before = document.body.dataset.checked;
const started = performance.now();
new MutationObserver((changes, observer) => {
  if (document.body.dataset.checked === before) return;
  observer.disconnect();
  done(performance.now() - started);
}).observe(document.body, { attributes: true });
view.dispatch({ changes: { from: 0, to: view.state.doc.length, insert: text } });
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


def main():
    page = Path(sys.argv[1] if len(sys.argv) > 1 else "build-web/barlist.html").resolve()
    print(f"page size: {page.stat().st_size / 1e6:.2f} MB ({page.stat().st_size} bytes)")
    browser = Browser()
    driver = browser.driver
    try:
        ready = []
        for _ in range(5):
            driver.get("about:blank")
            driver.get(page.as_uri())
            deadline = time.time() + 30
            while time.time() < deadline:
                checked = driver.execute_script("return document.body.dataset.checked || null")
                if checked:
                    break
                time.sleep(0.01)
            ready.append(driver.execute_script("return +document.body.dataset.checked - performance.timeOrigin"))
        print(f"page ready (opened from disk to first check shown): median {statistics.median(ready):.0f} ms, "
              f"all {', '.join(f'{r:.0f}' for r in ready)}")

        deck = bar_deck(2000)
        driver.execute_async_script(REPLACE_DECK, deck)
        times = [driver.execute_async_script(KEY_TO_RESULTS) for _ in range(15)]
        for label, keys in (("shown", [t[0] for t in times]), ("laid out", [t[1] for t in times])):
            print(f"2,000-card deck, key to check and reports {label}: median {statistics.median(keys):.1f} ms, "
                  f"max {max(keys):.1f} ms")

        for name, text in (("100,000 cards", bar_deck(100000)),
                           ("20 MB paste", ("C " + "X" * 78 + "\n") * (20 * 1024 * 1024 // 81))):
            took = driver.execute_async_script(REPLACE_DECK, text)
            probe = time.time()
            driver.execute_script("return window.barlistView.state.doc.lines")
            print(f"{name}: checked and shown in {took:.0f} ms; page answered a script in "
                  f"{1000 * (time.time() - probe):.0f} ms afterwards")
    finally:
        browser.quit()


if __name__ == "__main__":
    main()
