#include "app/wallpapers/WallpaperPreviewSheet.h"

#include "app/wallpapers/WallpaperApplier.h"
#include "app/wallpapers/WallpaperStyle.h"
#include "platform/wallpaper/FileCopy.h"
#include "platform/wallpaper/HeifImage.h"

#include <QFileDialog>
#include <QFutureWatcher>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QLoggingCategory>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrent>

Q_LOGGING_CATEGORY(lcWallpapers, "com.zelvanedesigns.plyx.wallpapers")

namespace plyx {

namespace {
constexpr const char* kCloseLabel = "Close";
constexpr const char* kExportLabel = "Export…";
constexpr const char* kAppliedLabel = "Applied ✓";
constexpr const char* kSetLabel = "Set as Wallpaper";
constexpr const char* kCaptionTail = " · 5K · fits any display";
constexpr const char* kApplyFailed = "Couldn't set wallpaper";
constexpr const char* kExportFailed = "Couldn't export wallpaper";
constexpr const char* kFullExtension = ".heic";
constexpr int kPadding = 20;
constexpr int kSpacing = 16;
constexpr int kRadius = 12;
constexpr int kFadeMs = 180;
} // namespace

/// The full-size picture at the sheet's width and its own aspect, 16:9 while
/// it loads or when there is none.
class WallpaperPreviewSheet::Picture : public QWidget {
public:
    Picture(const WallpaperItem& item, QWidget* parent) : QWidget(parent) {
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        const auto full = item.fullURL();
        if (!full) return;
        // A 5K picture takes a moment to decode: off the main thread, and
        // brought down to twice the shown width there too.
        auto* watcher = new QFutureWatcher<QImage>(this);
        connect(watcher, &QFutureWatcher<QImage>::finished, this, [this, watcher] {
            image_ = watcher->result();
            watcher->deleteLater();
            updateGeometry(); // the sheet takes the picture's height
            update();
        });
        const auto path = *full;
        const int shownWidth = 2 * (kWidth - 2 * kPadding);
        watcher->setFuture(QtConcurrent::run([path, shownWidth] {
            const QImage image = wallpaper::readHeif(path);
            if (image.isNull() || image.width() <= shownWidth) return image;
            return image.scaledToWidth(shownWidth, Qt::SmoothTransformation);
        }));
    }

    bool loaded() const { return !image_.isNull(); }

    // The sheet's width less its padding, and the picture's aspect: the
    // sheet is laid out at exactly this size.
    QSize sizeHint() const override {
        const int w = kWidth - 2 * kPadding;
        const double aspect = image_.isNull() ? 9.0 / 16.0 : double(image_.height()) / image_.width();
        return {w, int(std::round(w * aspect))};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:

    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        QPainterPath clip;
        clip.addRoundedRect(QRectF(rect()), kRadius, kRadius);
        p.setClipPath(clip);
        if (image_.isNull()) p.fillRect(rect(), WallpaperStyle::hierarchical(palette(), WallpaperStyle::kQuinary));
        else p.drawImage(QRectF(rect()), image_);
    }

private:
    QImage image_;
};

WallpaperPreviewSheet::WallpaperPreviewSheet(WallpaperItem item, AppliedIDBinding appliedID, QWidget* parent)
    : QDialog(parent), item_(std::move(item)), appliedID_(std::move(appliedID)) {
    setWindowTitle(QString::fromStdString(item_.name));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    layout->setSpacing(kSpacing);
    // 720 wide (the picture's width and the padding) and as tall as the content.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    picture_ = new Picture(item_, this);
    layout->addWidget(picture_);

    auto* row = new QHBoxLayout;
    auto* titles = new QVBoxLayout;
    titles->setSpacing(2);
    auto* name = new QLabel(QString::fromStdString(item_.name), this);
    name->setFont(WallpaperStyle::headlineFont());
    auto* caption = new QLabel(QString(WallpaperItem::rawValue(item_.tone)) + kCaptionTail, this);
    caption->setFont(WallpaperStyle::captionFont());
    QPalette secondary = caption->palette();
    secondary.setColor(QPalette::WindowText, WallpaperStyle::hierarchical(palette(), WallpaperStyle::kSecondary));
    caption->setPalette(secondary);
    titles->addWidget(name);
    titles->addWidget(caption);
    row->addLayout(titles);
    row->addStretch(1);

    statusLabel_ = new QLabel(this);
    statusLabel_->setFont(WallpaperStyle::captionFont());
    statusLabel_->setPalette(secondary);
    statusOpacity_ = new QGraphicsOpacityEffect(statusLabel_);
    statusOpacity_->setOpacity(0);
    statusLabel_->setGraphicsEffect(statusOpacity_);
    statusLabel_->hide();
    row->addWidget(statusLabel_);

    auto* close = new QPushButton(kCloseLabel, this);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject); // Escape closes too, as every dialog
    row->addWidget(close);
    auto* exportButton = new QPushButton(kExportLabel, this);
    exportButton->setAutoDefault(false);
    connect(exportButton, &QPushButton::clicked, this, &WallpaperPreviewSheet::exportImage);
    row->addWidget(exportButton);
    applyButton_ = new QPushButton(this);
    applyButton_->setDefault(true); // Return
    connect(applyButton_, &QPushButton::clicked, this, &WallpaperPreviewSheet::apply);
    row->addWidget(applyButton_);
    layout->addLayout(row);

