#!/usr/bin/env python3
"""Generate Mirel's constant tables from the data files beside the code that uses them.

Data (tab-separated, a header line, '#' comment lines and blank lines allowed):

  individual/classes.tsv          the WMI classes of the catalog: identifier, name, string
                                  IDs of display text and description, properties read
  individual/hierarchy.tsv        the groups, categories and member classes of the
                                  individual check
  standard/categories.tsv         the 28 categories of the standard check
  standard/category_columns.tsv   their columns
  render/tables/*.tsv             code tables, long code lists, fallbacks, flag runs,
                                  special flag values, flag sets of any type, fixed words,
                                  unit texts, property routes and numeric property names
  resources/strings/decoded.tsv   the decoded texts: string ID, English, Japanese
  store/identity.tsv              what identifies an object of each class in the store
  store/volatile.tsv              the properties whose values change by themselves
  store/recognised.tsv            what an administrator recognises an object by
  store/views.sql                 the views of the store, with placeholders for values
  store/questions.txt             the ready-made questions over those views

Output (under the output folder): base/class_ids.h, the C++ sources of the tables, and
the string tables of the decoded texts and the class names in both languages.

Every file is checked before anything is written: the header, the column count of each
row, numbers, duplicate keys, and names that refer to another file (classes, decoders,
string IDs). On any problem the reasons go to stderr, each with its file and line, and
the exit status is 1.

Usage: gen_tables.py [--check] [--source ROOT] [--output DIR]
  ROOT defaults to the repository root (the parent of this script's folder), DIR to
  ROOT/build/generated. --check only validates the data.
"""

import argparse
import re
import sys
from pathlib import Path

IDENTIFIER = re.compile(r"^[A-Za-z_][A-Za-z0-9_]*$")
DECIMAL = re.compile(r"^-?(0|[1-9][0-9]*)$")
HEXADECIMAL = re.compile(r"^0x[0-9A-Fa-f]+$")
INT32_MIN, INT32_MAX = -2**31, 2**31 - 1
MAX_CLASSES_PER_SET = 4            # ClassSet holds four identifiers
CATEGORY_GROUPS = ("Hardware", "OperatingSystem", "Software")
FIRST_CATEGORY_PAGE = 4
LANGUAGES = (("english", "LANG_ENGLISH, SUBLANG_ENGLISH_US"),
             ("japanese", "LANG_JAPANESE, SUBLANG_DEFAULT"))

DATA_FILES = {
    "classes": ("individual/classes.tsv",
                ["class_id", "class_name", "display_string_id", "display_text",
                 "description_string_id", "properties"]),
    "hierarchy": ("individual/hierarchy.tsv", ["kind", "code", "group", "string_id", "member"]),
    "categories": ("standard/categories.tsv",
                   ["store", "label_string_id", "group", "icon_id", "class_name", "query"]),
    "columns": ("standard/category_columns.tsv",
                ["store", "column", "property", "header_string_id", "right", "numeric"]),
    "code_ranges": ("render/tables/code_ranges.tsv", ["decoder", "classes", "first", "last", "first_id"]),
    "pattern_ranges": ("render/tables/pattern_ranges.tsv",
                       ["decoder", "classes", "first", "last", "first_id"]),
    "code_lists": ("render/tables/code_lists.tsv", ["decoder", "code", "string_id"]),
    "code_fallbacks": ("render/tables/code_fallbacks.tsv", ["decoder", "string_id"]),
    "flag_runs": ("render/tables/flag_runs.tsv",
                  ["decoder", "classes", "first_mask", "last_mask", "first_id"]),
    "flag_specials": ("render/tables/flag_specials.tsv", ["decoder", "value", "string_id"]),
    "flag_any_type": ("render/tables/flag_any_type.tsv", ["decoder"]),
    "words": ("render/tables/words.tsv", ["decoder", "word", "string_id"]),
    "units": ("render/tables/units.tsv", ["decoder", "classes", "string_id"]),
    "routes": ("render/tables/routes.tsv", ["property", "decoder"]),
    "numeric": ("render/tables/numeric_properties.tsv", ["property"]),
    "decoded": ("resources/strings/decoded.tsv", ["id", "english", "japanese"]),
    "identity": ("store/identity.tsv", ["class_name", "identity"]),
    "volatile": ("store/volatile.tsv", ["class_name", "property"]),
    "short_labels": ("standard/short_labels.tsv", ["property", "long_id", "short_id"]),
    "recognised": ("store/recognised.tsv", ["class_name", "properties"]),
}


# Data in files of their own form, beside the tab-separated ones.
TEXT_DATA_FILES = ["store/views.sql", "store/questions.txt"]


class Row(dict):
    """One data row: its fields by column name, and where it came from."""

    def __init__(self, where, fields):
        super().__init__(fields)
        self.where = where


class Problems:
    def __init__(self):
        self.messages = []

    def add(self, where, message):
        self.messages.append(f"{where}: {message}")


# ---------------------------------------------------------------- reading and checking

def read_tsv(root, relative, columns, problems):
    path = root / relative
    try:
        lines = path.read_text(encoding="utf-8").splitlines()
    except (OSError, UnicodeDecodeError) as error:
        problems.add(relative, f"cannot read: {error}")
        return []
    rows, header_seen = [], False
    for number, line in enumerate(lines, start=1):
        if not line.strip() or line.startswith("#"):
            continue
        where = f"{relative}:{number}"
        fields = line.split("\t")
        if not header_seen:
            header_seen = True
            if fields != columns:
                problems.add(where, f"the header must be {' | '.join(columns)}")
                return []
            continue
        if len(fields) != len(columns):
            problems.add(where, f"{len(fields)} columns, expected {len(columns)}")
            continue
        rows.append(Row(where, zip(columns, fields)))
    if not header_seen:
        problems.add(relative, "no header line")
    return rows


def number(row, column, problems, low=INT32_MIN, high=INT32_MAX, base=10):
    # The text goes into the C++ source as it stands: decimal without leading zeros (which
    # C++ reads as octal), or hexadecimal with 0x.
    text = row[column]
    if not (DECIMAL if base == 10 else HEXADECIMAL).match(text):
        problems.add(row.where, f"{column} {text!r} is not a {'decimal' if base == 10 else '0x'} number")
        return None
    value = int(text, base)
    if not low <= value <= high:
        problems.add(row.where, f"{column} {value} is outside {low}..{high}")
        return None
    return value


def string_id(row, column, problems):
    return number(row, column, problems, 1, 65535)


def identifier(row, column, problems):
    if not IDENTIFIER.match(row[column]):
        problems.add(row.where, f"{column} {row[column]!r} is not a name")
        return False
    return True


def unique(rows, key, what, problems):
    """Reports every row whose key an earlier row already has."""
    seen = {}
    for row in rows:
        value = key(row)
        if value is None:
            continue
        if value in seen:
            problems.add(row.where, f"duplicate {what} {value} (first at {seen[value]})")
        else:
            seen[value] = row.where


