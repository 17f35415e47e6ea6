// Recording into a PostgreSQL server through ODBC against recording into a SQLite file:
// 64 simulated computers of the fake WMI provider (20 ms per call that would cross the
// network) with /parallel:16, each run into an empty store, the median of five runs each.
// Target: the server takes at most 1.2 x the time of the file. Prints every figure, the
// ratio and PASS or FAIL; exits 1 when the target is missed.
// Run: bench/store_server_bench.sh (it starts a server of its own and passes its location).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "console/mirelrep.h"
#include "db/odbc_database.h"
#include "db/sqlite_database.h"
#include "tests/support/fake_wmi.h"
#include "tests/support/simulated_computer.h"

namespace {

constexpr int kComputers = 64;
constexpr int kRounds = 5;

double Seconds(const LARGE_INTEGER& start)
{
    LARGE_INTEGER frequency, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The checks a store holds; -1 when it cannot be read.
long long CheckCount(std::unique_ptr<Database> database)
{
    std::unique_ptr<DbStatement> count = database ? database->Prepare("SELECT count(*) FROM store_checks") : nullptr;
    return count && count->Step() == DbStep::Row ? count->Int(0) : -1;
}

class Bench {
public:
    Bench(std::string server, std::string folder) : server_(std::move(server)), folder_(std::move(folder))
    {
        network_.callLatencyMs = 20;
        network_.objectsFor = SimulatedOfficeObjects;
        connector_ = FakeWmiConnector(&network_);
        connector_.lookUpDomainController = [](const std::string&, std::string&, std::string&) { return false; };
        for (int number = 1; number <= kComputers; ++number)
            names_.push_back("sim" + std::to_string(1000 + number));
        CreateDirectoryA(folder_.c_str(), nullptr);
    }

    // Seconds of one run of mirelrep over the computers, with `store` ("" for none).
    double Run(const std::string& store)
    {
        std::vector<std::string> arguments = names_;
        for (const char* option : {"/noping", "/parallel:16", "/q"})
            arguments.push_back(option);
        arguments.push_back("/outdir:" + folder_ + "\\out");
        if (!store.empty())
            arguments.push_back("/store:" + store);
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        const int exitCode = static_cast<int>(RunMirelReport(arguments, connector_));
        const double seconds = Seconds(start);
        if (exitCode != 0)
            std::printf("  exit code %d\n", exitCode);
        return seconds;
    }

    std::string File() const { return folder_ + "\\bench.db"; }
    void EmptyFile() const
    {
        for (const char* suffix : {"", "-wal", "-shm"})
            DeleteFileA((File() + suffix).c_str());
    }
    bool EmptyServer() const
    {
        DbError error;
        std::unique_ptr<Database> database = OpenOdbcDatabase(server_.substr(5), 10, error);
        return database && database->Execute("DROP SCHEMA public CASCADE; CREATE SCHEMA public");
    }
    long long FileChecks() const
    {
        DbError error;
        return CheckCount(SqliteDatabase::Open(File(), SqliteOpen::ReadOnly, error));
    }
    long long ServerChecks() const
    {
        DbError error;
        return CheckCount(OpenOdbcDatabase(server_.substr(5), 10, error));
    }
    const std::string& Server() const { return server_; }

private:
    std::string server_, folder_;
    FakeWmiScenario network_;
    WmiConnector connector_;
    std::vector<std::string> names_;
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || std::string(argv[1]).rfind("odbc:", 0) != 0) {
        std::printf("usage: store_server_bench.exe odbc:<connection string>  (bench/store_server_bench.sh runs it)\n");
        return 2;
    }
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    Bench bench(argv[1], std::string(temp) + "mirel-store-bench-" + std::to_string(GetCurrentProcessId()));
    std::printf("%d simulated computers, /parallel:16, 20 ms per WMI call; median of %d runs\n", kComputers, kRounds);
    std::vector<double> none, file, server;
    bool complete = true;
    for (int round = 0; round < kRounds; ++round) {
        none.push_back(bench.Run(""));
        bench.EmptyFile();
        file.push_back(bench.Run(bench.File()));
        complete &= bench.FileChecks() == kComputers;
        if (!bench.EmptyServer()) {
            std::printf("The server's database cannot be emptied\n");
            return 1;
        }
        server.push_back(bench.Run(bench.Server()));
        complete &= bench.ServerChecks() == kComputers;
        std::printf("round %d: no store %.3f s, SQLite file %.3f s, PostgreSQL %.3f s\n", round + 1, none.back(),
                    file.back(), server.back());
    }
    bench.EmptyFile();
    const double ratio = Median(server) / Median(file);
    std::printf("no store:     %.3f s\n", Median(none));
    std::printf("SQLite file:  %.3f s (recording adds %.3f s)\n", Median(file), Median(file) - Median(none));
    std::printf("PostgreSQL:   %.3f s (recording adds %.3f s)\n", Median(server), Median(server) - Median(none));
    std::printf("every check recorded: %s\n", complete ? "yes" : "NO");
    const bool pass = complete && ratio <= 1.2;
    std::printf("%-40s %8.3f (target <= 1.200) %s\n", "PostgreSQL / SQLite file", ratio, pass ? "PASS" : "FAIL");
    return pass ? 0 : 1;
}