    appliedIDChanged();
}

QString WallpaperPreviewSheet::applyLabel() const {
    return appliedID_.get() == item_.id ? QString(kAppliedLabel) : QString(kSetLabel);
}

bool WallpaperPreviewSheet::imageLoaded() const { return picture_->loaded(); }

void WallpaperPreviewSheet::appliedIDChanged() { applyButton_->setText(applyLabel()); }

void WallpaperPreviewSheet::apply() {
    if (const auto error = WallpaperApplier::apply(item_)) {
        qCWarning(lcWallpapers) << "applying" << item_.id.c_str() << "failed:" << error->message.c_str();
        setStatus(kApplyFailed);
        return;
    }
    appliedID_.set(WallpaperApplier::currentlyAppliedID().value_or(""));
    appliedIDChanged();
    setStatus({});
}

void WallpaperPreviewSheet::exportImage() {
    if (!item_.fullURL()) return;
    auto* panel = new QFileDialog(this);
    panel->setObjectName("exportPanel");
    panel->setAcceptMode(QFileDialog::AcceptSave);
    panel->selectFile(QString::fromStdString(item_.id + kFullExtension));
    panel->setAttribute(Qt::WA_DeleteOnClose);
    connect(panel, &QFileDialog::fileSelected, this, &WallpaperPreviewSheet::finishExport);
    panel->open();
}

void WallpaperPreviewSheet::finishExport(const QString& path) {
    const auto source = item_.fullURL();
    if (!source || path.isEmpty()) return;
    // The file already at the chosen place is replaced only by a complete
    // copy; a copy that fails leaves it as it was.
    if (const auto error = wallpaper::copyIntoPlace(*source, path.toStdString())) {
        qCWarning(lcWallpapers) << "exporting" << item_.id.c_str() << "failed:" << error->c_str();
        setStatus(kExportFailed);
    } else if (status_ == kExportFailed) {
        setStatus({});
    }
}

void WallpaperPreviewSheet::setStatus(const QString& text) {
    if (text == status_) return;
    status_ = text;
    auto* fade = new QPropertyAnimation(statusOpacity_, "opacity", this);
    fade->setDuration(kFadeMs);
    if (!text.isEmpty()) {
        statusLabel_->setText(text);
        statusLabel_->show();
        fade->setEndValue(1.0);
    } else {
        fade->setEndValue(0.0);
        connect(fade, &QPropertyAnimation::finished, this, [this] {
            if (status_.isEmpty()) statusLabel_->hide();
        });
    }
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace plyx
