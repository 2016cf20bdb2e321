// The host as installed by `cmake --install` and started from another folder:
// its fonts and icons are compiled in, so it draws the same image as the build
// tree does, in the two resource faces.
#include "platform/widgetkit/WidgetHost.h"
#include "tests/support/TestSupport.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"

#include <QFontDatabase>
#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace plyx;

// A widget whose preview draws numerals in Doto and captions in Fragment Mono.
constexpr const char* kKind = "plyx.system.monitor";

int run(const QString& program, const QStringList& args, const fs::path& workingDir, std::string* err = nullptr) {
    QProcess p;
    p.setWorkingDirectory(QString::fromStdString(workingDir.string()));
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit) return -1;
    if (err) *err = p.readAllStandardError().toStdString();
    return p.exitCode();
}

} // namespace

TEST(InstalledHost, RunFromAnotherFolderDrawsInDotoAndFragmentMono) {
    plyx::test::TempDir prefix, elsewhere;
    std::string err;
    ASSERT_EQ(run(PLYX_CMAKE_COMMAND,
                  {"--install", PLYX_BINARY_DIR, "--prefix", QString::fromStdString(prefix.path().string())},
                  elsewhere.path(), &err),
              0)
        << err;
    const fs::path exe = prefix.path() / "bin" / "PlyxWidgets";
    ASSERT_TRUE(fs::exists(exe));
    EXPECT_TRUE(fs::exists(prefix.path() / "share" / "doc" / "Plyx" / "fonts" / "OFL-Doto.txt"));
    // The wallpapers are files the desktop is pointed at, installed beside the
    // programs; the generator's sources stay behind.
    for (const char* file : {"04-dark-night-grid.heic", "04-dark-night-grid-thumb.jpg"})
        EXPECT_TRUE(fs::exists(prefix.path() / "share" / "plyx" / "wallpapers" / file)) << file;

    const fs::path out = elsewhere.path() / "installed.png";
    ASSERT_EQ(run(QString::fromStdString(exe.string()),
                  {"--render", kKind, "--mode", "preview", "--dpr", "2", "--out", "installed.png"}, elsewhere.path(),
                  &err),
              0)
        << err;
    const QImage installed(QString::fromStdString(out.string()));
    ASSERT_FALSE(installed.isNull());

    // The same preview drawn here with the faces read from the source tree's
    // files, whatever this program carries: it uses both, and a face missing
    // from the installed program would change its pixels.
    for (const auto& font : fs::directory_iterator(fs::path(PLYX_SOURCE_DIR) / "resources" / "fonts")) {
        if (font.path().extension() != ".ttf") continue;
        ASSERT_GE(QFontDatabase::addApplicationFont(QString::fromStdString(font.path().string())), 0);
    }
    const auto* widget = PlyxWidgetsBundle::find(kKind);
    ASSERT_NE(widget, nullptr);
    const auto& c = widget->configuration;
    const auto answer =
        widgetkit::request(c, widgetkit::RequestMode::preview, intents::Configuration::defaults(c.intent()), {});
    const auto view = c.content(answer.entries.at(0));
    const std::string dump = ui::dump(view, widget->designSize(), {});
    EXPECT_NE(dump.find("font=Doto"), std::string::npos) << dump;
    EXPECT_NE(dump.find("font=Fragment Mono"), std::string::npos) << dump;
    ui::Environment env;
    env.displayScale = 2;
    const QImage here = ui::render(view, widget->designSize(), 2, env).image;
    ASSERT_EQ(installed.size(), here.size());
    EXPECT_TRUE(installed.convertToFormat(QImage::Format_ARGB32) == here.convertToFormat(QImage::Format_ARGB32))
        << "the installed host draws other pixels than the faces give";
}
