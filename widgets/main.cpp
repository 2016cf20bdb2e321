// PlyxWidgets: the widget extension's host.
//   (no arguments)          the desktop mode: every placed widget in its own
//                           window, live; one per session
//   --add KIND [--config JSON] [--at X,Y]
//                           places a widget and prints its id
//   --remove ID             removes a placed widget
//   --placed                the placed widgets: id, kind, X,Y and configuration
//   --list                  every declared widget: kind, display name, family
//                           and description, tab-separated, in bundle order
//   --render KIND [options] asks the widget's provider for an entry on a
//                           worker thread and draws it into a PNG
//     --mode placeholder|snapshot|preview|timeline   (timeline)
//     --config JSON         the widget instance's configuration ({})
//     --size WxH            points offered (the family's design size)
//     --dpr N               device pixels per point (2)
//     --rendering-mode full|accented|vibrant         (full)
//     --out FILE.png        (KIND.png)
// Problems end the program with status 1 and one line naming them (the
// offending input cut to a readable length), and an image that was there
// before stays as it was; a malformed command line ends it with status 2 and
// the usage.
#include "shared/identity/AppIdentity.h"
#include "platform/time/Time.h"
#include "platform/widgetkit/WidgetHost.h"
#include "widgets/host/DesktopHost.h"
#include "widgets/host/HostBus.h"
#include "widgets/host/PlaceWidget.h"
#include "widgets/host/PlacementStore.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"
#include "shared/intents/InteractiveIntents.h"
#include "shared/intents/MediaCommandIntent.h"
#include "shared/intents/ToggleReminderIntent.h"

#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <optional>
#include <string>
#include <vector>

using namespace plyx;

namespace {

constexpr int kMaxImageSide = 16384;
constexpr const char* kVersion = "1.0";

constexpr const char* kUsage =
    "usage: PlyxWidgets                 (the desktop mode)\n"
    "       PlyxWidgets --add KIND [--config JSON] [--at X,Y]\n"
    "       PlyxWidgets --remove ID\n"
    "       PlyxWidgets --placed\n"
    "       PlyxWidgets --list\n"
    "       PlyxWidgets --render KIND [--mode placeholder|snapshot|preview|timeline] [--config JSON]\n"
    "                   [--size WxH] [--dpr N] [--rendering-mode full|accented|vibrant] [--out FILE.png]\n";

// Text from the command line as an error shows it: control characters
// escaped, so it stays on one line, and cut after `limit` bytes (at a
// character's start), so a huge argument does not fill the terminal.
std::string shown(const std::string& text, std::size_t limit = 60) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (out.size() >= limit && (c & 0xC0) != 0x80) {
            out += "\u2026"; // …
            break;
        }
        if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else if (c < 0x20 || c == 0x7F) out += std::string("\\x") + kHex[c >> 4] + kHex[c & 0xF];
        else out.push_back(static_cast<char>(c));
    }
    return out;
}

// Every problem is one line, whatever input it quotes.
void say(const std::string& problem) { std::fprintf(stderr, "PlyxWidgets: %s\n", shown(problem, 300).c_str()); }

int usage(const std::string& problem) {
    say(problem);
    std::fputs(kUsage, stderr);
    return 2;
}

int fail(const std::string& problem) {
    say(problem);
    return 1;
}

// Read with a full stop whatever the user's locale: the application object
// adopts the environment's locale, in which strtod may expect a comma.
std::optional<double> positiveNumber(const std::string& text) {
    double v = 0;
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || at != end || !(v > 0) || v > 100000) return std::nullopt;
    return v;
}

std::optional<ui::Size> sizeNamed(const std::string& text) {
    const auto x = text.find('x');
    if (x == std::string::npos) return std::nullopt;
    auto w = positiveNumber(text.substr(0, x));
    auto h = positiveNumber(text.substr(x + 1));
    if (!w || !h) return std::nullopt;
    return ui::Size{*w, *h};
}

std::optional<ui::RenderingMode> renderingModeNamed(const std::string& text) {
    if (text == "full") return ui::RenderingMode::fullColor;
    if (text == "accented") return ui::RenderingMode::accented;
    if (text == "vibrant") return ui::RenderingMode::vibrant;
    return std::nullopt;
}

