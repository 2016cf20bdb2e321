// Draws Plyx's own desktop pictures: dot-matrix and grid compositions in the
// widgets' palette, each at 5120 by 2880, written as "<id>.heic" (HEVC, via
// libheif) with a 640 by 360 JPEG thumbnail "<id>-thumb.jpg".
//
// Built and run by scripts/make-wallpapers.sh on request only; the images it
// writes are committed, so neither the build nor the tests need it.
//
// Every composition is a pure function of its parameters (no randomness), so
// running it again gives the same pictures.
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <libheif/heif.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 5120;
constexpr int kHeight = 2880;

// The palette: the widgets' ink and paper, the red accent, and the graphite
// greys between them.
const QColor kPaper(0xF4, 0xF3, 0xF0);
const QColor kPaperLine(0xE3, 0xE2, 0xDE);
const QColor kPaperDot(0xCF, 0xCE, 0xCA);
const QColor kInk(0x16, 0x16, 0x16);
const QColor kInkLine(0x24, 0x24, 0x24);
const QColor kInkDot(0x33, 0x33, 0x33);
const QColor kInkLit(0xE6, 0xE6, 0xE3);
const QColor kRed(215, 25, 33);
const QColor kGraphite(0x2D, 0x2F, 0x32);
const QColor kGraphiteLine(0x3A, 0x3D, 0x41);
const QColor kGraphiteDot(0x5A, 0x5E, 0x63);
const QColor kGraphiteLit(0x9A, 0x9E, 0xA4);

using Painter = std::function<void(QPainter&)>;

void dot(QPainter& p, double x, double y, double r, const QColor& c) {
    if (r <= 0.2) return;
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(x, y), r, r);
}

// A square lattice of dots; `radius` and `colour` are asked per dot, with the
// dot's column, row and its centre relative to the picture (0...1).
void lattice(QPainter& p, double pitch, const std::function<double(int, int, double, double)>& radius,
             const std::function<QColor(int, int, double, double)>& colour) {
    const int cols = int(kWidth / pitch);
    const int rows = int(kHeight / pitch);
    const double x0 = (kWidth - (cols - 1) * pitch) / 2;
    const double y0 = (kHeight - (rows - 1) * pitch) / 2;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const double x = x0 + c * pitch, y = y0 + r * pitch;
            const double u = x / kWidth, v = y / kHeight;
            dot(p, x, y, radius(c, r, u, v), colour(c, r, u, v));
        }
}

void gridLines(QPainter& p, double pitch, double width, const QColor& c) {
    p.setPen(QPen(c, width));
    for (double x = std::fmod(kWidth / 2.0, pitch); x < kWidth; x += pitch) p.drawLine(QPointF(x, 0), QPointF(x, kHeight));
    for (double y = std::fmod(kHeight / 2.0, pitch); y < kHeight; y += pitch) p.drawLine(QPointF(0, y), QPointF(kWidth, y));
}

struct Wallpaper {
    const char* id;
    QColor background;
    Painter draw;
};

