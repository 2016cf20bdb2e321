// The host as a user runs it: a separate process, its exit status, its output
// and the image it writes.
#include "tests/support/SuiteLock.h"
#include "tests/support/TestSupport.h"
#include "tests/support/bus/PrivateBus.h"

#include <QElapsedTimer>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QImage>
#include <QProcess>
#include <QSet>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {

struct Run {
    int status = -1;
    std::string out, err;
};

Run run(const QString& program, const QStringList& args, const std::vector<std::pair<QString, QString>>& extraEnv,
        int limitMs) {
    // A desktop session has a runtime folder; without one Qt adds a warning
    // line of its own to standard error.
    static plyx::test::TempDir runtime;
    std::filesystem::permissions(runtime.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace);
    QProcess p;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.path().string()));
    for (const auto& [name, value] : extraEnv) env.insert(name, value);
    p.setProcessEnvironment(env);
    p.start(program, args);
    Run r;
    if (!p.waitForFinished(limitMs) || p.exitStatus() != QProcess::NormalExit) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.status = p.exitCode();
    r.out = p.readAllStandardOutput().toStdString();
    r.err = p.readAllStandardError().toStdString();
    return r;
}

Run host(const QStringList& args, const std::vector<std::pair<QString, QString>>& extraEnv = {},
         int limitMs = 60000) {
    return run(PLYX_WIDGETS_EXE, args, extraEnv, limitMs);
}

QString qs(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

// Runs a shell script as root of a private user and mount namespace, where a
// test may mount and bind files without touching the machine's own.
Run inPrivateMounts(const QString& script, const QStringList& args) {
    return run("unshare", QStringList{"-rm", "sh", "-c", script, "sh"} + args, {}, 60000);
}

bool privateMountsWork() { return inPrivateMounts("mount -t tmpfs tmpfs /mnt", {}).status == 0; }

// How many different colours the image holds: a blank one has one.
int colourCount(const QImage& image) {
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) seen.insert(image.pixel(x, y));
    return seen.size();
}

} // namespace

TEST(PlyxWidgetsHost, ListPrintsEveryWidgetOnOneLineInBundleOrder) {
    const auto r = host({"--list"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("plyx.system.monitor\tSystem\tsystemMedium\tCPU, memory and GPU load.\n"
                         "plyx.system.network\tNetwork\tsystemSmall\tAverage throughput since last refresh.\n"
                         "plyx.system.storage\tStorage\tsystemSmall\tDisk used, as a ring.\n"),
              std::string::npos)
        << r.out;
}

TEST(PlyxWidgetsHost, RendersAWidgetIntoAPngOfTheOfferedSizeTimesTheRatio) {
    plyx::test::TempDir dir;
    struct Case {
        QStringList args;
        int width, height;
    };
    const Case cases[] = {
        // Defaults: a live timeline at the family's design size, ratio 2.
        {{"--render", "plyx.system.monitor"}, 688, 320},
        {{"--render", "plyx.system.storage", "--mode", "preview", "--dpr", "1"}, 160, 160},
        {{"--render", "plyx.system.network", "--mode", "placeholder", "--size", "200x180", "--dpr", "1.5",
          "--rendering-mode", "vibrant", "--config", R"({"surface":"glass"})"},
         300, 270},
        {{"--render", "plyx.system.monitor", "--mode", "snapshot", "--rendering-mode", "accented"}, 688, 320},
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString out = QString::fromStdString((dir.path() / ("w" + std::to_string(n++) + ".png")).string());
        auto args = c.args;
        args << "--out" << out;
        SCOPED_TRACE(args.join(' ').toStdString());
        const auto r = host(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, out.toStdString() + "\n");
        QImage image(out);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), c.width);
        EXPECT_EQ(image.height(), c.height);
        EXPECT_GT(colourCount(image), 8) << "the image is blank";
    }
}

