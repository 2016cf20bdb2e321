#include "platform/store/Defaults.h"

#include "platform/base/Numbers.h"
#include "platform/store/DataFolders.h"

#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

namespace plyx::store {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

/// How long one statement waits for another process's lock before it gives
/// up. Writes here are single small rows, held for microseconds when the
/// machine is idle; on a loaded machine a holder that is descheduled keeps
/// the lock for hundreds of milliseconds, and two programs creating the file
/// at once wait for each other's set-up. Giving up then drops a tap's write,
/// or, at the first open, sends the whole program run to its own defaults;
/// only a holder stuck for seconds is worth that.
constexpr auto kBusyWait = std::chrono::seconds(2);
/// Polling the lock often keeps a waiter from being starved by a process
/// that takes the lock again and again (two processes counting at once).
constexpr auto kBusyPoll = std::chrono::milliseconds(1);
/// A thread keeps this many suites open; the least recently used is closed
/// when another one is opened.
constexpr std::size_t kOpenPerThread = 8;
/// How often an open connection checks that its file is still there (someone
/// may remove the data folder under a running program): often enough to
/// notice soon, rarely enough to cost nothing per access.
constexpr auto kRecheckFile = std::chrono::seconds(2);

constexpr const char* kMemoryURI = "file:/plyx-standard?vfs=memdb";

} // namespace

// What every copy of a value shares: the file and what the process has
// learned about it. Never an SQLite connection.
struct Defaults::Suite {
    std::uint64_t id = 0;
    fs::path path;
    bool memory = false;
    /// Set once the file could not be opened; the process never tries again.
    std::atomic<bool> unopenable{false};
};

namespace {

// One thread's open database and its prepared statements.
struct Connection {
    std::uint64_t suiteId = 0;
    sqlite3* db = nullptr;
    sqlite3_stmt* get = nullptr;
    sqlite3_stmt* put = nullptr;
    sqlite3_stmt* del = nullptr;
    Clock::time_point busySince{};
    /// Whether the statement under way waits for another program's lock.
    bool patient = true;
    Clock::time_point checkedAt{};

    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() {
        sqlite3_finalize(get);
        sqlite3_finalize(put);
        sqlite3_finalize(del);
        if (db) sqlite3_close(db);
    }

    bool exec(const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

    bool prepare() {
        auto one = [&](const char* sql, sqlite3_stmt** out) {
            return sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, out, nullptr) == SQLITE_OK;
        };
        return one("SELECT value FROM kv WHERE key = ?1", &get) &&
               one("INSERT OR REPLACE INTO kv (key, value) VALUES (?1, ?2)", &put) &&
               one("DELETE FROM kv WHERE key = ?1", &del);
    }

