// Each desktop's picture settings, set and read back in the form the desktop
// itself keeps them.
#include "platform/wallpaper/DesktopPictures.h"
#include "tests/support/TestSupport.h"
#include "tests/support/bus/PrivateBus.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QMutex>
#include <QThread>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>

namespace {
namespace fs = std::filesystem;
using namespace plyx::wallpaper;
using plyx::test::ScopedEnv;
using plyx::test::TempDir;
using plyx::test::readFile;
using plyx::test::writeFile;

TEST(DesktopPictureLocations, FileURIsAndPaths) {
    EXPECT_EQ(localFileFromLocation("file:///home/u/Wall%20papers/a.heic"), fs::path("/home/u/Wall papers/a.heic"));
    EXPECT_EQ(localFileFromLocation("/home/u/a.heic"), fs::path("/home/u/a.heic"));
    EXPECT_EQ(localFileFromLocation("https://example.org/a.heic"), std::nullopt);
    EXPECT_EQ(localFileFromLocation("a.heic"), std::nullopt);
    EXPECT_EQ(localFileFromLocation(""), std::nullopt);
    EXPECT_EQ(fileURI("/home/u/Wall papers/it's #1.heic"), "file:///home/u/Wall%20papers/it's%20%231.heic");
    EXPECT_EQ(localFileFromLocation(fileURI("/home/u/Wall papers/it's #1.heic")),
              fs::path("/home/u/Wall papers/it's #1.heic"));
}

TEST(DesktopPictureLocations, TheSessionsDesktopChoosesTheBackEnd) {
    // Only GNOME's answers without a bus: it names one screen.
    const ScopedEnv gnome("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
    EXPECT_EQ(sessionDesktopPictures()->screens(), std::vector<std::string>{"desktop"});
    const ScopedEnv other("XDG_CURRENT_DESKTOP", "XFCE");
    EXPECT_EQ(sessionDesktopPictures()->screens(), std::vector<std::string>{"all"});
}

// GNOME through its own `gsettings`, on GLib's key-file back end in a folder
// of the test's, so the stored form is the file GLib writes.
class GnomeBackgroundTest : public ::testing::Test {
protected:
    TempDir config;
    ScopedEnv backend{"GSETTINGS_BACKEND", "keyfile"};
    ScopedEnv home{"XDG_CONFIG_HOME", config.path().string()};
    fs::path keyfile() const { return config.path() / "glib-2.0" / "settings" / "keyfile"; }
};

TEST_F(GnomeBackgroundTest, SetsTheLightAndDarkPictureAndReadsTheShownOne) {
    auto gnome = gnomeBackground();
    ASSERT_EQ(gnome->screens(), std::vector<std::string>{"desktop"});
    const fs::path file = "/home/u/.local/share/plyx/Wallpapers/it's 04-dark-night-grid.heic";
    ASSERT_EQ(gnome->setPicture("desktop", file), std::nullopt);
    // GLib quotes the text as GVariant does: the URI itself is stored.
    const std::string stored = readFile(keyfile());
    for (const char* key : {"picture-uri=", "picture-uri-dark="}) {
        const size_t line = stored.find(std::string("\n") + key);
        ASSERT_NE(line, std::string::npos) << key << stored;
        const std::string value = stored.substr(line, stored.find('\n', line + 1) - line);
        EXPECT_NE(value.find("file:///home/u/.local/share/plyx/Wallpapers/it's%2004-dark-night-grid.heic"),
                  std::string::npos)
            << value;
    }
    EXPECT_EQ(gnome->picture("desktop"), file);
}

TEST_F(GnomeBackgroundTest, ReadsThePictureOfTheColourScheme) {
    writeFile(keyfile(), "[org/gnome/desktop/background]\n"
                         "picture-uri='file:///usr/share/backgrounds/light.heic'\n"
                         "picture-uri-dark='file:///home/u/dark%20one.heic'\n");
    auto gnome = gnomeBackground();
    EXPECT_EQ(gnome->picture("desktop"), fs::path("/usr/share/backgrounds/light.heic"));
    writeFile(keyfile(), readFile(keyfile()) + "\n[org/gnome/desktop/interface]\ncolor-scheme='prefer-dark'\n");
    EXPECT_EQ(gnome->picture("desktop"), fs::path("/home/u/dark one.heic"));
    // A picture that is no local file is none of ours.
    writeFile(keyfile(), "[org/gnome/desktop/background]\npicture-uri='https://example.org/a.heic'\n");
    EXPECT_EQ(gnomeBackground()->picture("desktop"), std::nullopt);
}

/// A service on the test's bus with its own connection and thread (the back
/// ends call it blocking). It records each call and answers with `answer`.
class FakeService : public QDBusVirtualObject {
public:
    using Answer = std::function<void(const QDBusMessage&, const QDBusConnection&)>;

    FakeService(QString service, QString path, Answer answer)
        : service_(std::move(service)), path_(std::move(path)), answer_(std::move(answer)) {
        moveToThread(&thread_);
        thread_.start();
        QMetaObject::invokeMethod(
            this,
            [this] {
                auto bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, kConnection);
                registered_ = bus.registerVirtualObject(path_, this) && bus.registerService(service_);
            },
            Qt::BlockingQueuedConnection);
    }
    ~FakeService() override {
        QThread* const owner = QThread::currentThread();
        QMetaObject::invokeMethod(
            this,
            [this, owner] {
                auto bus = QDBusConnection(kConnection);
                bus.unregisterService(service_);
                bus.unregisterObject(path_);
                QDBusConnection::disconnectFromBus(kConnection);
                moveToThread(owner);
            },
            Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
    }
    bool registered() const { return registered_; }
    std::vector<QDBusMessage> calls() const {
        QMutexLocker lock(&mutex_);
        return calls_;
    }

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& call, const QDBusConnection& bus) override {
        {
            QMutexLocker lock(&mutex_);
            calls_.push_back(call);
        }
        answer_(call, bus);
        return true;
    }

private:
    static constexpr const char* kConnection = "plyx-fake-desktop";
    QString service_, path_;
    Answer answer_;
    QThread thread_;
    mutable QMutex mutex_;
    std::vector<QDBusMessage> calls_;
    bool registered_ = false;
};

constexpr const char* kApplets = R"([ActionPlugins][0]
RightButton;NoModifier=org.kde.contextmenu

[Containments][1]
activityId=0c1f
formfactor=0
immutability=1
lastScreen=1
location=0
plugin=org.kde.plasma.folder
wallpaperplugin=org.kde.image

[Containments][1][Wallpaper][org.kde.image][General]
Image=file:///home/u/.local/share/plyx/Wallpapers/07-graphite-mesh.heic

[Containments][2]
formfactor=2
lastScreen=0
location=4
plugin=org.kde.panel
wallpaperplugin=org.kde.image

[Containments][7]
activityId=0c1f
formfactor=0
lastScreen=0
location=0
plugin=org.kde.plasma.folder
wallpaperplugin=org.kde.image

[Containments][7][Wallpaper][org.kde.image][General]
Image[$e]=/home/u/Pictures/beach.heic
SlidePaths=/usr/share/wallpapers/

[Containments][9]
formfactor=0
lastScreen=2
location=0
plugin=org.kde.plasma.folder
wallpaperplugin=org.kde.slideshow

[Containments][9][Wallpaper][org.kde.image][General]
Image=file:///home/u/old.heic
)";

