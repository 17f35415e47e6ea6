// What the report tool writes to standard error while a check runs: the messages the
// windows would show in a box, and the progress line sampled every 250 ms as the
// program's status bar is. A message also retires the progress text current at that
// moment, so that no stale progress line follows it.
#pragma once
#include <windows.h>

#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "base/handles.h"
#include "engine/check_context.h"
#include "listtools/text_sink.h"

class ErrorStream {
public:
    // Writes to standard error; where that is redirected, in the ANSI code page, or with
    // `utf8` in UTF-8.
    explicit ErrorStream(bool utf8);
    // Writes to `sink`.
    explicit ErrorStream(TextSink& sink);
    ErrorStream(TextSink*) = delete;   // a pointer would pass for the flag
    ErrorStream(const ErrorStream&) = delete;
    ErrorStream& operator=(const ErrorStream&) = delete;

    // The progress line of the check whose messages this stream writes: a message retires
    // the text current at that moment.
    void Follow(const SharedText* progress) { progress_ = progress; }
    // Writes a message (one or more lines).
    void Message(const std::string& text);
    // Writes `status` as a line unless it is empty or the same as the last one retired.
    void Progress(const std::string& status);

private:
    void WriteLine(const std::string& text);

    std::unique_ptr<TextSink> ownSink_;
    TextSink& sink_;
    std::mutex lock_;
    std::string lastStatus_;
    const SharedText* progress_ = nullptr;
};

// Samples a check's progress line every 250 ms and writes each new text to the error
// stream, from its own thread, for its lifetime. Disabled, it does nothing.
class ProgressPrinter {
public:
    ProgressPrinter(ErrorStream& errors, const SharedText& progress, bool enabled);
    ProgressPrinter(const ProgressPrinter&) = delete;
    ProgressPrinter& operator=(const ProgressPrinter&) = delete;
    ~ProgressPrinter();

private:
    void Run();

    ErrorStream& errors_;
    const SharedText& progress_;
    UniqueHandle stop_;
    std::thread thread_;
};
