// DLLs from the system folder only. Windows looks for a DLL that is not one of its known
// DLLs in the program's own folder first, where anybody who can write there (a downloads
// folder) could plant one; these load it from the system folder or not at all.
#pragma once
#include <windows.h>

#include "base/handles.h"

// Takes the program's folder and the current folder out of the search for DLLs, for the
// process: only the system folder is searched (SetDefaultDllDirectories, where the
// system has it, and SetDllDirectoryW). Call it first thing in the program.
void RestrictDllSearchToSystem();

// A DLL loaded by its full path in the system folder, freed when the object goes.
class SystemLibrary {
public:
    // Loads `name` ("icmp.dll") from the system folder; IsLoaded() tells whether it could.
    explicit SystemLibrary(const wchar_t* name);

    bool IsLoaded() const { return static_cast<bool>(module_); }
    HMODULE Handle() const { return module_.Get(); }

    // Sets `entry` to the DLL's function `name`; false (and null) when there is none.
    template <class Function>
    bool Find(const char* name, Function& entry) const
    {
        FARPROC found = module_ ? GetProcAddress(module_.Get(), name) : nullptr;
        entry = reinterpret_cast<Function>(reinterpret_cast<void*>(found));
        return entry != nullptr;
    }

private:
    UniqueModule module_;
};
