// Making sure a named computer resolves and answers an ICMP echo before a check starts.
#pragma once
#include <windows.h>

#include <string>

// Entry points of ICMP.DLL, loaded once at start-up; null when loading failed.
struct IcmpLibrary {
    HMODULE module = nullptr;
    HANDLE(WINAPI* IcmpCreateFile)() = nullptr;
    BOOL(WINAPI* IcmpCloseHandle)(HANDLE) = nullptr;
    DWORD(WINAPI* IcmpSendEcho)(HANDLE, ULONG /*IPAddr*/, LPVOID, WORD, void* /*options*/,
                                LPVOID, DWORD, DWORD) = nullptr;
};
IcmpLibrary& GetIcmpLibrary();

// Winsock started for the life of the object (name resolution needs it); a start that
// failed is not cleaned up.
class WinsockScope {
public:
    WinsockScope();
    WinsockScope(const WinsockScope&) = delete;
    WinsockScope& operator=(const WinsockScope&) = delete;
    ~WinsockScope();

private:
    bool started_ = false;
};

// Loads ICMP.DLL and looks up its three entry points: 0 when all were found, -1 otherwise.
int LoadIcmpLibrary();

enum class PingResult {
    Replied,
    HostNotFound,
    NoReply,
    NoLibrary,
    OutOfMemory,
};

// Resolves `host` (trimmed, not empty) and sends up to three echo requests of one second.
// Names under the reserved domain "invalid" are not found without asking a name server.
// Sets `message` for PingResult::HostNotFound, PingResult::NoLibrary and PingResult::OutOfMemory.
PingResult PingHost(std::string host, std::string& message);
