#!/usr/bin/env python3
"""Japanese sentences of the programs' own texts end with 。 and pause with 、,
and keep no blanks around numbers ("42件"): messages, labels and help pages.
Texts users and other programs already know as written are listed below.
Usage: check_japanese_text.py ROOT"""
import pathlib
import re
import sys

JAPANESE = '[\u3000-\u30FF\u4E00-\u9FFF\uFF01-\uFF5E]'
# "名前.col" and "F1 キー" are a file and a key, "「.」" the character itself;
# a line quoted as the user types it (「14:30 歯医者」) keeps its blanks.
WRONG = re.compile(JAPANESE + r'(?:\.(?![A-Za-z.])|,)|' + JAPANESE + r' \d|(?<![A-Za-z\d])\d+ ' + JAPANESE)
LITERAL = re.compile(r'(?:L|u8)?"((?:[^"\\\n]|\\.)*)"')
KNOWN = {  # written so by earlier versions: labels, messages, a file header, a list suffix
    '年,月表示部', '前月,来月の日付', '振替休日,国民の休日', '毎年,毎月の予定指定日が月にないとき月末に前シフト(&L)',
    '日付が変更されました.', 'グレゴリオ暦が採用されたのは1582年10月15日からです.', '計算範囲外です.(西暦9999年まで)',
    '計算範囲外です.(グレゴリオ暦以前)', '国民の祝日・休日月日,国民の祝日・休日名称', '(毎月..)',
}
SOURCES = ['calendar', 'cli', 'win', 'remind', 'tray', 'options', 'sync', 'shared', 'resources', 'installer']


def unquoted(text):
    return re.sub(r'「[^」]*」', '「」', text)


def source_problems(root):
    for folder in SOURCES:
        for path in sorted((root / folder).rglob('*')):
            if path.suffix not in ('.cpp', '.h', '.rc', '.nsi') or not path.is_file():
                continue
            for number, line in enumerate(path.read_text(encoding='utf-8', errors='replace').split('\n'), 1):
                if line.lstrip().startswith('//'):
                    continue
                for text in LITERAL.findall(line):
                    if text not in KNOWN and WRONG.search(unquoted(text)):
                        yield f'{path.relative_to(root)}:{number}: {text}'


def help_problems(root):
    for path in sorted((root / 'resources' / 'help').rglob('*.html')):
        for number, line in enumerate(path.read_text(encoding='utf-8').split('\n'), 1):
            text = re.sub(r'<code>.*?</code>|<tr><td>[^<]*</td>', '', line)  # commands, and examples first in a row, as typed
            text = re.sub(r'<[^>]*>', '', text)
            for known in KNOWN:
                text = text.replace(known, '')
            if WRONG.search(unquoted(text)):
                yield f'{path.relative_to(root)}:{number}: {text.strip()}'


def main():
    root = pathlib.Path(sys.argv[1])
    problems = list(source_problems(root)) + list(help_problems(root))
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