def check_classes(rows, problems):
    unique(rows, lambda r: r["class_id"], "class identifier", problems)
    unique(rows, lambda r: r["class_name"].lower(), "class name", problems)
    unique(rows, lambda r: r["display_string_id"], "display string ID", problems)
    unique(rows, lambda r: r["description_string_id"], "description string ID", problems)
    ids = []
    for row in rows:
        ids.append(number(row, "class_id", problems, 1, 65535))
        identifier(row, "class_name", problems)
        string_id(row, "display_string_id", problems)
        string_id(row, "description_string_id", problems)
        names = row["properties"].split(",") if row["properties"] else []
        row["property_list"] = names
        for name in names:
            if name.startswith("__") or not IDENTIFIER.match(name):
                problems.add(row.where, f"property {name!r} is not a property name")
        lowered = [name.lower() for name in names]
        if len(set(lowered)) != len(lowered):
            problems.add(row.where, "a property is listed twice")
        if lowered != sorted(lowered):
            problems.add(row.where, "properties are not in case-insensitive alphabetical order")
    if ids and None not in ids and ids != list(range(ids[0], ids[0] + len(ids))):
        problems.add(rows[0].where, "class identifiers must rise by one from the first row")


def class_set(row, names, problems):
    """The class names of a 'classes' field ('*': none), checked against the catalog."""
    text = row["classes"]
    if text == "*":
        return []
    members = text.split(",")
    for name in members:
        if name not in names:
            problems.add(row.where, f"unknown class {name}")
    if len(members) > MAX_CLASSES_PER_SET:
        problems.add(row.where, f"more than {MAX_CLASSES_PER_SET} classes in one set")
    if len(set(members)) != len(members):
        problems.add(row.where, "a class is listed twice")
    return members


def check_together(rows, what, problems):
    """The rows of each decoder must stand together."""
    finished, current = set(), None
    for row in rows:
        if row["decoder"] == current:
            continue
        if row["decoder"] in finished:
            problems.add(row.where, f"the rows of {what} {row['decoder']} are split")
        finished.add(row["decoder"])
        current = row["decoder"]


def check_ranges(rows, names, problems):
    check_together(rows, "decoder", problems)
    covered = {}
    for row in rows:
        identifier(row, "decoder", problems)
        row["class_list"] = class_set(row, names, problems)
        first, last = number(row, "first", problems), number(row, "last", problems)
        row["first_id_value"] = string_id(row, "first_id", problems)
        if first is None or last is None:
            continue
        if first > last:
            problems.add(row.where, "first is above last")
            continue
        if row["first_id_value"] is not None and row["first_id_value"] + last - first > 65535:
            problems.add(row.where, "the string IDs run past 65535")
        key = (row["decoder"], tuple(row["class_list"]))
        for other_first, other_last, where in covered.get(key, []):
            if first <= other_last and other_first <= last:
                problems.add(row.where, f"codes {first}..{last} overlap the row at {where}")
        covered.setdefault(key, []).append((first, last, row.where))
        row["range"] = (first, last)


def check_code_lists(rows, problems):
    check_together(rows, "decoder", problems)
    unique(rows, lambda r: (r["decoder"], r["code"]), "code", problems)
    unique(rows, lambda r: r["string_id"], "string ID", problems)
    previous = {}
    for row in rows:
        identifier(row, "decoder", problems)
        code = number(row, "code", problems)
        string_id(row, "string_id", problems)
        if code is not None and row["decoder"] in previous and code <= previous[row["decoder"]]:
            problems.add(row.where, "codes must rise within a decoder")
        if code is not None:
            previous[row["decoder"]] = code


def single_bit(row, column, problems):
    mask = number(row, column, problems, 1, 2**32 - 1, base=16)
    if mask is not None and mask & (mask - 1):
        problems.add(row.where, f"{column} {row[column]} is not a single bit")
        return None
    return mask


def check_flag_runs(rows, names, problems):
    check_together(rows, "decoder", problems)
    for row in rows:
        identifier(row, "decoder", problems)
        row["class_list"] = class_set(row, names, problems)
        first, last = single_bit(row, "first_mask", problems), single_bit(row, "last_mask", problems)
        string_id(row, "first_id", problems)
        if first is not None and last is not None and first > last:
            problems.add(row.where, "first_mask is above last_mask")


def check_decoder_keyed(rows, problems):
    """Tables with at most one row per decoder."""
    unique(rows, lambda r: r["decoder"], "decoder", problems)
    for row in rows:
        identifier(row, "decoder", problems)


def check_routes(routes, numeric, problems):
    unique(routes, lambda r: r["property"].lower(), "property", problems)
    unique(numeric, lambda r: r["property"].lower(), "property", problems)
    for row in routes:
        identifier(row, "property", problems)
        identifier(row, "decoder", problems)
    firsts = {}
    for row in routes:
        firsts.setdefault(row["decoder"], row)
    for decoder, row in firsts.items():
        if row["property"] != decoder:
            problems.add(row.where, f"decoder {decoder} must be named by its first property")
    previous = None
    for row in numeric:
        identifier(row, "property", problems)
        if previous is not None and row["property"].lower() <= previous:
            problems.add(row.where, "numeric property names must be in alphabetical order")
        previous = row["property"].lower()
    routed = {row["property"].lower() for row in routes}
    for row in numeric:
        if row["property"].lower() in routed:
            problems.add(row.where, f"{row['property']} has a decoder and cannot be numeric too")


def check_decoded(rows, problems):
    unique(rows, lambda r: r["id"], "string ID", problems)
    for row in rows:
        string_id(row, "id", problems)
        for language, _ in LANGUAGES:
            if not row[language].strip():
                problems.add(row.where, f"string {row['id']} has no {language} text")


def check_hierarchy(rows, names, problems):
    groups = [r for r in rows if r["kind"] == "group"]
    categories = [r for r in rows if r["kind"] == "category"]
    members = [r for r in rows if r["kind"] == "member"]
    unused = {"group": ("group", "member"), "category": ("member",), "member": ("group", "string_id")}
    for row in rows:
        if row["kind"] not in unused:
            problems.add(row.where, f"kind must be group, category or member, not {row['kind']!r}")
            continue
        number(row, "code", problems, 1, 65535)
        for column in unused[row["kind"]]:
            if row[column]:
                problems.add(row.where, f"a {row['kind']} row leaves {column} empty")
    unique(groups, lambda r: r["code"], "group", problems)
    unique(categories, lambda r: r["code"], "category", problems)
    unique(members, lambda r: (r["code"], r["member"]), "member", problems)
    group_codes = {r["code"] for r in groups}
    category_codes = {r["code"] for r in categories}
    for row in groups:
        string_id(row, "string_id", problems)
    for row in categories:
        string_id(row, "string_id", problems)
        if row["group"] not in group_codes:
            problems.add(row.where, f"unknown group {row['group']}")
    prefixes = {}
    for row in members:
        if row["code"] not in category_codes:
            problems.add(row.where, f"unknown category {row['code']}")
        member = row["member"]
        if member.endswith("*"):
            if row["code"] in prefixes:
                problems.add(row.where, "a category has one name prefix at most")
            prefixes[row["code"]] = member[:-1]
            if not any(name.startswith(member[:-1]) for name in names):
                problems.add(row.where, f"no class begins with {member[:-1]}")
        elif member not in names:
            problems.add(row.where, f"unknown class {member}")
    return groups, categories, members


