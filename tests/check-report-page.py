#!/usr/bin/env python3
"""Checks the page jobsift-cli --report writes by parsing it back with a real HTML parser.

usage: check-report-page.py JOBSIFT-CLI

A salvage past the end mark of a file laid out on the map's 1,024-byte cells: its cells, the
table's rows against the --json records, and names that look like markup shown as typed.
"""
import json
import subprocess
import sys
import tempfile
import zlib
from html.parser import HTMLParser
from pathlib import Path

HEADER = 158
CELLS = 768
KINDS = {"absent", "good", "recovered", "duplicate", "bad", "unknown-state", "empty", "free", "skipped", "unexamined"}
SCRIPT_NAME = "<script>alert(1)</script>"


def record(name, size, state=1, wrong_crc=False):
    """A stored program of `size` bytes in all: header, then an even body."""
    body = bytes((i * 7 + 0x11) & 0xFF for i in range(size - HEADER))
    header = bytearray(HEADER)
    units = name.encode("utf-16-be")
    header[6:6 + len(units)] = units
    header[126:130] = state.to_bytes(4, "big")
    header[150:154] = len(body).to_bytes(4, "big")
    data = bytearray(header + body)
    crc = zlib.crc32(bytes(data[4:])) ^ (0x10000 if wrong_crc else 0)
    data[0:4] = crc.to_bytes(4, "big")
    return bytes(data)


def sample():
    data = record("BOX A", 1024) + record(SCRIPT_NAME, 1024) + record("LID", 300, wrong_crc=True)
    data += bytes(8192 - len(data))  # searched over up to the next intact program
    data += record("&amp;", 2048) + record("TRAY", 1024)
    data += b"\xff" * (16384 - len(data))  # the end mark and what lies behind it
    return data + record("PAST", 1024)


# What each cell must show, as (count, classes) spans over the 768 cells.
EXPECTED_CELLS = [(2, "good"), (6, "skipped damaged"), (3, "recovered"), (5, "free"), (1, "recovered"),
                  (751, "absent")]


class Page(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.tags = []
        self.outside = []  # every src, href and style-sheet reference: a page of its own has none
        self.maps = 0
        self.cells = []  # (classes, title) of each rect in the map
        self.rows = []  # the record table's body rows, as lists of cell texts
        self._open = []
        self._text = None

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        self.tags.append(tag)
        self.outside += [attrs[key] for key in ("src", "href") if key in attrs]
        if tag == "svg" and attrs.get("id") == "map":
            self.maps += 1
        if tag == "rect" and "map" in self._open:
            self.cells.append([attrs.get("class", ""), ""])
        if tag == "title" and self._open[-1:] == ["rect"] and "map" in self._open:
            self._text = ""
        if tag == "tr" and "records-body" in self._open:
            self.rows.append([])
        if tag == "td" and "records-body" in self._open:
            self._text = ""
        self._open.append({("svg", "map"): "map", ("table", "records"): "records"}.get((tag, attrs.get("id")), tag))
        if tag == "tbody" and "records" in self._open:
            self._open[-1] = "records-body"

    def handle_startendtag(self, tag, attrs):
        self.handle_starttag(tag, attrs)
        self.handle_endtag(tag)

    def handle_endtag(self, tag):
        if tag == "title" and self._text is not None and "map" in self._open:
            self.cells[-1][1] = self._text
            self._text = None
        if tag == "td" and self._text is not None:
            self.rows[-1].append(self._text)
            self._text = None
        self._open.pop()

    def handle_data(self, data):
        if self._text is not None:
            self._text += data


def expected_rows(line):
    """The --list columns of every record and skipped stretch, in file order."""
    rows = []
    skipped = list(line["skipped"])
    for rec in line["records"]:
        while skipped and skipped[0]["offset"] < rec["offset"]:
            rows.append(skipped_row(skipped.pop(0)))
        computed = "-" if rec["crc_computed"] is None else "%08x" % rec["crc_computed"]
        rows.append([str(rec["offset"]), str(rec["size"]), "0x%08x" % rec["state"], rec["verdict"],
                     "%08x" % rec["crc_stored"], computed, "past-end" if rec["past_end"] else "-", rec["name"]])
    return rows + [skipped_row(stretch) for stretch in skipped]


def skipped_row(stretch):
    return [str(stretch["offset"]), str(stretch["length"]), "-", "skipped", "-", "-", "-", ""]


def check(holds, what):
    if not holds:
        print("FAILED: " + what, file=sys.stderr)
        sys.exit(1)


def main():
    cli = str(Path(sys.argv[1]).resolve())
    with tempfile.TemporaryDirectory() as folder:
        source = Path(folder) / "line3.pgs"
        source.write_bytes(sample())
        run = subprocess.run([cli, "--salvage", "--past-end", "--json", "--report", str(source)],
                             capture_output=True, cwd=folder, check=False)
        check(run.returncode == 1, "exit status 1 for damage, not %d: %s" % (run.returncode, run.stderr))
        line = json.loads(run.stdout)
        page = Page()
        page.feed((Path(folder) / "line3__.html").read_text(encoding="utf-8"))
        page.close()

    check("script" not in page.tags, "no script element")
    check(not page.outside, "no outside resource: %s" % page.outside)
    check(page.maps == 1, "one map")
    check(len(page.cells) == CELLS, "%d cells in the map" % len(page.cells))
    for classes, title in page.cells:
        words = classes.split()
        check(words and words[0] in KINDS and words[1:] in ([], ["damaged"]), "classes " + classes)
    expected = [classes for count, classes in EXPECTED_CELLS for _ in range(count)]
    check([classes for classes, _ in page.cells] == expected, "cells: %s" % [c for c, _ in page.cells])
    check(SCRIPT_NAME + " (good)" in page.cells[1][1].split("\n"), "cell 1 names " + page.cells[1][1])
    check("&amp; (recovered)" in page.cells[8][1].split("\n"), "cell 8 names " + page.cells[8][1])
    check(page.rows == expected_rows(line), "rows:\n%s\nagainst\n%s" % (page.rows, expected_rows(line)))
    check([rec["name"] for rec in line["records"]] == ["BOX A", SCRIPT_NAME, "LID", "&amp;", "TRAY", "PAST"],
          "the sample's records: %s" % line["records"])
    print("report page: %d cells, %d rows" % (len(page.cells), len(page.rows)))


if __name__ == "__main__":
    main()
