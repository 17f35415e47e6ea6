#include "console/console_output.h"

#include "base/narrow.h"

StdHandleSink::StdHandleSink(DWORD standardHandle) : handle_(GetStdHandle(standardHandle))
{
    DWORD mode = 0;
    console_ = handle_ && handle_ != INVALID_HANDLE_VALUE && GetConsoleMode(handle_, &mode);
}

bool StdHandleSink::WriteBytes(std::string_view bytes)
{
    if (!handle_ || handle_ == INVALID_HANDLE_VALUE)
        return false;
    if (console_) {
        std::wstring wide = ToWide(bytes);
        DWORD written = 0;
        return WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &written,
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

void WriteErrorLine(const std::string& text)
{
    StdHandleSink errors(STD_ERROR_HANDLE);
    errors.Write(text + "\n");
}