TEST(PlyxWidgetsHost, ProblemsEndWithStatusOneAndALineNamingThem) {
    plyx::test::TempDir dir;
    const QString out = QString::fromStdString((dir.path() / "x.png").string());
    struct Case {
        QStringList args;
        const char* named;
    };
    const Case cases[] = {
        {{"--render", "plyx.no.such"}, "unknown widget kind \"plyx.no.such\""},
        {{"--render", "plyx.system.storage", "--config", R"({"surface":"Solid"})"}, "parameter \"surface\""},
        {{"--render", "plyx.system.storage", "--config", R"({"background":"glass"})"}, "unknown parameter"},
        {{"--render", "plyx.system.storage", "--config", "{oops"}, "not valid JSON"},
        {{"--render", "plyx.system.storage", "--mode", "live"}, "unknown mode \"live\""},
        {{"--render", "plyx.system.storage", "--size", "0x160"}, "bad size"},
        {{"--render", "plyx.system.storage", "--dpr", "nan"}, "bad device-pixel ratio"},
        {{"--render", "plyx.system.storage", "--size", "9000x100", "--dpr", "2"}, "image too large"},
        {{"--render", "plyx.system.storage", "--rendering-mode", "mono"}, "unknown rendering mode"},
        // Less than a pixel a side.
        {{"--render", "plyx.system.storage", "--size", "1e-300x1e-300"}, "image too small"},
        {{"--render", "plyx.system.storage", "--dpr", "4.9e-324"}, "image too small"},
        {{"--render", "plyx.system.storage", "--size", "0.5x160", "--dpr", "1"}, "image too small"},
        // Line breaks and huge inputs stay on one readable line.
        {{"--render", "plyx.system.storage", "--config", "{\"a\\nb\":1}"}, "unknown parameter \"a\\nb\""},
        {{"--render", "plyx.system.storage", "--mode", QString(100000, 'm')}, "unknown mode \"mmm"},
        {{"--render", QString("plyx.\n") + QString(5000, 'k')}, "unknown widget kind \"plyx.\\nkkk"},
    };
    for (const auto& c : cases) {
        auto args = c.args;
        args << "--out" << out;
        SCOPED_TRACE(args.join(' ').toStdString());
        const auto r = host(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_LT(r.err.size(), 400u);
        EXPECT_FALSE(QImage(out).width() > 0) << "nothing is written on failure";
    }
    const auto empty = host({"--render", "plyx.system.storage", "--out", ""});
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, "PlyxWidgets: no file name after --out\n");
    // A malformed command line shows the usage.
    for (const QStringList& args :
         {QStringList{"--list", "--render", "x"}, QStringList{"--bogus"}, QStringList{"--render"},
          QStringList{"--add", "a", "--remove", "b"}, QStringList{"--at", "1,2"}, QStringList{"--list", "--out", "x"},
          QStringList{"--placed", "--config", "{}"}, QStringList{"stray"}}) {
        const auto r = host(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
    }
}

TEST(PlyxWidgetsHost, NumbersOnTheCommandLineReadWithAFullStopInEveryLocale) {
    // A locale that writes decimals with a comma, built into a private folder.
    plyx::test::TempDir locales;
    const std::string build = "localedef -i de_DE -f UTF-8 '" + (locales.path() / "de_DE.UTF-8").string() +
                              "' >/dev/null 2>&1";
    if (std::system(build.c_str()) != 0) GTEST_SKIP() << "cannot build a German locale here";

    plyx::test::TempDir dir;
    const QString out = QString::fromStdString((dir.path() / "comma.png").string());
    const auto r = host({"--render", "plyx.system.storage", "--mode", "preview", "--size", "100.5x80", "--dpr",
                         "1.5", "--out", out},
                        {{"LOCPATH", QString::fromStdString(locales.path().string())}, {"LC_ALL", "de_DE.UTF-8"}});
    ASSERT_EQ(r.status, 0) << r.err;
    const QImage image(out);
    EXPECT_EQ(image.width(), 151);
    EXPECT_EQ(image.height(), 120);
}

TEST(PlyxWidgetsHost, AFailedWriteExitsOneAndLeavesTheOldImage) {
    // A device that is always full: nothing is written, and the device stays one.
    const auto r = host({"--render", "plyx.system.storage", "--mode", "preview", "--out", "/dev/full"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("PlyxWidgets: cannot write /dev/full: ", 0), 0u) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.out, "");
    struct stat st {};
    ASSERT_EQ(::stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));

    // A small file system filled up, with the last image in it.
    if (!privateMountsWork()) GTEST_SKIP() << "no private mount namespace here";
    plyx::test::TempDir dir;
    const auto old = dir.path() / "old.png";
    ASSERT_EQ(host({"--render", "plyx.system.storage", "--mode", "preview", "--out", qs(old)}).status, 0);
    std::filesystem::create_directories(dir.path() / "small");
    const auto full = inPrivateMounts(
        R"(mount -t tmpfs -o size=256k tmpfs "$1" && cp "$2" "$1/w.png" || exit 9
           dd if=/dev/zero of="$1/fill" bs=4096 2>/dev/null
           "$3" --render plyx.system.monitor --out "$1/w.png"
           echo "status $?"
           cmp -s "$2" "$1/w.png" && echo kept
           ls "$1")",
        {qs(dir.path() / "small"), qs(old), PLYX_WIDGETS_EXE});
    ASSERT_EQ(full.status, 0) << full.err;
    EXPECT_EQ(full.out, "status 1\nkept\nfill\nw.png\n") << "no half-written file is left either";
    EXPECT_NE(full.err.find("cannot write "), std::string::npos) << full.err;
    // The disk's own error, not the cancelling of the half-written file.
    EXPECT_NE(full.err.find(std::strerror(ENOSPC)), std::string::npos) << full.err;
    EXPECT_EQ(full.err.find("cancel"), std::string::npos) << full.err;
    EXPECT_EQ(std::count(full.err.begin(), full.err.end(), '\n'), 1) << full.err;
}

