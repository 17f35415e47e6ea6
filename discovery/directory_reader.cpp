#include "discovery/directory_reader.h"

#include <windows.h>
#include <dsgetdc.h>
#include <lm.h>
#include <winldap.h>
#define SECURITY_WIN32
#include <sspi.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <system_error>
#include <thread>
#include <unordered_set>

#include "base/narrow.h"
#include "base/text_util.h"
#include "discovery/ldap_library.h"
#include "engine/bounded_call.h"
#include "inventory/computer_list.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

constexpr wchar_t kStartTlsOid[] = L"1.3.6.1.4.1.1466.20037";
constexpr l_timeval kPoll = {0, static_cast<LONG>(kStopPollMs * 1000)};

// Everything the reading threads need, shared with the caller that may leave them.
struct ReadJob {
    DirectorySource source;
    ULONGLONG deadline = 0;
    std::atomic<bool> cancelled{false};
    std::atomic<bool> partEnded{false};   // one half of the read failed: the other leaves its search
};

std::string ErrorText(const LdapLibrary& ldap, ULONG code)
{
    const wchar_t* text = ldap.ErrorText(code);
    return std::to_string(code) + " " + (text ? ToNarrow(text) : std::string());
}

bool IsConnectionError(ULONG code)
{
    return code == LDAP_SERVER_DOWN || code == LDAP_CONNECT_ERROR || code == LDAP_TIMEOUT || code == LDAP_UNAVAILABLE;
}

// This computer's domain controller (its DNS name) through the platform's locator.
bool LocateDomainController(std::wstring& server, std::string& reason)
{
    const SystemLibrary netapi(L"netapi32.dll");
    decltype(&DsGetDcNameW) getDcName = nullptr;
    decltype(&NetApiBufferFree) freeBuffer = nullptr;
    if (!netapi.Find("DsGetDcNameW", getDcName) || !netapi.Find("NetApiBufferFree", freeBuffer)) {
        reason = FillIn(LoadText(IDS_DIRECTORY_NO_DOMAIN), "netapi32.dll");
        return false;
    }
    PDOMAIN_CONTROLLER_INFOW info = nullptr;
    const DWORD error =
        getDcName(nullptr, nullptr, nullptr, nullptr, DS_DIRECTORY_SERVICE_REQUIRED | DS_RETURN_DNS_NAME, &info);
    if (error != ERROR_SUCCESS || !info || !info->DomainControllerName) {
        if (info)
            freeBuffer(info);
        reason = FillIn(LoadText(IDS_DIRECTORY_NO_DOMAIN), std::to_string(error));
        return false;
    }
    server = info->DomainControllerName;
    while (!server.empty() && server[0] == L'\\')
        server.erase(0, 1);
    freeBuffer(info);
    return true;
}

// One connection to the directory and what it reads.
class DirectorySession {
public:
    DirectorySession(const LdapLibrary& ldap, ReadJob& job, DirectoryRead& read)
        : ldap_(ldap), job_(job), read_(read)
    {
    }
    // Connects and signs in, over TLS where the server offers it. The first connection reads
    // the server's root entry (TLS offered, the base where none was given); a further one
    // (`first` given) goes by what the first found.
    DirectoryOutcome Connect(const DirectorySession* first);
    // Reads, page by page, the accounts `filter` finds under the base.
    DirectoryOutcome SearchComputers(const std::wstring& filter);

private:
    DirectoryOutcome Fail(UINT messageId, const std::string& detail)
    {
        read_.message = FillIn(LoadText(messageId), read_.serverText, detail);
        read_.unreachable = messageId == IDS_DIRECTORY_UNREACHABLE;
        return DirectoryOutcome::Failed;
    }
    DirectoryOutcome FailOf(UINT messageId, ULONG code)
    {
        return Fail(IsConnectionError(code) ? IDS_DIRECTORY_UNREACHABLE : messageId, ErrorText(ldap_, code));
    }
    bool Open();
    DirectoryOutcome ReadRoot();
    DirectoryOutcome SignIn();
    // Starts a search and waits for its whole answer.
    DirectoryOutcome Search(PWCHAR base, ULONG scope, PWCHAR filter, PWCHAR* attributes, PLDAPControlW* controls,
                            LdapMessage& answer);
    // Waits for the whole answer to `messageId`, looking at the stop and the deadline.
    DirectoryOutcome Await(ULONG messageId, LdapMessage& answer);
    void Take(LDAPMessage* entry);
    std::wstring Value(LDAPMessage* entry, const wchar_t* attribute);
    std::vector<std::wstring> Values(LDAPMessage* entry, const wchar_t* attribute);

