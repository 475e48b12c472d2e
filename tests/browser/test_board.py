"""The board in a real browser: the index and the ranking pages of a folder
load, the racers' views, hostile racer names, board.json against the store,
and a live board that shows an arriving replay without a reload."""
import json
import os
import re
import signal
import time

from selenium.webdriver.common.by import By

from browser_session import (SCREENSHOT, ZEB, BoardTest, PipedZeb, StaticServer, console_time,
                             is_windows, make_replays, replay_fields, run_zeb)

# Blackwood with the XR GT TURBO: three sectors each; delta's first split
# does not read as a time, so its sectors are unknown.
LAPS = {
    "alpha": (80053, (25100, 52300)),
    "beta": (81000, (24900, 53000)),
    "gamma": (82500, (26000, 52000)),
    "delta": (83000, None),
}
OTHERS = [
    ("r/aston/alpha.spr", replay_fields("alpha", 61111, track="Aston", code="AS1", car="BMW SAUBER")),
    ("r/aston/epsilon.spr",
     replay_fields("epsilon", 62000, track="Aston", code="AS1", car="BMW SAUBER")),
    ("r/fern/zeta.spr",
     replay_fields("zeta", 70500, track="Fern Bay", code="FE2R", car="FZ50 GTR")),
]


def blackwood_replays():
    specs = []
    for racer, (ms, splits) in LAPS.items():
        if splits is None:  # 61 seconds: not a time
            fields = replay_fields(racer, ms, (20000, 50000))
            fields["split1"] = 0 | 61 << 8
        else:
            fields = replay_fields(racer, ms, splits)
        specs.append((f"r/{racer}.spr", fields))
    return specs


def sectors(ms, splits):
    if splits is None:
        return None
    ends = [*splits, ms]
    return [end - start for start, end in zip([0, *splits], ends)]


def gap_texts(ms):
    """The ways a board may write a gap: seconds, or the console's minutes and seconds."""
    seconds = f"{ms // 1000}.{ms % 1000:03}"
    return {seconds, "+" + seconds, console_time(ms), "+" + console_time(ms)}


