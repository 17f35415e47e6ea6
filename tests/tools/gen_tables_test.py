#!/usr/bin/env python3
"""The table generator refuses malformed data files, says where, and writes nothing."""

import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
GENERATOR = ROOT / "tools" / "gen_tables.py"
sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, str(GENERATOR.parent))
import gen_tables  # noqa: E402


class GeneratorChecks(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.root = Path(self.folder.name) / "source"
        for relative in [path for path, _ in gen_tables.DATA_FILES.values()] + gen_tables.TEXT_DATA_FILES:
            (self.root / relative).parent.mkdir(parents=True, exist_ok=True)
            shutil.copy(ROOT / relative, self.root / relative)
        self.output = Path(self.folder.name) / "generated"

    def tearDown(self):
        self.folder.cleanup()

    def edit(self, relative, change):
        path = self.root / relative
        path.write_text(change(path.read_text(encoding="utf-8")), encoding="utf-8")

    def line_of(self, relative, text):
        lines = (self.root / relative).read_text(encoding="utf-8").splitlines()
        return f"{Path(relative).name}:{lines.index(text) + 1}"

    def generate(self):
        run = subprocess.run([sys.executable, str(GENERATOR), "--source", str(self.root),
                              "--output", str(self.output)], capture_output=True, text=True)
        return run.returncode, run.stderr

    def assertRefused(self, *reasons):
        code, errors = self.generate()
        self.assertEqual(code, 1, errors)
        for reason in reasons:
            self.assertIn(reason, errors)
        self.assertFalse(self.output.exists(), "nothing is written from bad data")

    def test_the_checked_in_data_generates_every_output(self):
        code, errors = self.generate()
        self.assertEqual(code, 0, errors)
        self.assertTrue((self.output / "base" / "class_ids.h").is_file())
        english = (self.output / "resources/strings/decoded.en.rc").read_text(encoding="utf-8")
        self.assertIn('    10003 "3 : Running or Full Power"', english)
        self.assertIn('(3.5"", 360 RPM)', english)  # quotes doubled as the resource compiler wants

    def test_duplicate_string_id(self):
        self.edit("resources/strings/decoded.tsv", lambda text: text + "10003\tcopy\tcopy\n")
        where = self.line_of("resources/strings/decoded.tsv", "10003\tcopy\tcopy")
        self.assertRefused(f"{where}: duplicate string ID 10003")

    def test_string_without_both_languages(self):
        where = self.line_of("resources/strings/decoded.tsv", "10004\t4 : Warning\t4 : 警告")
        self.edit("resources/strings/decoded.tsv",
                  lambda text: text.replace("10004\t4 : Warning\t4 : 警告", "10004\t4 : Warning\t"))
        self.assertRefused(f"{where}: string 10004 has no japanese text")
        self.edit("resources/strings/decoded.tsv",
                  lambda text: text.replace("10004\t4 : Warning\t", "10004\t4 : Warning"))
        self.assertRefused(f"{where}: 2 columns, expected 3")

    def test_row_with_the_wrong_column_count(self):
        where = self.line_of("render/tables/code_ranges.tsv", "Availability\t*\t1\t21\t10001")
        self.edit("render/tables/code_ranges.tsv",
                  lambda text: text.replace("Availability\t*\t1\t21\t10001", "Availability\t*\t1\t21"))
        self.assertRefused(f"{where}: 4 columns, expected 5")

    def test_duplicate_class_and_unknown_class(self):
        self.edit("individual/classes.tsv", lambda text: text.replace("1001\tWin32_Account", "1000\tWin32_Account"))
        self.edit("render/tables/units.tsv", lambda text: text.replace("Win32_PageFileUsage", "Win32_PageFileUsed"))
        self.assertRefused("duplicate class identifier 1000", "units.tsv:", "unknown class Win32_PageFileUsed")

    def test_table_naming_a_missing_text(self):
        self.edit("render/tables/code_ranges.tsv",
                  lambda text: text.replace("ConfigManagerErrorCode\t*\t0\t31\t10100",
                                            "ConfigManagerErrorCode\t*\t0\t32\t10100"))
        self.assertRefused("string 10132 is not in resources/strings/decoded.tsv")

    def test_store_data_that_would_mislead(self):
        # An identity made of a volatile property, a question with a parameter it never
        # declared and one that reads the store's tables instead of its views.
        self.edit("store/identity.tsv", lambda text: text.replace("Win32_LogicalDisk\tDeviceID", "Win32_LogicalDisk\tFreeSpace"))
        self.edit("store/questions.txt",
                  lambda text: text.replace("'HotFixID=' || :hotfix || ';'", "'HotFixID=' || :hotfixes || ';'")
                  .replace("FROM services s", "FROM store_checks s"))
        self.assertRefused("FreeSpace identifies objects of Win32_LogicalDisk but is volatile",
                           "unknown parameter :hotfixes", "never the store's tables")


    def test_questions_that_would_show_database_words(self):
        # A question without its columns' headers, a range on a text, a column described
        # twice, and properties to recognise objects by that the class does not have.
        self.edit("store/questions.txt",
                  lambda text: text.replace("column: caption | text | Windows | Windows\n", "")
                  .replace("column: version | text | Version | バージョン\n", "")
                  .replace("column: build | text | Build | ビルド\n", "")
                  .replace("column: service_pack | text | Service pack | サービス パック\n", "")
                  .replace("column: computers | number | Computers | コンピューター数\n", "")
                  .replace("parameter: hotfix | text |", "parameter: hotfix | text 1..5 |")
                  .replace("column: drive | text |", "column: volume | text |"))
        self.edit("store/recognised.tsv", lambda text: text.replace("DisplayName,PathName", "DisplayName,Colour", 1))
        self.assertRefused("no column: each column", "a range is for numbers", "the column volume is described twice",
                           "has no property 'Colour'")

    def test_kept_rows_that_could_not_be_made(self):
        # A KEEP that reads no {latest:...}, and one with a column it does not name.
        self.edit("store/views.sql",
                  lambda text: text.replace("FROM {latest:Win32_Service:Name,DisplayName,StartMode,State,StartName,PathName} o",
                                            "FROM latest_objects o")
                  .replace("{value:Version} AS version, {value:Vendor} AS vendor", "{value:Version}, {value:Vendor} AS vendor"))
        self.assertRefused("a KEEP statement is KEEP <table> AS SELECT ... FROM {latest:...} o",
                           "each column of a KEEP is o.<column> or <value> AS <name>")

    def test_kept_rows_of_one_computer_bind_it_where_each_latest_check_is_read(self):
        code, errors = self.generate()
        self.assertEqual(code, 0, errors)
        views = (self.output / "store" / "view_data.cpp").read_text(encoding="utf-8")
        one = views[views.index('"INSERT INTO store_latest_services'):]
        one = one[one.index('", "') + 4:]
        one = one[:one.index('", ')]
        self.assertEqual(one.count("l.computer_id = ?"), gen_tables.LATEST_COMPUTER_PARAMETERS)
        self.assertEqual(one.count("?"), gen_tables.LATEST_COMPUTER_PARAMETERS)

if __name__ == "__main__":
    unittest.main()