def select_list(query, class_name):
    """The property names of 'Select a,b from C' (['*'] for 'Select *'), or None."""
    match = re.fullmatch(r"Select (.+) from (\w+)", query)
    if not match or match.group(2) != class_name:
        return None
    return match.group(1).split(",")


def check_categories(categories, columns, names, problems):
    unique(categories, lambda r: r["store"], "store", problems)
    unique(columns, lambda r: (r["store"], r["column"]), "column", problems)
    stores = [number(row, "store", problems, 0, 65535) for row in categories]
    if None not in stores and stores != list(range(len(stores))):
        problems.add(categories[0].where if categories else DATA_FILES["categories"][0],
                     "stores must run 0, 1, 2, ... in order")
    by_store = {row["store"]: [] for row in categories}
    for row in columns:
        if row["store"] not in by_store:
            problems.add(row.where, f"unknown store {row['store']}")
            continue
        by_store[row["store"]].append(row)
        identifier(row, "property", problems)
        string_id(row, "header_string_id", problems)
        for flag in ("right", "numeric"):
            if row[flag] not in ("0", "1"):
                problems.add(row.where, f"{flag} must be 0 or 1")
    for row in categories:
        string_id(row, "label_string_id", problems)
        string_id(row, "icon_id", problems)
        if row["group"] not in CATEGORY_GROUPS:
            problems.add(row.where, f"group must be one of {', '.join(CATEGORY_GROUPS)}")
        if row["class_name"] not in names:
            problems.add(row.where, f"unknown class {row['class_name']}")
        own = by_store[row["store"]]
        row["column_rows"] = own
        if [c["column"] for c in own] != [str(i) for i in range(len(own))]:
            problems.add(row.where, "its columns must run 0, 1, 2, ... in order")
        selected = select_list(row["query"], row["class_name"])
        if selected is None:
            problems.add(row.where, "the query must read 'Select ... from <its class>'")
        elif selected != ["*"] and selected != [c["property"] for c in own]:
            problems.add(row.where, "the query must select the properties of its columns, in order")


def check_string_ids_exist(data, problems):
    """Every text a decoder table names is a decoded text (units live with the program's
    other texts)."""
    known = {row["id"] for row in data["decoded"]}

    def need(row, column, count=1):
        if not row[column].isdigit():
            return
        for offset in range(count):
            sid = str(int(row[column]) + offset)
            if sid not in known:
                problems.add(row.where, f"string {sid} is not in {DATA_FILES['decoded'][0]}")
                return

    for name in ("code_ranges", "pattern_ranges"):
        for row in data[name]:
            if "range" in row:
                need(row, "first_id", row["range"][1] - row["range"][0] + 1)
    for row in data["flag_runs"]:
        try:
            count = (int(row["last_mask"], 16).bit_length() - int(row["first_mask"], 16).bit_length()) + 1
        except ValueError:
            continue
        need(row, "first_id", max(count, 1))
    for name, column in (("code_lists", "string_id"), ("code_fallbacks", "string_id"),
                         ("flag_specials", "string_id"), ("words", "string_id"), ("short_labels", "long_id")):
        for row in data[name]:
            need(row, column)


def check_decoders_routed(data, problems):
    routed = {row["decoder"] for row in data["routes"]}
    for name in ("code_ranges", "pattern_ranges", "code_lists", "code_fallbacks", "flag_runs",
                 "flag_specials", "flag_any_type", "words", "units"):
        for row in data[name]:
            if row["decoder"] not in routed:
                problems.add(row.where, f"no property routes to decoder {row['decoder']}")


def identity_alternatives(text):
    """The alternatives of an identity ('a,b|c'): lists of properties, or '-' or '*'."""
    return [alternative if alternative in ("-", "*") else alternative.split(",")
            for alternative in text.split("|")]


def check_store_tables(data, problems):
    properties = {row["class_name"]: set(row["property_list"]) for row in data["classes"]
                  if "property_list" in row}
    unique(data["volatile"], lambda r: (r["class_name"], r["property"]), "volatile property", problems)
    volatile = {}
    for row in data["volatile"]:
        known = properties.get(row["class_name"])
        if known is None:
            problems.add(row.where, f"unknown class {row['class_name']}")
        elif row["property"] != "*" and row["property"] not in known:
            problems.add(row.where, f"{row['class_name']} has no property {row['property']}")
        volatile.setdefault(row["class_name"], set()).add(row["property"])
    unique(data["identity"], lambda r: r["class_name"], "class", problems)
    identity = {}
    for row in data["identity"]:
        known = properties.get(row["class_name"])
        if known is None:
            problems.add(row.where, f"unknown class {row['class_name']}")
            continue
        identity[row["class_name"]] = identity_alternatives(row["identity"])
        for alternative in identity[row["class_name"]]:
            if alternative in ("-", "*"):
                continue
            for name in alternative:
                if name not in known:
                    problems.add(row.where, f"{row['class_name']} has no property {name!r}")
                elif name in volatile.get(row["class_name"], ()):
                    problems.add(row.where, f"{name} identifies objects of {row['class_name']} but is volatile")
    for row in data["classes"]:
        if row["class_name"] not in identity:
            problems.add(DATA_FILES["identity"][0], f"no identity for {row['class_name']}")
    unique(data["recognised"], lambda r: r["class_name"], "class", problems)
    for row in data["recognised"]:
        known = properties.get(row["class_name"])
        if known is None:
            problems.add(row.where, f"unknown class {row['class_name']}")
            continue
        for name in row["properties"].split(","):
            if name not in known:
                problems.add(row.where, f"{row['class_name']} has no property {name!r}")
    for row in data["categories"]:
        columns = {column["property"] for column in row.get("column_rows", [])}
        alternatives = identity.get(row["class_name"], [])
        if alternatives and not any(a in ("-", "*") or set(a) <= columns for a in alternatives):
            problems.add(row.where, f"the identity of {row['class_name']} needs properties the category does not read")


