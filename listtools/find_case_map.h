// Upper-casing UTF-8 text for Find: ASCII through a table, everything else through
// the system's upper-case mapping of UTF-16 (accented, Greek, Cyrillic and full-width
// letters match regardless of case as well).
//
// One map serves one search and keeps its scratch buffer between cells.
#pragma once
#include <string>

class FindCaseMap {
public:
    std::string Upper(const std::string& text) const;
    // The same into `out`, reusing its storage.
    void UpperInto(const std::string& text, std::string& out) const;

private:
    mutable std::wstring wide_;
};
