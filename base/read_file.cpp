#include "base/read_file.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "base/narrow.h"

namespace {

struct CloseFile {
    void operator()(HANDLE file) const { CloseHandle(file); }
};
using FileOwner = std::unique_ptr<std::remove_pointer_t<HANDLE>, CloseFile>;

}  // namespace

ReadFileResult ReadWholeFile(const std::string& path, unsigned long long maxBytes, std::string& bytes)
{
    bytes.clear();
    HANDLE handle = CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return ReadFileResult::CannotRead;
    FileOwner file(handle);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size))
        return ReadFileResult::CannotRead;
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes)
        return ReadFileResult::TooLarge;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    for (size_t at = 0; at < bytes.size();) {
        DWORD done = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - at, 1 << 20));
        if (!ReadFile(file.get(), bytes.data() + at, want, &done, nullptr) || done == 0) {
            bytes.clear();
            return ReadFileResult::CannotRead;
        }
        at += done;
    }
    return ReadFileResult::Read;
}