def load(root):
    problems = Problems()
    data = {key: read_tsv(root, path, columns, problems) for key, (path, columns) in DATA_FILES.items()}
    check_classes(data["classes"], problems)
    names = {row["class_name"] for row in data["classes"]}
    check_ranges(data["code_ranges"], names, problems)
    check_ranges(data["pattern_ranges"], names, problems)
    check_code_lists(data["code_lists"], problems)
    check_decoder_keyed(data["code_fallbacks"], problems)
    check_flag_runs(data["flag_runs"], names, problems)
    check_decoder_keyed(data["flag_specials"], problems)
    check_decoder_keyed(data["flag_any_type"], problems)
    for row in data["flag_specials"]:
        number(row, "value", problems)
    for row in data["units"]:
        identifier(row, "decoder", problems)
        row["class_list"] = class_set(row, names, problems)
    unique(data["words"], lambda r: (r["decoder"], r["word"].lower()), "word", problems)
    check_routes(data["routes"], data["numeric"], problems)
    check_decoded(data["decoded"], problems)
    data["hierarchy_parts"] = check_hierarchy(data["hierarchy"], names, problems)
    check_categories(data["categories"], data["columns"], names, problems)
    check_store_tables(data, problems)
    data["views"], data["kept_tables"] = read_views(root, problems)
    data["questions"] = read_questions(root, problems)
    data["question_strings"] = question_strings(data["questions"], problems)
    check_string_ids_exist(data, problems)
    check_decoders_routed(data, problems)
    for row in data["code_fallbacks"] + data["flag_specials"] + data["words"] + data["units"]:
        string_id(row, "string_id", problems)
    for row in data["short_labels"]:
        identifier(row, "property", problems)
        string_id(row, "short_id", problems)
    unique(data["short_labels"], lambda r: (r["property"], r["long_id"]), "short label", problems)
    return data, problems.messages


# ---------------------------------------------------------------- writing

def banner(*sources):
    return f"// Generated by tools/gen_tables.py from {', '.join(sources)}. Do not edit."


def cpp_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def int_literal(value):
    # -2147483648 is no literal of type int: write it as an expression.
    return "(-2147483647 - 1)" if value == INT32_MIN else str(value)


def class_set_literal(class_names):
    return "{" + ", ".join(class_names) + "}"


def array(declaration, items, wrap=False):
    """A braced array definition, or nothing for no items (C++ has no empty arrays).
    Records stand one to a line; short items (`wrap`) fill lines of up to 100 columns."""
    if not items:
        return []
    if not wrap:
        return [f"{declaration}[] = {{"] + [f"    {item}," for item in items] + ["};"]
    lines, line = [], "   "
    for item in items:
        if len(line) + len(item) + 2 > 100:
            lines.append(line)
            line = "   "
        line += f" {item},"
    return [f"{declaration}[] = {{"] + lines + [line, "};"]


def accessor(signature, array_name, items):
    return ["", f"{signature}", "{", f"    return {array_name if items else '{}'};", "}"]


def render_class_ids(data):
    ids = [int(row["class_id"]) for row in data["classes"]]
    out = [banner(DATA_FILES["classes"][0]),
           "// Class identifiers of the WMI class catalog, by WMI class name.",
           "#pragma once",
           "",
           f"inline constexpr int kFirstClassId = {min(ids)};",
           f"inline constexpr int kLastClassId = {max(ids)};",
           f"inline constexpr int kClassCount = {len(ids)};",
           "",
           "namespace ClassId {"]
    out += [f"inline constexpr int {row['class_name']} = {row['class_id']};" for row in data["classes"]]
    out.append("}  // namespace ClassId")
    return out


def render_class_catalog(data):
    out = [banner(DATA_FILES["classes"][0]), '#include "individual/class_catalog_data.h"', "",
           "namespace {"]
    for row in data["classes"]:
        items = "".join(f'L"{name}", ' for name in row["property_list"])
        out.append(f"const wchar_t* const kProperties{row['class_id']}[] = {{{items}nullptr}};")
    out += ["}  // namespace", "", "const ClassCatalogEntry kClassCatalog[kClassCount] = {"]
    for row in data["classes"]:
        out.append(f"    {{{row['class_id']}, {row['display_string_id']}, {row['description_string_id']}, "
                   f"{cpp_string(row['class_name'])}, kProperties{row['class_id']}, "
                   f"{len(row['property_list'])}}},")
    out.append("};")
    return out


def render_hierarchy(data):
    groups, categories, members = data["hierarchy_parts"]
    out = [banner(DATA_FILES["hierarchy"][0]), '#include "individual/class_hierarchy_data.h"', "",
           '#include "base/class_ids.h"', "", "namespace {", "", "using namespace ClassId;", ""]
    records = []
    for category in categories:
        code = category["code"]
        own = [m["member"] for m in members if m["code"] == code and not m["member"].endswith("*")]
        prefix = [m["member"][:-1] for m in members if m["code"] == code and m["member"].endswith("*")]
        out += array(f"const int kMembers{code}", own, wrap=True)
        member_list = f"{{kMembers{code}, {len(own)}}}" if own else "{nullptr, 0}"
        tail = f", {cpp_string(prefix[0])}" if prefix else ""
        records.append(f"{{{code}, {category['group']}, {category['string_id']}, {member_list}{tail}}}")
    out += array("const ClassGroup kGroups", [f"{{{g['code']}, {g['string_id']}}}" for g in groups])
    out += array("const ClassCategory kCategories", records)
    out += ["", "}  // namespace"]
    out += accessor("std::span<const ClassGroup> ClassGroups()", "kGroups", groups)
    out += accessor("std::span<const ClassCategory> ClassCategories()", "kCategories", records)
    return out


def render_categories(data):
    out = [banner(DATA_FILES["categories"][0], DATA_FILES["columns"][0]),
           '#include "standard/category_catalog.h"', "", '#include "base/class_ids.h"', "", "namespace {"]
    records = []
    for row in data["categories"]:
        store, columns = row["store"], row["column_rows"]
        properties = "".join(f'L"{c["property"]}", ' for c in columns)
        out.append(f"const wchar_t* const kProperties{store}[] = {{{properties}nullptr}};")
        out += array(f"const CategoryColumn kColumns{store}",
                     [f"{{{c['header_string_id']}, {'true' if c['right'] == '1' else 'false'}}}"
                      for c in columns])
        numeric = [c["column"] for c in columns if c["numeric"] == "1"]
        out += array(f"const int kNumericColumns{store}", numeric, wrap=True)
        numeric_part = f"kNumericColumns{store}, {len(numeric)}" if numeric else "nullptr, 0"
        columns_part = f"kColumns{store}, {len(columns)}" if columns else "nullptr, 0"
        records.append(f"{{{store}, {int(store) + FIRST_CATEGORY_PAGE}, {row['label_string_id']}, "
                       f"CategoryGroup::{row['group']}, {row['icon_id']}, {cpp_string(row['class_name'])}, "
                       f"ClassId::{row['class_name']}, {cpp_string(row['query'])}, kProperties{store}, "
                       f"{columns_part}, {numeric_part}}}")
    out += ["}  // namespace", "",
            f"static_assert(kCategoryCount == {len(records)}, "
            f'"{DATA_FILES["categories"][0]} holds kCategoryCount categories");',
            "const StandardCategory kStandardCategories[kCategoryCount] = {"]
    out += [f"    {record}," for record in records]
    return out + ["};"]


def range_records(rows):
    return [f"{{{cpp_string(r['decoder'])}, {class_set_literal(r['class_list'])}, "
            f"{int_literal(int(r['first']))}, {int_literal(int(r['last']))}, {r['first_id']}}}" for r in rows]


