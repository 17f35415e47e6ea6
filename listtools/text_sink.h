// Where the exports write: narrow text (ANSI code page) as a text file holds it, every
// line feed stored as CR LF. Each Write is one write of the whole text, so a short or
// failed write is seen at once; Finish completes the output and reports a failure of its
// own (a file that cannot be closed), so that no failure goes unreported.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "base/message_sink.h"

// "\n" -> "\r\n" for every line feed of `text`.
std::string ToTextModeLineEnds(std::string_view text);

class TextSink {
public:
    virtual ~TextSink() = default;
    // Writes `text` with text-mode line ends in one call. False when fewer bytes were
    // written than it holds.
    bool Write(std::string_view text) { return WriteBytes(ToTextModeLineEnds(text)); }
    // Completes the output; false when that fails.
    virtual bool Finish() { return true; }

protected:
    // Writes exactly these bytes; false on a short or failed write.
    virtual bool WriteBytes(std::string_view bytes) = 0;
};

// A file created (or truncated) for writing. Closed by Finish or, without a report, by
// the destructor.
class FileTextSink : public TextSink {
public:
    FileTextSink() = default;
    FileTextSink(const FileTextSink&) = delete;
    FileTextSink& operator=(const FileTextSink&) = delete;
    ~FileTextSink() override;

    // Creates or truncates `path`; false when it cannot be opened for writing.
    bool Open(const std::string& path);
    bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
    // Closes the file; false when it was not open or closing failed.
    bool Finish() override;

protected:
    bool WriteBytes(std::string_view bytes) override;

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

// Collects everything written, line ends included.
class StringTextSink : public TextSink {
public:
    const std::string& Text() const { return text_; }

protected:
    bool WriteBytes(std::string_view bytes) override
    {
        text_.append(bytes);
        return true;
    }

private:
    std::string text_;
};

// Results of the file exports: written, the file could not be opened (message 111
// shown), a write failed (message 112 shown; what was written before stays).
inline constexpr int kExportDone = 0;
inline constexpr int kExportOpenFailed = -1;
inline constexpr int kExportWriteFailed = -2;

// Shows "File Open Error." or "File Write Error." followed by the path, with the
// exclamation icon.
void ReportFileOpenError(MessageSink& messages, const std::string& path);
void ReportFileWriteError(MessageSink& messages, const std::string& path);