    const LdapLibrary& ldap_;
    ReadJob& job_;
    DirectoryRead& read_;
    std::unique_ptr<LdapConnection> connection_;
    bool offersTls_ = false;
    TIME_ZONE_INFORMATION zone_{};   // this computer's, looked up once for every entry's times
};

bool DirectorySession::Open()
{
    DirectorySource& source = job_.source;
    LDAP* handle = source.ldaps ? ldap_.SslInit(source.server.data(), source.Port(), 1)
                                : ldap_.Init(source.server.data(), source.Port());
    if (!handle)
        return false;
    connection_ = std::make_unique<LdapConnection>(ldap_, handle);
    ULONG version = LDAP_VERSION3;
    ldap_.SetOption(handle, LDAP_OPT_PROTOCOL_VERSION, &version);
    // A domain's root answers with referrals to its other partitions: never followed.
    ldap_.SetOption(handle, LDAP_OPT_REFERRALS, LDAP_OPT_OFF);
    return true;
}

DirectoryOutcome DirectorySession::Await(ULONG messageId, LdapMessage& answer)
{
    for (;;) {
        if (job_.cancelled.load() || job_.partEnded.load())
            break;
        if (GetTickCount64() >= job_.deadline) {
            ldap_.Abandon(connection_->Get(), messageId);
            return DirectoryOutcome::TimedOut;
        }
        l_timeval wait = kPoll;
        const ULONG got = ldap_.Result(connection_->Get(), messageId, LDAP_MSG_ALL, &wait, answer.Receive());
        if (got == static_cast<ULONG>(-1))
            return Fail(IDS_DIRECTORY_UNREACHABLE, ErrorText(ldap_, LDAP_SERVER_DOWN));
        if (got != 0)
            return DirectoryOutcome::Read;
    }
    ldap_.Abandon(connection_->Get(), messageId);
    return DirectoryOutcome::Stopped;
}

DirectoryOutcome DirectorySession::Search(PWCHAR base, ULONG scope, PWCHAR filter, PWCHAR* attributes,
                                          PLDAPControlW* controls, LdapMessage& answer)
{
    ULONG messageId = 0;
    const ULONG code =
        ldap_.SearchExt(connection_->Get(), base, scope, filter, attributes, 0, controls, nullptr, 0, 0, &messageId);
    if (code != LDAP_SUCCESS)
        return FailOf(IDS_DIRECTORY_SEARCH_FAILED, code);
    return Await(messageId, answer);
}

// The server's root entry: whether it offers StartTLS, and its naming context where no
// base was given.
DirectoryOutcome DirectorySession::ReadRoot()
{
    PWCHAR attributes[] = {const_cast<PWCHAR>(L"defaultNamingContext"), const_cast<PWCHAR>(L"namingContexts"),
                           const_cast<PWCHAR>(L"supportedExtension"), nullptr};
    LdapMessage answer(ldap_);
    const DirectoryOutcome outcome = Search(const_cast<PWCHAR>(L""), LDAP_SCOPE_BASE,
                                            const_cast<PWCHAR>(L"(objectClass=*)"), attributes, nullptr, answer);
    if (outcome != DirectoryOutcome::Read)
        return outcome;
    LDAPMessage* root = ldap_.FirstEntry(connection_->Get(), answer.Get());
    if (!root)
        return DirectoryOutcome::Read;   // a root hidden from anonymous readers: no TLS offered, base needed
    for (const std::wstring& extension : Values(root, L"supportedExtension"))
        offersTls_ = offersTls_ || extension == kStartTlsOid;
    if (job_.source.baseDn.empty()) {
        job_.source.baseDn = Value(root, L"defaultNamingContext");
        if (job_.source.baseDn.empty())
            job_.source.baseDn = Value(root, L"namingContexts");
    }
    return DirectoryOutcome::Read;
}

