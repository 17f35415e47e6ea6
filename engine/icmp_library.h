// The entry points that send the echo requests of a ping (IcmpCreateFile, IcmpSendEcho,
// IcmpCloseHandle), exported by IPHLPAPI.DLL since Windows Vista. A check's
// connector may carry them (tests put doubles of their own in); otherwise each ping loads
// the DLL from the system folder for itself.
#pragma once
#include <windows.h>

#include <memory>

#include "base/system_library.h"

struct IcmpLibrary {
    std::shared_ptr<const SystemLibrary> module;   // keeps the DLL loaded while the entries serve
    HANDLE(WINAPI* IcmpCreateFile)() = nullptr;
    BOOL(WINAPI* IcmpCloseHandle)(HANDLE) = nullptr;
    DWORD(WINAPI* IcmpSendEcho)(HANDLE, ULONG /*IPAddr*/, LPVOID, WORD, void* /*options*/, LPVOID, DWORD,
                                DWORD) = nullptr;

    bool IsComplete() const { return IcmpCreateFile && IcmpCloseHandle && IcmpSendEcho; }
};

// IPHLPAPI.DLL from the system folder, and its three entry points; incomplete when the DLL
// cannot be loaded or lacks one.
IcmpLibrary LoadIcmpLibrary();
