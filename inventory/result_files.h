// Where a run over many computers puts its files: a folder (created with its parents),
// one result file per computer named after it, the summary beside them.
#pragma once
#include <string>
#include <vector>

// The longest computer part of a file name, in characters: with the longest suffix
// ("_Win32_NetworkAdapterConfiguration.json") the name stays within 255 characters.
inline constexpr size_t kMaxFileStemLength = 200;

// For every computer the start of its file names, in list order: the name with the
// characters a file name cannot hold (\ / : * ? " < > | and controls) as "_", the local
// computer as "LocalComputer", cut to kMaxFileStemLength characters; names that come out
// alike (ignoring case) get "~2", "~3"... so that no computer overwrites another's file.
std::vector<std::string> ComputerFileStems(const std::vector<std::string>& computers);

// `folder` + "\" + `name`: no second separator when the folder ends with one, and none
// after a drive alone ("C:" is the current folder of drive C, as everywhere in Windows).
std::string PathIn(const std::string& folder, const std::string& name);

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
