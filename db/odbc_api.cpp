#include "db/odbc_api.h"

#include <utility>
#include <vector>

#include "base/narrow.h"
#include "base/text_util.h"

namespace {

template <class Function>
bool Resolve(HMODULE module, const char* name, Function& function, DbError& error)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (function)
        return true;
    error.failure = DbFailure::CannotOpen;
    error.code = static_cast<long long>(GetLastError());
    error.message = "odbc32.dll: no ";
    error.message += name;
    return false;
}

// The end of an attribute's value that starts at `at`: a value in braces runs to its
// closing brace, any other to the next ";", line break or end.
size_t ValueEnd(const std::string& text, size_t at)
{
    if (at < text.size() && text[at] == '{') {
        // "}}" stands for one "}" inside the braces.
        for (size_t close = text.find('}', at); close != std::string::npos; close = text.find('}', close + 2))
            if (close + 1 >= text.size() || text[close + 1] != '}')
                return close + 1;
        return text.size();
    }
    const size_t end = text.find_first_of(";\r\n", at);
    return end == std::string::npos ? text.size() : end;
}

bool StartsWithNoCase(const std::string& text, size_t at, const char* word)
{
    for (size_t i = 0; word[i]; ++i)
        if (at + i >= text.size() || std::tolower(static_cast<unsigned char>(text[at + i])) != word[i])
            return false;
    return true;
}

}  // namespace

OdbcApi::~OdbcApi()
{
    if (module_)
        FreeLibrary(module_);
}

