// Winsock must come before windows.h.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "engine/icmp_probe.h"

#include <iphlpapi.h>
#include <icmpapi.h>

#include <memory>
#include <new>
#include <optional>

#include "base/narrow.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

constexpr char kPayload[] = "123456789-123456789-123456789-12";
constexpr WORD kPayloadSize = sizeof kPayload - 1;   // sent without the terminating zero
constexpr DWORD kTimeoutMs = 1000;
constexpr int kAttempts = 3;
// Room for the reply record of this platform, the echoed payload and an ICMP error.
constexpr DWORD kReplyBufferSize = sizeof(ICMP_ECHO_REPLY) + kPayloadSize + 8;

class IcmpHandle {
public:
    explicit IcmpHandle(const IcmpLibrary& library)
        : library_(library), handle_(library.IcmpCreateFile())
    {
    }
    IcmpHandle(const IcmpHandle&) = delete;
    IcmpHandle& operator=(const IcmpHandle&) = delete;
    ~IcmpHandle()
    {
        if (IsOpen())
            library_.IcmpCloseHandle(handle_);
    }
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE Get() const { return handle_; }

private:
    const IcmpLibrary& library_;
    HANDLE handle_;
};

template <class Function>
bool LookUp(HMODULE module, const char* name, Function& entry)
{
    entry = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return entry != nullptr;
}

// A name under the reserved top-level domain "invalid" never resolves (RFC 6761): it is
// not sent to the name servers at all, so a list full of them costs no lookups.
bool IsReservedInvalidName(const std::string& host)
{
    std::string name = host;
    if (!name.empty() && name.back() == '.')
        name.pop_back();
    for (char& character : name)
        character = static_cast<char>(tolower(static_cast<unsigned char>(character)));
    return name == "invalid" || (name.size() > 8 && name.compare(name.size() - 8, 8, ".invalid") == 0);
}

// The first IPv4 address of a host name (any script: the name goes to the resolver as
// UTF-16, so names outside the ANSI code page resolve too).
std::optional<IPAddr> ResolveIpv4(const std::string& host)
{
    ADDRINFOW hints{};
    hints.ai_family = AF_INET;
    ADDRINFOW* found = nullptr;
    if (GetAddrInfoW(ToWide(host).c_str(), nullptr, &hints, &found) != 0 || !found)
        return std::nullopt;
    std::optional<IPAddr> address;
    for (const ADDRINFOW* entry = found; entry && !address; entry = entry->ai_next)
        if (entry->ai_family == AF_INET && entry->ai_addr)
            address = reinterpret_cast<const sockaddr_in*>(entry->ai_addr)->sin_addr.s_addr;
    FreeAddrInfoW(found);
    return address;
}

}  // namespace

IcmpLibrary& GetIcmpLibrary()
{
    static IcmpLibrary library;
    return library;
}

WinsockScope::WinsockScope()
{
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 0), &data) == 0;
}

WinsockScope::~WinsockScope()
{
    if (started_)
        WSACleanup();
}

int LoadIcmpLibrary()
{
    IcmpLibrary& library = GetIcmpLibrary();
    if (!library.module)
        library.module = LoadLibraryW(L"ICMP.DLL");
    if (!library.module)
        return -1;
    bool complete = LookUp(library.module, "IcmpCreateFile", library.IcmpCreateFile);
    complete = LookUp(library.module, "IcmpCloseHandle", library.IcmpCloseHandle) && complete;
    complete = LookUp(library.module, "IcmpSendEcho", library.IcmpSendEcho) && complete;
    return complete ? 0 : -1;
}

PingResult PingHost(std::string host, std::string& message)
{
    const IcmpLibrary& library = GetIcmpLibrary();
    if (!library.IcmpCreateFile || !library.IcmpCloseHandle || !library.IcmpSendEcho) {
        message = LoadText(IDS_ICMP_NOT_LOADED);
        return PingResult::NoLibrary;
    }
    const std::optional<IPAddr> address = IsReservedInvalidName(host) ? std::nullopt : ResolveIpv4(host);
    if (!address) {
        message = LoadText(IDS_HOST_NOT_FOUND) + " " + host;
        return PingResult::HostNotFound;
    }

    IcmpHandle icmp(library);
    std::unique_ptr<unsigned char[]> reply(new (std::nothrow) unsigned char[kReplyBufferSize]());
    if (!reply) {
        message = LoadText(IDS_OUT_OF_MEMORY);
        return PingResult::OutOfMemory;
    }
    if (!icmp.IsOpen())
        return PingResult::NoReply;
    char payload[kPayloadSize];
    memcpy(payload, kPayload, kPayloadSize);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (library.IcmpSendEcho(icmp.Get(), *address, payload, kPayloadSize, nullptr,
                                 reply.get(), kReplyBufferSize, kTimeoutMs) != 0)
            return PingResult::Replied;
    }
    return PingResult::NoReply;
}