    /// Runs `read` on the stored value (or with no row), then resets.
    template <class F> auto lookup(const std::string& key, F&& read) {
        sqlite3_bind_text(get, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
        const bool row = sqlite3_step(get) == SQLITE_ROW;
        auto result = read(row ? get : nullptr);
        sqlite3_reset(get);
        sqlite3_clear_bindings(get);
        return result;
    }

    template <class Bind> bool store(const std::string& key, Bind&& bind) {
        sqlite3_bind_text(put, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
        bind(put);
        const bool done = sqlite3_step(put) == SQLITE_DONE;
        sqlite3_reset(put);
        sqlite3_clear_bindings(put);
        return done;
    }

    bool erase(const std::string& key) {
        sqlite3_bind_text(del, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
        const bool done = sqlite3_step(del) == SQLITE_DONE;
        sqlite3_reset(del);
        sqlite3_clear_bindings(del);
        return done;
    }
};

int onBusy(void* data, int tries) {
    auto* c = static_cast<Connection*>(data);
    if (!c->patient) return 0;
    const auto now = Clock::now();
    if (tries == 0) c->busySince = now;
    if (now - c->busySince >= kBusyWait) return 0;
    std::this_thread::sleep_for(kBusyPoll);
    return 1;
}

// Opens `suite` for this thread. A file is set up (WAL journal, the table)
// only while it holds no table yet, that is when it is being created; a file
// that holds anything else is refused before anything in it changes.
std::unique_ptr<Connection> openConnection(const Defaults::Suite& suite) {
    auto c = std::make_unique<Connection>();
    c->suiteId = suite.id;
    c->checkedAt = Clock::now();
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    std::string name = suite.path.string();
    if (suite.memory) {
        flags |= SQLITE_OPEN_URI;
        name = kMemoryURI;
    } else if (!makePrivateFolders(suite.path.parent_path())) {
        return nullptr;
    }
    if (sqlite3_open_v2(name.c_str(), &c->db, flags, nullptr) != SQLITE_OK) return nullptr;
    sqlite3_busy_handler(c->db, &onBusy, c.get());
    // A refused file must stay as it was: closing the last connection of a
    // WAL file would otherwise fold its log back into it.
    sqlite3_db_config(c->db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);

    sqlite3_stmt* probe = nullptr;
    if (sqlite3_prepare_v2(c->db, "SELECT 1 FROM sqlite_master LIMIT 1", -1, &probe, nullptr) != SQLITE_OK)
        return nullptr;
    const int rc = sqlite3_step(probe);
    sqlite3_finalize(probe);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) return nullptr; // busy, or not a database
    if (rc == SQLITE_DONE) {
        // WAL lets both programs read while one writes; a file system without
        // shared memory keeps the journal in memory instead.
        if (!c->exec("PRAGMA journal_mode=WAL")) c->exec("PRAGMA journal_mode=MEMORY");
        if (!c->exec("CREATE TABLE IF NOT EXISTS kv (key TEXT PRIMARY KEY NOT NULL, value) WITHOUT ROWID"))
            return nullptr;
    }
    if (!c->prepare()) return nullptr;
    c->exec("PRAGMA synchronous=NORMAL");
    sqlite3_db_config(c->db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 0, nullptr);
    return c;
}

// The suites this thread has open, most recently used first.
struct ThreadConnections {
    std::vector<std::unique_ptr<Connection>> open;
};
ThreadConnections& threadConnections() {
    thread_local ThreadConnections mine;
    return mine;
}

// The in-memory store lives while one connection to it is open; this one is
// held for the life of the process, so values survive the threads that wrote them.
void keepMemoryStoreAlive() {
    static const struct Anchor {
        sqlite3* db = nullptr;
        Anchor() { sqlite3_open_v2(kMemoryURI, &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI, nullptr); }
        ~Anchor() { sqlite3_close_v2(db); }
    } anchor;
}

bool fileGone(const Defaults::Suite& suite) {
    std::error_code ec;
    return !fs::is_regular_file(suite.path, ec);
}

// Each thread has connections of its own, so sqlite's count of the memory it
// holds would be the one lock they all share: taken on every allocation, it
// queues threads that open their connections at once (a host's start). It can
// only be switched off before sqlite's first use; if something else came
// first, the count stays on.
void skipMemoryCount() {
    static const int done = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    (void)done;
}

// This thread's connection to `suite`, opened on first use; nothing when the
// suite cannot be opened (it is then never tried again).
Connection* connectionFor(Defaults::Suite& suite) {
    auto& open = threadConnections().open;
    for (std::size_t i = 0; i < open.size(); ++i) {
        if (open[i]->suiteId != suite.id) continue;
        if (i > 0) std::swap(open[0], open[i]);
        Connection* c = open[0].get();
        if (suite.memory) return c;
        const auto now = Clock::now();
        if (now - c->checkedAt < kRecheckFile) return c;
        c->checkedAt = now;
        if (!fileGone(suite)) return c;
        open.erase(open.begin()); // write to a new file, not into an unlinked one
        break;
    }
    if (suite.unopenable.load(std::memory_order_relaxed)) return nullptr;
    skipMemoryCount();
    if (suite.memory) keepMemoryStoreAlive();
    auto c = openConnection(suite);
    if (!c) {
        if (!suite.memory) suite.unopenable.store(true, std::memory_order_relaxed);
        return nullptr;
    }
    if (open.size() >= kOpenPerThread) open.pop_back();
    open.insert(open.begin(), std::move(c));
    return open.front().get();
}

// This thread's connection to `suite`, waiting for locks or not.
Connection* use(Defaults::Suite& suite, bool waits) {
    Connection* c = connectionFor(suite);
    if (c) c->patient = waits;
    return c;
}

// Every suite file the process has named, each once, so every value naming
// one file shares what the process learns about it.
std::shared_ptr<Defaults::Suite> registered(const fs::path& path, bool memory) {
    static std::mutex m;
    static std::unordered_map<std::string, std::shared_ptr<Defaults::Suite>> suites;
    static std::uint64_t nextId = 1;
    std::lock_guard lock(m);
    auto& s = suites[memory ? std::string() : path.string()];
    if (!s) {
        s = std::make_shared<Defaults::Suite>();
        s->id = nextId++;
        s->path = memory ? fs::path(":memory:") : path;
        s->memory = memory;
    }
    return s;
}

// Naming a suite reads the environment, builds a path and looks it up; each
// thread remembers its last few answers while the environment they came from
// stays the same.
struct Resolution {
    std::string name, xdg, home;
    bool xdgSet = false, homeSet = false;
    std::shared_ptr<Defaults::Suite> suite;

    bool matches(const std::string& n, const char* x, const char* h) const {
        return suite && name == n && xdgSet == (x != nullptr) && homeSet == (h != nullptr) &&
               (!x || xdg == x) && (!h || home == h);
    }
};

std::shared_ptr<Defaults::Suite> resolve(const std::string& name) {
    thread_local Resolution recent[4];
    thread_local unsigned next = 0;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    for (const auto& r : recent)
        if (r.matches(name, xdg, home)) return r.suite;

    const auto root = dataRoot();
    if (!root) return nullptr;
    Resolution& r = recent[next++ % 4];
    r.name = name;
    r.xdgSet = xdg != nullptr;
    r.xdg = xdg ? xdg : "";
    r.homeSet = home != nullptr;
    r.home = home ? home : "";
    r.suite = registered(*root / name / "defaults.sqlite", false);
    return r.suite;
}

bool validSuiteName(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos && name != "." && name != "..";
}

std::mutex& nameMutex() {
    static std::mutex m;
    return m;
}
std::string& standardNameStorage() {
    static std::string name;
    return name;
}

} // namespace

std::optional<Defaults> Defaults::suite(const std::string& name) {
    if (!validSuiteName(name)) return std::nullopt;
    auto s = resolve(name);
    if (!s || !connectionFor(*s)) return std::nullopt;
    return Defaults(std::move(s));
}

Defaults Defaults::suiteOrStandard(const std::string& name) {
    if (auto s = suite(name)) return *s;
    return standard();
}

Defaults Defaults::standard() {
    if (auto s = suite(standardName())) return *s;
    return Defaults(registered({}, true));
}

void Defaults::setStandardName(const std::string& name) {
    std::lock_guard lock(nameMutex());
    standardNameStorage() = name;
}

std::string Defaults::standardName() {
    std::lock_guard lock(nameMutex());
    return standardNameStorage();
}

const fs::path& Defaults::path() const { return suite_->path; }

namespace {

std::optional<std::string> dataOf(sqlite3_stmt* s) {
    if (!s || sqlite3_column_type(s, 0) != SQLITE_BLOB) return std::nullopt;
    const auto* p = static_cast<const char*>(sqlite3_column_blob(s, 0));
    return std::string(p ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(s, 0)));
}

std::int64_t integerOf(sqlite3_stmt* s) {
    if (!s) return 0;
    switch (sqlite3_column_type(s, 0)) {
    case SQLITE_INTEGER: return sqlite3_column_int64(s, 0);
    case SQLITE_FLOAT: return num::truncatedInt64(sqlite3_column_double(s, 0)).value_or(0);
    case SQLITE_TEXT: {
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
        return t ? std::strtoll(t, nullptr, 10) : 0;
    }
    default: return 0;
    }
}

double realOf(sqlite3_stmt* s) {
    if (!s) return 0;
    const int t = sqlite3_column_type(s, 0);
    if (t == SQLITE_INTEGER || t == SQLITE_FLOAT) return sqlite3_column_double(s, 0);
    // SQLite reads a text's leading number itself, with a full stop in every
    // locale (strtod would want the process locale's decimal comma).
    if (t == SQLITE_TEXT) return sqlite3_column_double(s, 0);
    return 0;
}

std::optional<std::string> stringOf(sqlite3_stmt* s) {
    if (!s) return std::nullopt;
    const int t = sqlite3_column_type(s, 0);
    if (t == SQLITE_BLOB || t == SQLITE_NULL) return std::nullopt;
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
    return std::string(p ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(s, 0)));
}

} // namespace