TEST(PlasmaDesktops, ScreensAndPicturesFromTheAppletsFile) {
    TempDir config;
    const ScopedEnv home("XDG_CONFIG_HOME", config.path().string());
    auto plasma = plasmaDesktops();
    EXPECT_TRUE(plasma->screens().empty()); // no file: a desktop that is not Plasma

    writeFile(config.path() / "plasma-org.kde.plasma.desktop-appletsrc", kApplets);
    // Desktops in the order of their screens; the panel is no desktop.
    EXPECT_EQ(plasma->screens(), (std::vector<std::string>{"7", "1", "9"}));
    EXPECT_EQ(plasma->picture("7"), fs::path("/home/u/Pictures/beach.heic"));
    EXPECT_EQ(plasma->picture("1"), fs::path("/home/u/.local/share/plyx/Wallpapers/07-graphite-mesh.heic"));
    // A slideshow shows no one picture; a desktop not in the file shows none.
    EXPECT_EQ(plasma->picture("9"), std::nullopt);
    EXPECT_EQ(plasma->picture("3"), std::nullopt);
}

TEST(PlasmaDesktops, SetsEachDesktopThroughTheShellsScripting) {
    plyx::test::coreApp();
    ASSERT_FALSE(plyx::test::privateBusAddress().empty());
    auto plasma = plasmaDesktops();
    const fs::path file = "/home/u/.local/share/plyx/Wallpapers/05-dark-dot-matrix.heic";
    // Without a shell on the bus the failure is reported.
    EXPECT_NE(plasma->setPicture("7", file), std::nullopt);

    std::atomic<bool> refuse = false;
    FakeService shell("org.kde.plasmashell", "/PlasmaShell", [&](const QDBusMessage& call, const QDBusConnection& bus) {
        if (refuse) bus.send(call.createErrorReply("org.freedesktop.DBus.Error.Failed", "Widgets are locked"));
        else bus.send(call.createReply());
    });
    ASSERT_TRUE(shell.registered());
    EXPECT_EQ(plasma->setPicture("7", file), std::nullopt);
    ASSERT_EQ(shell.calls().size(), 1u);
    const QDBusMessage call = shell.calls()[0];
    EXPECT_EQ(call.interface(), "org.kde.PlasmaShell");
    EXPECT_EQ(call.member(), "evaluateScript");
    const QString script = call.arguments().value(0).toString();
    EXPECT_TRUE(script.contains("desktopById(7)")) << script.toStdString();
    EXPECT_TRUE(script.contains("d.wallpaperPlugin = \"org.kde.image\"")) << script.toStdString();
    EXPECT_TRUE(script.contains("d.writeConfig(\"Image\", \"file://" + QString::fromStdString(file.string()) + "\")"))
        << script.toStdString();

    // Plasma saves its file a while later: until then the desktop shows what
    // was set; once the file is saved, the file tells.
    TempDir config;
    const ScopedEnv home("XDG_CONFIG_HOME", config.path().string());
    const fs::path applets = config.path() / "plasma-org.kde.plasma.desktop-appletsrc";
    writeFile(applets, kApplets);
    ASSERT_EQ(plasma->setPicture("7", file), std::nullopt);
    EXPECT_EQ(plasma->picture("7"), file);
    EXPECT_EQ(plasma->picture("1"), fs::path("/home/u/.local/share/plyx/Wallpapers/07-graphite-mesh.heic"));
    writeFile(applets, kApplets);
    fs::last_write_time(applets, fs::last_write_time(applets) + std::chrono::seconds(2));
    EXPECT_EQ(plasma->picture("7"), fs::path("/home/u/Pictures/beach.heic"));

    refuse = true;
    EXPECT_EQ(plasma->setPicture("1", file), std::optional<std::string>("Widgets are locked"));
    EXPECT_NE(plasma->picture("1"), file) << "a refused set shows nothing new";
    // A screen key that is not a desktop's number never reaches the script.
    EXPECT_NE(plasma->setPicture("7); evil(", file), std::nullopt);
    EXPECT_EQ(shell.calls().size(), 3u);
}

