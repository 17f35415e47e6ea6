#include "listtools/text_sink.h"

#include <algorithm>
#include <limits>

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

FileTextSink::~FileTextSink()
{
    if (IsOpen())
        CloseHandle(file_);
}

bool FileTextSink::Open(const std::string& path)
{
    if (IsOpen())
        CloseHandle(file_);
    file_ = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    return IsOpen();
}

bool FileTextSink::WriteBytes(std::string_view bytes)
{
    if (!IsOpen())
        return false;
    while (!bytes.empty()) {
        DWORD chunk = static_cast<DWORD>(
            std::min<size_t>(bytes.size(), std::numeric_limits<DWORD>::max() / 2));
        DWORD written = 0;
        if (!WriteFile(file_, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool FileTextSink::Finish()
{
    if (!IsOpen())
        return false;
    HANDLE file = file_;
    file_ = INVALID_HANDLE_VALUE;
    return CloseHandle(file) != FALSE;
}

void ReportFileOpenError(MessageSink& messages, const std::string& path)
{
    messages.ShowMessage(LoadText(IDS_FILE_OPEN_ERROR) + path, MB_ICONEXCLAMATION);
}

void ReportFileWriteError(MessageSink& messages, const std::string& path)
{
    messages.ShowMessage(LoadText(IDS_FILE_WRITE_ERROR) + path, MB_ICONEXCLAMATION);
}
