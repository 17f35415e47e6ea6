// Finding a class of the catalog by what the user remembers of it: any part of its WMI
// name, of the text the Level lists show, or of its description in English or in
// Japanese, whatever the interface language; case and full-width letters aside.
#pragma once
#include <string>
#include <vector>

class ClassFinder {
public:
    // Reads the catalog's texts in both languages (once, on the first search).
    ClassFinder() = default;

    // The classes holding `text` (trimmed), best first: those whose name starts with it,
    // then those whose name holds it, then those whose description does; each in the
    // catalog's order. Empty for an empty text.
    std::vector<int> Find(const std::string& text);

private:
    struct Entry {
        int classId;
        std::wstring name;          // WMI name and shown text, folded
        std::wstring description;   // both languages, folded
    };
    void Build();
    std::vector<Entry> entries_;
};

// The text folded for a search: upper case, full-width ASCII letters and digits as their
// ASCII forms.
std::wstring FoldForClassSearch(const std::wstring& text);

// Where a class stands in the Level lists: its group and category, the first category
// that lists it; false for a class no category lists.
bool LocateClass(int classId, int& groupCode, int& categoryCode);
