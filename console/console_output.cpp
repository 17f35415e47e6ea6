#include "console/console_output.h"

#include "base/narrow.h"
#include "base/console_text.h"

namespace {

bool IsConsole(HANDLE handle)
{
    DWORD mode = 0;
    return handle && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

}  // namespace

TextEncoding RedirectedEncoding(HANDLE handle, bool utf8, StreamUse use)
{
    if (!utf8)
        return TextEncoding::Ansi;
    if (use == StreamUse::Result && GetFileType(handle) == FILE_TYPE_DISK)
        return TextEncoding::Utf8WithBom;
    return TextEncoding::Utf8;
}

StdHandleSink::StdHandleSink(DWORD standardHandle, bool utf8, StreamUse use)
    : handle_(GetStdHandle(standardHandle)), console_(IsConsole(handle_))
{
    // A console takes UTF-16: the text reaches WriteBytes as UTF-8, which converts whole.
    SetEncoding(console_ ? TextEncoding::Utf8 : RedirectedEncoding(handle_, utf8, use));
}

bool StdHandleSink::WriteBytes(std::string_view bytes)
{
    if (!handle_ || handle_ == INVALID_HANDLE_VALUE)
        return false;
    if (console_) {
        // Control characters of values show as escapes instead of acting on the console.
        const std::wstring wide = ShownOnConsole(ToWide(bytes), true);
        DWORD written = 0;
        return WriteConsoleW(handle_, wide.c_str(), static_cast<DWORD>(wide.size()), &written,
                             nullptr) &&
               written == wide.size();
    }
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr) ||
            written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

void WriteErrorLine(const std::string& text, bool utf8)
{
    StdHandleSink errors(STD_ERROR_HANDLE, utf8, StreamUse::Messages);
    errors.Write(text + "\n");
}