def render_code_tables(data):
    out = [banner(DATA_FILES["code_ranges"][0], DATA_FILES["code_lists"][0], DATA_FILES["code_fallbacks"][0]),
           '#include "render/code_tables.h"', "", '#include "base/class_ids.h"', "", "namespace {", "",
           "using namespace ClassId;", ""]
    ranges = range_records(data["code_ranges"])
    out += array("constexpr CodeRange kCodeRanges", ranges)
    # A long table is cut into parts where its string IDs stop rising by one.
    parts = []
    for row in data["code_lists"]:
        code, sid = int(row["code"]), int(row["string_id"])
        last = parts[-1] if parts else None
        if last and last["decoder"] == row["decoder"] and last["first_id"] + len(last["codes"]) == sid:
            last["codes"].append(code)
        else:
            parts.append({"decoder": row["decoder"], "first_id": sid, "codes": [code]})
    for index, part in enumerate(parts):
        out.append("")
        out += array(f"constexpr int kCodes{index}", [str(code) for code in part["codes"]], wrap=True)
    out.append("")
    lists = [f"{{{cpp_string(p['decoder'])}, kCodes{i}, {p['first_id']}}}" for i, p in enumerate(parts)]
    out += array("constexpr CodeList kCodeLists", lists)
    fallbacks = [f"{{{cpp_string(r['decoder'])}, {r['string_id']}}}" for r in data["code_fallbacks"]]
    out += array("constexpr CodeFallback kCodeFallbacks", fallbacks)
    out += ["", "}  // namespace"]
    out += accessor("std::span<const CodeRange> CodeRanges()", "kCodeRanges", ranges)
    out += accessor("std::span<const CodeList> CodeLists()", "kCodeLists", lists)
    out += accessor("std::span<const CodeFallback> CodeFallbacks()", "kCodeFallbacks", fallbacks)
    return out


def render_flag_tables(data):
    out = [banner(DATA_FILES["flag_runs"][0], DATA_FILES["flag_specials"][0], DATA_FILES["flag_any_type"][0]),
           '#include "render/flag_tables.h"', "", '#include "base/class_ids.h"', "", "namespace {", "",
           "using namespace ClassId;", ""]
    runs = [f"{{{cpp_string(r['decoder'])}, {class_set_literal(r['class_list'])}, "
            f"{r['first_mask']}, {r['last_mask']}, {r['first_id']}}}" for r in data["flag_runs"]]
    specials = [f"{{{cpp_string(r['decoder'])}, {r['value']}, {r['string_id']}}}" for r in data["flag_specials"]]
    any_type = [cpp_string(r["decoder"]) for r in data["flag_any_type"]]
    out += array("constexpr FlagRun kFlagRuns", runs)
    out += array("constexpr FlagSpecialValue kFlagSpecialValues", specials)
    out += array("constexpr const char* kAnyTypeFlagSets", any_type, wrap=True)
    out += ["", "}  // namespace"]
    out += accessor("std::span<const FlagRun> FlagRuns()", "kFlagRuns", runs)
    out += accessor("std::span<const FlagSpecialValue> FlagSpecialValues()", "kFlagSpecialValues", specials)
    out += accessor("std::span<const char* const> AnyTypeFlagSets()", "kAnyTypeFlagSets", any_type)
    return out


def render_pattern_tables(data):
    out = [banner(DATA_FILES["pattern_ranges"][0], DATA_FILES["words"][0], DATA_FILES["units"][0]),
           '#include "render/pattern_tables.h"', "", '#include "base/class_ids.h"', "", "namespace {", "",
           "using namespace ClassId;", ""]
    ranges = range_records(data["pattern_ranges"])
    words = [f"{{{cpp_string(r['decoder'])}, {cpp_string(r['word'])}, {r['string_id']}}}" for r in data["words"]]
    units = [f"{{{cpp_string(r['decoder'])}, {class_set_literal(r['class_list'])}, {r['string_id']}}}"
             for r in data["units"]]
    out += array("constexpr CodeRange kPatternCodeRanges", ranges)
    out += array("constexpr WordText kWordTexts", words)
    out += array("constexpr UnitSuffix kUnitSuffixes", units)
    out += ["", "}  // namespace"]
    out += accessor("std::span<const CodeRange> PatternCodeRanges()", "kPatternCodeRanges", ranges)
    out += accessor("std::span<const WordText> WordTexts()", "kWordTexts", words)
    out += accessor("std::span<const UnitSuffix> UnitSuffixes()", "kUnitSuffixes", units)
    return out


def render_routes(data):
    out = [banner(DATA_FILES["routes"][0], DATA_FILES["numeric"][0]), '#include "render/property_routes.h"',
           "", "namespace {", ""]
    routes = [f"{{{cpp_string(r['property'])}, {cpp_string(r['decoder'])}}}" for r in data["routes"]]
    numeric = [cpp_string(r["property"]) for r in data["numeric"]]
    out += array("constexpr PropertyRoute kPropertyRoutes", routes)
    out += array("constexpr const char* kNumericPropertyNames", numeric, wrap=True)
    out += ["", "}  // namespace"]
    out += accessor("std::span<const PropertyRoute> PropertyRoutes()", "kPropertyRoutes", routes)
    out += accessor("std::span<const char* const> NumericPropertyNames()", "kNumericPropertyNames", numeric)
    return out


VIEW_PLACEHOLDER = re.compile(r"\{(value|shown|number|flag):([A-Za-z_][A-Za-z0-9_]*)(?:@([a-z]+))?\}")
VIEW_COLUMNS = {
    "value": "c.raw",
    "shown": "c.shown",
    "number": "CASE WHEN c.raw_kind IN (2, 3) THEN CAST(c.raw AS {big}) END",
    "flag": "CASE WHEN c.raw_kind = 1 THEN CAST(c.raw AS INTEGER) END",
}


VIEW_LATEST = re.compile(r"\{latest:([A-Za-z0-9_]+):([A-Za-z0-9_,]+)\}")


