"""Debian's headless Chromium under chromedriver, for the page's tests and benchmark.

The browser starts with a fresh profile, downloads into a folder of its own,
and logs every network request it makes so that a test can list them.
"""
import json
import shutil
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"


class Browser:
    def __init__(self, width=1366, height=768):
        self.profile = tempfile.mkdtemp(prefix="barlist-chromium-")
        self.downloads = tempfile.mkdtemp(prefix="barlist-downloads-")
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                         "--disable-background-networking", "--disable-component-update", "--disable-sync",
                         "--disable-dev-shm-usage", f"--window-size={width},{height}",
                         f"--user-data-dir={self.profile}"):
            options.add_argument(argument)
        options.add_experimental_option("prefs", {"download.default_directory": self.downloads,
                                                  "download.prompt_for_download": False})
        options.set_capability("goog:loggingPrefs", {"performance": "ALL", "browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        self.driver.set_script_timeout(120)
        self.driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                                    {"behavior": "allow", "downloadPath": self.downloads})

    def requests(self):
        """The URLs requested since the last call."""
        urls = []
        for entry in self.driver.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if message["method"] == "Network.requestWillBeSent":
                urls.append(message["params"]["request"]["url"])
        return urls

    def quit(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)
        shutil.rmtree(self.downloads, ignore_errors=True)