class FolderLoad(BoardTest):
    """zeb --board site r </dev/null: the board written once."""

    def setUp(self):
        super().setUp()
        self.replays(blackwood_replays() + OTHERS)
        out, status = run_zeb(["--board", "site", "r"], self.folder)
        self.assertEqual(status, 0, out)
        self.assertIn("r: 7 replay files, 7 filed", out)

    def ranking_page(self, *racers):
        """The address of the page the index links to that lists every one of `racers`."""
        self.browser.open(self.page("index.html"))
        for href in sorted({h for _, h in self.browser.links() if h and h.endswith(".html")}):
            self.browser.open(href)
            names = {row[1] for row in self.browser.rows() if len(row) > 1}
            if all(r in names for r in racers):
                return href
        self.fail(f"no ranking page lists {racers}")

    def test_the_index_lists_every_ranking_and_filters_as_you_type(self):
        b = self.browser
        b.open(self.page("index.html"))
        text = b.text()
        for track, car, count, leader, ms in [("Blackwood", "XR GT TURBO", 4, "alpha", 80053),
                                              ("Aston", "BMW SAUBER", 2, "alpha", 61111),
                                              ("Fern Bay", "FZ50 GTR", 1, "zeta", 70500)]:
            self.assertIn(track, text)
            rows = [" ".join(r) for r in b.rows() if car in " ".join(r)]
            self.assertEqual(len(rows), 1, rows)
            for shown in (leader, console_time(ms), str(count)):
                self.assertIn(shown, rows[0])
        box = b.driver.find_element(By.CSS_SELECTOR, "input")
        box.send_keys("epsil")
        time.sleep(0.3)
        self.assertIn("BMW SAUBER", b.text())
        self.assertNotIn("FZ50 GTR", b.text())
        self.assertNotIn("XR GT TURBO", b.text())
        box.clear()
        box.send_keys("fz50")
        time.sleep(0.3)
        self.assertIn("FZ50 GTR", b.text())
        self.assertNotIn("BMW SAUBER", b.text())
        self.assertNothingRan()

    def test_a_ranking_shows_places_gaps_sectors_and_the_ideal_lap(self):
        b = self.browser
        b.open(self.ranking_page(*LAPS))
        rows = {r[1]: r for r in b.rows() if len(r) > 1 and r[1] in LAPS}
        leader = LAPS["alpha"][0]
        ahead = leader
        best = [min(s[k] for s in (sectors(*lap) for lap in LAPS.values()) if s) for k in range(3)]
        for place, (racer, (ms, splits)) in enumerate(LAPS.items(), start=1):
            row = rows[racer]
            self.assertEqual(row[0].strip(". "), str(place), row)
            self.assertIn(console_time(ms), row)
            if place > 1:
                self.assertTrue(gap_texts(ms - leader) & set(row), (racer, row))
                self.assertTrue(gap_texts(ms - ahead) & set(row), (racer, row))
            ahead = ms
            own = sectors(ms, splits)
            if own is None:
                self.assertGreaterEqual(row.count("-"), 3, row)
            else:
                for k, sector in enumerate(own):
                    self.assertTrue(gap_texts(sector) & set(row), (racer, k, row))
        # The best of each sector is marked: its cell differs from the others in its column.
        cells = {racer: b.driver.find_elements(By.XPATH, f"//tr[td[2][normalize-space()='{racer}']]/td")
                 for racer in LAPS}
        for k, value in enumerate(best):
            text = gap_texts(value)
            holder = next(r for r, lap in LAPS.items() if sectors(*lap) and sectors(*lap)[k] == value)
            marked = [c for c in cells[holder] if c.text in text]
            self.assertTrue(marked, (holder, k))
            others = [c for r in LAPS if r != holder for c in cells[r]
                      if c.text and c.text[0].isdigit() and
                      c.get_attribute("cellIndex") == marked[0].get_attribute("cellIndex")]
            for other in others:
                self.assertNotEqual(marked[0].get_attribute("outerHTML").replace(marked[0].text, ""),
                                    other.get_attribute("outerHTML").replace(other.text, ""))
        # The ideal lap, the sum of the best sectors, with who holds each.
        ideal = console_time(sum(best))
        self.assertIn(ideal, b.text())
        holders = [e for e in b.driver.find_elements(By.XPATH, f"//*[contains(., '{ideal}')]")
                   if all(n in e.text for n in ("alpha", "beta", "gamma")) and len(e.text) < 300]
        self.assertTrue(holders, "the ideal lap does not name its sectors' holders")
        self.assertNothingRan()
        if SCREENSHOT:
            b.driver.set_window_size(1100, 520)
            b.driver.save_screenshot(SCREENSHOT)

    def test_a_racers_name_leads_to_each_of_their_entries(self):
        b = self.browser
        b.open(self.ranking_page(*LAPS))
        b.driver.find_element(By.LINK_TEXT, "alpha").click()
        text = b.text()
        for shown in ("XR GT TURBO", "BMW SAUBER", console_time(80053), console_time(61111)):
            self.assertIn(shown, text)
        self.assertNotIn("FZ50 GTR", text)
        self.assertNothingRan()

    def test_board_json_equals_the_store(self):
        out, status = run_zeb(["--board", "site", "r"], self.folder, "pdb\n")
        listing = [line.split("\t") for line in out.split("ZEB> ")[1].splitlines()[2:] if line]
        with open(os.path.join(self.site, "board.json"), encoding="utf-8") as f:
            board = json.load(f)
        entries = []
        for ranking in board["rankings"]:
            for entry in ranking["entries"]:
                entries.append((entry["pos"], entry["racer"], ranking["car"], entry["time"],
                                entry["lap"], entry["ms"]))
        expected = []
        for pos, racer, _, code, car, rest in [(r[0], r[1], r[2], r[3], r[4], r[5]) for r in listing]:
            time_text, lap = re.fullmatch(r"(\S+) \((\d+)\)", rest).groups()
            expected.append((int(pos), racer, car.rstrip(), time_text, int(lap)))
        self.assertEqual(sorted(e[:5] for e in entries), sorted(expected))


