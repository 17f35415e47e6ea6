#!/usr/bin/env python3
"""Damages a store file as a flipped byte does: every bit of the page-type byte of the first
page of the checks' table flipped, which SQLite's integrity check and every read of that
table find. Run again, it puts the byte back.
Usage: flip_store_page.py <store file>"""
import sqlite3
import sys

path = sys.argv[1]
db = sqlite3.connect(path)
root = db.execute("SELECT rootpage FROM sqlite_master WHERE name = 'store_checks'").fetchone()[0]
size = db.execute("PRAGMA page_size").fetchone()[0]
db.close()
with open(path, "r+b") as store:
    at = (root - 1) * size + (100 if root == 1 else 0)
    store.seek(at)
    byte = store.read(1)[0]
    store.seek(at)
    store.write(bytes([byte ^ 0xFF]))