TEST(PlyxWidgetsHost, ASuiteLockedByAnotherProgramDoesNotStallARender) {
    plyx::test::FreshStorage fresh;
    plyx::test::TempDir dir;
    const auto out = qs(dir.path() / "m.png");
    ASSERT_EQ(host({"--render", "plyx.system.monitor", "--out", out}).status, 0); // makes the suite
    const auto plyx = fresh.dataHome() / "plyx";
    plyx::test::SuiteLock lock(plyx / "QK7R3XW2TJ.com.zelvanedesigns.plyx" / "defaults.sqlite");

    // Waiting out the lock at each access would take far longer than this.
    const auto r = host({"--render", "plyx.system.monitor", "--out", out}, {}, 10000);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, out.toStdString() + "\n");
    // The processor sample went to the host's own defaults instead.
    EXPECT_TRUE(std::filesystem::exists(plyx / "com.zelvanedesigns.plyx.widgets" / "defaults.sqlite"));
}

// Another program writing the suite (its write lock held throughout): the
// render's samples are caches, given up at once, so it takes no longer than
// a render of a free suite, well short of even one wait for the lock.
TEST(PlyxWidgetsHost, ARenderDoesNotWaitOnAnotherProgramsWriteLock) {
    plyx::test::FreshStorage fresh;
    plyx::test::TempDir dir;
    const auto out = qs(dir.path() / "m.png");
    const auto suite = fresh.dataHome() / "plyx" / "QK7R3XW2TJ.com.zelvanedesigns.plyx" / "defaults.sqlite";
    ASSERT_EQ(host({"--render", "plyx.system.monitor", "--out", out}).status, 0); // makes the suite
    QElapsedTimer free;
    free.start();
    ASSERT_EQ(host({"--render", "plyx.system.monitor", "--out", out}).status, 0);
    const qint64 freeMs = free.elapsed();

    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(suite.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE; INSERT OR REPLACE INTO kv (key, value) VALUES ('held', 1)",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    QElapsedTimer held;
    held.start();
    const auto r = host({"--render", "plyx.system.monitor", "--out", out});
    const qint64 heldMs = held.elapsed();
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, out.toStdString() + "\n");
    EXPECT_LT(heldMs, freeMs + 1000) << "a free suite renders in " << freeMs << " ms";
    // The samples stayed in the shared suite: no fallback to the host's own defaults.
    EXPECT_FALSE(std::filesystem::exists(fresh.dataHome() / "plyx" / "com.zelvanedesigns.plyx.widgets" / "defaults.sqlite"));
}

TEST(PlyxWidgetsHost, WithoutHomeTheSuiteLiesInTheAccountsHomeInPrivateFolders) {
    if (!privateMountsWork()) GTEST_SKIP() << "no private mount namespace here";
    plyx::test::TempDir dir;
    const auto home = dir.path() / "account";
    std::filesystem::create_directories(home);
    plyx::test::writeFile(dir.path() / "passwd", "root:x:0:0:root:" + home.string() + ":/bin/sh\n");
    const auto r = inPrivateMounts(
        R"(mount --bind "$1" /etc/passwd || exit 9
           exec env -u HOME -u XDG_DATA_HOME "$2" --render plyx.system.monitor --out "$3")",
        {qs(dir.path() / "passwd"), PLYX_WIDGETS_EXE, qs(dir.path() / "m.png")});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto suite = home / ".local" / "share" / "plyx" / "QK7R3XW2TJ.com.zelvanedesigns.plyx";
    EXPECT_TRUE(std::filesystem::exists(suite / "defaults.sqlite"));
    for (const auto& folder : {home / ".local", home / ".local" / "share", home / ".local" / "share" / "plyx", suite}) {
        struct stat st {};
        ASSERT_EQ(::stat(folder.c_str(), &st), 0) << folder;
        EXPECT_EQ(st.st_mode & 0777, 0700u) << folder;
    }
}

