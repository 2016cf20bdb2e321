#pragma once
// Reading the view layer's text dump back into lines the tests can query, and
// probing the pixels of a rendered view.
#include "platform/ui/View.h"

#include <QImage>

#include <ostream>
#include <string>
#include <vector>

namespace plyx::test {

struct DumpLine {
    int indent = 0;
    std::string kind;
    double x = 0, y = 0, width = 0, height = 0;
    std::string attrs; ///< everything after the frame
    /// The value of `key=` in the attributes (up to the next blank), or empty.
    std::string attr(const std::string& key) const;
    /// A text node's whole text, blanks included, as cut ("\\n" between its
    /// lines); empty for other nodes.
    std::string text() const;
};

/// The line as the dump wrote it, indent aside, for failure messages.
std::ostream& operator<<(std::ostream& out, const DumpLine& line);

std::vector<DumpLine> parseDump(const std::string& dump);
std::vector<DumpLine> dumpLines(const ui::View& view, ui::Size size, const ui::Environment& env = {});
std::vector<DumpLine> ofKind(const std::vector<DumpLine>& lines, const std::string& kind);

/// "#RRGGBBAA" as the dump writes colours.
std::string hex(const ui::Color& c);

/// Renders at device-pixel ratio 2 on a transparent image.
QImage renderImage(const ui::View& view, ui::Size size, const ui::Environment& env = {});
/// The pixel at point (x, y) of an image rendered by `renderImage`, straight alpha.
QColor pixelAt(const QImage& image, double x, double y);
/// Whether `got` is `want` within a few levels per channel (antialiasing aside).
bool near(const QColor& got, const ui::Color& want, int tolerance = 3);

} // namespace plyx::test
