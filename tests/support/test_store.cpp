#include "tests/support/test_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "store/odbc_database.h"
#include "tests/support/temp_files.h"

bool FindTestServer(TestServer& server)
{
    const char* file = std::getenv("MIREL_TEST_SERVER");
    if (!file || !*file)
        return false;
    std::ifstream lines(file);
    std::string port;
    if (!std::getline(lines, server.location) || !std::getline(lines, port) ||
        !std::getline(lines, server.foreignDatabase)) {
        ADD_FAILURE() << "The test server's file cannot be read: " << file;
        return false;
    }
    server.port = std::atoi(port.c_str());
    return true;
}

std::string WithAttribute(const std::string& location, const std::string& name, const std::string& value)
{
    const size_t at = location.find(";" + name + "=");
    if (at == std::string::npos)
        return location + ";" + name + "=" + value;
    const size_t end = location.find(';', at + 1);
    return location.substr(0, at + name.size() + 2) + value + (end == std::string::npos ? "" : location.substr(end));
}

TestStore::TestStore(const std::string& name)
{
    TestServer server;
    if (!FindTestServer(server)) {
        location_.path = TempPath(name);
        DeleteFileA(location_.path.c_str());
        return;
    }
    ParseStoreLocation(server.location, location_);
    DbError error;
    std::unique_ptr<Database> database = OpenOdbcDatabase(location_.connection, 10, error);
    if (!database || !database->Execute("DROP SCHEMA public CASCADE; CREATE SCHEMA public"))
        ADD_FAILURE() << "The test server's database cannot be emptied: "
                      << (database ? database->LastError().message : error.message);
}

TestStore::~TestStore()
{
    if (!OnServer())
        for (const char* suffix : {"", "-wal", "-shm"})
            DeleteFileA((location_.path + suffix).c_str());
}

std::unique_ptr<InventoryStore> TestStore::Open(StoreAccess access) const
{
    std::string message;
    StoreOpenFailure failure;
    std::unique_ptr<InventoryStore> store = InventoryStore::Open(location_, access, 10, message, failure);
    if (!store)
        ADD_FAILURE() << message;
    return store;
}
