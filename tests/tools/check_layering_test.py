#!/usr/bin/env python3
"""The layering check refuses every include that reaches up the order of the folders."""

import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
CHECK = ROOT / "tools" / "check-layering.py"


class LayeringChecks(unittest.TestCase):
    def run_on(self, files):
        """Exit code and output of the check on a tree of `files` {path: included path}."""
        with tempfile.TemporaryDirectory() as folder:
            root = Path(folder)
            (root / "tools").mkdir()
            shutil.copy(ROOT / "tools" / "layers.txt", root / "tools" / "layers.txt")
            for path, included in files.items():
                (root / path).parent.mkdir(parents=True, exist_ok=True)
                (root / path).write_text(f'#include "{included}"\n', encoding="utf-8")
            done = subprocess.run([sys.executable, str(CHECK), str(root)], capture_output=True, text=True)
            return done.returncode, done.stdout

    def test_includes_that_look_down_pass(self):
        code, _ = self.run_on({"engine/a.cpp": "ui/window.h", "shell/b.cpp": "store/c.h",
                               "store/c.h": "inventory/d.h", "ui/e.h": "ui/f.h"})
        self.assertEqual(code, 0)

    def test_every_upward_include_fails_and_names_its_line(self):
        for path, included in [("ui/window.h", "engine/check_context.h"), ("base/a.cpp", "resources/text.h"),
                               ("render/b.cpp", "engine/raw_value.h"), ("store/c.cpp", "shell/main_view.h"),
                               ("shell/d.cpp", "console/mirelrep.h")]:
            code, output = self.run_on({path: included})
            self.assertEqual(code, 1, path)
            self.assertIn(f"{path}:1: {path.split('/')[0]}/ includes {included}", output)


if __name__ == "__main__":
    unittest.main()
