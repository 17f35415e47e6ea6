#include "store/store_schema.h"

#include <span>
#include <string>
#include <vector>

#include "store/latest_rows.h"
#include "store/store_migration.h"
#include "store/store_statements.h"
#include "store/view_data.h"

namespace {

constexpr char kProgramName[] = "Mirel";

// Version 1: the checks, the computers they read, and what they found.
//
// Objects are kept once per content: an object version (store_objects, with its cells in
// store_cells) is referenced by every check that saw it, from any computer; the objects of
// a category in reading order form a set (store_sets, store_set_members), which is also
// kept once, so that a category that did not change between two checks costs one row.
// Volatile properties (free space, clocks, load) are not part of an object version: their
// cells are kept per check in store_volatile. store_changes holds, per check, what changed
// against the previous check of the same computer and kind. (Version 4 keeps a check's
// categories and volatile values otherwise: see there.)
//
// {id} is the dialect's self-numbering key, {big} its 64-bit integer, {real} its floating
// type, {keyed} the clause that stores a table in its primary key.
const char* const kVersion1[] = {
    "CREATE TABLE store_info (name TEXT PRIMARY KEY, value TEXT NOT NULL)",
    "CREATE TABLE store_computers (id {id}, name TEXT NOT NULL, name_key TEXT NOT NULL UNIQUE)",
    "CREATE TABLE store_checks (id {id}, computer_id {big} NOT NULL, target TEXT NOT NULL,"
    " checked_at TEXT NOT NULL, checked_epoch {big} NOT NULL, local_time TEXT NOT NULL,"
    " utc_offset INTEGER NOT NULL, kind TEXT NOT NULL, account TEXT NOT NULL, result TEXT NOT NULL,"
    " error_code {big} NOT NULL, message TEXT NOT NULL, complete INTEGER NOT NULL, seconds {real} NOT NULL,"
    " source TEXT NOT NULL, language INTEGER NOT NULL, changes {big})",
    "CREATE INDEX store_checks_by_computer ON store_checks (computer_id, kind, checked_epoch)",
    "CREATE INDEX store_checks_by_time ON store_checks (checked_epoch)",
    "CREATE TABLE store_columns (id {id}, digest TEXT NOT NULL UNIQUE, class_name TEXT NOT NULL,"
    " identity TEXT NOT NULL)",
    "CREATE TABLE store_column_names (columns_id {big} NOT NULL, position INTEGER NOT NULL,"
    " property TEXT NOT NULL, PRIMARY KEY (columns_id, position)){keyed}",
    "CREATE TABLE store_objects (id {id}, digest TEXT NOT NULL UNIQUE, columns_id {big} NOT NULL,"
    " identity TEXT NOT NULL)",
    "CREATE TABLE store_cells (object_id {big} NOT NULL, position INTEGER NOT NULL, vartype INTEGER NOT NULL,"
    " raw_kind INTEGER NOT NULL, raw TEXT, shown TEXT NOT NULL, PRIMARY KEY (object_id, position)){keyed}",
    "CREATE TABLE store_sets (id {id}, digest TEXT NOT NULL UNIQUE, object_count INTEGER NOT NULL)",
    "CREATE TABLE store_set_members (set_id {big} NOT NULL, position INTEGER NOT NULL, object_id {big} NOT NULL,"
    " PRIMARY KEY (set_id, position)){keyed}",
    "CREATE TABLE store_parts (check_id {big} NOT NULL, ordinal INTEGER NOT NULL, class_name TEXT NOT NULL,"
    " state INTEGER NOT NULL, columns_id {big} NOT NULL, set_id {big} NOT NULL,"
    " PRIMARY KEY (check_id, ordinal)){keyed}",
    "CREATE TABLE store_volatile (check_id {big} NOT NULL, ordinal INTEGER NOT NULL, member INTEGER NOT NULL,"
    " position INTEGER NOT NULL, vartype INTEGER NOT NULL, raw_kind INTEGER NOT NULL, raw TEXT,"
    " shown TEXT NOT NULL, PRIMARY KEY (check_id, ordinal, member, position)){keyed}",
    "CREATE TABLE store_changes (check_id {big} NOT NULL, seq INTEGER NOT NULL, previous_id {big} NOT NULL,"
    " class_name TEXT NOT NULL, identity TEXT NOT NULL, change TEXT NOT NULL, property TEXT NOT NULL,"
    " before_text TEXT, after_text TEXT, before_raw TEXT, after_raw TEXT, volatile INTEGER NOT NULL,"
    " PRIMARY KEY (check_id, seq)){keyed}",
};

// PostgreSQL has no version_key of its own (SQLite's is the program's, registered on each
// connection): the same key, each run of digits padded to 20, everything else lower case.
constexpr char kPostgresVersionKey[] =
    "CREATE FUNCTION version_key(v TEXT) RETURNS TEXT LANGUAGE SQL IMMUTABLE AS $$"
    " SELECT COALESCE(string_agg(CASE WHEN m.part[1] ~ '^[0-9]+$' THEN lpad(m.part[1], 20, '0')"
    " ELSE lower(m.part[1]) END, '' ORDER BY m.n), '')"
    " FROM regexp_matches(COALESCE(v, ''), '[0-9]+|[^0-9]+', 'g') WITH ORDINALITY AS m(part, n) $$";

// Version 2: the documented views (store/views.sql), the index their lookups of a property
// by name use, and the version_key function of the questions. The views themselves are made
// by the latest step that changed them, over the tables as they are then.
std::vector<std::string> Version2(DbDialect dialect)
{
    std::vector<std::string> statements = {
        "CREATE INDEX store_column_names_by_property ON store_column_names (columns_id, property)"};
    if (dialect == DbDialect::Postgres)
        statements.push_back(kPostgresVersionKey);
    return statements;
}

// The name of the view a CREATE VIEW statement makes.
std::string ViewName(const std::string& statement)
{
    const size_t start = std::string("CREATE VIEW ").size();
    return statement.substr(start, statement.find(' ', start) - start);
}

void Append(std::vector<std::string>& statements, std::span<const char* const> more)
{
    statements.insert(statements.end(), more.begin(), more.end());
}

// Drops every view, the ones that use others first, then runs `then`.
std::vector<std::string> DropViews(std::span<const char* const> then = {})
{
    std::vector<std::string> statements;
    const std::span<const char* const> views = StoreViewStatements();
    for (auto view = views.rbegin(); view != views.rend(); ++view)
        statements.push_back("DROP VIEW IF EXISTS " + ViewName(*view));
    Append(statements, then);
    return statements;
}

// Version 3 made the views anew (services and products read each object version's cells
// once, not once per computer); as the views are made by the latest step, it drops them.
std::vector<std::string> Version3(DbDialect)
{
    return DropViews();
}

std::vector<std::string> Version1(DbDialect)
{
    return {std::begin(kVersion1), std::end(kVersion1)};
}

// Version 4: what repeats from check to check is kept once. A check names its list of parts
// (store_part_lists, kept once per content like object versions) instead of having rows of
// its own per part; its volatile values are groups of cells per object (store_volatile_groups,
// store_volatile_cells), gathered per part into sets (store_volatile_sets,
// store_volatile_members), which the check names per part (store_check_volatile) and shares
// with the check before it where they are the same; store_changes keeps only the changes a
// comparison shows by default (the volatile ones are found again from the values on request).
// The views, made by the next step, read the new tables under their old names and columns.
const char* const kVersion4Tables[] = {
    "CREATE TABLE store_part_lists (id {id}, digest TEXT NOT NULL UNIQUE, part_count INTEGER NOT NULL)",
    "CREATE TABLE store_part_list_members (list_id {big} NOT NULL, ordinal INTEGER NOT NULL, state INTEGER NOT NULL,"
    " columns_id {big} NOT NULL, set_id {big} NOT NULL, PRIMARY KEY (list_id, ordinal)){keyed}",
    "CREATE TABLE store_volatile_groups (id {id}, cell_count INTEGER NOT NULL)",
    "CREATE TABLE store_volatile_cells (group_id {big} NOT NULL, position INTEGER NOT NULL, vartype INTEGER NOT NULL,"
    " raw_kind INTEGER NOT NULL, raw TEXT, shown TEXT NOT NULL, PRIMARY KEY (group_id, position)){keyed}",
    "CREATE TABLE store_volatile_sets (id {id}, member_count INTEGER NOT NULL)",
    "CREATE TABLE store_volatile_members (set_id {big} NOT NULL, member INTEGER NOT NULL, group_id {big} NOT NULL,"
    " PRIMARY KEY (set_id, member)){keyed}",
    "CREATE TABLE store_check_volatile (check_id {big} NOT NULL, ordinal INTEGER NOT NULL, set_id {big} NOT NULL,"
    " PRIMARY KEY (check_id, ordinal)){keyed}",
    "ALTER TABLE store_checks ADD COLUMN part_list_id {big}",
};

std::vector<std::string> Version4(DbDialect)
{
    return DropViews(kVersion4Tables);
}

std::vector<std::string> Version4Done(DbDialect)
{
    return {"DROP TABLE store_parts", "DROP TABLE store_volatile", "DELETE FROM store_changes WHERE volatile <> 0"};
}

// Version 5 made the views anew over the tables of version 4 (services and programs read
// each group of volatile values once, and find the objects to read through the distinct
// sets of the latest checks); as the views are made by the latest step, it drops them.
std::vector<std::string> Version5(DbDialect)
{
    return DropViews();
}

// Version 6: one history per computer, numbers never given twice. A check names the name it
// was typed as by its key (target_key), whether it was filed under the name the computer
// itself reported (identified) and the computer's DNS domain; the checks of every computer
// are filed again by that rule (MergeHistories). On SQLite the checks' table is made anew
// with AUTOINCREMENT, its rows keeping their numbers; a server's identity column is a
// sequence, which never gives a number twice. As the views are made by the latest step, it
// drops them.
const char* const kVersion6SqliteChecks[] = {
    "CREATE TABLE store_checks_numbered (id INTEGER PRIMARY KEY AUTOINCREMENT, computer_id INTEGER NOT NULL,"
    " target TEXT NOT NULL, target_key TEXT NOT NULL DEFAULT '', identified INTEGER NOT NULL DEFAULT 0, domain TEXT,"
    " checked_at TEXT NOT NULL, checked_epoch INTEGER NOT NULL, local_time TEXT NOT NULL, utc_offset INTEGER NOT NULL,"
    " kind TEXT NOT NULL, account TEXT NOT NULL, result TEXT NOT NULL, error_code INTEGER NOT NULL,"
    " message TEXT NOT NULL, complete INTEGER NOT NULL, seconds REAL NOT NULL, source TEXT NOT NULL,"
    " language INTEGER NOT NULL, changes INTEGER, part_list_id INTEGER)",
    "INSERT INTO store_checks_numbered (id, computer_id, target, checked_at, checked_epoch, local_time, utc_offset,"
    " kind, account, result, error_code, message, complete, seconds, source, language, changes, part_list_id)"
    " SELECT id, computer_id, target, checked_at, checked_epoch, local_time, utc_offset, kind, account, result,"
    " error_code, message, complete, seconds, source, language, changes, part_list_id FROM store_checks",
    "DROP TABLE store_checks",
    "ALTER TABLE store_checks_numbered RENAME TO store_checks",
    "CREATE INDEX store_checks_by_computer ON store_checks (computer_id, kind, checked_epoch)",
    "CREATE INDEX store_checks_by_time ON store_checks (checked_epoch)",
};
const char* const kVersion6ServerChecks[] = {
    "ALTER TABLE store_checks ADD COLUMN target_key TEXT NOT NULL DEFAULT ''",
    "ALTER TABLE store_checks ADD COLUMN identified INTEGER NOT NULL DEFAULT 0",
    "ALTER TABLE store_checks ADD COLUMN domain TEXT",
};

std::vector<std::string> Version6(DbDialect dialect)
{
    std::vector<std::string> statements = DropViews(dialect == DbDialect::Sqlite
                                                        ? std::span<const char* const>(kVersion6SqliteChecks)
                                                        : std::span<const char* const>(kVersion6ServerChecks));
    statements.push_back("CREATE INDEX store_checks_by_target ON store_checks (target_key, checked_epoch)");
    return statements;
}

// Version 7: the coverage of the sources of computers: every computer the directory or an
// address range found (store_found, one row per computer, with what its source said when it
// last found it) and each source's latest read (store_found_sources), for the views over
// them. Its views (latest_checks finding each computer's latest check by one lookup per
// computer instead of one per check) are made by the latest step.
const char* const kVersion7Tables[] = {
    "CREATE TABLE store_found_sources (source TEXT PRIMARY KEY, read_at TEXT NOT NULL, read_epoch {big} NOT NULL)",
    "CREATE TABLE store_found (id {id}, name TEXT NOT NULL, name_key TEXT NOT NULL UNIQUE, source TEXT NOT NULL,"
    " dns_name TEXT NOT NULL, operating_system TEXT NOT NULL, os_version TEXT NOT NULL, last_logon TEXT NOT NULL,"
    " distinguished_name TEXT NOT NULL, first_found TEXT NOT NULL, found_at TEXT NOT NULL, found_epoch {big} NOT NULL)",
};

std::vector<std::string> Version7(DbDialect)
{
    return DropViews(kVersion7Tables);
}

// Version 8: the programs, services, operating system and disks of each computer's latest
// check kept as rows (store/views.sql, KEEP), made again whenever that check changes, so
// that the questions over them are lookups; the views of the same names read them. The views are made by
// this step, and the rows of the stored checks by KeepAllLatestRows.
const char* const kVersion8Tables[] = {
    "CREATE TABLE store_latest_products (computer_id {big} NOT NULL, check_id {big} NOT NULL, checked_at TEXT NOT NULL,"
    " name TEXT, version TEXT, vendor TEXT, product_code TEXT, installed TEXT, location TEXT)",
    "CREATE INDEX store_latest_products_by_computer ON store_latest_products (computer_id)",
    "CREATE TABLE store_latest_services (computer_id {big} NOT NULL, check_id {big} NOT NULL, checked_at TEXT NOT NULL,"
    " name TEXT, display_name TEXT, start_mode TEXT, state TEXT, account TEXT, path TEXT)",
    "CREATE INDEX store_latest_services_by_computer ON store_latest_services (computer_id)",
    "CREATE INDEX store_latest_services_by_mode ON store_latest_services (start_mode, state)",
    "CREATE TABLE store_latest_os (computer_id {big} NOT NULL, check_id {big} NOT NULL, checked_at TEXT NOT NULL,"
    " caption TEXT, version TEXT, build TEXT, service_pack TEXT, language TEXT, installed TEXT, last_boot TEXT,"
    " memory_kb {big}, free_memory_kb {big}, windows_directory TEXT)",
    "CREATE INDEX store_latest_os_by_computer ON store_latest_os (computer_id)",
    "CREATE TABLE store_latest_disks (computer_id {big} NOT NULL, check_id {big} NOT NULL, checked_at TEXT NOT NULL,"
    " drive TEXT, volume TEXT, drive_type {big}, drive_type_text TEXT, file_system TEXT, size_bytes {big},"
    " free_bytes {big})",
    "CREATE INDEX store_latest_disks_by_computer ON store_latest_disks (computer_id)",
};

std::vector<std::string> Version8(DbDialect)
{
    std::vector<std::string> statements = DropViews(kVersion8Tables);
    Append(statements, StoreViewStatements());
    return statements;
}

struct Migration {
    int toVersion;
    std::vector<std::string> (*statements)(DbDialect dialect);
    // What moves the stored rows into the new tables, and the statements after it.
    bool (*move)(Database& database) = nullptr;
    std::vector<std::string> (*done)(DbDialect dialect) = nullptr;
    // Whether the step leaves the pages of old tables free, for SQLite to give back.
    bool freesPages = false;
};

// Migration i brings a store of version i to version i + 1; the first makes the tables.
const Migration kMigrations[] = {
    {1, Version1},
    {2, Version2},
    {3, Version3},
    {4, Version4, MoveToPartLists, Version4Done, true},
    {5, Version5},
    {6, Version6, MergeHistories, nullptr, true},
    {7, Version7},
    {8, Version8, KeepAllLatestRows},
};
static_assert(std::size(kMigrations) == kStoreSchemaVersion, "a migration for every version");

// A single number from a statement without parameters; -1 on failure.
long long QueryNumber(Database& database, const std::string& sql)
{
    std::unique_ptr<DbStatement> statement = database.Prepare(sql);
    if (!statement || statement->Step() != DbStep::Row)
        return -1;
    return statement->IsNull(0) ? 0 : statement->Int(0);
}

// The value of a store_info row; empty when there is none.
std::string InfoValue(Database& database, const char* name)
{
    std::unique_ptr<DbStatement> statement = database.Prepare("SELECT value FROM store_info WHERE name = ?");
    if (!statement)
        return {};
    statement->BindText(1, name);
    return statement->Step() == DbStep::Row ? statement->Text(0) : std::string();
}

bool SetInfo(Database& database, const char* name, const std::string& value)
{
    std::unique_ptr<DbStatement> remove = database.Prepare("DELETE FROM store_info WHERE name = ?");
    std::unique_ptr<DbStatement> insert = database.Prepare("INSERT INTO store_info (name, value) VALUES (?, ?)");
    if (!remove || !insert)
        return false;
    remove->BindText(1, name);
    insert->BindText(1, name);
    insert->BindText(2, value);
    return remove->Step() == DbStep::Done && insert->Step() == DbStep::Done;
}

// What the database holds: nothing, a store of some version, or tables of another program.
SchemaFound Look(Database& database)
{
    const StoreStatements& sql = StatementsFor(database.Dialect());
    const long long ours = QueryNumber(database, sql.countInfoTable);
    const long long tables = QueryNumber(database, sql.countTables);
    if (ours < 0 || tables < 0)
        return {SchemaState::Failed, 0};
    if (ours == 0)
        return {tables == 0 ? SchemaState::Empty : SchemaState::Foreign, 0};
    if (InfoValue(database, "program") != kProgramName)
        return {SchemaState::Foreign, 0};
    const std::string text = InfoValue(database, "schema");
    const int version = text.empty() ? -1 : std::atoi(text.c_str());
    if (version <= 0)
        return {SchemaState::Foreign, 0};
    if (version > kStoreSchemaVersion)
        return {SchemaState::Newer, version};
    return {version == kStoreSchemaVersion ? SchemaState::Ready : SchemaState::Older, version};
}

// One step, in its own transaction, which looks again first: another program may have
// taken the same step since we looked.
bool Migrate(Database& database, const Migration& migration)
{
    DbTransaction transaction(database);
    if (!transaction.IsOpen())
        return false;
    const StoreStatements& sql = StatementsFor(database.Dialect());
    if (*sql.lockSchema && !database.Execute(sql.lockSchema))
        return false;
    const SchemaFound found = Look(database);
    if (found.state == SchemaState::Failed)
        return false;
    if (found.version >= migration.toVersion)
        return true;   // done by someone else meanwhile
    for (const std::string& statement : migration.statements(database.Dialect())) {
        if (!database.Execute(ForDialect(statement, database.Dialect())))
            return false;
    }
    if (migration.move && !migration.move(database))
        return false;
    if (migration.done) {
        for (const std::string& statement : migration.done(database.Dialect()))
            if (!database.Execute(ForDialect(statement, database.Dialect())))
                return false;
    }
    if (!SetInfo(database, "program", kProgramName) ||
        !SetInfo(database, "schema", std::to_string(migration.toVersion)))
        return false;
    if (database.Dialect() == DbDialect::Sqlite &&
        !database.Execute("PRAGMA user_version = " + std::to_string(migration.toVersion)))
        return false;
    return transaction.Commit();
}

}  // namespace

SchemaFound PrepareSchema(Database& database, bool mayWrite, int upTo)
{
    SchemaFound found = Look(database);
    const bool canGoForward = found.state == SchemaState::Empty || found.state == SchemaState::Older;
    if (!mayWrite || !canGoForward)
        return found;
    bool moved = false;
    for (const Migration& migration : kMigrations) {
        if (migration.toVersion <= found.version || migration.toVersion > upTo)
            continue;
        if (!Migrate(database, migration))
            return {SchemaState::Failed, found.version};
        moved = moved || (migration.freesPages && found.version > 0);
    }
    // Rows moved to new tables leave the old ones' pages free: a file shrinks only when
    // SQLite rewrites it.
    if (moved && database.Dialect() == DbDialect::Sqlite &&
        !database.Execute("PRAGMA wal_checkpoint(TRUNCATE); VACUUM; PRAGMA wal_checkpoint(TRUNCATE)")) {
        // Another program reads the file, which keeps its size: the store is brought forward
        // all the same, and a later prune makes it smaller.
    }
    SchemaFound now = Look(database);
    const bool done = now.state == SchemaState::Ready || (upTo < kStoreSchemaVersion && now.version == upTo);
    return done ? now : SchemaFound{SchemaState::Failed, now.version};
}
