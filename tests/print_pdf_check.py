#!/usr/bin/env python3
"""Pages of `tavocal print` read back by poppler: pdftotext -bbox finds every
day number, the month's holiday names and the schedule lines that fit in the
cell of their day (the month page), and every day of every month under its
month (the year page); pdftoppm renders both.
   print_pdf_check.py TAVOCAL"""
import calendar
import re
import subprocess
import sys
import tempfile
from pathlib import Path

tavocal = sys.argv[1]
MM = 72 / 25.4


def words(pdf):
    html = subprocess.run(["pdftotext", "-bbox", str(pdf), "-"], check=True, capture_output=True, text=True).stdout
    page = re.search(r'<page width="([\d.]+)" height="([\d.]+)"', html)
    found = [(float(a), float(b), float(c), float(d), t) for a, b, c, d, t in
             re.findall(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>', html)]
    return float(page[1]), float(page[2]), found


def month_cells(width, height, year, month, margin=10):
    """Each day's cell as the month page lays it out: a 6 % title, 4 % weekdays, 7 x 6 cells."""
    left, top = margin * MM, margin * MM
    w, h = width - 2 * left, height - 2 * top
    grid_top, grid_h = top + h * 0.10, h * 0.90
    first_column = (calendar.weekday(year, month, 1) + 1) % 7  # Sunday first
    row_shift = 1 if first_column == 0 else 0  # a 1st on Sunday shows the week before it
    cells = {}
    for day in range(1, calendar.monthrange(year, month)[1] + 1):
        position = first_column + day - 1
        c, r = position % 7, position // 7 + row_shift
        cells[day] = (left + w * c / 7, grid_top + grid_h * r / 6, left + w * (c + 1) / 7, grid_top + grid_h * (r + 1) / 6)
    return cells


def inside(word, cell, slack=1.0):
    x0, y0, x1, y1, _ = word
    return cell[0] - slack <= x0 and x1 <= cell[2] + slack and cell[1] - slack <= y0 and y1 <= cell[3] + slack


def check_month(folder, out):
    pdf = out / "month.pdf"
    subprocess.run([tavocal, "print", "month", "2026-05", "--dir", str(folder), "-o", str(pdf)], check=True)
    width, height, found = words(pdf)
    cells = month_cells(width, height, 2026, 5)
    holidays = subprocess.run([tavocal, "holidays", "2026"], check=True, capture_output=True, text=True).stdout
    expected = {day: [str(day)] for day in cells}
    for line in holidays.splitlines():
        date, _, name = line.split("\t")
        if date.startswith("2026-05-"):
            expected[int(date[8:])].append(name)
    expected[1] += ["会議", "10:00"]
    expected[6] += [f"打ち合わせ{i}" for i in range(1, 6)]  # the ones that fit; the rest counted
    expected[15].append("歯医者")
    problems = [f"5/{day}: {text!r} not in its cell" for day, texts in expected.items() for text in texts
                if not any(w[4] == text and inside(w, cells[day]) for w in found)]
    if not any(w[4] == "他7件" and inside(w, cells[6]) for w in found):
        problems.append(f"5/6: twelve lines shown as five and 他7件, found {[w[4] for w in found if inside(w, cells[6])]}")
    if any(w[4] == "打ち合わせ6" for w in found):
        problems.append("5/6: a line past the cell's room was printed")
    return pdf, problems


def check_year(folder, out):
    pdf = out / "year.pdf"
    subprocess.run([tavocal, "print", "year", "2026", "--landscape", "--paper", "A3", "--dir", str(folder), "-o", str(pdf)], check=True)
    width, height, found = words(pdf)
    problems = [] if width > height else ["--landscape gave a portrait page"]
    names = {int(w[4][:-1]): w for w in found if re.fullmatch(r"\d+月", w[4])}
    if sorted(names) != list(range(1, 13)):
        return pdf, problems + [f"month names: {sorted(names)}"]
    days = {m: [] for m in names}
    for w in found:
        if not w[4].isdigit():
            continue
        # Under the nearest row of month names above it, the month whose name is nearest across.
        above = [n for n in names.values() if n[3] <= w[1]]
        if not above:
            continue
        row = max(n[1] for n in above)
        cx = (w[0] + w[2]) / 2
        month = min((abs((n[0] + n[2]) / 2 - cx), m) for m, n in names.items() if abs(n[1] - row) < 1)[1]
        days[month].append(int(w[4]))
    for m, numbers in days.items():
        if sorted(numbers) != list(range(1, calendar.monthrange(2026, m)[1] + 1)):
            problems.append(f"{m}月: days {sorted(numbers)}")
    return pdf, problems


def renders(pdf, out):
    prefix = out / pdf.stem
    subprocess.run(["pdftoppm", "-r", "30", "-png", "-singlefile", str(pdf), str(prefix)], check=True)
    png = prefix.with_suffix(".png")
    return [] if png.exists() and png.stat().st_size > 1000 else [f"{pdf.name} did not render"]


def main():
    with tempfile.TemporaryDirectory() as temp:
        out = Path(temp)
        folder = out / "data"
        folder.mkdir()
        text = ":1\r\n会議 10:00\r\n:6\r\n" + "".join(f"打ち合わせ{i}\r\n" for i in range(1, 13)) + ":15\r\n歯医者\r\n"
        (folder / "sch20265.cal").write_bytes(text.encode("cp932"))
        problems = []
        for check in (check_month, check_year):
            pdf, found = check(folder, out)
            problems += found + renders(pdf, out)
    for p in problems:
        print(p)
    print("print: " + ("FAILED" if problems else "every day, name and line where it belongs"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
