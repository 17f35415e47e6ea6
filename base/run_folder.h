// A folder made for what a run writes, with the folders above it that were missing, and
// taken away again when nothing came into it.
#pragma once
#include <string>
#include <vector>

// The folder of a run's files, created with the folders above it that are missing
// (also under a "\\?\" prefix). Those it created are removed again when the object goes,
// as far as they are still empty: a run that fails leaves no empty folder behind.
class RunFolder {
public:
    RunFolder() = default;
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;
    ~RunFolder();

    // True when the folder exists afterwards.
    bool Create(const std::string& folder);

private:
    std::vector<std::wstring> created_;   // top down
};