// A suite that this thread cannot open reads as empty and drops writes.

Defaults Defaults::withoutWaiting() const {
    Defaults d = *this;
    d.waits_ = false;
    return d;
}

std::optional<std::string> Defaults::data(const std::string& key) const {
    auto* c = use(*suite_, waits_);
    return c ? c->lookup(key, dataOf) : std::nullopt;
}

bool Defaults::setData(const std::string& key, const std::string& bytes) {
    auto* c = use(*suite_, waits_);
    return c && c->store(key, [&](sqlite3_stmt* s) {
        sqlite3_bind_blob(s, 2, bytes.data(), static_cast<int>(bytes.size()), SQLITE_STATIC);
    });
}

std::int64_t Defaults::integer(const std::string& key) const {
    auto* c = use(*suite_, waits_);
    return c ? c->lookup(key, integerOf) : 0;
}

bool Defaults::setInteger(const std::string& key, std::int64_t v) {
    auto* c = use(*suite_, waits_);
    return c && c->store(key, [&](sqlite3_stmt* s) { sqlite3_bind_int64(s, 2, v); });
}

bool Defaults::boolean(const std::string& key) const { return integer(key) != 0; }

bool Defaults::setBool(const std::string& key, bool v) { return setInteger(key, v ? 1 : 0); }

