#include "platform/mail/Maildir.h"

#include <QObject>
#include <QProcess>

namespace plyx::mail {

// The desktop's default handler of mailto: links is its mail client.
bool hasMailClient() {
    QProcess query;
    query.start("xdg-mime", {"query", "default", "x-scheme-handler/mailto"});
    if (!query.waitForFinished(3000) || query.exitCode() != 0) return false;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

void openMailClient(std::function<void()> done) {
    auto* opener = new QProcess;
    auto finish = [opener, done = std::move(done)] {
        opener->deleteLater();
        if (done) done();
    };
    QObject::connect(opener, &QProcess::finished, opener, finish);
    QObject::connect(opener, &QProcess::errorOccurred, opener, [finish](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) finish();
    });
    opener->start("xdg-open", {"mailto:"});
}

} // namespace plyx::mail
