// Standard output and standard error of the report tool. The program's text is UTF-8. A
// console window is written through the wide-character console API, so every character
// shows whatever the console's code page. Redirected output is stored in the ANSI code
// page, as a file saved by the program would be, or in UTF-8 with /utf8.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "listtools/text_sink.h"

// What goes through a standard handle: a result (a document: UTF-8 in a disk file starts
// with a byte-order mark, as the window program's UTF-8 saves do) or messages (a log that
// may be appended to, never marked).
enum class StreamUse { Result, Messages };

// The encoding of text written to a handle that is no console: the ANSI code page, or
// with `utf8` UTF-8, with the mark only for a result going into a disk file (a pipe's
// reader takes the bytes as they come).
TextEncoding RedirectedEncoding(HANDLE handle, bool utf8, StreamUse use);

// One of the process's standard handles (STD_OUTPUT_HANDLE, STD_ERROR_HANDLE).
class StdHandleSink : public TextSink {
public:
    StdHandleSink(DWORD standardHandle, bool utf8, StreamUse use);
    bool OnScreen() const override { return console_; }

protected:
    bool WriteBytes(std::string_view bytes) override;

private:
    HANDLE handle_;
    bool console_;
};

// Writes `text` followed by a line end to standard error (a failure there has nowhere
// to be reported and is ignored).
void WriteErrorLine(const std::string& text, bool utf8);