double Defaults::real(const std::string& key) const {
    auto* c = use(*suite_, waits_);
    return c ? c->lookup(key, realOf) : 0;
}

bool Defaults::setDouble(const std::string& key, double v) {
    auto* c = use(*suite_, waits_);
    return c && c->store(key, [&](sqlite3_stmt* s) { sqlite3_bind_double(s, 2, v); });
}

std::optional<std::string> Defaults::string(const std::string& key) const {
    auto* c = use(*suite_, waits_);
    return c ? c->lookup(key, stringOf) : std::nullopt;
}

bool Defaults::setString(const std::string& key, const std::string& v) {
    auto* c = use(*suite_, waits_);
    return c && c->store(key, [&](sqlite3_stmt* s) {
        sqlite3_bind_text(s, 2, v.data(), static_cast<int>(v.size()), SQLITE_STATIC);
    });
}

bool Defaults::contains(const std::string& key) const {
    auto* c = use(*suite_, waits_);
    return c && c->lookup(key, [](sqlite3_stmt* s) { return s != nullptr; });
}

bool Defaults::holdsOtherThanData(const std::string& key) const {
    auto* c = use(*suite_, waits_);
    return c && c->lookup(key, [](sqlite3_stmt* s) { return s && sqlite3_column_type(s, 0) != SQLITE_BLOB; });
}

bool Defaults::copy(const std::string& from, const std::string& to) {
    auto* c = use(*suite_, waits_);
    if (!c) return false;
    // One statement keeps the value's type and bytes exactly as they were.
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(c->db, "INSERT OR REPLACE INTO kv (key, value) SELECT ?2, value FROM kv WHERE key = ?1", -1,
                           &s, nullptr) != SQLITE_OK)
        return false;
    sqlite3_bind_text(s, 1, from.data(), static_cast<int>(from.size()), SQLITE_STATIC);
    sqlite3_bind_text(s, 2, to.data(), static_cast<int>(to.size()), SQLITE_STATIC);
    const bool done = sqlite3_step(s) == SQLITE_DONE && sqlite3_changes(c->db) > 0;
    sqlite3_finalize(s);
    return done;
}

bool Defaults::remove(const std::string& key) {
    auto* c = use(*suite_, waits_);
    return c && c->erase(key);
}

bool Defaults::update(const std::string& key,
                      const std::function<std::optional<std::string>(std::optional<std::string>)>& fn) {
    auto* c = use(*suite_, waits_);
    // BEGIN IMMEDIATE takes the write lock before the read, so no other
    // process can slip a write between our read and our write.
    if (!c || !c->exec("BEGIN IMMEDIATE")) return false;
    bool written = false;
    try {
        auto next = fn(c->lookup(key, dataOf));
        if (next) {
            written = c->store(key, [&](sqlite3_stmt* s) {
                sqlite3_bind_blob(s, 2, next->data(), static_cast<int>(next->size()), SQLITE_STATIC);
            });
        } else {
            written = c->erase(key);
        }
    } catch (...) {
        c->exec("ROLLBACK");
        throw;
    }
    if (!written || !c->exec("COMMIT")) {
        c->exec("ROLLBACK");
        return false;
    }
    return true;
}

std::optional<std::int64_t> Defaults::updateInteger(const std::string& key,
                                                    const std::function<std::int64_t(std::int64_t)>& fn) {
    auto* c = use(*suite_, waits_);
    if (!c || !c->exec("BEGIN IMMEDIATE")) return std::nullopt;
    std::int64_t next = 0;
    bool written = false;
    try {
        next = fn(c->lookup(key, integerOf));
        written = c->store(key, [&](sqlite3_stmt* s) { sqlite3_bind_int64(s, 2, next); });
    } catch (...) {
        c->exec("ROLLBACK");
        throw;
    }
    if (!written || !c->exec("COMMIT")) {
        c->exec("ROLLBACK");
        return std::nullopt;
    }
    return next;
}

} // namespace plyx::store