// Writes `bytes` to `out`. A file is replaced only once every byte of the new
// one is written and flushed, so a full disk or a killed process leaves the old
// image in place. A device or a pipe (/dev/stdout) is written directly: it
// cannot be replaced, and must not be. The reason of a failure, or nothing.
// Unbuffered: a buffered write reports success and leaves its error to a
// flush whose failure the commit does not look at.
std::optional<std::string> writeFile(const std::string& out, const QByteArray& bytes) {
    const QString name = QString::fromStdString(out);
    const QFileInfo info(name);
    const auto mode = QIODevice::WriteOnly | QIODevice::Unbuffered;
    if (info.exists() && !info.isFile()) {
        QFile device(name);
        if (!device.open(mode) || device.write(bytes) != bytes.size()) return device.errorString().toStdString();
        device.close();
        if (device.error() != QFileDevice::NoError) return device.errorString().toStdString();
        return std::nullopt;
    }
    QSaveFile file(name);
    if (!file.open(mode) || file.write(bytes) != bytes.size()) {
        // Taken before cancelling, which replaces the disk's error with its own.
        const std::string why = file.errorString().toStdString();
        file.cancelWriting(); // the old file stays; the new one is dropped
        return why;
    }
    if (!file.commit()) return file.errorString().toStdString();
    return std::nullopt;
}

// The image as PNG, then written; the problem when either fails.
std::optional<std::string> writePng(const QImage& image, const std::string& out) {
    if (image.isNull()) return "out of memory: cannot draw the image";
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    // Encoding into memory fails only when memory runs out.
    if (!image.save(&buffer, "PNG")) return "out of memory: cannot encode the image";
    if (auto why = writeFile(out, png)) return "cannot write " + shown(out) + ": " + *why;
    return std::nullopt;
}

int list() {
    for (const auto& w : PlyxWidgetsBundle::bundle().widgets())
        std::printf("%s\t%s\t%s\t%s\n", w.kind().c_str(), w.displayName().c_str(),
                    widgetkit::familyName(w.supportedFamilies().front()), w.description().c_str());
    return 0;
}

int render(const std::map<std::string, std::string>& opts) {
    const std::string kind = opts.at("--render");
    const auto* widget = PlyxWidgetsBundle::bundle().find(kind);
    if (!widget) return fail("unknown widget kind \"" + shown(kind) + "\" (see --list)");

    auto option = [&](const char* name) -> std::optional<std::string> {
        auto it = opts.find(name);
        return it == opts.end() ? std::nullopt : std::optional<std::string>(it->second);
    };

    auto mode = widgetkit::modeNamed(option("--mode").value_or("timeline"));
    if (!mode) return fail("unknown mode \"" + shown(*option("--mode")) + "\"");

    std::string error;
    auto config = intents::Configuration::parse(widget->intent(), option("--config").value_or(""), &error);
    if (!config) return fail("bad configuration: " + error);

    const auto family = widget->supportedFamilies().front();
    ui::Size size = widgetkit::designSize(family);
    if (auto s = option("--size")) {
        auto parsed = sizeNamed(*s);
        if (!parsed) return fail("bad size \"" + shown(*s) + "\" (expected WxH in points, e.g. 344x160)");
        size = *parsed;
    }
    double dpr = 2;
    if (auto s = option("--dpr")) {
        auto parsed = positiveNumber(*s);
        if (!parsed || *parsed > 16) return fail("bad device-pixel ratio \"" + shown(*s) + "\"");
        dpr = *parsed;
    }
    // QImage refuses larger images; say so rather than fail while drawing.
    if (size.width * dpr > kMaxImageSide || size.height * dpr > kMaxImageSide)
        return fail("image too large: at most " + std::to_string(kMaxImageSide) + " pixels a side");
    // A size that draws less than one pixel a side would still give a 1x1 image.
    if (size.width * dpr < 1 || size.height * dpr < 1) return fail("image too small: less than one pixel a side");
    ui::Environment env;
    if (auto s = option("--rendering-mode")) {
        auto parsed = renderingModeNamed(*s);
        if (!parsed) return fail("unknown rendering mode \"" + shown(*s) + "\" (full, accented or vibrant)");
        env.renderingMode = *parsed;
    }
    env.displayScale = dpr;
    const std::string out = option("--out").value_or(kind + ".png");
    if (out.empty()) return fail("no file name after --out");

    widgetkit::TimelineProviderContext ctx;
    ctx.family = family;
    ctx.displaySize = size;
    // The provider runs on a worker; drawing stays on this, the painting thread.
    const auto answer = widgetkit::requestAsync(*widget, *mode, *config, ctx).result();
    env.now = time::now();
    const auto entry = widgetkit::currentEntry(answer, env.now);
    if (!entry) return fail("widget " + kind + " answered no entry");

    const auto result = widgetkit::renderEntry(*widget, *entry, size, dpr, env);
    if (auto problem = writePng(result.image, out)) return fail(*problem);
    std::printf("%s\n", out.c_str());
    return 0;
}