DirectoryOutcome DirectorySession::SignIn()
{
    const Credentials& credentials = job_.source.credentials;
    ULONG code = LDAP_SUCCESS;
    // A distinguished name or user@domain signs in with its password as it is (simple
    // bind); anything else, and no account, with Negotiate as Windows does.
    if (!credentials.Empty() && credentials.user.find_first_of(L"=@") != std::wstring::npos) {
        std::wstring user = credentials.user;
        std::wstring password(credentials.password.Get(), credentials.password.Length());
        code = ldap_.SimpleBind(connection_->Get(), user.data(), password.data());
        SecureZeroMemory(password.data(), password.size() * sizeof(wchar_t));
        return code == LDAP_SUCCESS ? DirectoryOutcome::Read : FailOf(IDS_DIRECTORY_BIND_FAILED, code);
    }
    if (credentials.Empty()) {
        code = ldap_.Bind(connection_->Get(), nullptr, nullptr, LDAP_AUTH_NEGOTIATE);
    } else {
        std::wstring account = credentials.Account();
        std::wstring domain = credentials.Domain();
        std::wstring password(credentials.password.Get(), credentials.password.Length());
        SEC_WINNT_AUTH_IDENTITY_W identity{};
        identity.User = reinterpret_cast<unsigned short*>(account.data());
        identity.UserLength = static_cast<unsigned long>(account.size());
        identity.Domain = reinterpret_cast<unsigned short*>(domain.data());
        identity.DomainLength = static_cast<unsigned long>(domain.size());
        identity.Password = reinterpret_cast<unsigned short*>(password.data());
        identity.PasswordLength = static_cast<unsigned long>(password.size());
        identity.Flags = SEC_WINNT_AUTH_IDENTITY_UNICODE;
        code = ldap_.Bind(connection_->Get(), nullptr, reinterpret_cast<PWCHAR>(&identity), LDAP_AUTH_NEGOTIATE);
        SecureZeroMemory(password.data(), password.size() * sizeof(wchar_t));
    }
    if (code == LDAP_SUCCESS)
        return DirectoryOutcome::Read;
    return IsConnectionError(code) ? FailOf(IDS_DIRECTORY_UNREACHABLE, code)
                                   : Fail(IDS_DIRECTORY_NEGOTIATE_FAILED, ErrorText(ldap_, code));
}

std::vector<std::wstring> DirectorySession::Values(LDAPMessage* entry, const wchar_t* attribute)
{
    std::vector<std::wstring> values;
    PWCHAR* found = ldap_.GetValues(connection_->Get(), entry, const_cast<PWCHAR>(attribute));
    if (!found)
        return values;
    for (PWCHAR* value = found; *value; ++value)
        values.emplace_back(*value);
    ldap_.ValueFree(found);
    return values;
}

std::wstring DirectorySession::Value(LDAPMessage* entry, const wchar_t* attribute)
{
    std::vector<std::wstring> values = Values(entry, attribute);
    return values.empty() ? std::wstring() : std::move(values.front());
}

void DirectorySession::Take(LDAPMessage* entry)
{
    FoundComputer computer;
    PWCHAR dn = ldap_.GetDn(connection_->Get(), entry);
    if (dn) {
        computer.distinguishedName = ToNarrow(dn);
        ldap_.MemFree(dn);
    }
    computer.dnsName = ToNarrow(Value(entry, L"dNSHostName"));
    computer.operatingSystem = ToNarrow(Value(entry, L"operatingSystem"));
    computer.osVersion = ToNarrow(Value(entry, L"operatingSystemVersion"));
    std::wstring logon = Value(entry, L"lastLogonTimestamp");
    computer.lastLogon = FileTimeText(logon.empty() ? Value(entry, L"pwdLastSet") : logon, &zone_);
    computer.name = TrimWhiteSpace(computer.dnsName.empty() ? ToNarrow(Value(entry, L"cn")) : computer.dnsName);
    std::string reason;
    if (computer.name.empty() || computer.name == ".") {
        reason = LoadText(IDS_DIRECTORY_NO_NAME);
    } else if (CheckComputerName(computer.name, reason)) {
        read_.computers.push_back(std::move(computer));
        return;
    }
    ++read_.refused;
    read_.notices.push_back(FillIn(LoadText(IDS_DIRECTORY_ENTRY_REFUSED), computer.distinguishedName, reason));
}

