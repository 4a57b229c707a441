#!/usr/bin/python3
"""Makes docs/workbench.png from the page as it is built now (not a test).

Run it when the page changes; it needs Debian's chromium and chromium-driver:

    /usr/bin/python3 bench/workbench_screenshot.py [build-web/barlist.html] [docs/workbench.png]

The page opens on the pier-cap example, the cursor on a bar card's type
field, so that the ruler, the field line and the type's length show.
"""
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "web"))
from browser import Browser  # noqa: E402

ROOT = Path(__file__).resolve().parent.parent


def main():
    page = Path(sys.argv[1] if len(sys.argv) > 1 else ROOT / "build-web" / "barlist.html").resolve()
    target = Path(sys.argv[2] if len(sys.argv) > 2 else ROOT / "docs" / "workbench.png")
    browser = Browser(width=1366, height=900)
    try:
        driver = browser.driver
        driver.get(page.as_uri())
        deadline = time.time() + 30
        while not driver.execute_script("return document.body.dataset.checked || null"):
            if time.time() > deadline:
                raise SystemExit("the page did not check its deck")
            time.sleep(0.05)
        driver.execute_script(
            "const v = window.barlistView, l = v.state.doc.line(7);"
            "v.dispatch({selection: {anchor: l.from + 23}}); v.focus();")
        time.sleep(0.5)
        version = driver.find_element("id", "version").text
        driver.save_screenshot(str(target))
        print(f"{target}: barlist {version}")
    finally:
        browser.quit()


if __name__ == "__main__":
    main()