std::optional<QPoint> pointNamed(const std::string& text) {
    const auto comma = text.find(',');
    if (comma == std::string::npos) return std::nullopt;
    auto whole = [](const std::string& t) -> std::optional<int> {
        int v = 0;
        const char* end = t.data() + t.size();
        const auto [at, ec] = std::from_chars(t.data(), end, v);
        if (ec != std::errc() || at != end || v < -host::kCoordinateLimit || v > host::kCoordinateLimit)
            return std::nullopt;
        return v;
    };
    auto x = whole(text.substr(0, comma));
    auto y = whole(text.substr(comma + 1));
    if (!x || !y) return std::nullopt;
    return QPoint(*x, *y);
}

host::WidgetFinder bundleFinder() { return host::DesktopHost::bundleFinder(); }

// Placing and removing go through a running host when there is one, so the
// desktop shows the change at once and the file has one writer; otherwise the
// file is changed here, under its lock, so placements made at once by several
// of these processes all land.
int add(const std::string& kind, const std::string& config, const std::optional<std::string>& at) {
    std::optional<QPoint> point;
    if (at) {
        point = pointNamed(*at);
        if (!point)
            return fail("bad position \"" + shown(*at) + "\" (expected X,Y, e.g. 40,60, each from -" +
                        std::to_string(host::kCoordinateLimit) + " to " + std::to_string(host::kCoordinateLimit) + ")");
    }
    // Without a host the screens are unknown: new widgets fill a common
    // desktop's size from its top left, and the host brings any that land
    // off its screens back onto one.
    const QRect desktopArea(0, 0, 1920, 1080);
    std::string error;
    auto placed = host::placeWidget(bundleFinder(), kind, config, point, desktopArea, {}, &error);
    if (!placed) return fail(error);
    const auto answer = host::HostBus::add(kind, config, point);
    if (answer.reached) {
        if (!answer.ok || answer.text.empty()) return fail(answer.text.empty() ? "the host refused" : answer.text);
        std::printf("%s\n", answer.text.c_str());
        return 0;
    }
    const host::PlacementStore store;
    const auto problem = store.update([&](std::vector<host::Placement>& placements) -> std::optional<std::string> {
        placed = host::placeWidget(bundleFinder(), kind, config, point, desktopArea, placements, &error);
        if (!placed) return error;
        placements.push_back(*placed);
        return std::nullopt;
    });
    if (problem) return fail("cannot write " + store.file().string() + ": " + *problem);
    std::printf("%s\n", placed->id.c_str());
    return 0;
}

int remove(const std::string& id) {
    const auto answer = host::HostBus::remove(id);
    if (answer.reached) {
        if (!answer.ok) return fail(answer.text.empty() ? "no placed widget \"" + shown(id) + "\"" : answer.text);
        return 0;
    }
    const host::PlacementStore store;
    bool looked = false, found = false;
    const auto problem = store.update([&](std::vector<host::Placement>& placements) -> std::optional<std::string> {
        looked = true;
        found = std::erase_if(placements, [&](const host::Placement& p) { return p.id == id; }) > 0;
        if (!found) return "no placed widget";
        return std::nullopt;
    });
    if (looked && !found) return fail("no placed widget \"" + shown(id) + "\"");
    if (problem) return fail("cannot write " + store.file().string() + ": " + *problem);
    return 0;
}

int placed() {
    for (const auto& p : host::PlacementStore().load())
        std::printf("%s\t%s\t%d,%d\t%s\n", p.id.c_str(), p.kind.c_str(), p.x, p.y, p.configuration.dump().c_str());
    return 0;
}