DirectoryOutcome DirectorySession::SearchComputers(const std::wstring& filterText)
{
    std::wstring filter = filterText;
    PWCHAR attributes[] = {const_cast<PWCHAR>(L"cn"), const_cast<PWCHAR>(L"dNSHostName"),
                           const_cast<PWCHAR>(L"operatingSystem"), const_cast<PWCHAR>(L"operatingSystemVersion"),
                           const_cast<PWCHAR>(L"lastLogonTimestamp"), const_cast<PWCHAR>(L"pwdLastSet"), nullptr};
    berval* cookie = nullptr;
    struct CookieOwner {
        const LdapLibrary& ldap;
        berval*& cookie;
        ~CookieOwner()
        {
            if (cookie)
                ldap.BerValueFree(cookie);
        }
    } cookieOwner{ldap_, cookie};
    do {
        PLDAPControlW page = nullptr;
        ULONG code = ldap_.CreatePageControl(connection_->Get(), kDirectoryPageSize, cookie, 1, &page);
        if (code != LDAP_SUCCESS)
            return FailOf(IDS_DIRECTORY_SEARCH_FAILED, code);
        PLDAPControlW controls[] = {page, nullptr};
        LdapMessage answer(ldap_);
        const DirectoryOutcome outcome =
            Search(job_.source.baseDn.data(), LDAP_SCOPE_SUBTREE, filter.data(), attributes, controls, answer);
        ldap_.ControlFree(page);
        if (outcome != DirectoryOutcome::Read)
            return outcome;
        ULONG result = LDAP_SUCCESS;
        PLDAPControlW* returned = nullptr;
        code = ldap_.ParseResult(connection_->Get(), answer.Get(), &result, nullptr, nullptr, nullptr, &returned, FALSE);
        if (code == LDAP_SUCCESS && result != LDAP_SUCCESS)
            code = result;
        if (code != LDAP_SUCCESS) {
            if (returned)
                ldap_.ControlsFree(returned);
            return FailOf(IDS_DIRECTORY_SEARCH_FAILED, code);
        }
        for (LDAPMessage* entry = ldap_.FirstEntry(connection_->Get(), answer.Get()); entry;
             entry = ldap_.NextEntry(connection_->Get(), entry))
            Take(entry);
        if (cookie)
            ldap_.BerValueFree(cookie);
        cookie = nullptr;
        ULONG total = 0;
        // No page control in the answer: the server handed out everything at once.
        if (returned) {
            ldap_.ParsePageControl(connection_->Get(), returned, &total, &cookie);
            ldap_.ControlsFree(returned);
        }
    } while (cookie && cookie->bv_len > 0 && cookie->bv_val);
    return DirectoryOutcome::Read;
}

DirectoryOutcome DirectorySession::Connect(const DirectorySession* first)
{
    GetTimeZoneInformation(&zone_);
    read_.serverText = job_.source.Text();
    if (!Open())
        return Fail(IDS_DIRECTORY_UNREACHABLE, "");
    if (first) {
        offersTls_ = first->offersTls_;
    } else {
        const DirectoryOutcome outcome = ReadRoot();
        if (outcome != DirectoryOutcome::Read)
            return outcome;
    }
    if (!job_.source.ldaps) {
        if (offersTls_) {
            ULONG serverCode = 0;
            const ULONG code = ldap_.StartTls(connection_->Get(), &serverCode, nullptr, nullptr, nullptr);
            if (code != LDAP_SUCCESS)
                return Fail(IDS_DIRECTORY_TLS_FAILED, ErrorText(ldap_, code));
        } else if (!first) {
            read_.notices.push_back(FillIn(LoadText(IDS_DIRECTORY_NO_TLS), read_.serverText));
        }
    }
    const DirectoryOutcome outcome = SignIn();
    if (outcome != DirectoryOutcome::Read)
        return outcome;
    if (job_.source.baseDn.empty())
        return Fail(IDS_DIRECTORY_NO_BASE, "");
    read_.serverText = job_.source.Text();
    return DirectoryOutcome::Read;
}

// What the second connection read, added to the first's; an account both found (moved
// while the halves were read) is kept once.
void TakeOver(DirectoryRead& read, DirectoryRead& other)
{
    std::unordered_set<std::string> seen;
    for (const FoundComputer& computer : read.computers)
        seen.insert(computer.distinguishedName);
    for (FoundComputer& computer : other.computers) {
        if (seen.insert(computer.distinguishedName).second)
            read.computers.push_back(std::move(computer));
    }
    read.notices.insert(read.notices.end(), other.notices.begin(), other.notices.end());
    read.refused += other.refused;
}

// One half of the accounts on a session's connection; a half that does not read to its end
// makes the other leave its search.
DirectoryOutcome ReadHalf(DirectorySession& session, ReadJob& job, const std::wstring& filter, int half)
{
    DirectoryOutcome outcome = DirectoryOutcome::Failed;
    try {
        outcome = session.SearchComputers(FilterHalf(filter, half));
    } catch (...) {
        outcome = DirectoryOutcome::Failed;
    }
    if (outcome != DirectoryOutcome::Read)
        job.partEnded = true;
    return outcome;
}

