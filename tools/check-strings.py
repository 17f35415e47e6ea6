#!/usr/bin/env python3
"""Checks the string tables the program is built with, following the includes of
resources/mirel.rc (hand-written files under resources/, generated ones in the generated
folder):

  - no ID is given twice in one language (the resource compiler keeps one of the two
    silently, so a text would vanish);
  - every ID has an English and a Japanese text (the loader falls back to nothing);
  - the English and the Japanese text of an ID take the same placeholders (%1 to %9), so
    that no value is lost in one language. A text listed in tools/strings_naming.txt
    names a computer and may leave its name to the end in English (see TextNaming).

Usage: check-strings.py <source folder> <generated folder>
Prints one line per problem, with its file and line, and exits with 1 when there is one."""

import re
import sys
from pathlib import Path

INCLUDE = re.compile(r'^\s*#include\s+"([^"]+)"')
LANGUAGE = re.compile(r"^\s*LANGUAGE\s+(LANG_\w+)")
ENTRY = re.compile(r'^\s*(\d+)\s*,?\s*"((?:[^"]|"")*)"\s*$')
PLACEHOLDER = re.compile(r"%([1-9])")
LANGUAGES = {"LANG_ENGLISH": "English", "LANG_JAPANESE": "Japanese"}


class Text:
    def __init__(self, where, language, text):
        self.where = where
        self.language = language
        self.text = text


def find_include(name, folders):
    for folder in folders:
        if (folder / name).is_file():
            return folder / name
    return None


def read_tables(path, folders, texts, problems):
    """Adds every string-table entry of `path` and of the files it includes to `texts`
    {id: [Text]}."""
    language = None
    in_table = False
    in_block = False
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        where = f"{path}:{number}"
        include = INCLUDE.match(line)
        if include:
            found = find_include(include.group(1), [path.parent] + folders)
            if found is None:
                problems.append(f"{where}: {include.group(1)} is not found")
            else:
                read_tables(found, folders, texts, problems)
            continue
        match = LANGUAGE.match(line)
        if match:
            language = LANGUAGES.get(match.group(1), match.group(1))
            continue
        word = line.strip()
        if word == "STRINGTABLE":
            in_table = True
        elif in_table and word == "BEGIN":
            in_block = True
        elif in_block and word == "END":
            in_table = in_block = False
        elif in_block:
            entry = ENTRY.match(line)
            if entry:
                texts.setdefault(int(entry.group(1)), []).append(Text(where, language, entry.group(2)))
            elif word and not word.startswith("//"):
                problems.append(f"{where}: not a string entry: {word[:60]}")


def read_naming(path):
    """The IDs whose English text leaves the computer's name to the end."""
    if not path.is_file():
        return set()
    ids = set()
    for line in path.read_text(encoding="utf-8").splitlines():
        line = line.split("#", 1)[0].strip()
        if line:
            ids.add(int(line))
    return ids


def string_problems(texts, naming):
    problems = []
    for string_id in sorted(texts):
        by_language = {}
        for text in texts[string_id]:
            if text.language in by_language:
                problems.append(f"{text.where}: string {string_id} is given twice in {text.language} "
                                f"(also at {by_language[text.language].where})")
            else:
                by_language[text.language] = text
        for language in LANGUAGES.values():
            if language not in by_language:
                other = next(iter(by_language.values()))
                problems.append(f"{other.where}: string {string_id} has no {language} text")
        english = by_language.get("English")
        japanese = by_language.get("Japanese")
        if english and japanese:
            english_places = set(PLACEHOLDER.findall(english.text))
            japanese_places = set(PLACEHOLDER.findall(japanese.text))
            if string_id in naming:
                english_places.add("1")
            if english_places != japanese_places:
                problems.append(f"{japanese.where}: string {string_id} takes "
                                f"{', '.join('%' + p for p in sorted(japanese_places)) or 'no value'} in Japanese, "
                                f"{', '.join('%' + p for p in sorted(english_places)) or 'no value'} in English")
    return problems


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[-2], file=sys.stderr)
        return 2
    source = Path(sys.argv[1])
    generated = Path(sys.argv[2])
    texts = {}
    problems = []
    read_tables(source / "resources" / "mirel.rc", [source / "resources", generated], texts, problems)
    problems += string_problems(texts, read_naming(source / "tools" / "strings_naming.txt"))
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