int desktop(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    registerInteractiveIntents();
    registerToggleReminderIntent();
    registerMediaCommandIntent();
    host::DesktopHost desktopHost{host::PlacementStore()};
    if (!host::publishHost(desktopHost, &app)) return fail("a desktop host is already running in this session");
    desktopHost.start();
    return app.exec();
}

} // namespace

int main(int argc, char** argv) {
    AppIdentity::configurePlatform(AppIdentity::Program::extension);

    QStringList args{"PlyxWidgets"};
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({"h", "help"}, "Shows this help.");
    const QCommandLineOption version("version", "Shows the version.");
    const QCommandLineOption listOpt("list", "Lists every declared widget.");
    const QCommandLineOption placedOpt("placed", "Lists the placed widgets.");
    const QCommandLineOption addOpt("add", "Places a widget.", "KIND");
    const QCommandLineOption removeOpt("remove", "Removes a placed widget.", "ID");
    const QCommandLineOption atOpt("at", "Where --add places the widget.", "X,Y");
    const QCommandLineOption renderOpt("render", "Draws a widget into a PNG.", "KIND");
    const QCommandLineOption modeOpt("mode", "placeholder, snapshot, preview or timeline.", "MODE");
    const QCommandLineOption configOpt("config", "The widget's configuration.", "JSON");
    const QCommandLineOption sizeOpt("size", "Points offered.", "WxH");
    const QCommandLineOption dprOpt("dpr", "Device pixels per point.", "N");
    const QCommandLineOption renderingOpt("rendering-mode", "full, accented or vibrant.", "MODE");
    const QCommandLineOption outOpt("out", "The PNG file.", "FILE.png");
    for (const auto* o : {&help, &version, &listOpt, &placedOpt, &addOpt, &removeOpt, &atOpt, &renderOpt, &modeOpt,
                          &configOpt, &sizeOpt, &dprOpt, &renderingOpt, &outOpt})
        parser.addOption(*o);
    if (!parser.parse(args)) return usage(parser.errorText().toStdString());
    if (parser.isSet(help)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("PlyxWidgets %s\n", kVersion);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return usage("unknown argument \"" + parser.positionalArguments().front().toStdString() + "\"");

    const QCommandLineOption* commands[] = {&listOpt, &placedOpt, &addOpt, &removeOpt, &renderOpt};
    const QCommandLineOption* command = nullptr;
    for (const auto* c : commands) {
        if (!parser.isSet(*c)) continue;
        if (command) return usage("give one of --list, --render, --add, --remove or --placed");
        command = c;
    }
    // Which options each command takes.
    auto onlyWith = [&](std::initializer_list<const QCommandLineOption*> opts,
                        std::initializer_list<const QCommandLineOption*> owners) -> std::optional<std::string> {
        for (const auto* o : opts)
            if (parser.isSet(*o) && std::find(owners.begin(), owners.end(), command) == owners.end())
                return "--" + o->names().back().toStdString() + " is not an option of this command";
        return std::nullopt;
    };
    if (auto p = onlyWith({&modeOpt, &sizeOpt, &dprOpt, &renderingOpt, &outOpt}, {&renderOpt})) return usage(*p);
    if (auto p = onlyWith({&configOpt}, {&renderOpt, &addOpt})) return usage(*p);
    if (auto p = onlyWith({&atOpt}, {&addOpt})) return usage(*p);

    auto value = [&](const QCommandLineOption& o) { return parser.value(o).toStdString(); };
    try {
        if (!command) return desktop(argc, argv);
        // Everything else draws into images or reads files: no display is needed.
        if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        QGuiApplication app(argc, argv);
        if (command == &listOpt) return list();
        if (command == &placedOpt) return placed();
        if (command == &removeOpt) return remove(value(removeOpt));
        if (command == &addOpt)
            return add(value(addOpt), value(configOpt),
                       parser.isSet(atOpt) ? std::optional<std::string>(value(atOpt)) : std::nullopt);
        std::map<std::string, std::string> opts{{"--render", value(renderOpt)}};
        for (const auto* o : {&modeOpt, &configOpt, &sizeOpt, &dprOpt, &renderingOpt, &outOpt})
            if (parser.isSet(*o)) opts["--" + o->names().back().toStdString()] = value(*o);
        return render(opts);
    } catch (const std::bad_alloc&) {
        return fail("out of memory");
    }
}
