#!/usr/bin/python3
"""Checks an iCalendar export with an independent parser: the file parses
(icalendar), its lines are CR LF and folded at 75 octets, every event has
what RFC 5545 requires, and its occurrences in a year fall on the days the
range view lists, with the same texts. Then the export is imported into an
empty folder (twice: the second adds nothing) and every day holds the texts
of the events on it; taken back into the folder it came from, it adds nothing.
    check-ics.py TAVOCAL DATA_FOLDER YEAR
"""
import datetime
import os
import subprocess
import sys
import tempfile

import icalendar
from dateutil.rrule import rrulestr

tavocal, folder, year = sys.argv[1], sys.argv[2], int(sys.argv[3])
today = ["--today", f"{year}-12-07"]
raw = subprocess.run([tavocal, "ics-export", str(year), str(year), "--dir", folder] + today,
                     check=True, capture_output=True).stdout
problems = []
if b"\n" in raw.replace(b"\r\n", b""):
    problems.append("a line ends without CR LF")
for line in raw.split(b"\r\n"):
    if len(line) > 75:
        problems.append(f"a line of {len(line)} octets")
    try:
        line.decode("utf-8")
    except UnicodeDecodeError:
        problems.append("a line that is not UTF-8 on its own (folded inside a character)")

calendar = icalendar.Calendar.from_ical(raw)
first, last = datetime.date(year, 1, 1), datetime.date(year, 12, 31)
exported = {}  # date -> summaries
uids = set()
for event in calendar.walk("VEVENT"):
    for field in ("UID", "DTSTAMP", "DTSTART", "SUMMARY"):
        if field not in event:
            problems.append(f"an event without {field}")
    uid = str(event["UID"])
    if uid in uids:
        problems.append(f"UID {uid} twice")
    uids.add(uid)
    start = event["DTSTART"].dt
    days = [start]
    if "RRULE" in event:
        rule = event["RRULE"].to_ical().decode()
        begin = datetime.datetime.combine(start, datetime.time())
        days = [d.date() for d in rrulestr(rule, dtstart=begin).between(
            datetime.datetime.combine(first, datetime.time()), datetime.datetime.combine(last, datetime.time()), inc=True)]
    summary = str(event["SUMMARY"])
    for day in days:
        if first <= day <= last:
            exported.setdefault(day, []).append(summary)


def key(text):
    for suffix in (" の誕生日", " 記念日"):
        text = text.replace(suffix, "")
    return "".join(text.split())


def range_lines(data_folder):
    """The data lines the range view lists on each day of the year (the almanac's and the memo's left out)."""
    lines = {}
    for month in range(1, 13):
        out = subprocess.run([tavocal, "range", f"{year}-{month:02d}-01", "--type", "1", "--dir", data_folder] + today,
                             check=True, capture_output=True, text=True).stdout
        day = None
        for line in out.splitlines():
            if line.startswith(":"):
                parts = line[3:].split("(")[0].replace(" ", "").split("/")
                day = datetime.date(*map(int, parts)) if len(parts) == 3 else None  # the memo is no day's
            elif day is not None and not line.startswith("〔"):
                lines.setdefault(day, []).append("".join(line.split()))
    return lines


listed = range_lines(folder)
if set(exported) != set(listed):
    problems.append(f"days differ: only exported {sorted(set(exported) - set(listed))}, "
                    f"only listed {sorted(set(listed) - set(exported))}")
for day, summaries in exported.items():
    for summary in summaries:
        if not any(line.startswith(key(summary)) for line in listed.get(day, [])):
            problems.append(f"{day}: {summary!r} is not among {listed.get(day)}")
# The round trip: the export imported into an empty folder.
with tempfile.TemporaryDirectory() as empty:
    ics = os.path.join(empty, "export.ics")
    with open(ics, "wb") as f:
        f.write(raw)
    span = [f"{year}-01-01", f"{year}-12-31", "--dir", empty]
    first_import = subprocess.run([tavocal, "ics-import", ics] + span, check=True, capture_output=True, text=True).stdout
    again = subprocess.run([tavocal, "ics-import", ics] + span, check=True, capture_output=True, text=True).stdout
    if " 0 lines added" not in again:
        problems.append(f"a second import added lines: {again.strip()}")
    imported = range_lines(empty)
    for day in sorted(set(exported) | set(imported)):
        wanted = sorted(key(s) for s in exported.get(day, []))
        got = imported.get(day, [])
        if not all(any(line.startswith(w) for line in got) for w in wanted) or (got and not wanted):
            problems.append(f"{day}: imported {got}, exported {wanted}")

# The export taken back into the folder it came from: everything is there already.
with tempfile.TemporaryDirectory() as copy:
    ics = os.path.join(copy, "export.ics")
    with open(ics, "wb") as f:
        f.write(raw)
    subprocess.run(["cp", "-a", folder, os.path.join(copy, "data")], check=True)
    home = subprocess.run([tavocal, "ics-import", ics, f"{year}-01-01", f"{year}-12-31", "--dir", os.path.join(copy, "data")],
                          check=True, capture_output=True, text=True).stdout
    if " 0 lines added" not in home or f" {len(uids)} events Tavo still holds" not in home:
        problems.append(f"the export taken back home added lines or missed own events: {home.strip()}")

if problems:
    print("\n".join(problems))
    sys.exit(1)
print(f"ics: {len(uids)} events, {sum(len(s) for s in exported.values())} occurrences in {year} agree with the range view;"
      f" imported: {first_import.strip()}")
