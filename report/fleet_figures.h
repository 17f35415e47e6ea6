// What the fleet report shows, read from the inventory store through its documented views
// (computers, checks, os, hardware, disks, hotfixes, products, changes), over the latest
// complete standard check of each computer, so that every figure is the views' own answer.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "db/database.h"

struct FleetComputer {
    std::string name;
    std::string lastChecked;   // ISO 8601 local time of its last check of any kind
    int64_t lastCheckedEpoch = 0;
    std::string lastResult;    // the result's key ("ok", "hostNotFound"...)
    int64_t checks = 0;
    bool inventoried = false;  // it has a latest complete standard check
    std::string os, version, build, windowsDirectory;
    std::string manufacturer, model, processor;
    int64_t processors = -1, memoryBytes = -1;
    int64_t systemDiskSize = -1, systemDiskFree = -1;
    std::string latestHotfix;  // "yyyy/mm/dd" of its latest dated hotfix; empty without one
};

struct FleetDisk {
    std::string computer, drive, volume;
    int64_t sizeBytes = 0, freeBytes = 0;
};

struct FleetProgram {
    std::string name;
    int64_t computers = 0, versions = 0;
};

struct FleetFigures {
    int64_t now = 0;                          // seconds since 1970, UTC: the time of the report
    int64_t checkCount = 0;
    std::vector<FleetComputer> computers;     // by name
    std::vector<FleetDisk> disks;             // the local fixed disks with a size
    std::vector<FleetProgram> programs;       // by name
    std::vector<std::pair<std::string, int64_t>> changesPerDay;   // "2026-12-10" -> changes, ascending
    // The computers found (by a directory or an address range) but never checked, where
    // the store keeps what was found.
    bool knowsFound = false;
    std::vector<std::string> neverChecked;
};

inline constexpr int kChangeDays = 30;

// Reads the figures at `now`; false with the database's message in `error`.
bool ReadFleetFigures(Database& database, int64_t now, FleetFigures& figures, std::string& error);
