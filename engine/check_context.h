// One check as an object: the computer it reads, its stop flag, its progress line, whoever
// shows its results, and how it reaches WMI. The drivers, the query executors and the
// decoders that need the target receive it; two checks of one process never share one.
#pragma once
#include <windows.h>
#include <wbemidl.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "engine/credentials.h"
#include "engine/icmp_library.h"

class SurveyReporter;

// How long a check waits for a computer that does not answer. A waiting check looks at its
// stop flag at least every kStopPollMs, so that Stop takes effect within a second.
inline constexpr DWORD kStopPollMs = 250;
// Connecting, querying and reading one query of a check, at the most.
inline constexpr DWORD kDefaultQueryTimeLimitMs = 120000;

// What kept a check from reading everything, by kind, for those who sort the outcomes of
// many checks. The reporter still receives the message to show.
enum class CheckProblem { None, BrokeOff, NoAnswer, AccessDenied, WmiError };

struct CheckProblemNote {
    CheckProblem kind = CheckProblem::None;
    HRESULT code = S_OK;   // S_OK for a problem without a code (no answer in time)
    std::string message;   // the message without the code and its description
};

struct CheckLimits {
    DWORD queryTimeLimitMs = kDefaultQueryTimeLimitMs;
};

// How often those who show a running check's progress line read it.
inline constexpr DWORD kProgressPeriodMs = 250;

// The progress line of a running check. The worker writes it, the user interface reads
// it from its timer; the lock keeps a reader from seeing a half-written text.
class SharedText {
public:
    void Set(std::string text);
    std::string Get() const;
    void Clear() { Set({}); }

private:
    mutable std::mutex lock_;
    std::string text_;
};

// How a check reaches its computer: where its WMI objects come from, how the domain
// controller is found, and the entry points of its ping. Every empty member means the
// system's own: the WbemLocator, CoInitializeSecurity, DsGetDcNameW, IPHLPAPI.DLL loaded from
// the system folder for each ping. Tests put providers of their own here, one per check.
struct WmiConnector {
    using LocatorFactory = std::function<HRESULT(IWbemLocator** locator)>;
    using ComSecurityInitializer = std::function<HRESULT()>;
    // False when the computer's domain has no reachable controller; otherwise the
    // controller's name and address.
    using DomainControllerLookup =
        std::function<bool(const std::string& computer, std::string& name, std::string& address)>;

    LocatorFactory createLocator;
    ComSecurityInitializer initializeSecurity;
    DomainControllerLookup lookUpDomainController;
    std::optional<IcmpLibrary> icmp;
};

class CheckContext {
public:
    // `host`: trimmed computer name, empty for the local computer. `reporter` may be null:
    // messages then go to a plain message box and rows nowhere.
    explicit CheckContext(std::string host = {}, SurveyReporter* reporter = nullptr,
                          WmiConnector connector = {});
    CheckContext(const CheckContext&) = delete;
    CheckContext& operator=(const CheckContext&) = delete;

    const std::string& Host() const { return host_; }
    SurveyReporter* Reporter() const { return reporter_; }
    const WmiConnector& Connector() const { return connector_; }

    // Another account to connect as (only for a named computer); none by default.
    void SetCredentials(Credentials credentials) { credentials_ = std::move(credentials); }
    const Credentials& AccountCredentials() const { return credentials_; }
    void SetLimits(CheckLimits limits) { limits_ = limits; }
    const CheckLimits& Limits() const { return limits_; }

    bool IsStopRequested() const { return stopRequested_.load(std::memory_order_relaxed); }
    void RequestStop() { stopRequested_ = true; }

    // Notes a problem of the check: the first failure is kept; a reading that broke off
    // counts only while nothing failed.
    void NoteProblem(CheckProblemNote note);
    CheckProblemNote Problem() const;
    // Puts back a problem taken with Problem(): a question of the check's own that may fail
    // without being the check's failure.
    void RestoreProblem(CheckProblemNote note);

    // The computer's own name and domain as the check read them (ReadComputerIdentity), for
    // those who keep the check; written and read on the check's thread.
    void SetComputerIdentity(std::string name, std::string domain)
    {
        computerName_ = std::move(name);
        computerDomain_ = std::move(domain);
    }
    const std::string& ComputerName() const { return computerName_; }
    const std::string& ComputerDomain() const { return computerDomain_; }

    SharedText& Progress() { return progress_; }
    const SharedText& Progress() const { return progress_; }

    // Shows a message through the reporter (a plain message box without one); returns the
    // button chosen.
    int ShowMessage(const std::string& text, UINT flags) const;

private:
    std::string host_;
    SurveyReporter* reporter_;
    WmiConnector connector_;
    Credentials credentials_;
    CheckLimits limits_;
    std::atomic<bool> stopRequested_{false};
    SharedText progress_;
    mutable std::mutex problemLock_;
    CheckProblemNote problem_;
    std::string computerName_, computerDomain_;
};
