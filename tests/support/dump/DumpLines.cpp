#include "tests/support/dump/DumpLines.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace plyx::test {

std::string DumpLine::attr(const std::string& key) const {
    const std::string needle = " " + key + "=";
    const std::string padded = " " + attrs;
    const auto at = padded.find(needle);
    if (at == std::string::npos) return {};
    const auto from = at + needle.size();
    const auto to = padded.find(' ', from);
    return padded.substr(from, to == std::string::npos ? std::string::npos : to - from);
}

std::string DumpLine::text() const {
    const std::string open = "text=\"";
    const auto from = attrs.find(open);
    if (from == std::string::npos) return {};
    const auto to = attrs.find("\" color=", from);
    return attrs.substr(from + open.size(), to - from - open.size());
}

namespace {

// "a<sep>b" as two decimal numbers ("inf" and "nan" included).
void readPair(const std::string& text, char sep, double& a, double& b) {
    const auto at = text.find(sep);
    if (at == std::string::npos) return;
    std::from_chars(text.data(), text.data() + at, a);
    std::from_chars(text.data() + at + 1, text.data() + text.size(), b);
}

} // namespace

std::ostream& operator<<(std::ostream& out, const DumpLine& line) {
    return out << line.kind << " " << line.x << "," << line.y << " " << line.width << "x" << line.height << " "
               << line.attrs;
}

std::vector<DumpLine> parseDump(const std::string& dump) {
    std::vector<DumpLine> out;
    std::istringstream in(dump);
    std::string line;
    while (std::getline(in, line)) {
        DumpLine d;
        const auto first = line.find_first_not_of(' ');
        if (first == std::string::npos) continue;
        d.indent = static_cast<int>(first);
        std::istringstream fields(line.substr(first));
        std::string pos, size;
        fields >> d.kind >> pos >> size;
        // Split before reading: "0x20" read as one number is hexadecimal 32.
        readPair(pos, ',', d.x, d.y);
        readPair(size, 'x', d.width, d.height);
        std::getline(fields, d.attrs);
        if (!d.attrs.empty() && d.attrs[0] == ' ') d.attrs.erase(0, 1);
        out.push_back(std::move(d));
    }
    return out;
}

std::vector<DumpLine> dumpLines(const ui::View& view, ui::Size size, const ui::Environment& env) {
    return parseDump(ui::dump(view, size, env));
}

std::vector<DumpLine> ofKind(const std::vector<DumpLine>& lines, const std::string& kind) {
    std::vector<DumpLine> out;
    for (const auto& l : lines)
        if (l.kind == kind) out.push_back(l);
    return out;
}

std::string hex(const ui::Color& c) {
    auto byte = [](double v) { return int(std::lround(std::fmin(std::fmax(v, 0.0), 1.0) * 255)); };
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X%02X", byte(c.r), byte(c.g), byte(c.b), byte(c.a));
    return buf;
}

QImage renderImage(const ui::View& view, ui::Size size, const ui::Environment& env) {
    return ui::render(view, size, 2, env).image;
}

QColor pixelAt(const QImage& image, double x, double y) {
    const double dpr = image.devicePixelRatio();
    return image.pixelColor(int(x * dpr), int(y * dpr)).toRgb();
}

bool near(const QColor& got, const ui::Color& want, int tolerance) {
    auto close = [&](int a, double b) { return std::abs(a - int(std::lround(b * 255))) <= tolerance; };
    return close(got.red(), want.r) && close(got.green(), want.g) && close(got.blue(), want.b) &&
           close(got.alpha(), want.a);
}

} // namespace plyx::test
