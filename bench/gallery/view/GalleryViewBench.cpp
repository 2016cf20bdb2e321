// The gallery drawn whole: every one of the 53 tiles with its live preview, at
// device-pixel ratio 2, as a 1144-point-wide window lays them out; and the
// same after a theme change, which rebuilds every preview.
#include "app/gallery/GalleryView.h"
#include "shared/foundation/ThemeSettings.h"
#include "shared/foundation/ThemeStore.h"

#include <QApplication>
#include <QPainter>
#include <QScrollArea>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

using namespace plyx;

namespace {

// Offscreen, with a data folder of its own (removed at exit), so the theme
// store never touches the user's suite.
QApplication& widgetsApp() {
    static QApplication* app = [] {
        namespace fs = std::filesystem;
        static const std::string root =
            (fs::temp_directory_path() / ("plyx-bench-gallery-view-" + std::to_string(::getpid()))).string();
        fs::create_directories(root);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(root, ec);
        });
        ::setenv("XDG_DATA_HOME", root.c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "bench_gallery_view";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    return *app;
}

struct Gallery {
    ThemeStore theme;
    std::unique_ptr<GalleryView> view;
    QWidget* content = nullptr;
    QImage image;

    Gallery() {
        view = std::make_unique<GalleryView>(theme, std::nullopt, QString());
        view->resize(1144, 720);
        view->show();
        QApplication::processEvents();
        content = view->scrollArea()->widget();
        image = QImage(QSize(content->width(), kPage) * 2, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(2);
    }
    // Page by page, as the window's backing store is drawn while the gallery
    // scrolls from top to bottom: every tile and preview once.
    void draw() {
        for (int top = 0; top < content->height(); top += kPage) {
            image.fill(Qt::transparent);
            QPainter painter(&image);
            content->render(&painter, QPoint(), QRegion(0, top, content->width(), kPage));
        }
    }
    static constexpr int kPage = 720;
};

void wholeGallery(benchmark::State& state) {
    widgetsApp();
    Gallery g;
    g.draw(); // fonts and symbol images loaded once, as on a window's first paint
    for (auto _ : state) {
        g.draw();
        benchmark::DoNotOptimize(g.image.constBits());
    }
    state.counters["tiles"] = double(g.view->widgets().size());
    state.counters["height"] = double(g.content->height());
}

void themeChangeThenWholeGallery(benchmark::State& state) {
    widgetsApp();
    Gallery g;
    g.draw();
    ThemeSettings a = g.theme.settings(), b = a;
    b.surface = ThemeSettings::SurfaceStyle::accent;
    b.accent = ThemeSettings::Accent::named(ThemeSettings::Accent::Kind::blue);
    bool flip = false;
    for (auto _ : state) {
        g.theme.setSettings((flip = !flip) ? b : a);
        g.draw();
        benchmark::DoNotOptimize(g.image.constBits());
    }
}

} // namespace

BENCHMARK(wholeGallery)->Unit(benchmark::kMillisecond);
BENCHMARK(themeChangeThenWholeGallery)->Unit(benchmark::kMillisecond);