std::vector<Wallpaper> wallpapers() {
    return {
        {"01-light-paper-dots", kPaper,
         [](QPainter& p) {
             lattice(p, 96, [](int, int, double, double) { return 6.0; },
                     [](int, int, double, double) { return kPaperDot; });
             dot(p, kWidth * 0.618, kHeight * 0.382, 34, kRed);
         }},
        {"02-light-grid-field", kPaper,
         [](QPainter& p) {
             gridLines(p, 160, 3, kPaperLine);
             gridLines(p, 640, 5, kPaperDot);
             // A disc of ink dots on the grid's crossings, off centre.
             const QPointF centre(kWidth * 0.34, kHeight * 0.5);
             lattice(p, 80,
                     [&](int, int, double u, double v) {
                         const double d = std::hypot((u * kWidth - centre.x()), (v * kHeight - centre.y()));
                         return d < 900 ? 14.0 : 0.0;
                     },
                     [](int, int, double, double) { return kInk; });
         }},
        {"03-light-red-signal", kPaper,
         [](QPainter& p) {
             // A halftone wave: dots swell where the wave passes.
             lattice(p, 72,
                     [](int, int, double u, double v) {
                         const double wave = 0.5 + 0.18 * std::sin(u * 2 * M_PI * 1.5);
                         const double d = std::abs(v - wave);
                         return std::max(0.0, 20.0 * (1.0 - d / 0.22));
                     },
                     [](int, int r, double, double) { return r == 20 ? kRed : kInk; });
         }},
        {"04-dark-night-grid", kInk,
         [](QPainter& p) {
             gridLines(p, 240, 3, kInkLine);
             lattice(p, 240, [](int, int, double, double) { return 7.0; },
                     [](int, int, double, double) { return kInkDot; });
             dot(p, kWidth / 2.0 + 240 * 5, kHeight / 2.0 - 240 * 2, 22, kRed);
         }},
        {"05-dark-dot-matrix", kInk,
         [](QPainter& p) {
             // A dial drawn in lit dots on a field of dim ones.
             const QPointF centre(kWidth / 2.0, kHeight / 2.0);
             lattice(p, 64,
                     [](int, int, double, double) { return 12.0; },
                     [&](int, int, double u, double v) {
                         const double d = std::hypot(u * kWidth - centre.x(), v * kHeight - centre.y());
                         const double a = std::atan2(v * kHeight - centre.y(), u * kWidth - centre.x());
                         const bool ring = d > 980 && d < 1120 && a < 1.9;
                         return ring ? kInkLit : kInkDot;
                     });
             dot(p, centre.x(), centre.y(), 26, kRed);
         }},
        {"06-dark-red-pulse", kInk,
         [](QPainter& p) {
             // Dots grow towards one red point, like a halftone glow.
             const QPointF centre(kWidth * 0.7, kHeight * 0.58);
             lattice(p, 56,
                     [&](int, int, double u, double v) {
                         const double d = std::hypot(u * kWidth - centre.x(), v * kHeight - centre.y());
                         return std::max(2.5, 22.0 * std::exp(-d / 700.0));
                     },
                     [&](int, int, double u, double v) {
                         const double d = std::hypot(u * kWidth - centre.x(), v * kHeight - centre.y());
                         return d < 360 ? kRed : kInkDot;
                     });
         }},
        {"07-graphite-mesh", kGraphite,
         [](QPainter& p) {
             gridLines(p, 128, 2, kGraphiteLine);
             gridLines(p, 512, 4, kGraphiteDot);
             dot(p, kWidth / 2.0 - 512 * 3, kHeight / 2.0 + 512, 18, kRed);
         }},
        {"08-mono-ridge", kGraphite,
         [](QPainter& p) {
             // A mountain ridge in halftone: dots below the profile, larger
             // the deeper they sit.
             lattice(p, 64,
                     [](int, int, double u, double v) {
                         const double ridge = 0.55 - 0.12 * std::sin(u * 2 * M_PI * 0.8 + 0.6)
                                              - 0.06 * std::sin(u * 2 * M_PI * 2.3 + 1.1);
                         if (v < ridge) return 3.0;
                         return std::min(16.0, 5.0 + (v - ridge) * 40.0);
                     },
                     [](int, int, double u, double v) {
                         const double ridge = 0.55 - 0.12 * std::sin(u * 2 * M_PI * 0.8 + 0.6)
                                              - 0.06 * std::sin(u * 2 * M_PI * 2.3 + 1.1);
                         return v < ridge ? kGraphiteLine : kGraphiteLit;
                     });
         }},
        {"09-steel-halftone", kGraphite,
         [](QPainter& p) {
             // A diagonal halftone ramp from the top left.
             lattice(p, 80,
                     [](int, int, double u, double v) { return 2.0 + 18.0 * std::pow((u + v) / 2.0, 1.6); },
                     [](int, int, double, double) { return kGraphiteDot; });
             dot(p, kWidth * 0.2, kHeight * 0.25, 20, kRed);
         }},
    };
}

bool writeHeic(const QImage& image, const std::string& path, int quality) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    heif_image* img = nullptr;
    if (heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &img).code)
        return false;
    heif_image_add_plane(img, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(img, heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.height(); ++y) std::memcpy(plane + y * stride, rgb.constScanLine(y), rgb.width() * 3);

    heif_context* ctx = heif_context_alloc();
    heif_encoder* enc = nullptr;
    bool ok = !heif_context_get_encoder_for_format(ctx, heif_compression_HEVC, &enc).code;
    if (ok) {
        heif_encoder_set_lossy_quality(enc, quality);
        ok = !heif_context_encode_image(ctx, img, enc, nullptr, nullptr).code;
        heif_encoder_release(enc);
    }
    ok = ok && !heif_context_write_to_file(ctx, path.c_str()).code;
    heif_context_free(ctx);
    heif_image_release(img);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER [QUALITY]\n", argv[0]);
        return 2;
    }
    QGuiApplication app(argc, argv);
    const std::string out = argv[1];
    const int quality = argc > 2 ? std::atoi(argv[2]) : 60;
    int failures = 0;
    for (const auto& w : wallpapers()) {
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        image.fill(w.background);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            w.draw(p);
        }
        const std::string heic = out + "/" + w.id + ".heic";
        const std::string thumb = out + "/" + w.id + "-thumb.jpg";
        const bool ok = writeHeic(image, heic, quality) &&
                        image.scaled(640, 360, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                            .save(QString::fromStdString(thumb), "JPG", 88);
        std::printf("%s %s\n", ok ? "wrote" : "FAILED", w.id);
        if (!ok) ++failures;
    }
    return failures ? 1 : 0;
}
