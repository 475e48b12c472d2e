#!/usr/bin/env python3
"""Runs the browser tests (test_*.py beside this file) in headless Chromium,
or skips them (exit status 77, which CTest reports as skipped) when
Chromium, chromium-driver or python3-selenium is missing.

Debian's python3-selenium belongs to Debian's python3: a python3 of another
installation runs this again with /usr/bin/python3.

Usage: run_browser_tests.py ZEB MAKE_REPLAY [TEST ...]
"""
import os
import shutil
import sys
import unittest

SKIP = 77


def main():
    try:
        import selenium  # noqa: F401
    except ImportError:
        system = "/usr/bin/python3"
        if os.path.exists(system) and not os.environ.get("ZEB_BROWSER_REEXEC"):
            os.environ["ZEB_BROWSER_REEXEC"] = "1"
            os.execv(system, [system, *sys.argv])
        print("skipped: python3-selenium is not installed")
        return SKIP
    for program in ("chromium", "chromedriver"):
        if not shutil.which(program):
            print(f"skipped: {program} is not installed")
            return SKIP
    os.environ["ZEB"], os.environ["MAKE_REPLAY"] = sys.argv[1], sys.argv[2]
    here = os.path.dirname(os.path.abspath(__file__))
    sys.path.insert(0, here)
    loader = unittest.defaultTestLoader
    if len(sys.argv) > 3:
        suite = loader.loadTestsFromNames(sys.argv[3:])
    else:
        suite = loader.discover(here, pattern="test_*.py", top_level_dir=here)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
