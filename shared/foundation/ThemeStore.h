#pragma once
// Holder of the current theme. Both processes read the stored theme through
// `current()`; the application keeps one store, edits `settings` through it,
// and every change is saved and announced with `settingsChanged`.
//
// This header stays free of the coding headers (the meta-object compiler
// cannot read them); the theme type comes in through Q_MOC_INCLUDE.
#include <QObject>

#include <memory>

namespace plyx {

struct ThemeSettings;

class ThemeStore : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("shared/foundation/ThemeSettings.h")
public:
    /// Starts from the stored theme.
    explicit ThemeStore(QObject* parent = nullptr);
    ~ThemeStore() override;

    const ThemeSettings& settings() const { return *settings_; }
    /// Replaces the theme, saves it under "plyx.theme.v1" and emits
    /// `settingsChanged`, every time it is set (also to an equal value).
    void setSettings(const ThemeSettings& s);

    /// The stored theme, or the default theme when nothing readable is stored.
    /// Reads the shared suite, unless no process wrote it since this thread
    /// last read it (platform/store/Changes.h); never fails.
    static ThemeSettings current();
    /// Encodes `s` and stores it under "plyx.theme.v1"; an encoding failure
    /// stores nothing and is dropped.
    static void save(const ThemeSettings& s);

signals:
    void settingsChanged(const plyx::ThemeSettings& settings);

private:
    std::unique_ptr<ThemeSettings> settings_;
};

} // namespace plyx
