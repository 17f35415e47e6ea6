// An inventory store of a test's own: a new SQLite file in the temporary folder or, when
// the tests run against the PostgreSQL server that tests/tools/postgres_server.sh started
// (the environment variable MIREL_TEST_SERVER names its server.txt), that server's database
// emptied. The same store tests then run against both.
#pragma once
#include <memory>
#include <string>

#include "store/inventory_store.h"

// The server the tests started: its store location, port and the database of another
// program. False when the tests do not run against a server.
struct TestServer {
    std::string location;          // "odbc:Driver=...;Pwd=..."
    int port = 0;
    std::string foreignDatabase;   // a database that holds a table of another program
};
bool FindTestServer(TestServer& server);

// The location with another attribute value (e.g. "Pwd", "wrong"), or the attribute added.
std::string WithAttribute(const std::string& location, const std::string& name, const std::string& value);

class TestStore {
public:
    // A new empty store named after `name` (a file name in the temporary folder).
    explicit TestStore(const std::string& name);
    ~TestStore();
    TestStore(const TestStore&) = delete;
    TestStore& operator=(const TestStore&) = delete;

    bool OnServer() const { return location_.kind == StoreLocation::Kind::Odbc; }
    const StoreLocation& Location() const { return location_; }
    // What /store: takes.
    std::string Text() const { return OnServer() ? "odbc:" + location_.connection : location_.path; }
    // The store opened for `access`; null with the message as a test failure.
    std::unique_ptr<InventoryStore> Open(StoreAccess access = StoreAccess::Record) const;

private:
    StoreLocation location_;
};