std::shared_ptr<const OdbcApi> OdbcApi::Load(DbError& error)
{
    auto api = std::make_shared<OdbcApi>();
    api->module_ = LoadLibraryExW(L"odbc32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!api->module_ && GetLastError() == ERROR_INVALID_PARAMETER) {
        // Windows 7 without the update that brought the flag: the system folder by its path.
        std::wstring path(MAX_PATH, L'\0');
        path.resize(GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size())));
        if (!path.empty())
            api->module_ = LoadLibraryExW((path + L"\\odbc32.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
    if (!api->module_) {
        error = {DbFailure::CannotOpen, static_cast<long long>(GetLastError()), "odbc32.dll cannot be loaded"};
        return nullptr;
    }
    const bool all = Resolve(api->module_, "SQLAllocHandle", api->AllocHandle, error) &&
                     Resolve(api->module_, "SQLFreeHandle", api->FreeHandle, error) &&
                     Resolve(api->module_, "SQLSetEnvAttr", api->SetEnvAttr, error) &&
                     Resolve(api->module_, "SQLSetConnectAttrW", api->SetConnectAttr, error) &&
                     Resolve(api->module_, "SQLGetConnectAttrW", api->GetConnectAttr, error) &&
                     Resolve(api->module_, "SQLDriverConnectW", api->DriverConnect, error) &&
                     Resolve(api->module_, "SQLDisconnect", api->Disconnect, error) &&
                     Resolve(api->module_, "SQLEndTran", api->EndTran, error) &&
                     Resolve(api->module_, "SQLPrepareW", api->Prepare, error) &&
                     Resolve(api->module_, "SQLExecDirectW", api->ExecDirect, error) &&
                     Resolve(api->module_, "SQLExecute", api->Execute, error) &&
                     Resolve(api->module_, "SQLMoreResults", api->MoreResults, error) &&
                     Resolve(api->module_, "SQLBindParameter", api->BindParameter, error) &&
                     Resolve(api->module_, "SQLNumResultCols", api->NumResultCols, error) &&
                     Resolve(api->module_, "SQLDescribeColW", api->DescribeCol, error) &&
                     Resolve(api->module_, "SQLFetch", api->Fetch, error) &&
                     Resolve(api->module_, "SQLGetData", api->GetData, error) &&
                     Resolve(api->module_, "SQLFreeStmt", api->FreeStmt, error) &&
                     Resolve(api->module_, "SQLGetDiagRecW", api->GetDiagRec, error) &&
                     Resolve(api->module_, "SQLCancel", api->Cancel, error);
    return all ? api : nullptr;
}

OdbcHandle& OdbcHandle::operator=(OdbcHandle&& other) noexcept
{
    if (this != &other) {
        Free();
        api_ = std::move(other.api_);
        type_ = other.type_;
        handle_ = std::exchange(other.handle_, nullptr);
        connected_ = std::exchange(other.connected_, false);
    }
    return *this;
}

OdbcHandle OdbcHandle::Allocate(const std::shared_ptr<const OdbcApi>& api, SQLSMALLINT type, SQLHANDLE parent)
{
    SQLHANDLE handle = SQL_NULL_HANDLE;
    if (!SQL_SUCCEEDED(api->AllocHandle(type, parent, &handle)))
        return {};
    return OdbcHandle(api, type, handle);
}

void OdbcHandle::Free()
{
    if (!handle_)
        return;
    if (connected_)
        api_->Disconnect(handle_);
    api_->FreeHandle(type_, handle_);
    handle_ = nullptr;
    connected_ = false;
}

DbFailure OdbcFailureOf(const std::string& sqlState, const std::string& message)
{
    const std::string kind = sqlState.substr(0, 2);
    if (sqlState == "08001" || sqlState == "08004") {
        // The PostgreSQL driver tells every refused connection alike; the server's words
        // (when it answered at all) say why.
        for (const char* login : {"authentication failed", "no pg_hba.conf entry", "password"})
            if (message.find(login) != std::string::npos)
                return DbFailure::Login;
        if (message.find("FATAL") != std::string::npos)
            return DbFailure::CannotOpen;   // answered, and refused this database
        return DbFailure::Connection;
    }
    if (sqlState == "40001" || sqlState == "40P01" || sqlState == "55P03" || sqlState == "HYT00")
        return DbFailure::Busy;   // serialisation failure, deadlock, lock not available, time-out
    if (sqlState == "53100")
        return DbFailure::Full;
    if (sqlState == "25006")
        return DbFailure::ReadOnly;   // a read-only transaction (a standby server, a read-only setting)
    if (sqlState == "3D000" || sqlState == "IM002" || sqlState == "IM003")
        return DbFailure::CannotOpen;   // no such database, no such data source or driver
    if (sqlState == "57014")   // cancelled: on request, or by the statement's time limit
        return message.find("timeout") != std::string::npos ? DbFailure::TimedOut : DbFailure::Interrupted;
    if (sqlState == "HY008")
        return DbFailure::Interrupted;
    if (kind == "08" || kind == "57" || sqlState == "HYT01")
        return DbFailure::Connection;   // connection failures, server shut down, connection time-out
    if (kind == "28")
        return DbFailure::Login;
    if (kind == "23")
        return DbFailure::Constraint;
    if (kind == "42")
        return DbFailure::Syntax;
    return DbFailure::Other;
}

std::string WithoutSecret(std::string text, const std::string& secret)
{
    for (const char* word : {"pwd", "password"}) {
        for (size_t at = 0; at < text.size(); ++at) {
            if (!StartsWithNoCase(text, at, word))
                continue;
            size_t equals = at + std::char_traits<char>::length(word);
            while (equals < text.size() && text[equals] == ' ')
                ++equals;
            if (equals >= text.size() || text[equals] != '=')
                continue;
            text.replace(equals + 1, ValueEnd(text, equals + 1) - equals - 1, "***");
        }
    }
    // A password echoed on its own (shorter ones are too common as parts of words to hide).
    if (secret.size() >= 4)
        for (size_t at = text.find(secret); at != std::string::npos; at = text.find(secret, at + 3))
            text.replace(at, secret.size(), "***");
    return text;
}

DbError OdbcDiagnostics(const OdbcApi& api, const OdbcHandle& handle, const std::string& secret)
{
    DbError error{DbFailure::Other, 0, {}};
    std::string state;
    for (SQLSMALLINT record = 1; record <= 4; ++record) {
        SQLWCHAR sqlState[6] = {};
        SQLINTEGER native = 0;
        std::vector<SQLWCHAR> message(512);
        SQLSMALLINT length = 0;
        SQLRETURN rc = SQL_ERROR;
        for (int attempt = 0; attempt < 2; ++attempt) {   // again with room for a longer message
            rc = api.GetDiagRec(handle.Type(), handle.Get(), record, sqlState, &native, message.data(),
                                static_cast<SQLSMALLINT>(message.size()), &length);
            if (!SQL_SUCCEEDED(rc) || length < static_cast<SQLSMALLINT>(message.size()))
                break;
            message.assign(static_cast<size_t>(length) + 1, 0);
        }
        if (!SQL_SUCCEEDED(rc))
            break;
        const std::string text = TrimWhiteSpace(ToNarrow(reinterpret_cast<const wchar_t*>(message.data())));
        if (record == 1) {
            state = ToNarrow(reinterpret_cast<const wchar_t*>(sqlState));
            error.code = native;
        }
        if (!text.empty() && error.message.find(text) == std::string::npos)
            error.message += (error.message.empty() ? "" : "\n") + text;
    }
    if (!state.empty()) {
        error.failure = OdbcFailureOf(state, error.message);
        error.message = "[" + state + "] " + error.message;
    }
    if (error.message.empty())
        error.message = "ODBC";
    error.message = WithoutSecret(error.message, secret);
    return error;
}