TEST(PlyxWidgetsHost, AddPlacedAndRemoveChangeThePlacementsFileWithoutAHost) {
    const auto a = host({"--add", "plyx.system.storage", "--config", R"({"surface":"glass"})", "--at", "40,-60"});
    ASSERT_EQ(a.status, 0) << a.err;
    const std::string first = a.out.substr(0, a.out.size() - 1);
    EXPECT_EQ(first.size(), 36u) << a.out;
    const auto b = host({"--add", "plyx.system.monitor"});
    ASSERT_EQ(b.status, 0) << b.err;
    const std::string second = b.out.substr(0, b.out.size() - 1);

    auto placed = host({"--placed"});
    ASSERT_EQ(placed.status, 0) << placed.err;
    EXPECT_EQ(placed.out.rfind(first + "\tplyx.system.storage\t40,-60\t{\"surface\":\"glass\"}\n", 0), 0u) << placed.out;
    EXPECT_NE(placed.out.find(second + "\tplyx.system.monitor\t"), std::string::npos) << placed.out;

    EXPECT_EQ(host({"--remove", QString::fromStdString(first)}).status, 0);
    placed = host({"--placed"});
    EXPECT_EQ(placed.out.find(first), std::string::npos) << placed.out;
    EXPECT_NE(placed.out.find(second), std::string::npos) << placed.out;

    const auto again = host({"--remove", QString::fromStdString(first)});
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.err, "PlyxWidgets: no placed widget \"" + first + "\"\n");
}

TEST(PlyxWidgetsHost, AddProblemsEndWithStatusOneAndALineAndPlaceNothing) {
    struct Case {
        QStringList args;
        const char* named;
    };
    const Case cases[] = {
        {{"--add", "plyx.no.such"}, "unknown widget kind \"plyx.no.such\""},
        {{"--add", "plyx.system.storage", "--config", "{oops"}, "not valid JSON"},
        {{"--add", "plyx.system.storage", "--config", R"({"surface":"Solid"})"}, "parameter \"surface\""},
        {{"--add", "plyx.system.storage", "--at", "12"}, "bad position \"12\""},
        {{"--add", "plyx.system.storage", "--at", "1.5,2"}, "bad position"},
        // X11 wraps a position past 16 bits: it would show at 31072,31072.
        {{"--add", "plyx.system.storage", "--at", "-100000,-100000"}, "bad position \"-100000,-100000\""},
        {{"--add", "plyx.system.storage", "--at", "16385,0"}, "bad position"},
        // Values of the right type that mean nothing.
        {{"--add", "plyx.clock.matrixSmall", "--config", R"({"city":"Mars/Olympus_Mons"})"},
         "\"city\" of ClockConfigIntent needs a time-zone identifier"},
        {{"--add", "plyx.weather.current", "--config", R"({"place":"Oslo"})"}, "\"place\" of WeatherConfigIntent needs a place"},
        {{"--add", "plyx.weather.current", "--config", R"({"place":"Oslo|91|10"})"}, "needs a place"},
        {{"--add", "plyx.stock", "--config", R"({"symbol":")" + QString(100, 'A') + "\"}"},
         "\"symbol\" of StockConfigIntent needs a market symbol"},
        {{"--add", "plyx.stock", "--config", R"({"symbol":")" + QString(120 * 1024, 'A') + "\"}"},
         "longer than 65536 bytes"},
        {{"--add", "plyx.stock.watchlist", "--config", R"({"symbol2":"A\nB"})"}, "needs a market symbol"},
        {{"--add", "plyx.countdown", "--config", R"({"target":1e308})"},
         "\"target\" of CountdownConfigIntent needs a date between the years 1 and 9999"},
        // Refused unread: too deep to walk, too long to take.
        {{"--add", "plyx.system.storage", "--config", "{\"surface\":" + QString(30000, '[') + QString(30000, ']') + "}"},
         "nested deeper than 48 levels"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').left(120).toStdString());
        const auto r = host(c.args);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_LE(r.err.size(), 400u) << "the offending value is cut";
    }
    EXPECT_EQ(host({"--placed"}).out, "");
}

