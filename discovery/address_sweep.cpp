#include <winsock2.h>

#include "discovery/address_sweep.h"

#include <iphlpapi.h>
#include <icmpapi.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

namespace {

constexpr char kPayload[] = "123456789-123456789-123456789-12";
constexpr WORD kPayloadSize = sizeof kPayload - 1;
constexpr DWORD kEchoWaitMs = 500;   // a stop is seen between two echoes
constexpr DWORD kReplyBufferSize = sizeof(ICMP_ECHO_REPLY) + kPayloadSize + 8;

class Sweep {
public:
    Sweep(const CheckContext& control, const AddressRange& range, const SweepSettings& settings,
          const IcmpLibrary& icmp, const std::function<void(uint32_t, size_t)>& onProgress)
        : control_(control), range_(range), settings_(settings), icmp_(icmp), onProgress_(onProgress)
    {
    }
    void Run();
    std::vector<uint32_t> Answered()
    {
        std::sort(answered_.begin(), answered_.end());
        return answered_;
    }

private:
    void Work();
    bool Answers(HANDLE icmp, uint32_t address, unsigned char* reply);

    const CheckContext& control_;
    const AddressRange range_;
    const SweepSettings& settings_;
    const IcmpLibrary& icmp_;
    const std::function<void(uint32_t, size_t)>& onProgress_;
    std::atomic<uint64_t> next_{0};
    std::mutex lock_;   // guards what follows
    std::vector<uint32_t> answered_;
    uint32_t done_ = 0;
};

bool Sweep::Answers(HANDLE icmp, uint32_t address, unsigned char* reply)
{
    const ULONGLONG deadline = GetTickCount64() + settings_.perAddressMs;
    char payload[kPayloadSize];
    memcpy(payload, kPayload, kPayloadSize);
    const IPAddr target = htonl(address);
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (control_.IsStopRequested() || now >= deadline)
            return false;
        const DWORD wait = static_cast<DWORD>(std::min<ULONGLONG>(kEchoWaitMs, deadline - now));
        if (icmp_.IcmpSendEcho(icmp, target, payload, kPayloadSize, nullptr, reply, kReplyBufferSize, wait) != 0 &&
            reinterpret_cast<const ICMP_ECHO_REPLY*>(reply)->Status == IP_SUCCESS)
            return true;
        // A send refused at once (no route) answers no more on a second try.
        if (GetTickCount64() - now + 50 < wait)
            return false;
    }
}

void Sweep::Work()
{
    const HANDLE icmp = icmp_.IcmpCreateFile();
    if (icmp == INVALID_HANDLE_VALUE || !icmp)
        return;
    unsigned char reply[kReplyBufferSize];
    for (;;) {
        const uint64_t index = next_.fetch_add(1);
        if (index >= range_.Count() || control_.IsStopRequested())
            break;
        const uint32_t address = range_.first + static_cast<uint32_t>(index);
        const bool answered = Answers(icmp, address, reply);
        std::lock_guard<std::mutex> guard(lock_);
        if (answered)
            answered_.push_back(address);
        ++done_;
        if (onProgress_)
            onProgress_(done_, answered_.size());
    }
    icmp_.IcmpCloseHandle(icmp);
}

void Sweep::Run()
{
    const unsigned threads = std::max(1u, std::min<unsigned>(settings_.atATime, range_.Count()));
    std::vector<std::thread> workers;
    workers.reserve(threads);
    try {
        for (unsigned index = 0; index < threads; ++index)
            workers.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
        // fewer threads than asked for: those that started take every address
    }
    if (workers.empty())
        Work();
    for (std::thread& worker : workers)
        worker.join();
}

}  // namespace

SweepOutcome SweepRange(const CheckContext& control, const AddressRange& range, const SweepSettings& settings,
                        std::vector<std::string>& answered,
                        const std::function<void(uint32_t done, size_t answered)>& onProgress)
{
    const IcmpLibrary icmp = settings.icmp ? *settings.icmp : LoadIcmpLibrary();
    if (!icmp.IsComplete())
        return SweepOutcome::NoLibrary;
    Sweep sweep(control, range, settings, icmp, onProgress);
    sweep.Run();
    for (uint32_t address : sweep.Answered())
        answered.push_back(AddressText(address));
    return control.IsStopRequested() ? SweepOutcome::Stopped : SweepOutcome::Swept;
}
