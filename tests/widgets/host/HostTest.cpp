// The host as a user runs it: a separate process, its exit status, its output
// and the image it writes.
#include "tests/support/TestSupport.h"

#include <QImage>
#include <QProcess>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Run {
    int status = -1;
    std::string out, err;
};

Run host(const QStringList& args, const std::vector<std::pair<QString, QString>>& extraEnv = {}) {
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
    p.start(PLYX_WIDGETS_EXE, args);
    Run r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) return r;
    r.status = p.exitCode();
    r.out = p.readAllStandardOutput().toStdString();
    r.err = p.readAllStandardError().toStdString();
    return r;
}

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
    };
    for (const auto& c : cases) {
        auto args = c.args;
        args << "--out" << out;
        SCOPED_TRACE(args.join(' ').toStdString());
        const auto r = host(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_FALSE(QImage(out).width() > 0) << "nothing is written on failure";
    }
    // A malformed command line shows the usage.
    for (const QStringList& args : {QStringList{}, QStringList{"--list", "--render", "x"}, QStringList{"--bogus"},
                                    QStringList{"--render"}}) {
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
