#!/usr/bin/env python3
"""Checks every dialog template of the resource files for keyboard use.
- Each button, check box and radio button has its own access key (&X);
  OK and キャンセル answer Enter and Esc, ヘルプ answers F1.
- Each field is reached by a key: the keyed label just before it in the
  template (a label's key focuses the next control), or it is the field of
  the keyed check box or radio button just before it, or it continues the
  reached field before it on the same row (a date written in parts).
- No key repeats within a dialog.
- Tab goes in reading order: row by row, left to right, a group box's
  controls together where the box stands.
- Every menu item and submenu has an access key, none twice in one menu
  (the top of a popup resource, named by the program, has none).
    check_dialogs.py FILE.rc...   exit 1 and one line per finding"""
import re
import sys

FOCUSABLE = {"AUTOCHECKBOX", "AUTORADIOBUTTON", "CHECKBOX", "RADIOBUTTON", "PUSHBUTTON", "DEFPUSHBUTTON",
             "EDITTEXT", "COMBOBOX", "LISTBOX"}
LABELS = {"LTEXT", "RTEXT", "CTEXT", "GROUPBOX"}
# Enter and Esc answer these; a progress dialog's 中止 is its only control.
KEYLESS_IDS = {"IDOK", "IDCANCEL", "IDC_OPTIONS_HELP"}
CHOICES = {"AUTOCHECKBOX", "AUTORADIOBUTTON", "CHECKBOX", "RADIOBUTTON"}
FIELDS = {"EDITTEXT", "COMBOBOX", "LISTBOX"}
ROW = 5  # dialog units: controls this close in height share a row
TOKEN = re.compile(r'"((?:[^"]|"")*)"|([^,\s][^,]*)')


def controls(block):
    for line in block:
        words = line.strip().split(None, 1)
        if len(words) < 2:
            continue
        kind, rest = words
        fields = [m.group(1) if m.group(1) is not None else m.group(2).strip() for m in TOKEN.finditer(rest)]
        if kind == "CONTROL":  # CONTROL text, id, class, style, x, y, w, h
            cls = fields[2].strip('"').lower()
            kind = {"systabcontrol32": "TABS", "msctls_updown32": "UPDOWN"}.get(cls, "OTHER")
            fields = [fields[0], fields[1]] + fields[4:8]
        has_text = kind not in ("EDITTEXT", "COMBOBOX", "LISTBOX")
        text = fields[0] if has_text else None
        numbers = fields[2:6] if has_text else fields[1:5]
        try:
            x, y, w, h = (int(n) for n in numbers)
        except (ValueError, IndexError):
            continue
        ident = fields[1] if has_text else fields[0]
        yield {"kind": kind, "text": text, "id": ident, "x": x, "y": y, "w": w, "h": h}


def access_key(text):
    m = re.search(r"&(.)", text or "")
    return m.group(1).upper() if m and m.group(1) != "&" else None


def same_row(a, b):
    return abs(a["y"] - b["y"]) <= ROW


def reading_order_breaks(a, b):
    return b["y"] < a["y"] - ROW or (same_row(a, b) and b["x"] < a["x"])


def groups_of(control, boxes):
    """The group boxes holding the control, outermost first."""
    inside = [g for g in boxes if g["x"] <= control["x"] < g["x"] + g["w"] and g["y"] <= control["y"] < g["y"] + g["h"]]
    return sorted(inside, key=lambda g: -g["w"] * g["h"])


def tab_order_findings(name, reachable, boxes):
    findings = []
    for a, b in zip(reachable, reachable[1:]):
        pa, pb = groups_of(a, boxes) + [a], groups_of(b, boxes) + [b]
        level = 0
        while pa[level] is pb[level]:
            level += 1
        if reading_order_breaks(pa[level], pb[level]):
            findings.append(f"{name}: Tab goes from {a['id']} ({a['x']},{a['y']}) back to {b['id']} ({b['x']},{b['y']})")
    return findings


def check_dialog(name, items):
    findings, keys = [], {}
    reachable, reached = [], set()
    label, control = None, None  # the label just before (none after a control), the last control
    for c in items:
        key = access_key(c["text"])
        if key:
            keys.setdefault(key, []).append(c["text"])
        if c["kind"] in LABELS:
            label = c
            continue
        if c["kind"] not in FOCUSABLE:
            continue
        reachable.append(c)
        if c["id"] in KEYLESS_IDS or key:
            ok = True
        elif c["kind"] in FIELDS:
            labelled = label is not None and access_key(label["text"])
            dependent = label is None and control is not None and control["kind"] in CHOICES and access_key(control["text"])
            continued = control is not None and id(control) in reached and same_row(control, c) and not labelled
            ok = bool(labelled or dependent or continued)
        else:
            ok = False
        if ok:
            reached.add(id(c))
        else:
            findings.append(f"{name}: no access key for {c['kind']} {c['id']} {c['text'] or ''}".rstrip())
        label, control = None, c
    for key, texts in keys.items():
        if len(texts) > 1:
            findings.append(f"{name}: access key {key} on " + ", ".join(texts))
    boxes = [c for c in items if c["kind"] == "GROUPBOX"]
    ordered = [c for c in reachable if c["id"] not in KEYLESS_IDS]
    return findings + tab_order_findings(name, ordered, boxes)


def dialogs(path):
    lines = open(path, encoding="utf-8").read().splitlines()
    i = 0
    while i < len(lines):
        m = re.match(r'^("?[\w]+"?)\s+DIALOGEX?\b', lines[i])
        if not m:
            i += 1
            continue
        name = m.group(1).strip('"')
        while lines[i].strip() != "BEGIN":
            i += 1
        start = i + 1
        while lines[i].strip() != "END":
            i += 1
        yield name, lines[start:i]


def menu_findings(path):
    """Walks MENU resources; each BEGIN..END is one menu whose items are checked."""
    findings, stack, pending = [], [], None
    for line in open(path, encoding="utf-8").read().splitlines():
        words = line.strip()
        m = re.match(r'^(\w+)\s+MENU\b', words)
        if m:
            pending = (m.group(1), True)
            continue
        if words == "BEGIN" and pending:
            stack.append({"name": pending[0], "keys": {}, "top": pending[1]})
            pending = None
            continue
        if words == "END" and stack:
            menu = stack.pop()
            for key, texts in menu["keys"].items():
                if len(texts) > 1:
                    findings.append(f"menu {menu['name']}: access key {key} on " + ", ".join(texts))
            continue
        item = re.match(r'^(MENUITEM|POPUP)\s+"((?:[^"]|"")*)"', words)
        if not item or not stack:
            continue
        menu, text = stack[-1], item.group(2)
        if item.group(1) == "POPUP":
            pending = (text, False)
        if menu["top"]:
            continue
        key = access_key(text.split("\\t")[0])
        if key:
            menu["keys"].setdefault(key, []).append(text)
        else:
            findings.append(f"menu {menu['name']}: no access key for {text}")
    return findings


def main(paths):
    findings = []
    for path in paths:
        for name, block in dialogs(path):
            findings += check_dialog(name, list(controls(block)))
        findings += menu_findings(path)
    for f in findings:
        print(f)
    return 1 if findings else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