def latest_objects_of(match, one_computer=False):
    """{latest:Class:P1,P2...}: the objects of that class in the latest checks, with the
    raw value, shown text and raw kind of each property named (raw_P, shown_P, kind_P), read
    from the object versions and from the groups of volatile values. Each object version's
    cells and each group's are read once, however many computers share them, instead of
    once per computer and property. `one_computer`: only the latest check of the computer
    whose id each of the LATEST_COMPUTER_PARAMETERS "?" binds."""
    cls, props = match.group(1), match.group(2).split(",")
    parts = ("latest_checks l JOIN store_checks k ON k.id = l.check_id"
             " JOIN store_part_list_members p ON p.list_id = k.part_list_id"
             " JOIN store_columns q ON q.id = p.columns_id")
    of_class = f" WHERE q.class_name = '{cls}'" + (" AND l.computer_id = ?" if one_computer else "")
    objects = (f"{parts} JOIN store_set_members m ON m.set_id = p.set_id"
               " LEFT JOIN store_check_volatile cv ON cv.check_id = l.check_id AND cv.ordinal = p.ordinal"
               f" LEFT JOIN store_volatile_members vm ON vm.set_id = cv.set_id AND vm.member = m.position{of_class}")
    # The object versions and groups to read, found through the distinct sets first: many
    # computers share a set.
    versions = (f"(SELECT DISTINCT m.object_id, ps.columns_id FROM (SELECT DISTINCT p.set_id, p.columns_id FROM {parts}"
                f"{of_class}) ps JOIN store_set_members m ON m.set_id = ps.set_id) d")
    groups = (f"(SELECT DISTINCT vm.group_id, vs.columns_id FROM (SELECT DISTINCT cv.set_id, p.columns_id FROM {parts}"
              f" JOIN store_check_volatile cv ON cv.check_id = l.check_id AND cv.ordinal = p.ordinal{of_class}) vs"
              " JOIN store_volatile_members vm ON vm.set_id = vs.set_id) g")

    def pivot():
        return ", ".join(f"max(CASE WHEN n.property = '{prop}' THEN c.{column} END) AS {name}_{prop}"
                         for prop in props
                         for column, name in (("raw", "raw"), ("shown", "shown"), ("raw_kind", "kind")))

    values = ", ".join(f"COALESCE(s.{name}_{prop}, v.{name}_{prop}) AS {name}_{prop}"
                       for prop in props for name in ("raw", "shown", "kind"))
    return ("(SELECT x.computer_id, x.check_id, x.checked_at, x.checked_epoch, x.ordinal, x.member, x.object_id,"
            f" x.columns_id, {values} FROM (SELECT l.computer_id, l.check_id, l.checked_at, l.checked_epoch,"
            f" p.ordinal, p.columns_id, m.position AS member, m.object_id, vm.group_id FROM {objects}) x"
            f" LEFT JOIN (SELECT d.object_id, {pivot()} FROM {versions} CROSS JOIN store_cells c"
            " CROSS JOIN store_column_names n WHERE c.object_id = d.object_id"
            " AND n.columns_id = d.columns_id AND n.position = c.position"
            " GROUP BY d.object_id) s ON s.object_id = x.object_id"
            f" LEFT JOIN (SELECT g.group_id, g.columns_id, {pivot()} FROM {groups} CROSS JOIN store_volatile_cells c"
            " CROSS JOIN store_column_names n"
            " WHERE c.group_id = g.group_id AND n.columns_id = g.columns_id AND n.position = c.position"
            " GROUP BY g.group_id, g.columns_id) v ON v.group_id = x.group_id AND v.columns_id = x.columns_id)")


def expand_view_value(match, pivoted=()):
    """A property's value of the row an alias names: its cell of the object version, or
    else its volatile cell of the check. `pivoted`: the properties whose cells the alias's
    row already carries (a {latest:...} source)."""
    kind, prop, alias = match.group(1), match.group(2), match.group(3) or "o"
    column = VIEW_COLUMNS[kind]
    names = f"JOIN store_column_names n ON n.columns_id = {alias}.columns_id AND n.position = c.position"
    stable = (f"(SELECT {column} FROM store_cells c {names}"
              f" WHERE c.object_id = {alias}.object_id AND n.property = '{prop}')")
    if prop in pivoted and alias == "o":
        return (column.replace("c.raw_kind", f"o.kind_{prop}").replace("c.raw", f"o.raw_{prop}")
                .replace("c.shown", f"o.shown_{prop}"))
    volatile = (f"(SELECT {column} FROM store_check_volatile cv JOIN store_volatile_members vm"
                f" ON vm.set_id = cv.set_id AND vm.member = {alias}.member"
                f" JOIN store_volatile_cells c ON c.group_id = vm.group_id {names}"
                f" WHERE cv.check_id = {alias}.check_id AND cv.ordinal = {alias}.ordinal AND n.property = '{prop}')")
    return f"COALESCE({stable}, {volatile})"


# The "?" of a {latest:...} made for one computer: one in each of its three readings of the
# latest checks (the objects, their versions and their groups of volatile values).
LATEST_COMPUTER_PARAMETERS = 3
KEPT_TABLE = re.compile(r"KEEP ([a-z_]+) AS (SELECT (.*?) FROM \{latest:.*)$")


def expand_view(text, one_computer=False):
    latest = VIEW_LATEST.search(text)
    pivoted = set(latest.group(2).split(",")) if latest else set()
    expanded = VIEW_PLACEHOLDER.sub(lambda match: expand_view_value(match, pivoted), text)
    return VIEW_LATEST.sub(lambda match: latest_objects_of(match, one_computer), expanded)


def kept_table(text, where, problems):
    """A KEEP statement: the table, and the statements that fill it for every computer and
    for one."""
    match = KEPT_TABLE.match(text)
    if not match or len(VIEW_LATEST.findall(text)) != 1:
        problems.add(where, "a KEEP statement is KEEP <table> AS SELECT ... FROM {latest:...} o")
        return None
    table, select, columns = match.group(1), match.group(2), match.group(3).split(", ")
    names = [re.sub(r".* AS ", "", column) if " AS " in column else column.split(".")[-1] for column in columns]
    if any(not re.fullmatch(r"[a-z_]+", name) for name in names):
        problems.add(where, "each column of a KEEP is o.<column> or <value> AS <name>")
        return None
    insert = f"INSERT INTO {table} ({', '.join(names)}) "
    return {"table": table, "all": insert + expand_view(select), "one": insert + expand_view(select, one_computer=True)}


def read_views(root, problems):
    """The statements of store/views.sql with their placeholders expanded, and its KEEP
    statements."""
    relative = TEXT_DATA_FILES[0]
    try:
        lines = (root / relative).read_text(encoding="utf-8").splitlines()
    except (OSError, UnicodeDecodeError) as error:
        problems.add(relative, f"cannot read: {error}")
        return []
    statements, kept, current = [], [], []
    for number, line in enumerate(lines, start=1):
        if not line.strip() or line.lstrip().startswith("--"):
            continue
        current.append(line.strip())
        if line.rstrip().endswith(";"):
            text = " ".join(current)[:-1]
            current = []
            where = f"{relative}:{number}"
            if text.startswith("KEEP "):
                table = kept_table(text, where, problems)
                if table:
                    kept.append(table)
                expanded = table["one"] if table else ""
            else:
                if not re.match(r"CREATE VIEW [a-z_]+ AS SELECT ", text):
                    problems.add(where, "each statement must be CREATE VIEW <name> AS SELECT ... or KEEP")
                expanded = expand_view(text)
                statements.append(expanded)
            if re.search(r"\{(?!big\}|real\})", expanded):
                problems.add(where, "an unknown placeholder")
    if current:
        problems.add(relative, "the last statement does not end with ';'")
    return statements, kept


