#!/usr/bin/env python3
"""The string-table check passes the program's own tables and refuses an ID given twice
in one language (also across files), an ID with one language only, and a translation
that drops or adds a value; a text that names a computer may put it inside the Japanese
sentence only when it is listed.
Usage: check_strings_test.py <generated folder>"""

import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
CHECK = ROOT / "tools" / "check-strings.py"
GENERATED = None


def table(language, entries):
    lines = ["#pragma code_page(65001)", f"LANGUAGE {language}, SUBLANG_DEFAULT", "STRINGTABLE", "BEGIN"]
    lines += [f'    {number} "{text}"' for number, text in entries]
    return "\n".join(lines + ["END", ""])


class StringChecks(unittest.TestCase):
    def run_on(self, files, naming=""):
        """Exit code and output of the check on resources/mirel.rc including `files`
        {name: content}; the generated folder holds gen.rc."""
        with tempfile.TemporaryDirectory() as folder:
            root = Path(folder)
            (root / "resources").mkdir()
            (root / "tools").mkdir()
            (root / "generated").mkdir()
            (root / "tools" / "strings_naming.txt").write_text(naming, encoding="utf-8")
            includes = "".join(f'#include "{name}"\n' for name in files)
            (root / "resources" / "mirel.rc").write_text('#include "resource.h"\n' + includes, encoding="utf-8")
            (root / "resources" / "resource.h").write_text("#define IDS_RUN 103\n", encoding="utf-8")
            for name, content in files.items():
                place = root / ("generated" if name == "gen.rc" else "resources") / name
                place.parent.mkdir(parents=True, exist_ok=True)
                place.write_text(content, encoding="utf-8")
            done = subprocess.run([sys.executable, str(CHECK), str(root), str(root / "generated")],
                                  capture_output=True, text=True)
            return done.returncode, done.stdout

    def test_the_programs_own_tables_pass(self):
        done = subprocess.run([sys.executable, str(CHECK), str(ROOT), GENERATED], capture_output=True, text=True)
        self.assertEqual((done.returncode, done.stdout), (0, ""))

    def test_matching_tables_in_both_languages_pass(self):
        code, out = self.run_on({
            "strings/a.en.rc": table("LANG_ENGLISH", [(1, "Run"), (2, 'Checked %1 of %2, ""done""')]),
            "strings/a.ja.rc": table("LANG_JAPANESE", [(1, "実行"), (2, "%2 台中 %1 台")]),
        })
        self.assertEqual((code, out), (0, ""))

    def test_an_id_given_twice_in_a_language_fails_also_across_files_and_generated_ones(self):
        code, out = self.run_on({
            "strings/a.en.rc": table("LANG_ENGLISH", [(5, "One")]),
            "strings/b.en.rc": table("LANG_ENGLISH", [(5, "Another")]),
            "gen.rc": table("LANG_JAPANESE", [(5, "一"), (5, "二")]),
        })
        self.assertEqual(code, 1)
        self.assertIn("b.en.rc:5: string 5 is given twice in English", out)
        self.assertIn("gen.rc:6: string 5 is given twice in Japanese", out)

    def test_an_id_in_one_language_only_fails(self):
        code, out = self.run_on({
            "strings/a.en.rc": table("LANG_ENGLISH", [(7, "Text")]),
            "strings/a.ja.rc": table("LANG_JAPANESE", [(8, "テキスト")]),
        })
        self.assertEqual(code, 1)
        self.assertIn("string 7 has no Japanese text", out)
        self.assertIn("string 8 has no English text", out)

    def test_a_translation_that_drops_or_adds_a_value_fails(self):
        code, out = self.run_on({
            "strings/a.en.rc": table("LANG_ENGLISH", [(1, "Check %1 of %2"), (2, "Ready")]),
            "strings/a.ja.rc": table("LANG_JAPANESE", [(1, "調査 %1"), (2, "%1 準備完了")]),
        })
        self.assertEqual(code, 1)
        self.assertIn("string 1 takes %1 in Japanese, %1, %2 in English", out)
        self.assertIn("string 2 takes %1 in Japanese, no value in English", out)

    def test_a_listed_text_may_name_the_computer_inside_the_japanese_sentence_only(self):
        files = {
            "strings/a.en.rc": table("LANG_ENGLISH", [(9, "Could not find the host ")]),
            "strings/a.ja.rc": table("LANG_JAPANESE", [(9, "ホスト %1 が見つかりません。")]),
        }
        self.assertEqual(self.run_on(files, naming="9   # the host\n"), (0, ""))
        self.assertEqual(self.run_on(files)[0], 1)

    def test_an_entry_the_check_cannot_read_or_a_missing_include_fails(self):
        code, out = self.run_on({"strings/a.en.rc": table("LANG_ENGLISH", [(1, "Run")]).replace(
            '1 "Run"', "IDS_RUN \"Run\"") + '#include "strings/gone.rc"\n'})
        self.assertEqual(code, 1)
        self.assertIn("not a string entry: IDS_RUN", out)
        self.assertIn("strings/gone.rc is not found", out)


if __name__ == "__main__":
    GENERATED = sys.argv.pop(1)
    unittest.main()
