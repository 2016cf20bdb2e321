#include "platform/store/Defaults.h"

#include <sqlite3.h>

#include <cstdlib>
#include <map>
#include <mutex>
#include <system_error>

namespace plyx::store {

namespace fs = std::filesystem;

fs::path dataRoot() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg && fs::path(xdg).is_absolute()) return fs::path(xdg) / "plyx";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/tmp") / ".local" / "share" / "plyx";
}

fs::path appGroupContainer(const std::string& groupId) {
    const fs::path dir = dataRoot() / groupId;
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!ec && fs::is_directory(dir, ec)) return dir;
    return fs::temp_directory_path(ec);
}

// One open database and its prepared statements. Connections are kept per
// thread (SQLite connections are not shared between threads here) and per
// file, so repeated reads cost a statement step, not an open.
struct Defaults::Connection {
    sqlite3* db = nullptr;
    fs::path path;
    sqlite3_stmt* get = nullptr;
    sqlite3_stmt* put = nullptr;
    sqlite3_stmt* del = nullptr;

    ~Connection() {
        sqlite3_finalize(get);
        sqlite3_finalize(put);
        sqlite3_finalize(del);
        if (db) sqlite3_close(db);
    }

    bool exec(const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

    bool open(const std::string& uri, int flags) {
        if (sqlite3_open_v2(uri.c_str(), &db, flags, nullptr) != SQLITE_OK) return false;
        // Another process may hold the write lock for a moment; wait rather than fail.
        sqlite3_busy_timeout(db, 15000);
        if (!exec("PRAGMA journal_mode=WAL") && !exec("PRAGMA journal_mode=MEMORY")) return false;
        exec("PRAGMA synchronous=NORMAL");
        if (!exec("CREATE TABLE IF NOT EXISTS kv (key TEXT PRIMARY KEY NOT NULL, value) WITHOUT ROWID")) return false;
        return sqlite3_prepare_v3(db, "SELECT value FROM kv WHERE key = ?1", -1, SQLITE_PREPARE_PERSISTENT, &get,
                                  nullptr) == SQLITE_OK &&
               sqlite3_prepare_v3(db, "INSERT OR REPLACE INTO kv (key, value) VALUES (?1, ?2)", -1,
                                  SQLITE_PREPARE_PERSISTENT, &put, nullptr) == SQLITE_OK &&
               sqlite3_prepare_v3(db, "DELETE FROM kv WHERE key = ?1", -1, SQLITE_PREPARE_PERSISTENT, &del,
                                  nullptr) == SQLITE_OK;
    }

    /// Runs `read` on the stored value (or with no row), then resets.
    template <class F> auto lookup(const std::string& key, F&& read) {
        sqlite3_bind_text(get, 1, key.data(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
        const bool row = sqlite3_step(get) == SQLITE_ROW;
        auto result = read(row ? get : nullptr);
        sqlite3_reset(get);
        sqlite3_clear_bindings(get);
        return result;
    }

    template <class Bind> void store(const std::string& key, Bind&& bind) {
        sqlite3_bind_text(put, 1, key.data(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
        bind(put);
        sqlite3_step(put);
        sqlite3_reset(put);
        sqlite3_clear_bindings(put);
    }

    void erase(const std::string& key) {
        sqlite3_bind_text(del, 1, key.data(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
        sqlite3_step(del);
        sqlite3_reset(del);
        sqlite3_clear_bindings(del);
    }
};

namespace {

std::mutex& nameMutex() {
    static std::mutex m;
    return m;
}
std::string& standardNameStorage() {
    static std::string name = "com.zelvanedesigns.plyx";
    return name;
}

using Cache = std::map<std::string, std::shared_ptr<Defaults::Connection>>;
Cache& threadCache() {
    thread_local Cache cache;
    return cache;
}

std::shared_ptr<Defaults::Connection> openFile(const fs::path& file) {
    auto& cache = threadCache();
    const std::string key = file.string();
    if (auto it = cache.find(key); it != cache.end()) {
        // The file may have been removed under us (a test resetting its folder);
        // reopen rather than write into an unlinked database.
        std::error_code ec;
        if (fs::is_regular_file(file, ec)) return it->second;
        cache.erase(it);
    }
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    auto c = std::make_shared<Defaults::Connection>();
    c->path = file;
    if (!c->open(key, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX)) return nullptr;
    cache.emplace(key, c);
    return c;
}

std::shared_ptr<Defaults::Connection> openMemory() {
    thread_local std::shared_ptr<Defaults::Connection> memory;
    if (!memory) {
        auto c = std::make_shared<Defaults::Connection>();
        c->path = ":memory:";
        if (c->open("file:plyx-standard?mode=memory&cache=shared",
                    SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX))
            memory = c;
    }
    return memory;
}

} // namespace

std::optional<Defaults> Defaults::suite(const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..") return std::nullopt;
    auto c = openFile(dataRoot() / name / "defaults.sqlite");
    if (!c) return std::nullopt;
    return Defaults(std::move(c));
}

Defaults Defaults::suiteOrStandard(const std::string& name) {
    if (auto s = suite(name)) return *s;
    return standard();
}

Defaults Defaults::standard() {
    if (auto c = openFile(dataRoot() / standardName() / "defaults.sqlite")) return Defaults(std::move(c));
    return Defaults(openMemory());
}

void Defaults::setStandardName(const std::string& name) {
    std::lock_guard lock(nameMutex());
    standardNameStorage() = name;
}

std::string Defaults::standardName() {
    std::lock_guard lock(nameMutex());
    return standardNameStorage();
}

const fs::path& Defaults::path() const { return conn_->path; }

std::optional<std::string> Defaults::data(const std::string& key) const {
    return conn_->lookup(key, [](sqlite3_stmt* s) -> std::optional<std::string> {
        if (!s || sqlite3_column_type(s, 0) != SQLITE_BLOB) return std::nullopt;
        const auto* p = static_cast<const char*>(sqlite3_column_blob(s, 0));
        return std::string(p ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(s, 0)));
    });
}

void Defaults::setData(const std::string& key, const std::string& bytes) {
    conn_->store(key, [&](sqlite3_stmt* s) {
        sqlite3_bind_blob(s, 2, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    });
}

namespace {
std::int64_t integerOf(sqlite3_stmt* s) {
    if (!s) return 0;
    switch (sqlite3_column_type(s, 0)) {
    case SQLITE_INTEGER: return sqlite3_column_int64(s, 0);
    case SQLITE_FLOAT: {
        const double d = sqlite3_column_double(s, 0);
        if (!(d > -9.2e18 && d < 9.2e18)) return 0;
        return static_cast<std::int64_t>(d);
    }
    case SQLITE_TEXT: {
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
        return t ? std::strtoll(t, nullptr, 10) : 0;
    }
    default: return 0;
    }
}
} // namespace

std::int64_t Defaults::integer(const std::string& key) const { return conn_->lookup(key, integerOf); }

void Defaults::setInteger(const std::string& key, std::int64_t v) {
    conn_->store(key, [&](sqlite3_stmt* s) { sqlite3_bind_int64(s, 2, v); });
}

bool Defaults::boolean(const std::string& key) const { return integer(key) != 0; }

void Defaults::setBool(const std::string& key, bool v) { setInteger(key, v ? 1 : 0); }

double Defaults::real(const std::string& key) const {
    return conn_->lookup(key, [](sqlite3_stmt* s) -> double {
        if (!s) return 0;
        const int t = sqlite3_column_type(s, 0);
        if (t == SQLITE_INTEGER || t == SQLITE_FLOAT) return sqlite3_column_double(s, 0);
        if (t == SQLITE_TEXT) {
            const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
            return p ? std::strtod(p, nullptr) : 0;
        }
        return 0;
    });
}

void Defaults::setDouble(const std::string& key, double v) {
    conn_->store(key, [&](sqlite3_stmt* s) { sqlite3_bind_double(s, 2, v); });
}

std::optional<std::string> Defaults::string(const std::string& key) const {
    return conn_->lookup(key, [](sqlite3_stmt* s) -> std::optional<std::string> {
        if (!s) return std::nullopt;
        const int t = sqlite3_column_type(s, 0);
        if (t == SQLITE_BLOB || t == SQLITE_NULL) return std::nullopt;
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
        return std::string(p ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(s, 0)));
    });
}

void Defaults::setString(const std::string& key, const std::string& v) {
    conn_->store(key, [&](sqlite3_stmt* s) {
        sqlite3_bind_text(s, 2, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    });
}

bool Defaults::contains(const std::string& key) const {
    return conn_->lookup(key, [](sqlite3_stmt* s) { return s != nullptr; });
}

void Defaults::remove(const std::string& key) { conn_->erase(key); }

bool Defaults::update(const std::string& key,
                      const std::function<std::optional<std::string>(std::optional<std::string>)>& fn) {
    // BEGIN IMMEDIATE takes the write lock before the read, so no other
    // process can slip a write between our read and our write.
    if (!conn_->exec("BEGIN IMMEDIATE")) return false;
    try {
        auto next = fn(data(key));
        if (next) setData(key, *next);
        else remove(key);
    } catch (...) {
        conn_->exec("ROLLBACK");
        throw;
    }
    if (!conn_->exec("COMMIT")) {
        conn_->exec("ROLLBACK");
        return false;
    }
    return true;
}

std::int64_t Defaults::updateInteger(const std::string& key, const std::function<std::int64_t(std::int64_t)>& fn) {
    if (!conn_->exec("BEGIN IMMEDIATE")) return integer(key);
    std::int64_t next = 0;
    try {
        next = fn(integer(key));
        setInteger(key, next);
    } catch (...) {
        conn_->exec("ROLLBACK");
        throw;
    }
    if (!conn_->exec("COMMIT")) conn_->exec("ROLLBACK");
    return next;
}

} // namespace plyx::store