QUESTION_TYPES = {"text": "QuestionType::Text", "integer": "QuestionType::Integer", "number": "QuestionType::Number"}
QUESTION_KIND = re.compile(r"(text|integer|number)(?: (-?[0-9]+(?:\.[0-9]+)?)\.\.(-?[0-9]+(?:\.[0-9]+)?))?")
# How a column's values are shown (store/question_data.h, ColumnFormat).
QUESTION_FORMATS = {"text": "ColumnFormat::Text", "number": "ColumnFormat::Number", "size": "ColumnFormat::Size",
                    "percent": "ColumnFormat::Percent", "date": "ColumnFormat::Date",
                    "result": "ColumnFormat::Result", "change": "ColumnFormat::Change"}
FIRST_QUESTION_STRING, LAST_QUESTION_STRING = 7500, 7699
QUESTION_PARAMETER = re.compile(r":([a-z][a-z0-9_]*)")


def question_sql(sql, parameters, where, problems):
    """The SQL with "?" for each ":name" outside quotes, and the parameters they bind in
    order (-1 for :now)."""
    out, order, quoted, i = [], [], False, 0
    while i < len(sql):
        character = sql[i]
        if character == "'":
            quoted = not quoted
        match = None if quoted else QUESTION_PARAMETER.match(sql, i)
        if match and (i == 0 or sql[i - 1] != ":"):
            name = match.group(1)
            if name == "now":
                order.append(-1)
            elif name in parameters:
                order.append(parameters.index(name))
            else:
                problems.add(where, f"the SQL names an unknown parameter :{name}")
            out.append("?")
            i = match.end()
            continue
        out.append(character)
        i += 1
    for index, name in enumerate(parameters):
        if index not in order:
            problems.add(where, f"the SQL does not use the parameter :{name}")
    return " ".join("".join(out).split()), order


def read_questions(root, problems):
    relative = TEXT_DATA_FILES[1]
    try:
        lines = (root / relative).read_text(encoding="utf-8").splitlines()
    except (OSError, UnicodeDecodeError) as error:
        problems.add(relative, f"cannot read: {error}")
        return []
    questions, current = [], None
    for number, line in enumerate(lines, start=1):
        where = f"{relative}:{number}"
        if current is not None and current["sql"] is not None:
            if line.startswith("["):
                current = None
            else:
                current["sql"].append(line)
                continue
        if not line.strip() or line.startswith("#"):
            continue
        if line.startswith("[") and line.endswith("]"):
            current = Row(where, {"name": line[1:-1], "where": where, "texts": {}, "parameters": [], "columns": [],
                                  "sql": None})
            if not re.fullmatch(r"[a-z][a-z0-9-]*", current["name"]):
                problems.add(where, "a question's name is lower-case letters, digits and '-'")
            questions.append(current)
            continue
        if current is None:
            problems.add(where, "a line outside any question")
            continue
        key, _, value = line.partition(":")
        value = value.strip()
        if key in ("title.en", "title.ja", "description.en", "description.ja"):
            current["texts"][key] = value
        elif key == "parameter":
            fields = [field.strip() for field in value.split("|")]
            kind = QUESTION_KIND.fullmatch(fields[1]) if len(fields) == 7 else None
            if not kind or fields[2] not in ("", "optional") or not all(fields[3:]):
                problems.add(where, "parameter: name | text, integer or number [min..max] | optional or nothing"
                                    " | label in English | in Japanese | what to type in English | in Japanese")
                continue
            if kind.group(2) is not None and (kind.group(1) == "text" or float(kind.group(2)) > float(kind.group(3))):
                problems.add(where, "a range is for numbers, its least value first")
            current["parameters"].append(fields[:1] + [kind.group(1), fields[2]] + fields[3:]
                                         + [kind.group(2), kind.group(3)])
        elif key == "column":
            fields = [field.strip() for field in value.split("|")]
            if len(fields) != 4 or fields[1] not in QUESTION_FORMATS or not fields[2] or not fields[3]:
                problems.add(where, "column: name | " + ", ".join(QUESTION_FORMATS) + " | English | Japanese")
                continue
            current["columns"].append(fields)
        elif key == "sql" and not value:
            current["sql"] = []
        else:
            problems.add(where, f"unknown line {key!r}")
    unique(questions, lambda q: q["name"], "question", problems)
    for question in questions:
        for key in ("title.en", "title.ja", "description.en", "description.ja"):
            if not question["texts"].get(key):
                problems.add(question["where"], f"no {key}")
        if not question["sql"]:
            problems.add(question["where"], "no SQL")
            question["sql"] = []
        names = [parameter[0] for parameter in question["parameters"]]
        question["statement"], question["order"] = question_sql("\n".join(question["sql"]), names,
                                                                 question["where"], problems)
        if re.search(r"\bstore_[a-z_]+", question["statement"]):
            problems.add(question["where"], "a question reads the views, never the store's tables")
        if not question["columns"]:
            problems.add(question["where"], "no column: each column the SQL answers gets its header and format")
        names = [column[0] for column in question["columns"]]
        for name in sorted({name for name in names if names.count(name) > 1}):
            problems.add(question["where"], f"the column {name} is described twice")
    return questions


def question_strings(questions, problems):
    """(id, English, Japanese) of every question's texts, numbered from FIRST_QUESTION_STRING."""
    strings, next_id = [], FIRST_QUESTION_STRING
    for question in questions:
        question["ids"] = {}
        texts = [("title", question["texts"].get("title.en", ""), question["texts"].get("title.ja", "")),
                 ("description", question["texts"].get("description.en", ""),
                  question["texts"].get("description.ja", ""))]
        texts += [(f"label{i}", p[3], p[4]) for i, p in enumerate(question["parameters"])]
        texts += [(f"parameter{i}", p[5], p[6]) for i, p in enumerate(question["parameters"])]
        texts += [(f"column{i}", c[2], c[3]) for i, c in enumerate(question["columns"])]
        for key, english, japanese in texts:
            # A text both languages share with an earlier one (a column "Computer") is kept once.
            known = next((sid for sid, en, ja in strings if (en, ja) == (english, japanese)), None)
            if known is None:
                known = next_id
                strings.append((next_id, english, japanese))
                next_id += 1
            question["ids"][key] = known
    if next_id - 1 > LAST_QUESTION_STRING:
        problems.add(TEXT_DATA_FILES[1], f"the questions' texts need string IDs up to {next_id - 1},"
                                         f" beyond {LAST_QUESTION_STRING}")
    return strings


