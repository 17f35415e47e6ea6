// A store file found damaged is marked so by a small text file beside it, never inside it
// ("inventory.db-damaged.txt": what was found, and when, for the administrator to read).
// No program of Mirel records into a marked file until it is verified sound again or
// replaced: the mark names the file it was made for, and a mark beside another file of
// the same name (a copy put back, a new store) no longer counts.
#pragma once
#include <string>
#include <vector>

struct DamageMark {
    std::string foundAt;   // local time, as the mark says
    std::string damage;    // what was found, SQLite's own words, one finding a line
};

// The path of the mark beside the store file `storePath`.
std::string DamageMarkPath(const std::string& storePath);

// Marks the store file as damaged, with what was found; false when the mark could not be
// written (the folder is read-only, say).
bool MarkDamaged(const std::string& storePath, const std::vector<std::string>& damage);

// True with the mark when the store file as it is now is marked damaged. A mark left
// beside a file since replaced or removed is removed.
bool FindDamageMark(const std::string& storePath, DamageMark& mark);

// Removes the mark (the file was verified sound); true when none is left.
bool ClearDamageMark(const std::string& storePath);

// Moves the store file aside under a new name ("<file>.damaged-<date>-<time>"), with the
// files SQLite keeps beside it and its mark, so that a new store can start in its place;
// the file moved keeps its mark. False with the system's `error` when the file itself could
// not be moved (another program has it open, say); nothing is moved then.
bool MoveStoreAside(const std::string& storePath, std::string& movedTo, unsigned long& error);