class HostileNames(BoardTest):
    """Racers' names from files anyone can send: text on every page and in the JSON."""

    NAMES = ["<script>alert(1)</script>", '"><img src=x onerror=alert(2)>', "../../x",
             "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"]
    HIGH = bytes([0x80, 0x8a, 0x99, 0xe9, 0xfc, 0xff])  # Windows-1252: €Š™éüÿ

    def test_every_page_shows_the_names_as_text_and_runs_nothing(self):
        specs = [(f"r/{i}.spr", replay_fields(name, 80000 + i * 1000))
                 for i, name in enumerate(self.NAMES)]
        high = replay_fields("hhhhhh", 90000)
        for k, byte in enumerate(self.HIGH):
            high[f"byte@{64 + k}"] = byte
        specs.append(("r/high.spr", high))
        self.replays(specs)
        out, status = run_zeb(["--board", "site", "r"], self.folder)
        self.assertEqual(status, 0, out)
        names = self.NAMES + [self.HIGH.decode("cp1252")]
        self.assertEqual(sorted(os.listdir(self.folder)), ["r", "site"])
        self.assertFalse(os.path.exists(os.path.join(os.path.dirname(self.folder), "x")))
        pages = [os.path.relpath(os.path.join(top, f), self.site)
                 for top, _, files in os.walk(self.site) for f in files if f.endswith(".html")]
        b = self.browser
        for page in pages:
            b.open(self.page(page))
            self.assertNothingRan()
            self.assertEqual(b.driver.find_elements(By.CSS_SELECTOR, "img"), [], page)
        b.open(self.page("index.html"))
        for href in sorted({h for _, h in b.links() if h.endswith(".html")}):
            b.open(href)
            if all(n in b.text() for n in names):
                ranking = href
                break
        else:
            self.fail("no page shows every name as text")
        b.open(ranking)
        for name in names:
            link = b.driver.find_element(By.LINK_TEXT, name)
            target = link.get_attribute("href")
            self.assertTrue(target.startswith("file://" + self.site + "/"), target)
            b.open(target)
            self.assertIn(name, b.text())
            self.assertNothingRan()
            b.open(ranking)
        with open(os.path.join(self.site, "board.json"), encoding="utf-8") as f:
            shown = {e["racer"] for r in json.load(f)["rankings"] for e in r["entries"]}
        self.assertEqual(shown, set(names))


class LiveBoard(BoardTest):
    """zeb --board site --watch r </dev/null: a replay copied into r shows on
    an open page within two seconds of its load, the scroll position kept."""

    def setUp(self):
        super().setUp()
        self.replays([(f"r/{i:03}.spr", replay_fields(f"racer{i:03}", 80000 + i * 100))
                      for i in range(80)])
        self.zeb = PipedZeb(ZEB, ["--board", "site", "--watch", "r"], cwd=self.folder,
                            input_open=False)
        self.addCleanup(self.zeb.close)
        self.zeb.expect("watching r for new replays")
        self.server = StaticServer(self.site)
        self.addCleanup(self.server.close)

    def arrive(self, racer, ms):
        aside = os.path.join(self.folder, "aside")
        os.makedirs(aside, exist_ok=True)
        make_replays([(os.path.join(aside, racer + ".spr"), replay_fields(racer, ms))])
        os.rename(os.path.join(aside, racer + ".spr"), os.path.join(self.folder, "r", racer + ".spr"))
        self.zeb.expect(f"{racer}.spr loaded!", 5)

    def shows_within_two_seconds(self, address, racer, ms):
        b = self.browser
        b.open(address)
        b.driver.execute_script("window.scrollTo(0, 700)")
        time.sleep(0.2)
        before = b.driver.execute_script("return window.scrollY")
        self.assertGreater(before, 0, "the page is too short to scroll")
        self.arrive(racer, ms)
        seconds = b.wait_for_text(racer, 2.0)
        time.sleep(0.3)  # a reload puts the scroll position back as it ends
        self.assertLessEqual(abs(b.driver.execute_script("return window.scrollY") - before), 2)
        self.assertNothingRan()
        return seconds

    def ranking_name(self):
        names = [f for f in os.listdir(self.site) if f.endswith(".html") and f != "index.html"]
        for name in sorted(names):
            with open(os.path.join(self.site, name), encoding="utf-8") as f:
                if "racer000" in f.read():
                    return name
        self.fail("no ranking page")

    def test_a_page_opened_from_disk_reloads_itself(self):
        self.shows_within_two_seconds(self.page(self.ranking_name()), "newcomer", 84050)

    def test_a_page_over_http_updates_in_place_and_the_index_keeps_its_filter(self):
        self.shows_within_two_seconds(self.server.url(self.ranking_name()), "visitor", 85050)
        b = self.browser
        b.open(self.server.url("index.html"))
        box = b.driver.find_element(By.CSS_SELECTOR, "input")
        box.send_keys("XR GT")
        self.arrive("aardvark", 70000)
        b.wait_for_text("aardvark", 2.0)
        self.assertEqual(box.get_attribute("value"), "XR GT")

    def tearDown(self):
        if not is_windows(ZEB):
            self.zeb.process.send_signal(signal.SIGTERM)
            self.assertEqual(self.zeb.wait_for_end(), 0)
