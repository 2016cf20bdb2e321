#pragma once
// Holds a suite file the way another program can: an exclusive SQLite lock
// taken in a transaction that stays open until the holder is destroyed.
// Link SQLite to use it.
#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>

namespace plyx::test {

class SuiteLock {
public:
    explicit SuiteLock(const std::filesystem::path& file) {
        if (sqlite3_open(file.c_str(), &db_) != SQLITE_OK ||
            sqlite3_exec(db_, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; "
                              "INSERT OR REPLACE INTO kv (key, value) VALUES ('locked', 1)",
                         nullptr, nullptr, nullptr) != SQLITE_OK)
            throw std::runtime_error(std::string("cannot lock the suite: ") + sqlite3_errmsg(db_));
    }
    ~SuiteLock() {
        sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
    }
    SuiteLock(const SuiteLock&) = delete;
    SuiteLock& operator=(const SuiteLock&) = delete;

private:
    sqlite3* db_ = nullptr;
};

} // namespace plyx::test
