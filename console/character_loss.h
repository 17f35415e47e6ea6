// Results that the ANSI code page could not hold whole: the characters it lacks were
// written as "?". The result is kept (a script may still want it) and a warning names
// where it happened and the value, and suggests /utf8.
#pragma once
#include <mutex>
#include <string>

#include "listtools/text_sink.h"

class CharacterLoss {
public:
    // Notes what `sink`, whose text went to `where`, lost; nothing when it lost nothing.
    // Safe from several threads: the checks of many computers write their files at once.
    void Note(const TextSink& sink, const std::string& where);
    bool Any() const;
    // The warning for standard error, in the user interface language: the first place and
    // value, how many other results lost characters, and /utf8.
    std::string Warning() const;

private:
    mutable std::mutex lock_;
    size_t results_ = 0;
    std::string firstWhere_;
    std::string firstLine_;
};

// The value of a result line that holds the line's first character outside the ANSI code
// page: the text between the double quotes or tabs around it, shortened when long.
std::string LostValueOf(const std::string& line);