def render_questions(data):
    out = [banner("store/questions.txt"), '#include "store/question_data.h"', "", "namespace {", ""]
    records = []
    for index, question in enumerate(data["questions"]):
        parameters = [f"{{{cpp_string(p[0])}, {QUESTION_TYPES[p[1]]}, {'true' if p[2] else 'false'}, "
                      f"{question['ids'][f'label{i}']}, {question['ids'][f'parameter{i}']}, "
                      f"{'true' if p[7] is not None else 'false'}, {p[7] or 0}, {p[8] or 0}}}"
                      for i, p in enumerate(question["parameters"])]
        columns = [f"{{{cpp_string(c[0])}, {QUESTION_FORMATS[c[1]]}, {question['ids'][f'column{i}']}}}"
                   for i, c in enumerate(question["columns"])]
        out += array(f"constexpr QuestionParameter kParameters{index}", parameters)
        out += array(f"constexpr int kBinds{index}", [str(i) for i in question["order"]], wrap=True)
        out += array(f"constexpr AnswerColumn kColumns{index}", columns)
        records.append(f"{{{cpp_string(question['name'])}, {question['ids']['title']}, {question['ids']['description']}, "
                       f"{cpp_string(question['statement'])}, "
                       f"{{{f'kParameters{index}' if parameters else ''}}}, "
                       f"{{{f'kBinds{index}' if question['order'] else ''}}}, "
                       f"{{{f'kColumns{index}' if columns else ''}}}}}")
    out += array("const Question kQuestions", records)
    out += ["", "}  // namespace"]
    out += accessor("std::span<const Question> ReadyQuestions()", "kQuestions", records)
    return out


def render_question_strings(data, column, language):
    index = 1 if column == "english" else 2
    return ([banner("store/questions.txt"), "#pragma code_page(65001)"]
            + string_table(language, [(entry[0], entry[index]) for entry in data["question_strings"]]))


def render_store_tables(data):
    out = [banner(DATA_FILES["identity"][0], DATA_FILES["volatile"][0], DATA_FILES["recognised"][0]),
           '#include "store/identity_data.h"',
           "", "namespace {", ""]
    # Sorted by class name without case, for a binary search.
    identity = sorted(data["identity"], key=lambda r: r["class_name"].lower())
    volatile = sorted(data["volatile"], key=lambda r: (r["class_name"].lower(), r["property"].lower()))
    recognised = sorted(data["recognised"], key=lambda r: r["class_name"].lower())
    rules = [f"{{{cpp_string(r['class_name'])}, {cpp_string(r['identity'])}}}" for r in identity]
    properties = [f"{{{cpp_string(r['class_name'])}, {cpp_string(r['property'])}}}" for r in volatile]
    shown = [f"{{{cpp_string(r['class_name'])}, {cpp_string(r['properties'])}}}" for r in recognised]
    out += array("constexpr ClassIdentityRule kClassIdentityRules", rules)
    out += array("constexpr VolatileProperty kVolatileProperties", properties)
    out += array("constexpr RecognisedProperties kRecognisedProperties", shown)
    out += ["", "}  // namespace"]
    out += accessor("std::span<const ClassIdentityRule> ClassIdentityRules()", "kClassIdentityRules", rules)
    out += accessor("std::span<const VolatileProperty> VolatileProperties()", "kVolatileProperties", properties)
    out += accessor("std::span<const RecognisedProperties> RecognisedPropertyLists()", "kRecognisedProperties", shown)
    return out


def render_views(data):
    out = [banner("store/views.sql"), '#include "store/view_data.h"', "", "namespace {", ""]
    out += array("constexpr const char* kStoreViews", [cpp_string(text) for text in data["views"]])
    out += array("constexpr KeptTable kKeptTables",
                 [f'{{{cpp_string(t["table"])}, {cpp_string(t["all"])}, {cpp_string(t["one"])}, '
                  f'{LATEST_COMPUTER_PARAMETERS}}}' for t in data["kept_tables"]])
    out += ["", "}  // namespace"]
    out += accessor("std::span<const char* const> StoreViewStatements()", "kStoreViews", data["views"])
    out += accessor("std::span<const KeptTable> KeptTables()", "kKeptTables", data["kept_tables"])
    return out


def rc_string(text):
    return '"' + text.replace('"', '""') + '"'


def string_table(language, entries):
    out = [f"LANGUAGE {language}", "STRINGTABLE", "BEGIN"]
    out += [f"    {sid} {rc_string(text)}" for sid, text in entries]
    return out + ["END"]


def render_decoded(data, column, language):
    rows = sorted(data["decoded"], key=lambda r: int(r["id"]))
    return ([banner(DATA_FILES["decoded"][0]), "#pragma code_page(65001)"]
            + string_table(language, [(r["id"], r[column]) for r in rows]))


def render_short_labels(data):
    out = [banner(DATA_FILES["short_labels"][0]), '#include "standard/short_labels.h"', "", "namespace {"]
    out += array("const ShortLabel kShortLabels",
                 [f'{{L"{r["property"]}", {r["long_id"]}, {r["short_id"]}}}' for r in data["short_labels"]])
    out += ["}  // namespace"]
    return out + accessor("std::span<const ShortLabel> ShortLabels()", "kShortLabels", data["short_labels"])


def render_class_names(data):
    entries = sorted(((int(r["display_string_id"]), r["display_text"] or r["class_name"])
                      for r in data["classes"]))
    out = [banner(DATA_FILES["classes"][0]),
           "// The texts under which the user sees the classes, the same in every language.",
           "#pragma code_page(65001)"]
    for _, language in LANGUAGES:
        out += string_table(language, entries)
    return out


def outputs(data):
    english, japanese = LANGUAGES
    return {
        "base/class_ids.h": render_class_ids(data),
        "individual/class_catalog_data.cpp": render_class_catalog(data),
        "individual/class_hierarchy_data.cpp": render_hierarchy(data),
        "standard/category_catalog_data.cpp": render_categories(data),
        "standard/short_label_data.cpp": render_short_labels(data),
        "render/code_table_data.cpp": render_code_tables(data),
        "render/flag_table_data.cpp": render_flag_tables(data),
        "render/pattern_table_data.cpp": render_pattern_tables(data),
        "render/property_route_data.cpp": render_routes(data),
        "resources/strings/decoded.en.rc": render_decoded(data, english[0], english[1]),
        "resources/strings/decoded.ja.rc": render_decoded(data, japanese[0], japanese[1]),
        "resources/strings/class_names.rc": render_class_names(data),
        "store/identity_data.cpp": render_store_tables(data),
        "store/view_data.cpp": render_views(data),
        "store/question_data.cpp": render_questions(data),
        "resources/strings/questions.en.rc": render_question_strings(data, english[0], english[1]),
        "resources/strings/questions.ja.rc": render_question_strings(data, japanese[0], japanese[1]),
    }


def main(argv):
    parser = argparse.ArgumentParser(description="Generate Mirel's tables from its data files.")
    parser.add_argument("--check", action="store_true", help="only validate the data")
    parser.add_argument("--source", type=Path, default=Path(__file__).resolve().parent.parent)
    parser.add_argument("--output", type=Path)
    args = parser.parse_args(argv[1:])
    output = args.output or args.source / "build" / "generated"

    data, problems = load(args.source)
    if problems:
        print(f"gen_tables: the data in {args.source} is not valid:", file=sys.stderr)
        for problem in problems:
            print(f"  {problem}", file=sys.stderr)
        return 1
    if args.check:
        print(f"gen_tables: {len(data['classes'])} classes, {len(data['decoded'])} decoded texts, ok")
        return 0
    for relative, lines in outputs(data).items():
        target = output / relative
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_text("\n".join(lines) + "\n", encoding="utf-8", newline="\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
