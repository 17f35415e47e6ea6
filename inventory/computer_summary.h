// The summary of one computer of a run: how its check ended and what an inventory needs
// from what the standard check read (system, hardware, disks, software), numbers raw.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "standard/category_store.h"

// How a computer's check ended, in the order of the texts (IDS_RESULT_FIRST + value).
enum class ComputerResult {
    Ok,             // read completely (and its files written)
    Incomplete,     // a reading broke off: what was read is kept
    HostNotFound,   // the name does not resolve
    NoAnswer,       // no reply to the ping, or no answer within the time limit
    AccessDenied,
    WmiError,       // COM or WMI failed (the code tells what)
    NoData,         // an individual check found no object of the class
    Stopped,        // stopped before or while it ran
    FileError,      // read, but its file could not be written
};
inline constexpr int kComputerResultCount = 9;

// The result as shown in the user interface language.
std::string ComputerResultText(ComputerResult result);
// The result as a fixed English key for scripts ("ok", "hostNotFound", ...).
const char* ComputerResultKey(ComputerResult result);
// The text of the result whose key is `key`; the key itself when it names none.
std::string ComputerResultTextOfKey(const std::string& key);
// True for the results that bring data: OK and incomplete.
inline bool HasData(ComputerResult result)
{
    return result == ComputerResult::Ok || result == ComputerResult::Incomplete;
}

struct ComputerSummary {
    std::string computer;   // as listed; empty: the local computer
    ComputerResult result = ComputerResult::Stopped;
    HRESULT code = S_OK;    // S_OK: no code to show
    std::string message;    // one line; empty for OK
    std::string checkedAt;  // ISO 8601 local time of the start; empty when it never started
    double seconds = 0;

    std::string osName, osVersion, osBuild, architecture, manufacturer, model, biosSerial, processor;
    std::optional<int64_t> processors, memoryBytes, disks, diskBytes, freeBytes, products, hotfixes;
    std::string latestHotfix;   // YYYY-MM-DD; empty when no hotfix names a date

    // Sets the message, made one line.
    void SetMessage(const std::string& text);
};

// Fills the inventory fields of `summary` from the stores of a standard check that kept
// their raw values. Texts are the texts the lists show, numbers the raw values: memory
// is the installed memory (physical memory modules, or the memory the system sees when
// it lists none), disks are the local fixed disks (logical disks of drive type 3).
void SummarizeStandardStores(const StandardStores& stores, ComputerSummary& summary);

// An installation date as Windows lists hotfixes ("M/D/YYYY", or "D/M/YYYY" where the
// first number cannot be a month, "YYYYMMDD", or 16 hexadecimal digits of a FILETIME)
// as "YYYY-MM-DD"; empty for anything else.
std::string HotfixDate(const std::string& installedOn);
