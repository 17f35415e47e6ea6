// The computers of a run of many: names from the command line, from list files and from
// the window's name field. Names are trimmed; a name given twice (case ignored) is
// checked once, under its first spelling; the empty name, and ".", is the local computer.
#pragma once
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

// Limits that keep a mistaken list (the wrong file, a runaway export) from starting a
// run of days or filling the output folder.
inline constexpr size_t kMaxComputers = 10000;
inline constexpr size_t kMaxComputerNameLength = 253;   // the longest DNS name
inline constexpr size_t kMaxListFileBytes = 16 * 1024 * 1024;

// The computer a typed name means: the name trimmed, and "." (like the empty name) this
// computer, given as the empty name.
std::string ComputerOfName(std::string_view name);

// Whether `name` (trimmed) can be a computer's: false with a one-line reason for a name that
// is too long, holds a control character or a path separator ("/" or "\\"). Every source of
// names (typed, list files, the directory, an import) refuses what this refuses.
bool CheckComputerName(const std::string& name, std::string& reason);

class ComputerList {
public:
    // `limit`: the most names the list takes.
    explicit ComputerList(size_t limit = kMaxComputers) : limit_(limit) {}

    // Adds one name (ComputerOfName; a duplicate is dropped). False with a one-line reason
    // for a name CheckComputerName refuses, or when the list would hold more than
    // its limit.
    bool Add(const std::string& name, std::string& reason);
    // Adds the names of a text, one per line (CR LF, LF or CR); blank lines and lines
    // starting with "#" (after blanks) are skipped. Cells of a pasted spreadsheet column
    // are lines too. False with the reason of the first name refused.
    bool AddLines(const std::string& text, std::string& reason);

    const std::vector<std::string>& Names() const { return names_; }
    bool Empty() const { return names_.empty(); }

private:
    size_t limit_;
    std::vector<std::string> names_;
    std::unordered_set<std::wstring> seen_;   // upper-case forms of the names
};

// Reads a list file into the program's text: UTF-8 (with or without byte-order mark),
// UTF-16 with byte-order mark, or else the ANSI code page. False with a one-line reason
// when the file cannot be read, is larger than kMaxListFileBytes or is not text.
bool ReadComputerListFile(const std::string& path, std::string& text, std::string& reason);
