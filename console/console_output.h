// Standard output and standard error of the report tool. Texts are the program's narrow
// texts (ANSI code page) with CR LF line ends. Redirected output receives these bytes
// unchanged, as a file saved by the program would; a console window shows them through
// the wide-character console API, so they read right whatever the console's code page.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "listtools/text_sink.h"

// One of the process's standard handles (STD_OUTPUT_HANDLE, STD_ERROR_HANDLE).
class StdHandleSink : public TextSink {
public:
    explicit StdHandleSink(DWORD standardHandle);

protected:
    bool WriteBytes(std::string_view bytes) override;

private:
    HANDLE handle_;
    bool console_;
};

// Writes `text` followed by a line end to standard error (a failure there has nowhere
// to be reported and is ignored).
void WriteErrorLine(const std::string& text);
