// Winsock must come before windows.h.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "engine/icmp_probe.h"

#include <iphlpapi.h>
#include <icmpapi.h>

#include <algorithm>
#include <memory>
#include <new>
#include <optional>

#include "base/narrow.h"
#include "base/text_util.h"
#include "engine/bounded_call.h"
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

// Winsock for the thread that resolves a name, for the length of a scope; a start that
// failed is not cleaned up.
class WinsockScope {
public:
    WinsockScope()
    {
        WSADATA data;
        started_ = WSAStartup(MAKEWORD(2, 0), &data) == 0;
    }
    WinsockScope(const WinsockScope&) = delete;
    WinsockScope& operator=(const WinsockScope&) = delete;
    ~WinsockScope()
    {
        if (started_)
            WSACleanup();
    }

private:
    bool started_ = false;
};

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
    WinsockScope winsock;
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

// A name lookup that takes longer than the limit says so: the computer may well exist.
std::string NotResolvedText(const CheckContext& check, const std::string& host)
{
    return FillIn(LoadText(IDS_NAME_NOT_RESOLVED_IN_TIME), host,
                  std::to_string((check.Limits().queryTimeLimitMs + 999) / 1000));
}

// Sends the echo requests, each waiting at most a second and never past `deadline`;
// between them the stop flag is looked at.
PingResult SendEchoes(const CheckContext& check, const IcmpLibrary& library, IPAddr address, ULONGLONG deadline,
                      std::string& message)
{
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
        if (check.IsStopRequested())
            return PingResult::Stopped;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            break;
        const DWORD timeout = static_cast<DWORD>(std::min<ULONGLONG>(kTimeoutMs, deadline - now));
        if (library.IcmpSendEcho(icmp.Get(), address, payload, kPayloadSize, nullptr, reply.get(), kReplyBufferSize,
                                 timeout) != 0)
            return PingResult::Replied;
    }
    return check.IsStopRequested() ? PingResult::Stopped : PingResult::NoReply;
}

}  // namespace

IcmpLibrary LoadIcmpLibrary()
{
    IcmpLibrary library;
    // IPHLPAPI.DLL itself: ICMP.DLL only forwards these entries to it, and a forwarded
    // export is looked up by the DLL's bare name, the program's own folder first.
    auto module = std::make_shared<const SystemLibrary>(L"iphlpapi.dll");
    if (!module->IsLoaded())
        return library;
    module->Find("IcmpCreateFile", library.IcmpCreateFile);
    module->Find("IcmpCloseHandle", library.IcmpCloseHandle);
    module->Find("IcmpSendEcho", library.IcmpSendEcho);
    library.module = std::move(module);
    return library;
}

PingResult PingHost(const CheckContext& check, std::string& message)
{
    const ULONGLONG deadline = GetTickCount64() + check.Limits().queryTimeLimitMs;
    const std::string host = TrimWhiteSpace(check.Host());
    const IcmpLibrary library = check.Connector().icmp ? *check.Connector().icmp : LoadIcmpLibrary();
    if (!library.IsComplete()) {
        message = LoadText(IDS_ICMP_NOT_LOADED);
        return PingResult::NoLibrary;
    }
    std::optional<IPAddr> address;
    if (!IsReservedInvalidName(host)) {
        switch (CallBounded(check, deadline, [host] { return ResolveIpv4(host); }, address)) {
        case CallWait::Stopped:
            return PingResult::Stopped;
        case CallWait::TimedOut:
            message = NotResolvedText(check, host);
            return PingResult::NotResolvedInTime;
        case CallWait::Done:
            break;
        }
    }
    if (!address) {
        message = TextNaming(IDS_HOST_NOT_FOUND, host);
        return PingResult::HostNotFound;
    }
    return SendEchoes(check, library, *address, deadline, message);
}