// The enabled accounts under the base, read in two halves on two connections at once: the
// client library spends a fixed number of round trips on every entry (a socket poll, two
// reads, its locks), and a second connection reads while the first waits. Where no second
// connection can be made, the first reads the whole.
DirectoryOutcome ReadHalves(const LdapLibrary& ldap, ReadJob& job, DirectoryRead& read)
{
    if (job.source.server.empty() && !LocateDomainController(job.source.server, read.message)) {
        read.unreachable = true;
        return DirectoryOutcome::Failed;
    }
    DirectorySession first(ldap, job, read);
    DirectoryOutcome outcome = first.Connect(nullptr);
    if (outcome != DirectoryOutcome::Read)
        return outcome;
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const unsigned long long nowUnits = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    const unsigned long long since = job.source.activeDays > 0 ? FileTimeDaysBefore(nowUnits, job.source.activeDays) : 0;
    const std::wstring filter = ComputerFilter(job.source, since);

    DirectoryRead otherRead;
    DirectorySession other(ldap, job, otherRead);
    if (other.Connect(&first) != DirectoryOutcome::Read)
        return first.SearchComputers(filter);
    DirectoryOutcome otherOutcome = DirectoryOutcome::Failed;
    std::thread reader;
    try {
        reader = std::thread([&] { otherOutcome = ReadHalf(other, job, filter, 1); });
    } catch (const std::system_error&) {
        return first.SearchComputers(filter);
    }
    outcome = ReadHalf(first, job, filter, 0);
    reader.join();
    if (outcome == DirectoryOutcome::Read && otherOutcome == DirectoryOutcome::Read) {
        TakeOver(read, otherRead);
        return DirectoryOutcome::Read;
    }
    // The half that failed first stopped the other one: its outcome tells what happened.
    const bool otherEndedFirst = outcome == DirectoryOutcome::Read ||
                                 (outcome == DirectoryOutcome::Stopped && !job.cancelled &&
                                  otherOutcome != DirectoryOutcome::Stopped);
    if (!otherEndedFirst)
        return outcome;
    read.message = otherRead.message;
    read.unreachable = otherRead.unreachable;
    return otherOutcome;
}

// The accounts in the order of their names, whichever connection read them.
DirectoryOutcome ReadAccounts(const LdapLibrary& ldap, ReadJob& job, DirectoryRead& read)
{
    const DirectoryOutcome outcome = ReadHalves(ldap, job, read);
    if (outcome == DirectoryOutcome::Read)
        std::stable_sort(read.computers.begin(), read.computers.end(),
                         [](const FoundComputer& a, const FoundComputer& b) {
                             return _stricmp(a.name.c_str(), b.name.c_str()) < 0;
                         });
    return outcome;
}

}  // namespace

DirectoryOutcome ReadDirectory(const CheckContext& check, const DirectorySource& source, DirectoryRead& read)
{
    read = DirectoryRead{};
    read.serverText = source.Text();
    auto ldap = std::make_shared<const LdapLibrary>(LoadLdapLibrary());
    if (!ldap->IsComplete()) {
        read.message = LoadText(IDS_DIRECTORY_NO_LIBRARY);
        return DirectoryOutcome::Failed;
    }
    auto job = std::make_shared<ReadJob>();
    job->source = source;
    job->deadline = GetTickCount64() + check.Limits().queryTimeLimitMs;
    struct Answer {
        DirectoryOutcome outcome = DirectoryOutcome::Failed;
        DirectoryRead read;
    };
    Answer answer;
    const CallWait wait = CallBounded(check, job->deadline, [ldap, job] {
        Answer made;
        made.outcome = ReadAccounts(*ldap, *job, made.read);
        return made;
    }, answer);
    if (wait == CallWait::Done) {
        read = std::move(answer.read);
        if (read.serverText.empty())
            read.serverText = source.Text();
        if (answer.outcome == DirectoryOutcome::TimedOut)
            read.message = FillIn(LoadText(IDS_DIRECTORY_TIMED_OUT), read.serverText,
                                  std::to_string((check.Limits().queryTimeLimitMs + 999) / 1000));
        return answer.outcome;
    }
    job->cancelled = true;   // the thread abandons its search at its next look
    if (wait == CallWait::Stopped) {
        read.message = LoadText(IDS_DIRECTORY_STOPPED);
        return DirectoryOutcome::Stopped;
    }
    read.message = FillIn(LoadText(IDS_DIRECTORY_TIMED_OUT), read.serverText,
                          std::to_string((check.Limits().queryTimeLimitMs + 999) / 1000));
    return DirectoryOutcome::TimedOut;
}