// With no host running, placements made at once by separate processes all
// land: each reads and replaces the file under its lock, and each finds a
// spot none of the others took.
TEST(PlyxWidgetsHost, TwentyAddsAtOnceLeaveTwentyPlacements) {
    static plyx::test::TempDir runtime;
    std::filesystem::permissions(runtime.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace);
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", qs(runtime.path()));
    std::vector<std::unique_ptr<QProcess>> adds;
    for (int i = 0; i < 20; ++i) {
        adds.push_back(std::make_unique<QProcess>());
        adds.back()->setProcessEnvironment(env);
        adds.back()->start(PLYX_WIDGETS_EXE, {"--add", "plyx.system.storage"});
    }
    std::set<std::string> printed;
    for (auto& p : adds) {
        ASSERT_TRUE(p->waitForFinished(60000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
        printed.insert(p->readAllStandardOutput().trimmed().toStdString());
    }
    const auto placed = host({"--placed"});
    ASSERT_EQ(placed.status, 0) << placed.err;
    std::set<std::string> ids, corners;
    std::istringstream lines(placed.out);
    for (std::string line; std::getline(lines, line);) {
        const auto tab = line.find('\t'), tab2 = line.find('\t', tab + 1), tab3 = line.find('\t', tab2 + 1);
        ids.insert(line.substr(0, tab));
        corners.insert(line.substr(tab2 + 1, tab3 - tab2 - 1));
    }
    EXPECT_EQ(ids.size(), 20u) << placed.out;
    EXPECT_EQ(ids, printed) << "every id printed is placed";
    EXPECT_EQ(corners.size(), 20u) << placed.out;
}

// Any program on the session bus may call the host: what it hands over is
// held to the same limits as the command line, and the host lives on.
TEST(PlyxWidgetsHost, ADeepOrHugeConfigurationOverTheBusIsRefusedAndTheHostAnswersTheNextCall) {
    ASSERT_FALSE(plyx::test::privateBusAddress().empty());
    plyx::test::coreApp();
    static plyx::test::TempDir runtime;
    std::filesystem::permissions(runtime.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace);
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", qs(runtime.path()));
    QProcess desktop;
    desktop.setProcessEnvironment(env);
    desktop.start(PLYX_WIDGETS_EXE, {});
    struct Stop {
        QProcess& p;
        ~Stop() {
            p.kill();
            p.waitForFinished();
        }
    } stop{desktop};

    const QString service = "com.zelvanedesigns.plyx.widgets.Host";
    auto bus = QDBusConnection::sessionBus();
    ASSERT_TRUE(bus.isConnected());
    ASSERT_TRUE(plyx::test::spinUntil([&] { return bus.interface()->isServiceRegistered(service).value(); }));
    auto add = [&](const QString& config) {
        auto call = QDBusMessage::createMethodCall(service, "/com/zelvanedesigns/plyx/widgets/Host", service, "Add");
        call << QString("plyx.system.storage") << config << false << 0 << 0;
        return bus.call(call, QDBus::Block, 30000);
    };
    const auto deep = add(R"({"surface":)" + QString(30000, '[') + QString(30000, ']') + "}");
    EXPECT_EQ(deep.type(), QDBusMessage::ErrorMessage);
    EXPECT_TRUE(deep.errorMessage().contains("nested deeper than 48 levels")) << deep.errorMessage().toStdString();
    const auto huge = add(R"({"surface":")" + QString(1 << 20, 'x') + "\"}");
    EXPECT_EQ(huge.type(), QDBusMessage::ErrorMessage);
    EXPECT_TRUE(huge.errorMessage().contains("longer than 65536 bytes")) << huge.errorMessage().toStdString();

    EXPECT_EQ(desktop.state(), QProcess::Running);
    const auto next = add(R"({"surface":"glass"})");
    ASSERT_EQ(next.type(), QDBusMessage::ReplyMessage) << next.errorMessage().toStdString();
    const auto id = next.arguments().value(0).toString().toStdString();
    EXPECT_EQ(id.size(), 36u);
    const auto placed = host({"--placed"});
    EXPECT_EQ(placed.out.rfind(id + "\tplyx.system.storage\t", 0), 0u) << placed.out;
    EXPECT_EQ(std::count(placed.out.begin(), placed.out.end(), '\n'), 1) << placed.out;
}
