#include "listtools/text_sink.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "base/format_text.h"
#include "base/narrow.h"
#include "resources/resource.h"
#include "resources/text.h"

std::string ToTextModeLineEnds(std::string_view text)
{
    std::string converted;
    converted.reserve(text.size() + 2);
    for (char character : text) {
        if (character == '\n')
            converted += '\r';
        converted += character;
    }
    return converted;
}

namespace {

// The first line of `text` that the ANSI code page cannot hold whole.
std::string FirstLineOutsideAnsi(std::string_view text)
{
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        if (!FitsCodePage(line))
            return std::string(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return {};
}

}  // namespace

bool TextSink::Write(std::string_view text)
{
    std::string bytes = ToTextModeLineEnds(text);
    if (encoding_ == TextEncoding::Ansi) {
        AnsiText ansi = ToAnsi(bytes);
        if (ansi.lossy && !lostCharacters_)
            firstLostLine_ = FirstLineOutsideAnsi(text);
        lostCharacters_ |= ansi.lossy;
        bytes = std::move(ansi.bytes);
    } else if (encoding_ == TextEncoding::Utf8WithBom && !started_) {
        bytes.insert(0, "\xEF\xBB\xBF");
    }
    started_ = true;
    return WriteBytes(bytes);
}

namespace {

// The folder part of `path`, with its separator ("" for a name alone): a temporary file
// there lies on the same volume as the target, so moving it over the target is one step.
std::string FolderOf(const std::string& path)
{
    const size_t end = path.find_last_of("\\/:");
    return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

constexpr int kTemporaryNameAttempts = 16;

}  // namespace

FileTextSink::~FileTextSink()
{
    Abandon();
}

bool FileTextSink::Open(const std::string& path)
{
    Abandon();
    failed_ = false;
    target_ = path;
    // The target is opened as it is, not truncated: a path that cannot be written fails
    // now, before anything is written, and the target is not changed.
    UniqueHandle target(CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target && GetLastError() != ERROR_FILE_NOT_FOUND)
        return false;
    if (target && GetFileType(target.Get()) != FILE_TYPE_DISK) {
        file_ = std::move(target);
        return true;
    }
    target.Reset();
    return CreateTemporaryBeside(path);
}

bool FileTextSink::CreateTemporaryBeside(const std::string& path)
{
    const std::string folder = FolderOf(path);
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        LARGE_INTEGER now{};
        QueryPerformanceCounter(&now);
        const std::string name =
            folder + FormatText("~mirel%08lx.tmp", (GetCurrentProcessId() << 20) ^ now.LowPart);
        file_.Reset(CreateFileW(ToWide(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file_) {
            temporary_ = name;
            return true;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            return false;
    }
    return false;
}

bool FileTextSink::WriteBytes(std::string_view bytes)
{
    // A file with a gap must not take the place of the target: after one failed write
    // nothing more is written.
    if (failed_ || !IsOpen() || !WriteToFile(bytes)) {
        failed_ = true;
        return false;
    }
    return true;
}

bool FileTextSink::WriteToFile(std::string_view bytes)
{
    while (!bytes.empty()) {
        DWORD chunk = static_cast<DWORD>(
            std::min<size_t>(bytes.size(), std::numeric_limits<DWORD>::max() / 2));
        DWORD written = 0;
        if (!WriteFile(file_.Get(), bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool FileTextSink::Finish()
{
    if (!IsOpen())
        return false;
    if (temporary_.empty()) {
        const bool closed = CloseHandle(file_.Release()) != FALSE;
        return closed && !failed_;
    }
    bool complete = !failed_ && FlushFileBuffers(file_.Get());
    complete = CloseHandle(file_.Release()) && complete;
    if (complete && MoveFileExW(ToWide(temporary_).c_str(), ToWide(target_).c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        temporary_.clear();
        return true;
    }
    Abandon();
    return false;
}

void FileTextSink::Abandon()
{
    file_.Reset();
    if (!temporary_.empty())
        DeleteFileW(ToWide(temporary_).c_str());
    temporary_.clear();
}

void ReportFileOpenError(MessageSink& messages, const std::string& path)
{
    messages.ShowMessage(LoadText(IDS_FILE_OPEN_ERROR) + path, MB_ICONEXCLAMATION);
}

void ReportFileWriteError(MessageSink& messages, const std::string& path)
{
    messages.ShowMessage(LoadText(IDS_FILE_WRITE_ERROR) + path, MB_ICONEXCLAMATION);
}