QVariantMap optionsOf(const QDBusMessage& call) {
    return qdbus_cast<QVariantMap>(call.arguments().value(2).value<QDBusArgument>());
}

TEST(PortalWallpaper, OneRequestForEveryScreenAndItsAnswer) {
    plyx::test::coreApp();
    ASSERT_FALSE(plyx::test::privateBusAddress().empty());
    auto portal = portalWallpaper();
    ASSERT_EQ(portal->screens(), std::vector<std::string>{"all"});
    EXPECT_EQ(portal->picture("all"), std::nullopt);
    const fs::path file = "/home/u/.local/share/plyx/Wallpapers/01-light-paper-dots.heic";
    EXPECT_NE(portal->setPicture("all", file), std::nullopt); // no portal

    // The portal answers the call with its request's path, then the outcome
    // as that request's Response signal.
    std::atomic<uint> outcome = 0;
    FakeService desktop(
        "org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
        [&](const QDBusMessage& call, const QDBusConnection& bus) {
            const QVariantMap options = optionsOf(call);
            QString sender = call.service().mid(1);
            sender.replace('.', '_');
            const QString handle =
                "/org/freedesktop/portal/desktop/request/" + sender + "/" + options.value("handle_token").toString();
            bus.send(call.createReply(QVariant::fromValue(QDBusObjectPath(handle))));
            auto response = QDBusMessage::createSignal(handle, "org.freedesktop.portal.Request", "Response");
            response << outcome.load() << QVariantMap();
            bus.send(response);
        });
    ASSERT_TRUE(desktop.registered());

    EXPECT_EQ(portal->setPicture("all", file), std::nullopt);
    ASSERT_EQ(desktop.calls().size(), 1u);
    const QDBusMessage call = desktop.calls()[0];
    EXPECT_EQ(call.interface(), "org.freedesktop.portal.Wallpaper");
    EXPECT_EQ(call.member(), "SetWallpaperURI");
    EXPECT_EQ(call.arguments().value(1).toString().toStdString(), "file://" + file.string());
    const QVariantMap options = optionsOf(call);
    EXPECT_EQ(options.value("show-preview"), QVariant(false));
    EXPECT_EQ(options.value("set-on"), QVariant("background"));

    for (uint refused : {1u, 2u}) {
        outcome = refused;
        EXPECT_NE(portal->setPicture("all", file), std::nullopt) << refused;
    }
}

} // namespace
