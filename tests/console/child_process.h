// Runs build/mirelrep.exe (beside the test program) as a child process under the same
// Wine, with its standard output and standard error caught in files.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct ChildRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string out;   // standard output, bytes as written
    std::string err;   // standard error, without the notes Wine itself writes there
};

// `arguments` (UTF-8) as they follow the program name on a command line; the child gets
// them as UTF-16, whatever the ANSI code page.
// `input`: what its standard input reads (none when empty).
ChildRun RunMirelrep(const std::string& arguments, const std::string& input = {});

// The lines of `text`, each without its CR LF; the text must end with CR LF.
std::vector<std::string> CrLfLines(const std::string& text);
