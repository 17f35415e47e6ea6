#include "base/system_library.h"

#include <string>

void RestrictDllSearchToSystem()
{
    // Windows 8 and later, and Windows 7 with KB2533623, have SetDefaultDllDirectories.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto setDefault = kernel ? reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(
                                         GetProcAddress(kernel, "SetDefaultDllDirectories")))
                                   : nullptr;
    if (setDefault)
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L"");   // and never the current folder
}

SystemLibrary::SystemLibrary(const wchar_t* name)
{
    const UINT length = GetSystemDirectoryW(nullptr, 0);
    if (length == 0)
        return;
    std::wstring path(length, L'\0');
    const UINT written = GetSystemDirectoryW(path.data(), length);
    if (written == 0 || written >= length)
        return;
    path.resize(written);
    path += L'\\';
    path += name;
    // By its full path, and the DLLs it needs from its own folder first.
    module_.Reset(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}
