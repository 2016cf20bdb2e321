#pragma once
// The theme editor: the user composes a widget theme in a private draft,
// judges it on live sample widgets, and only the apply button makes it the
// theme of every widget. Nothing outside the editor changes while editing.
//
// This header stays free of the coding headers (the meta-object compiler
// cannot read them).
#include <QColor>
#include <QWidget>

#include <array>
#include <chrono>
#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QLabel;

namespace plyx {

class ColorWell;
class OptionCard;
class Swatch;
class ThemePreviewColumn;
class ThemeStore;
struct ThemeSettings;

class ThemeView : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Theme";
    static constexpr const char* kSubtitle = "Applies to every Plyx widget on your desktop";
    /// How long "Applied ✓" stays after a press.
    static constexpr std::chrono::milliseconds kConfirmation{2000};

    /// Runs `done` once `delay` has passed, on the main thread, unless
    /// `context` is gone by then.
    using Scheduler = std::function<void(std::chrono::milliseconds delay, QObject* context, std::function<void()> done)>;

    /// Starts on the stored theme; `theme` is the application's store, the
    /// one apply sets.
    explicit ThemeView(ThemeStore& theme, QWidget* parent = nullptr);
    ~ThemeView() override;

    const ThemeSettings& draft() const;
    bool applied() const { return applied_; }
    /// The colour the custom well shows.
    QColor customColor() const;

    /// Replaces how the confirmation waits (tests drive it by hand).
    void setConfirmationScheduler(Scheduler scheduler) { scheduler_ = std::move(scheduler); }

    /// The apply button's action: the draft becomes the theme in force (and
    /// is saved), every widget's timeline is reloaded, and "Applied ✓" shows
    /// for two seconds.
    void apply();

    ThemePreviewColumn* previewColumn() const { return preview_; }

signals:
    /// The draft changed (by a control, or by the page appearing).
    void draftChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* accentSection();
    QWidget* numeralsSection();
    QWidget* labelsSection();
    QWidget* surfaceSection();

    void chooseAccent(int swatch);
    void customColorChanged(const QColor& color);
    void edit(const std::function<void(ThemeSettings&)>& change);
    void refresh();
    void setApplied(bool applied);

    ThemeStore& theme_;
    std::unique_ptr<ThemeSettings> draft_;
    bool applied_ = false;
    Scheduler scheduler_;

    std::array<Swatch*, 5> swatches_{};
    ColorWell* well_ = nullptr;
    QLabel* accentCaption_ = nullptr;
    QCheckBox* follow_ = nullptr;
    std::array<OptionCard*, 3> numeralCards_{};
    std::array<OptionCard*, 2> labelCards_{};
    QButtonGroup* surfaces_ = nullptr;
    QLabel* surfaceDescription_ = nullptr;
    ThemePreviewColumn* preview_ = nullptr;
};

} // namespace plyx
