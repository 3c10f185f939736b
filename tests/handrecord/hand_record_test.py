"""The printable hand record as a person sees it: kveld-batch writes a set's
HTML hand record, headless Chromium prints it to PDF on A4 and on US Letter
and takes a screenshot, and the printed pages are read back with poppler:
the expected number of pages, and every board's number and hands in the
page text.

With KVELD_HAND_RECORD_PNG set, the first printed A4 page of the 36-board
set is also kept there as a PNG (the README's picture).
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

import programs

CONTROL_36 = "123456789X"
CONTROL_24 = "1000100006"
BOARDS_PER_PAGE = 6


def chromium(folder, *args):
    profile = tempfile.mkdtemp(dir=folder)
    subprocess.run(
        ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--user-data-dir=" + profile, *args],
        check=True, capture_output=True, timeout=120)


def hands_of(pbn_text):
    """Board number -> the four hands as lists of holdings, from the PBN."""
    boards = {}
    for number, deal in re.findall(r'\[Board "(\d+)"\].*?\[Deal "N:([^"]+)"\]', pbn_text, re.S):
        boards[int(number)] = [hand.split(".") for hand in deal.split(" ")]
    return boards


def points(hand):
    """High-card points of a hand given as its four holdings: A 4, K 3, Q 2, J 1."""
    return sum({"A": 4, "K": 3, "Q": 2, "J": 1}.get(card, 0) for holding in hand for card in holding)


class HandRecord(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.folder, ignore_errors=True)

    def batch(self, *args):
        return subprocess.run([programs.path("kveld-batch"), *args], check=True, capture_output=True,
                              timeout=300).stdout

    def print_to_pdf(self, html_path, paper):
        # The page size comes from the printing person's choice; a style
        # sheet added in front of ours stands for it.
        with open(html_path, encoding="utf-8") as f:
            html = f.read()
        sized = os.path.join(self.folder, paper + ".html")
        with open(sized, "w", encoding="utf-8") as f:
            f.write(html.replace("<head>", "<head><style>@page { size: %s; }</style>" % paper, 1))
        pdf = os.path.join(self.folder, paper + ".pdf")
        chromium(self.folder, "--no-pdf-header-footer", "--print-to-pdf=" + pdf, "file://" + sized)
        return pdf

    def pages(self, pdf):
        info = subprocess.run(["pdfinfo", pdf], check=True, capture_output=True, text=True, timeout=60).stdout
        return int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))

    def page_text(self, pdf, page):
        return subprocess.run(["pdftotext", "-f", str(page), "-l", str(page), "-layout", pdf, "-"],
                              check=True, capture_output=True, text=True, timeout=60).stdout

    def check_printed(self, control, board_count):
        html = os.path.join(self.folder, "out")
        os.mkdir(html)
        self.batch("--analyse", "--format", "html", "-o", html, control)
        files = os.listdir(html)
        self.assertEqual(len(files), 1, files)
        self.assertRegex(files[0], r"^[A-Z][a-z]{2}-\d\d-[A-Z]\.html$")
        path = os.path.join(html, files[0])
        with open(path, encoding="utf-8") as f:
            page = f.read()
        self.assertNotRegex(page, r"(?i)<script|<link|https?://|@import|url\(")
        boards = hands_of(self.batch("--format", "pbn", control).decode("ascii"))
        self.assertEqual(sorted(boards), list(range(1, board_count + 1)))
        # Each hand's high-card points in the compass (North, West, East,
        # South), counted here from the PBN's hands.
        compasses = re.findall(r'class="compass"[^>]*><div>(\d+)</div><div><span>(\d+)</span><span>(\d+)</span>'
                               r'</div><div>(\d+)</div>', page)
        self.assertEqual(len(compasses), board_count)
        for n, shown in enumerate(compasses, 1):
            north, east, south, west = boards[n]
            self.assertEqual([int(p) for p in shown], [points(h) for h in (north, west, east, south)], n)
        expected_pages = -(-board_count // BOARDS_PER_PAGE)
        for paper in ("A4", "letter"):
            pdf = self.print_to_pdf(path, paper)
            self.assertEqual(self.pages(pdf), expected_pages, paper)
            for page in range(1, expected_pages + 1):
                text = self.page_text(pdf, page)
                first = (page - 1) * BOARDS_PER_PAGE + 1
                numbers = [int(n) for n in re.findall(r"Board (\d+)", text)]
                self.assertEqual(numbers, list(range(first, min(first + BOARDS_PER_PAGE, board_count + 1))),
                                 "%s page %d" % (paper, page))
                # pdftotext may join a suit symbol to a one-card holding.
                words = set(re.sub("[\u2660\u2665\u2666\u2663]", " ", text).split())
                for n in numbers:
                    for seat in boards[n]:
                        for holding in seat:
                            if holding:
                                self.assertIn(holding, words, "%s board %d" % (paper, n))
                self.assertEqual(len(re.findall(r"Par NS -?\d+", text)), len(numbers))
        return path

    def test_36_boards_print_on_six_pages_with_every_hand(self):
        path = self.check_printed(CONTROL_36, 36)
        png = os.path.join(self.folder, "screen.png")
        chromium(self.folder, "--screenshot=" + png, "--window-size=1000,1300", "file://" + path)
        with open(png, "rb") as f:
            self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n")
        keep = os.environ.get("KVELD_HAND_RECORD_PNG")
        if keep:
            pdf = os.path.join(self.folder, "A4.pdf")
            subprocess.run(["pdftoppm", "-png", "-r", "70", "-f", "1", "-l", "1", "-singlefile", pdf,
                            os.path.splitext(keep)[0]], check=True, timeout=60)

    def test_24_boards_print_on_four_pages(self):
        self.check_printed(CONTROL_24, 24)

