#pragma once
// Puts a widget on the desktop through the desktop host: a running host
// shows it at once; without one the placement is written and the host is
// started, which shows it.
#include <QObject>
#include <QString>

#include <memory>
#include <string>

namespace plyx {

class DesktopPlacer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    /// Asks for `kind` to be placed and returns at once; `placed` follows.
    virtual void place(const std::string& kind) = 0;

    /// Through the program `widgetsProgram` (the desktop host's).
    static std::unique_ptr<DesktopPlacer> live(QString widgetsProgram);

    /// The desktop host's program beside this one (installed together), or
    /// in the build tree's widgets folder, else "PlyxWidgets" from the PATH.
    static QString widgetsProgram();

signals:
    /// The widget of `kind` is placed (`id` its new id), or it could not be
    /// (`id` empty, `problem` saying why).
    void placed(const QString& kind, const QString& id, const QString& problem);
};

} // namespace plyx
