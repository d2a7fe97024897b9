#!/usr/bin/env python3
"""Reads one district's standings written as JSON, CSV and HTML and checks
that the CSV and the HTML say the same as the JSON. Exit status 0 when they do."""
import csv
import html.parser
import json
import sys


def flatten(team):
    fields = {}
    for key, value in team.items():
        if isinstance(value, dict):
            for sub, v in value.items():
                fields[key + "." + sub] = v
        else:
            fields[key] = value
    return fields


def text_of(value):
    return "" if value is None else str(value)


class TableReader(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.keys, self.rows, self.cell, self.forbidden = [], [], None, []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag in ("script", "link", "img", "iframe", "object") or "src" in attrs or "href" in attrs:
            self.forbidden.append(tag)
        if tag == "th":
            self.keys.append(attrs.get("data-key"))
        elif tag == "tr" and self.keys:
            self.rows.append([])
        elif tag == "td":
            self.cell = ""

    def handle_endtag(self, tag):
        if tag == "td":
            self.rows[-1].append(self.cell)
            self.cell = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell += data


def main(json_path, csv_path, html_path):
    with open(json_path, encoding="utf-8") as f:
        teams = [flatten(t) for t in json.load(f)["teams"]]
    failures = []

    with open(csv_path, "rb") as f:
        raw = f.read()
    if not raw.startswith(b"\xef\xbb\xbf"):
        failures.append("CSV has no byte order mark")
    rows = list(csv.reader(raw.decode("utf-8-sig").splitlines(keepends=True)))
    header, body = rows[0], rows[1:]
    if len(body) != len(teams):
        failures.append(f"CSV has {len(body)} rows for {len(teams)} teams")
    for team, row in zip(teams, body):
        if header != list(team.keys()):
            failures.append(f"CSV header {header} is not the JSON's {list(team.keys())}")
        for key, value in zip(header, row):
            if value != text_of(team.get(key)):
                failures.append(f"CSV {key}: {value!r} but JSON {team.get(key)!r}")

    reader = TableReader()
    with open(html_path, encoding="utf-8") as f:
        reader.feed(f.read())
    if reader.forbidden:
        failures.append(f"HTML uses outside resources or scripts: {reader.forbidden}")
    if len(reader.rows) != len(teams):
        failures.append(f"HTML has {len(reader.rows)} rows for {len(teams)} teams")
    for team, row in zip(teams, reader.rows):
        for key, value in zip(reader.keys, row):
            expected = team[key]
            if key == "winRate":
                same = abs(float(value) - expected / 1e6) <= 0.0005 + 1e-9
            elif key == "behindTop":
                same = round(float(value) * 10) == expected
            else:
                same = value == text_of(expected)
            if not same:
                failures.append(f"HTML {key}: {value!r} but JSON {expected!r}")

    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
