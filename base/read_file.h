// Reading a whole file the user named (UTF-8 path) into memory, within a size limit.
#pragma once
#include <string>

enum class ReadFileResult { Read, CannotRead, TooLarge };

ReadFileResult ReadWholeFile(const std::string& path, unsigned long long maxBytes, std::string& bytes);
