"""tavocal search against a straightforward reference over a generated folder.

The reference folds with Unicode NFKC (full-width and half-width forms, the
voiced marks of half-width kana composed), hiragana to katakana and ASCII
lower case, then keeps the days whose lines hold every word, as a user would
search by hand. Day schedules and the memo are generated at random from
words written in every form; the words never occur in holiday or almanac
names, so those days add nothing the reference does not see.

    search_reference.py TAVOCAL
"""
import calendar
import os
import random
import subprocess
import sys
import tempfile
import unicodedata

WORDS = ["たなか", "タナカ", "ﾀﾅｶ", "ガス", "ｶﾞｽ", "ABC", "ａｂｃ", "abc", "歯医者", "表示", "ソフト", "ﾊﾟﾝ", "パン",
         "１２３", "123", "ヴァイオリン", "ｳﾞｧｲｵﾘﾝ", "Room"]
QUERIES = ["たなか", "ｶﾞｽ", "abc", "歯医者 パン", "123 ソフト", "\"ABC\"", "ヴァ", "\\", "room", "表示 たなか ガス",
           "\"ﾀﾅｶ\"", "ﾊﾞﾝ"]
YEARS = (2024, 2026)


def fold(text):
    text = unicodedata.normalize("NFKC", text).lower()
    return "".join(chr(ord(c) + 0x60) if 0x3041 <= ord(c) <= 0x3096 else c for c in text)


def words_of(query):
    words, exact, rest = [], [], query
    while rest.strip():
        rest = rest.strip()
        if rest.startswith('"'):
            end = rest.find('"', 1)
            end = len(rest) if end < 0 else end
            exact.append(rest[1:end])
            rest = rest[end + 1:]
        else:
            word, _, rest = rest.partition(" ")
            words.append(fold(word))
    return words, exact


def holds(line, word, is_exact):
    return word in line if is_exact else word in fold(line)


def reference(days, query):
    words, exact = words_of(query)
    checks = [(w, False) for w in words] + [(w, True) for w in exact]
    hits = []
    for day in sorted(days, key=lambda d: (d == "-", d)):
        lines = days[day]
        if all(any(holds(line, w, e) for line in lines) for w, e in checks):
            hits += [f"{day} {'memo' if day == '-' else 'day'} {line}" for line in lines
                     if any(holds(line, w, e) for w, e in checks)]
    return hits


def generate(folder, rng):
    days = {}
    for year in range(YEARS[0], YEARS[1] + 1):
        for month in range(1, 13):
            text = ""
            for day in range(1, calendar.monthrange(year, month)[1] + 1):
                if rng.random() < 0.6:
                    continue
                lines = [" ".join(rng.sample(WORDS, rng.randint(1, 3))) for _ in range(rng.randint(1, 3))]
                days[f"{year:04d}-{month:02d}-{day:02d}"] = lines
                text += f":{day}\r\n" + "".join(line + "\r\n" for line in lines)
            name = f"sch{year:04d}{'123456789abc'[month - 1]}.cal"
            with open(os.path.join(folder, name), "wb") as f:
                f.write(text.encode("cp932"))
    memo = [" ".join(rng.sample(WORDS, 2)) for _ in range(5)]
    days["-"] = memo
    with open(os.path.join(folder, "memo.cal"), "wb") as f:
        f.write("".join(line + "\r\n" for line in memo).encode("cp932"))
    return days


def main():
    tavocal = sys.argv[1]
    rng = random.Random(20261209)
    failures = 0
    with tempfile.TemporaryDirectory() as folder:
        days = generate(folder, rng)
        for query in QUERIES:
            got = subprocess.run([tavocal, "search", query, "--dir", folder], capture_output=True, text=True,
                                 encoding="utf-8", check=True).stdout.splitlines()
            wanted = reference(days, query)
            if got != wanted:
                failures += 1
                extra, missing = set(got) - set(wanted), set(wanted) - set(got)
                print(f"{query!r}: {len(got)} lines, reference {len(wanted)}; extra {sorted(extra)[:3]} "
                      f"missing {sorted(missing)[:3]}")
            elif not wanted and query not in ("\"ﾀﾅｶ\"", "ﾊﾞﾝ", "\\"):
                failures += 1
                print(f"{query!r}: nothing found; the data is not what the test means")
    print(f"{len(QUERIES)} queries, {failures} differ")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
