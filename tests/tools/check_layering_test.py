#!/usr/bin/env python3
"""The layering check refuses every include that reaches up the order of the folders, one
between siblings, and one that names our folders by a relative path or in angle brackets."""

import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
CHECK = ROOT / "tools" / "check-layering.py"


class LayeringChecks(unittest.TestCase):
    def run_on(self, files, siblings=None):
        """Exit code and output of the check on a tree of `files` {path: included path, or
        a whole #include line}, with the project's lists or the given siblings."""
        with tempfile.TemporaryDirectory() as folder:
            root = Path(folder)
            (root / "tools").mkdir()
            shutil.copy(ROOT / "tools" / "layers.txt", root / "tools" / "layers.txt")
            if siblings is None:
                shutil.copy(ROOT / "tools" / "siblings.txt", root / "tools" / "siblings.txt")
            else:
                (root / "tools" / "siblings.txt").write_text(siblings, encoding="utf-8")
            for path, included in files.items():
                (root / path).parent.mkdir(parents=True, exist_ok=True)
                line = included if included.startswith("#") else f'#include "{included}"'
                (root / path).write_text(line + "\n", encoding="utf-8")
            done = subprocess.run([sys.executable, str(CHECK), str(root)], capture_output=True, text=True)
            return done.returncode, done.stdout

    def test_includes_that_look_down_pass(self):
        code, _ = self.run_on({"engine/a.cpp": "ui/window.h", "shell/b.cpp": "store/c.h",
                               "storetools/c.h": "inventory/d.h", "store/e.h": "db/f.h", "ui/e.h": "ui/f.h"})
        self.assertEqual(code, 0)

    def test_every_upward_include_fails_and_names_its_line(self):
        for path, included in [("ui/window.h", "engine/check_context.h"), ("base/a.cpp", "resources/text.h"),
                               ("render/b.cpp", "engine/query_executor.h"), ("store/c.cpp", "shell/main_view.h"),
                               ("store/e.cpp", "engine/check_context.h"), ("store/f.cpp", "storetools/check_capture.h"),
                               ("shell/d.cpp", "console/mirelrep.h")]:
            code, output = self.run_on({path: included})
            self.assertEqual(code, 1, path)
            self.assertIn(f"{path}:1: {path.split('/')[0]}/ includes {included}", output)

    def test_relative_includes_of_our_folders_fail_even_downward(self):
        for line, shown in [('#include "../shell/main_view.h"', "shell/main_view.h"),
                            ('#include "../base/text.h"', "base/text.h"),
                            ('#include "./recorder.h"', "store/recorder.h"),
                            ('#  include "../../outside.h"', "a path outside the source")]:
            code, output = self.run_on({"store/c.cpp": line, "shell/main_view.h": "base/text.h",
                                        "base/text.h": "#pragma once", "store/recorder.h": "base/text.h"})
            self.assertEqual(code, 1, line)
            self.assertIn(f"store/c.cpp:1: store/ includes", output)
            self.assertIn(f"through a relative path ({shown})", output)

    def test_angle_brackets_are_for_system_headers_only(self):
        code, output = self.run_on({"store/c.cpp": "#include <shell/main_view.h>",
                                    "engine/d.cpp": "#include<base/text.h>"})
        self.assertEqual(code, 1)
        self.assertIn("store/c.cpp:1: store/ includes <shell/main_view.h> in angle brackets", output)
        self.assertIn("engine/d.cpp:1: engine/ includes <base/text.h> in angle brackets", output)
        code, _ = self.run_on({"store/c.cpp": "#include <windows.h>", "base/e.cpp": "#include <gtest/gtest.h>",
                               "resources/mirel.rc": "strings/app.en.rc", "resources/strings/app.en.rc": "#pragma once"})
        self.assertEqual(code, 0)

    def test_siblings_include_each_other_neither_way(self):
        for path, included in [("individual/a.cpp", "standard/category_catalog.h"),
                               ("standard/b.cpp", "individual/class_catalog.h"),
                               ("console/c.cpp", "shell/main_view.h"), ("shell/d.cpp", "console/mirelrep.h")]:
            code, output = self.run_on({path: included})
            self.assertEqual(code, 1, path)
            self.assertIn(f"{path}:1: {path.split('/')[0]}/ includes {included}, but", output)
            self.assertIn("are siblings", output)
        code, _ = self.run_on({"individual/a.cpp": "standard/category_catalog.h"}, siblings="shell console\n")
        self.assertEqual(code, 0)

    def test_a_sibling_rule_naming_no_folder_is_refused(self):
        code, output = self.run_on({"ui/e.h": "ui/f.h"}, siblings="standard individuals\n")
        self.assertEqual(code, 1)
        self.assertIn("'standard individuals' is not two folders", output)

    def test_files_of_subfolders_are_read(self):
        code, output = self.run_on({"resources/strings/x.rc": "shell/main_view.h"})
        self.assertEqual(code, 1)
        self.assertIn("resources/strings/x.rc:1: resources/ includes shell/main_view.h", output)


if __name__ == "__main__":
    unittest.main()
