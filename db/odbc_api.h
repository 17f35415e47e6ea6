// The functions of the Windows ODBC driver manager, taken from odbc32.dll at run time and
// from the system folder only (a DLL of that name beside the program is never loaded), and
// owners for its handles. Wide functions only: texts cross as UTF-16.
#pragma once
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <memory>
#include <string>

#include "db/database.h"

struct OdbcApi {
    decltype(&::SQLAllocHandle) AllocHandle = nullptr;
    decltype(&::SQLFreeHandle) FreeHandle = nullptr;
    decltype(&::SQLSetEnvAttr) SetEnvAttr = nullptr;
    decltype(&::SQLSetConnectAttrW) SetConnectAttr = nullptr;
    decltype(&::SQLGetConnectAttrW) GetConnectAttr = nullptr;
    decltype(&::SQLDriverConnectW) DriverConnect = nullptr;
    decltype(&::SQLDisconnect) Disconnect = nullptr;
    decltype(&::SQLEndTran) EndTran = nullptr;
    decltype(&::SQLPrepareW) Prepare = nullptr;
    decltype(&::SQLExecDirectW) ExecDirect = nullptr;
    decltype(&::SQLExecute) Execute = nullptr;
    decltype(&::SQLMoreResults) MoreResults = nullptr;
    decltype(&::SQLBindParameter) BindParameter = nullptr;
    decltype(&::SQLNumResultCols) NumResultCols = nullptr;
    decltype(&::SQLDescribeColW) DescribeCol = nullptr;
    decltype(&::SQLFetch) Fetch = nullptr;
    decltype(&::SQLGetData) GetData = nullptr;
    decltype(&::SQLFreeStmt) FreeStmt = nullptr;
    decltype(&::SQLGetDiagRecW) GetDiagRec = nullptr;
    decltype(&::SQLCancel) Cancel = nullptr;

    OdbcApi() = default;
    OdbcApi(const OdbcApi&) = delete;
    OdbcApi& operator=(const OdbcApi&) = delete;
    ~OdbcApi();

    // The driver manager's functions; null with `error` set when odbc32.dll or one of them
    // is missing.
    static std::shared_ptr<const OdbcApi> Load(DbError& error);

private:
    HMODULE module_ = nullptr;
};

// One ODBC handle (environment, connection or statement), freed when the owner ends. A
// connection is disconnected first.
class OdbcHandle {
public:
    OdbcHandle() = default;
    OdbcHandle(std::shared_ptr<const OdbcApi> api, SQLSMALLINT type, SQLHANDLE handle)
        : api_(std::move(api)), type_(type), handle_(handle)
    {
    }
    OdbcHandle(OdbcHandle&& other) noexcept { *this = std::move(other); }
    OdbcHandle& operator=(OdbcHandle&& other) noexcept;
    ~OdbcHandle() { Free(); }

    // A new handle of `type` under `parent` (none for an environment); empty on failure.
    static OdbcHandle Allocate(const std::shared_ptr<const OdbcApi>& api, SQLSMALLINT type, SQLHANDLE parent);

    SQLHANDLE Get() const { return handle_; }
    SQLSMALLINT Type() const { return type_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Connected: disconnect before the handle is freed.
    void SetConnected() { connected_ = true; }

private:
    void Free();

    std::shared_ptr<const OdbcApi> api_;
    SQLSMALLINT type_ = 0;
    SQLHANDLE handle_ = nullptr;
    bool connected_ = false;
};

// The failure the diagnostics of `handle` tell: the first record's SQLSTATE sorted into a
// kind, its native code, and the messages of the records, with `secret` (the password)
// never among them.
DbError OdbcDiagnostics(const OdbcApi& api, const OdbcHandle& handle, const std::string& secret);

// The kind of failure of an SQLSTATE (five characters) and its message.
DbFailure OdbcFailureOf(const std::string& sqlState, const std::string& message);

// `text` without `secret` and without any "PWD=..." or "Password=..." it echoes.
std::string WithoutSecret(std::string text, const std::string& secret);
