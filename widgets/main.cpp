// PlyxWidgets: the widget extension's host.
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
#include "widgets/timelines/PlyxWidgetsBundle.h"

#include <QBuffer>
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

constexpr const char* kUsage =
    "usage: PlyxWidgets --list\n"
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
        file.cancelWriting(); // the old file stays; the new one is dropped
        return file.errorString().toStdString();
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

} // namespace

int main(int argc, char** argv) {
    // No display is needed: everything is drawn into images.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    AppIdentity::configurePlatform(AppIdentity::Program::extension);

    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage("nothing to do");

    static const std::vector<std::string> valued = {"--render", "--mode", "--config", "--size",
                                                    "--dpr", "--rendering-mode", "--out"};
    std::map<std::string, std::string> opts;
    bool listing = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const auto& a = args[i];
        if (a == "--list") {
            listing = true;
        } else if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (std::find(valued.begin(), valued.end(), a) != valued.end()) {
            if (i + 1 >= args.size()) return usage(a + " needs a value");
            opts[a] = args[++i];
        } else {
            return usage("unknown argument \"" + shown(a) + "\"");
        }
    }
    if (listing == (opts.count("--render") > 0)) return usage("give either --list or --render KIND");
    if (listing && !opts.empty()) return usage("--list takes no options");

    QGuiApplication app(argc, argv);
    try {
        return listing ? list() : render(opts);
    } catch (const std::bad_alloc&) {
        return fail("out of memory");
    }
}
