// Where a run over many computers puts its files: one result file per computer named after
// it, the summary beside them, in a folder made for the run (base/run_folder.h).
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
