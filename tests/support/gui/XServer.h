#pragma once
// An X server of the test's own (Xvfb), started on a display number it picks
// itself, so parallel tests never race for one, and stopped when the value
// goes. The server is also told to end with the thread that started it, so
// a test that crashes, or one that keeps its server for the whole process,
// leaves no display behind holding a number.
#include <QProcess>
#include <QString>

#include <csignal>
#include <cstdlib>
#include <sys/prctl.h>

namespace plyx::test {

class XServer {
public:
    explicit XServer(const QString& screen = "1600x1000x24") {
        xvfb_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        // -displayfd 1: the server writes the number of the display it took.
        xvfb_.start("Xvfb", {"-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp"});
        if (!xvfb_.waitForStarted(10000) || !xvfb_.waitForReadyRead(20000)) return;
        display_ = ":" + QString::fromUtf8(xvfb_.readLine()).trimmed();
        ::setenv("DISPLAY", display_.toUtf8().constData(), 1);
    }
    ~XServer() {
        xvfb_.terminate();
        if (!xvfb_.waitForFinished(5000)) {
            xvfb_.kill();
            xvfb_.waitForFinished();
        }
    }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    /// ":N", set as DISPLAY for this process and what it starts; empty when
    /// no server could be started.
    const QString& display() const { return display_; }

private:
    QProcess xvfb_;
    QString display_;
};

} // namespace plyx::test
