#!/usr/bin/python3
"""The phone's side of a round trip with `tavocal sync`, played by an
independent client (Python's caldav, from Debian): an event made on the phone
comes into the files; lines made and edited in Tavo reach the phone; an edit
on the phone comes back while its alarm and location stay untouched by Tavo;
a deletion on the phone removes the line.

    phone_round_trip.py SERVER_URL TAVOCAL
"""
import os
import subprocess
import sys
import tempfile

import caldav

url, tavocal = sys.argv[1], sys.argv[2]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def sync(folder):
    run = subprocess.run([tavocal, "sync", "--url", url, "--user", "tavo", "--dir", folder, "--today", "2026-12-07"],
                         env=dict(os.environ, TAVO_PASSWORD="secret"), capture_output=True, text=True)
    check(run.returncode == 0, "sync failed: " + run.stdout + run.stderr)


def day_file(folder):
    with open(os.path.join(folder, "sch2026c.cal"), "rb") as f:
        return f.read().decode("cp932")


def phone_events(calendar):
    return {str(e.icalendar_instance.walk("VEVENT")[0]["SUMMARY"]): e for e in calendar.events()}


calendar = caldav.DAVClient(url, username="tavo", password="secret").principal().calendars()[0]
calendar.save_event("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//phone//EN\r\nBEGIN:VEVENT\r\nUID:phone-1\r\n"
                    "DTSTAMP:20261201T000000Z\r\nDTSTART;VALUE=DATE:20261208\r\nSUMMARY:電話会議\r\n"
                    "LOCATION:B室\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT30M\r\nDESCRIPTION:電話会議\r\n"
                    "END:VALARM\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
folder = tempfile.mkdtemp()
with open(os.path.join(folder, "sch2026c.cal"), "wb") as f:
    f.write(":7\r\n14:30～15:00 歯医者\r\n".encode("cp932"))

sync(folder)
check(day_file(folder) == ":7\r\n14:30～15:00 歯医者\r\n:8\r\n電話会議\r\n", "the phone's event in the files: " + day_file(folder))
events = phone_events(calendar)
check("歯医者" in events, "Tavo's line on the phone: " + ", ".join(events))
if "歯医者" in events:
    start = events["歯医者"].icalendar_instance.walk("VEVENT")[0]["DTSTART"].dt
    check((start.hour, start.minute, str(start.tzinfo)) == (14, 30, "Asia/Tokyo"), "a timed event in Japan's zone: " + str(start))

phone = events["電話会議"]
phone.icalendar_instance.walk("VEVENT")[0]["SUMMARY"] = "電話会議 15時から"
phone.save()
with open(os.path.join(folder, "sch2026c.cal"), "wb") as f:
    f.write(":7\r\n14:30～15:00 歯医者 再診\r\n:8\r\n電話会議\r\n".encode("cp932"))
sync(folder)
check(day_file(folder) == ":7\r\n14:30～15:00 歯医者 再診\r\n:8\r\n電話会議 15時から\r\n", "both edits: " + day_file(folder))
events = phone_events(calendar)
check("歯医者 再診" in events, "Tavo's edit on the phone: " + ", ".join(events))
if "電話会議 15時から" in events:
    kept = events["電話会議 15時から"].icalendar_instance.walk("VEVENT")[0]
    check(str(kept.get("LOCATION")) == "B室" and len(kept.walk("VALARM")) == 1, "the phone's alarm and location kept")

events["電話会議 15時から"].delete()
sync(folder)
check(day_file(folder) == ":7\r\n14:30～15:00 歯医者 再診\r\n", "the phone's deletion: " + day_file(folder))

for f in failures:
    print("FAILED:", f)
sys.exit(1 if failures else 0)
