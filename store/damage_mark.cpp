#include "store/damage_mark.h"

#include <windows.h>

#include "base/format_text.h"
#include "base/handles.h"
#include "base/narrow.h"
#include "base/read_file.h"
#include "store/stored_check.h"

namespace {

constexpr char kIdentityLabel[] = "file: ";
constexpr char kFoundLabel[] = "found: ";
constexpr unsigned long long kMaxMarkBytes = 1024 * 1024;

// The file's identity on its volume: a copy put in its place, or a new file of the same
// name, has another.
std::string FileIdentity(const std::string& path)
{
    UniqueHandle file(CreateFileW(ToWide(path).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file || !GetFileInformationByHandle(file.Get(), &information))
        return {};
    return FormatText("%08lX-%08lX%08lX", information.dwVolumeSerialNumber, information.nFileIndexHigh,
                      information.nFileIndexLow);
}

// The value of the line that starts with `label`; empty without one.
std::string LineValue(const std::string& text, const std::string& label)
{
    size_t at = text.rfind("\n" + label);
    at = text.rfind(label, 0) == 0 ? 0 : at == std::string::npos ? at : at + 1;
    if (at == std::string::npos)
        return {};
    const size_t start = at + label.size();
    const size_t end = text.find_first_of("\r\n", start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace

std::string DamageMarkPath(const std::string& storePath)
{
    return storePath + "-damaged.txt";
}

bool MarkDamaged(const std::string& storePath, const std::vector<std::string>& damage)
{
    std::string text = "Mirel found this inventory store damaged; no program of Mirel records into it until "
                       "\"mirelrep /verify\" finds it sound again or the file is replaced.\r\n";
    text += "store: " + storePath + "\r\n";
    text += kIdentityLabel + FileIdentity(storePath) + "\r\n";
    text += kFoundLabel + CheckTime::Now().local + "\r\n";
    for (const std::string& finding : damage)
        text += finding + "\r\n";
    const std::wstring path = ToWide(DamageMarkPath(storePath));
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

bool FindDamageMark(const std::string& storePath, DamageMark& mark)
{
    const std::string markPath = DamageMarkPath(storePath);
    std::string text;
    if (ReadWholeFile(markPath, kMaxMarkBytes, text) != ReadFileResult::Read)
        return false;
    const std::string identity = FileIdentity(storePath);
    if (identity.empty() || identity != LineValue(text, kIdentityLabel)) {
        DeleteFileW(ToWide(markPath).c_str());   // the file it marked is gone
        return false;
    }
    mark.foundAt = LineValue(text, kFoundLabel);
    const size_t found = text.find(std::string("\n") + kFoundLabel);
    const size_t next = found == std::string::npos ? std::string::npos : text.find('\n', found + 1);
    mark.damage = next == std::string::npos ? std::string() : text.substr(next + 1);
    return true;
}

bool ClearDamageMark(const std::string& storePath)
{
    const std::wstring path = ToWide(DamageMarkPath(storePath));
    return DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool MoveStoreAside(const std::string& storePath, std::string& movedTo, unsigned long& error)
{
    std::string stamp;
    for (char character : CheckTime::Now().local.substr(0, 19))   // "2026-12-10T17:03:04"
        if (character >= '0' && character <= '9')
            stamp += character;
    movedTo = storePath + ".damaged-" + stamp.substr(0, 8) + "-" + stamp.substr(8);
    if (!MoveFileExW(ToWide(storePath).c_str(), ToWide(movedTo).c_str(), 0)) {
        error = GetLastError();
        return false;
    }
    error = ERROR_SUCCESS;
    for (const char* beside : {"-wal", "-shm", "-journal"})
        MoveFileExW(ToWide(storePath + beside).c_str(), ToWide(movedTo + beside).c_str(), 0);
    MoveFileExW(ToWide(DamageMarkPath(storePath)).c_str(), ToWide(DamageMarkPath(movedTo)).c_str(), 0);
    return true;
}
