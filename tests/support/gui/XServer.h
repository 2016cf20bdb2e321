#pragma once
// An X server of the test's own (Xvfb), started on a display number it picks
// itself, so parallel tests never race for one, and stopped when the value
// goes, so none is left running after the test.
#include <QProcess>
#include <QString>

#include <cstdlib>

namespace plyx::test {

class XServer {
public:
    explicit XServer(const QString& screen = "1600x1000x24") {
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
