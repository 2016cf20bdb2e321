#include "app/window/gallerykit/DesktopPlacer.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>

namespace plyx {

namespace {

Q_LOGGING_CATEGORY(lcPlace, "com.zelvanedesigns.plyx.window")

/// The host's name on the session bus; one host holds it per session.
constexpr const char* kHostService = "com.zelvanedesigns.plyx.widgets.Host";
constexpr const char* kProgramName = "PlyxWidgets";

bool hostRunning() {
    auto bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface()->isServiceRegistered(kHostService).value();
}

class LiveDesktopPlacer : public DesktopPlacer {
public:
    explicit LiveDesktopPlacer(QString program) : program_(std::move(program)) {}

    void place(const std::string& kind) override {
        const QString k = QString::fromStdString(kind);
        // "--add" goes to a running host over the bus; with none it writes
        // the placement, and the host started afterwards reads it.
        const bool running = hostRunning();
        auto* add = new QProcess(this);
        add->setProcessChannelMode(QProcess::SeparateChannels);
        connect(add, &QProcess::finished, this, [this, add, k, running](int code, QProcess::ExitStatus status) {
            add->deleteLater();
            const QString out = QString::fromUtf8(add->readAllStandardOutput()).trimmed();
            if (status != QProcess::NormalExit || code != 0 || out.isEmpty()) {
                QString problem = QString::fromUtf8(add->readAllStandardError()).trimmed();
                if (problem.isEmpty()) problem = "the desktop host could not place the widget";
                qCWarning(lcPlace) << "placing" << k << "failed:" << problem;
                emit placed(k, {}, problem);
                return;
            }
            if (!running && !hostRunning() && !QProcess::startDetached(program_, {}))
                qCWarning(lcPlace) << "could not start the desktop host" << program_;
            emit placed(k, out, {});
        });
        connect(add, &QProcess::errorOccurred, this, [this, add, k](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart) return;
            add->deleteLater();
            qCWarning(lcPlace) << "could not run" << program_;
            emit placed(k, {}, "could not run " + program_);
        });
        add->start(program_, {"--add", k});
    }

private:
    QString program_;
};

} // namespace

std::unique_ptr<DesktopPlacer> DesktopPlacer::live(QString widgetsProgram) {
    return std::make_unique<LiveDesktopPlacer>(std::move(widgetsProgram));
}

QString DesktopPlacer::widgetsProgram() {
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {here.filePath(kProgramName), here.filePath(QString("../widgets/") + kProgramName)})
        if (QFileInfo(candidate).isExecutable()) return QFileInfo(candidate).canonicalFilePath();
    return kProgramName;
}

} // namespace plyx
