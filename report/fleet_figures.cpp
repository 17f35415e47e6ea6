#include "report/fleet_figures.h"

#include <algorithm>
#include <map>

#include "base/text_util.h"

namespace {

// Runs a read-only statement with `bound` as its integer parameters and gives each row
// to `take`.
template <class Take>
bool EachAnswer(Database& database, const char* sql, std::initializer_list<int64_t> bound, std::string& error,
                Take take)
{
    std::unique_ptr<DbStatement> statement = database.PrepareReadOnly(sql);
    if (!statement) {
        error = database.LastError().message;
        return false;
    }
    int index = 1;
    for (int64_t value : bound)
        statement->BindInt(index++, value);
    for (;;) {
        switch (statement->Step()) {
        case DbStep::Row:
            take(*statement);
            continue;
        case DbStep::Done:
            return true;
        case DbStep::Error:
            error = database.LastError().message;
            return false;
        }
    }
}

int64_t IntOr(DbStatement& row, int column, int64_t missing)
{
    return row.IsNull(column) ? missing : row.Int(column);
}

// The drive of a Windows folder ("C:\WINDOWS" -> "C:"), as logical disks name themselves.
std::string DriveOf(const std::string& folder)
{
    return folder.size() >= 2 && folder[1] == ':' ? folder.substr(0, 2) : std::string();
}

class FleetReader {
public:
    FleetReader(Database& database, FleetFigures& figures, std::string& error)
        : database_(database), figures_(figures), error_(error)
    {
    }

    bool Read()
    {
        return ReadComputers() && ReadSystems() && ReadHardware() && ReadDisks() && ReadHotfixes() &&
               ReadPrograms() && ReadChanges();
    }
    // Last: on a server, a failed statement spoils the transaction it ran in.
    void ReadFound();

private:
    FleetComputer* Find(const std::string& name)
    {
        const auto found = index_.find(name);
        return found == index_.end() ? nullptr : &figures_.computers[found->second];
    }
    bool ReadComputers();
    bool ReadSystems();
    bool ReadHardware();
    bool ReadDisks();
    bool ReadHotfixes();
    bool ReadPrograms();
    bool ReadChanges();

    Database& database_;
    FleetFigures& figures_;
    std::string& error_;
    std::map<std::string, size_t> index_;
};

bool FleetReader::ReadComputers()
{
    if (!EachAnswer(database_, "SELECT count(*) FROM checks", {}, error_,
                    [&](DbStatement& row) { figures_.checkCount = row.Int(0); }))
        return false;
    return EachAnswer(database_,
                      "SELECT computer, last_checked, last_checked_epoch, last_result, checks FROM computers",
                      {}, error_, [&](DbStatement& row) {
                          FleetComputer computer;
                          computer.name = row.Text(0);
                          computer.lastChecked = row.Text(1);
                          computer.lastCheckedEpoch = IntOr(row, 2, 0);
                          computer.lastResult = row.Text(3);
                          computer.checks = IntOr(row, 4, 0);
                          index_.emplace(computer.name, figures_.computers.size());
                          figures_.computers.push_back(std::move(computer));
                      });
}

bool FleetReader::ReadSystems()
{
    return EachAnswer(database_, "SELECT computer, caption, version, build, windows_directory FROM os", {}, error_,
                      [&](DbStatement& row) {
                          FleetComputer* computer = Find(row.Text(0));
                          if (!computer || computer->inventoried)
                              return;
                          computer->inventoried = true;
                          computer->os = row.Text(1);
                          computer->version = row.Text(2);
                          computer->build = row.Text(3);
                          computer->windowsDirectory = row.Text(4);
                      });
}

bool FleetReader::ReadHardware()
{
    return EachAnswer(database_,
                      "SELECT computer, manufacturer, model, processor, processors, memory_bytes FROM hardware", {},
                      error_, [&](DbStatement& row) {
                          FleetComputer* computer = Find(row.Text(0));
                          if (!computer)
                              return;
                          computer->inventoried = true;
                          computer->manufacturer = row.Text(1);
                          computer->model = row.Text(2);
                          computer->processor = row.Text(3);
                          computer->processors = IntOr(row, 4, -1);
                          computer->memoryBytes = IntOr(row, 5, -1);
                      });
}

bool FleetReader::ReadDisks()
{
    return EachAnswer(database_,
                      "SELECT computer, drive, volume, size_bytes, free_bytes FROM disks "
                      "WHERE drive_type = 3 AND size_bytes > 0 ORDER BY computer, drive",
                      {}, error_, [&](DbStatement& row) {
                          FleetDisk disk{row.Text(0), row.Text(1), row.Text(2), row.Int(3), IntOr(row, 4, 0)};
                          FleetComputer* computer = Find(disk.computer);
                          if (computer && computer->systemDiskSize < 0 && !disk.drive.empty() &&
                              EqualsNoCase(disk.drive, DriveOf(computer->windowsDirectory))) {
                              computer->systemDiskSize = disk.sizeBytes;
                              computer->systemDiskFree = disk.freeBytes;
                          }
                          figures_.disks.push_back(std::move(disk));
                      });
}

// The latest date among each computer's hotfixes that name one ("yyyy/mm/dd" as shown).
bool FleetReader::ReadHotfixes()
{
    return EachAnswer(database_,
                      "SELECT computer, max(substr(installed_on, 1, 10)) FROM hotfixes "
                      "WHERE installed_on LIKE '____/__/__%' GROUP BY computer",
                      {}, error_, [&](DbStatement& row) {
                          if (FleetComputer* computer = Find(row.Text(0)))
                              computer->latestHotfix = row.Text(1);
                      });
}

bool FleetReader::ReadPrograms()
{
    return EachAnswer(database_,
                      "SELECT name, count(DISTINCT computer), count(DISTINCT version) FROM products "
                      "GROUP BY name ORDER BY name",
                      {}, error_, [&](DbStatement& row) {
                          figures_.programs.push_back({row.Text(0), row.Int(1), row.Int(2)});
                      });
}

// The changes of the last days per local day of the check that found them.
bool FleetReader::ReadChanges()
{
    return EachAnswer(database_,
                      "SELECT substr(checked_at, 1, 10), count(*) FROM changes WHERE checked_epoch >= ? "
                      "GROUP BY substr(checked_at, 1, 10) ORDER BY substr(checked_at, 1, 10)",
                      {figures_.now - kChangeDays * 86400ll}, error_, [&](DbStatement& row) {
                          figures_.changesPerDay.emplace_back(row.Text(0), row.Int(1));
                      });
}

void FleetReader::ReadFound()
{
    std::string ignored;
    // As the question "found-never-checked" asks it; a store that keeps no coverage has no
    // such view.
    figures_.knowsFound = EachAnswer(
        database_, "SELECT computer FROM coverage WHERE last_check_id IS NULL AND still_found = 1 ORDER BY computer", {},
        ignored, [&](DbStatement& row) { figures_.neverChecked.push_back(row.Text(0)); });
    if (!figures_.knowsFound)
        figures_.neverChecked.clear();
}

}  // namespace

bool ReadFleetFigures(Database& database, int64_t now, FleetFigures& figures, std::string& error)
{
    figures = FleetFigures{};
    figures.now = now;
    FleetReader reader(database, figures, error);
    if (!reader.Read())
        return false;
    reader.ReadFound();
    std::sort(figures.computers.begin(), figures.computers.end(),
              [](const FleetComputer& a, const FleetComputer& b) { return CompareNoCase(a.name, b.name) < 0; });
    return true;
}
