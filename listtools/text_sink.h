// Where the exports write: the program's UTF-8 text in the file's encoding (the ANSI
// code page unless the user chose UTF-8), every line feed stored as CR LF unless the
// writer gives its line ends itself. Each Write is one write of the whole text, so a short
// or failed write is seen at once; Finish completes the output and reports a failure of its
// own (a file that cannot be closed), so that no failure goes unreported.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "base/handles.h"
#include "base/message_sink.h"

// "\n" -> "\r\n" for every line feed of `text`.
std::string ToTextModeLineEnds(std::string_view text);

// Whether a write stores every line feed as CR LF (text mode), or every byte as given:
// values written into a file keep their own line breaks, CR LF or LF alike.
enum class LineEnds { TextMode, AsGiven };

// How text is stored: the ANSI code page (what the classic file types are), UTF-8 with
// a byte-order mark (what spreadsheet programs recognise), or plain UTF-8 (for pipes).
enum class TextEncoding { Ansi, Utf8WithBom, Utf8 };

class TextSink {
public:
    virtual ~TextSink() = default;
    void SetEncoding(TextEncoding encoding) { encoding_ = encoding; }
    TextEncoding Encoding() const { return encoding_; }
    // Writes `text` (UTF-8) in the sink's encoding, in one call, with text-mode line ends
    // unless they are to stay as given. False when fewer bytes were written than it holds.
    bool Write(std::string_view text, LineEnds lineEnds = LineEnds::TextMode);
    // Completes the output; false when that fails.
    virtual bool Finish() { return true; }
    // True for a console window, where values are shown rather than kept: their control
    // characters become visible escapes (ShownOnConsole) instead of acting on the screen.
    virtual bool OnScreen() const { return false; }
    // True once an ANSI write had to put "?" for a character the code page lacks.
    bool LostCharacters() const { return lostCharacters_; }
    // The first line (UTF-8, without its line end) in which that happened, so that a
    // warning can point at the value; empty while nothing was lost.
    const std::string& FirstLostLine() const { return firstLostLine_; }

protected:
    // Writes exactly these bytes; false on a short or failed write.
    virtual bool WriteBytes(std::string_view bytes) = 0;

private:
    TextEncoding encoding_ = TextEncoding::Ansi;
    bool started_ = false;
    bool lostCharacters_ = false;
    std::string firstLostLine_;
};

// A file that is replaced whole or not at all. Open checks that the target can be
// written (without changing it) and creates a temporary file beside it; the writes go
// there; Finish flushes it and moves it over the target in one step. After a failed
// write, a failed Finish, or without Finish, the temporary file is removed and the
// target stays as it was, so a full disk never leaves half a report in place of a good
// one. A target that is a device rather than a file (NUL, Linux's /dev/full under Wine)
// has nothing to replace and is written directly.
class FileTextSink : public TextSink {
public:
    FileTextSink() = default;
    FileTextSink(const FileTextSink&) = delete;
    FileTextSink& operator=(const FileTextSink&) = delete;
    ~FileTextSink() override;

    // False when `path` cannot be written (no such folder, no rights, a folder, a file
    // in use) or the temporary file cannot be created beside it.
    bool Open(const std::string& path);
    bool IsOpen() const { return static_cast<bool>(file_); }
    // Puts the file in place; false when it was not open, a write failed or it could not
    // be completed (then the target is untouched).
    bool Finish() override;

protected:
    bool WriteBytes(std::string_view bytes) final;
    // Writes exactly these bytes into the open file; false on a short or failed write.
    virtual bool WriteToFile(std::string_view bytes);

private:
    bool CreateTemporaryBeside(const std::string& path);
    // Closes the file and removes the temporary one.
    void Abandon();

    UniqueHandle file_;
    std::string target_;
    std::string temporary_;   // empty while a device is written directly
    bool failed_ = false;
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
// shown), a write failed (message 112 shown; a file sink leaves the target as it was).
enum class ExportResult { Done, OpenFailed, WriteFailed };

// Shows "File Open Error." or "File Write Error." followed by the path, with the
// exclamation icon.
void ReportFileOpenError(MessageSink& messages, const std::string& path);
void ReportFileWriteError(MessageSink& messages, const std::string& path);
