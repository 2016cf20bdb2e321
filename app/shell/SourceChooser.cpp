#include "app/shell/SourceChooser.h"

#include "platform/events/EventSources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

namespace plyx {

namespace fs = std::filesystem;

namespace {

constexpr const char* kRemindersTitle = "Connect Reminders";
constexpr const char* kCalendarTitle = "Connect Calendar";
constexpr const char* kQuestion =
    "No calendars were found in the usual places. Choose the folder of your calendars (one .ics file per "
    "item) or a single .ics file.";
constexpr const char* kFolderButton = "Choose Folder…";
constexpr const char* kFileButton = "Choose File…";
constexpr const char* kFileFilter = "Calendars (*.ics)";

} // namespace

std::optional<fs::path> chooseSourceWithDialogs(events::EntityType type) {
    const QString title = QString::fromUtf8(type == events::EntityType::reminder ? kRemindersTitle : kCalendarTitle);
    QMessageBox ask(QMessageBox::Question, title, QString::fromUtf8(kQuestion));
    QPushButton* folder = ask.addButton(QString::fromUtf8(kFolderButton), QMessageBox::AcceptRole);
    QPushButton* file = ask.addButton(QString::fromUtf8(kFileButton), QMessageBox::AcceptRole);
    ask.addButton(QMessageBox::Cancel);
    ask.exec();
    QString chosen;
    if (ask.clickedButton() == folder)
        chosen = QFileDialog::getExistingDirectory(nullptr, title, QDir::homePath());
    else if (ask.clickedButton() == file)
        chosen = QFileDialog::getOpenFileName(nullptr, title, QDir::homePath(), QString::fromUtf8(kFileFilter));
    if (chosen.isEmpty()) return std::nullopt;
    return fs::path(chosen.toStdString());
}

void installSourceChooser(SourceDialog dialog) {
    events::setSourceAsker([dialog = std::move(dialog)](events::EntityType type) -> std::optional<fs::path> {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app) return std::nullopt;
        if (QThread::currentThread() == app->thread()) return dialog(type);
        std::optional<fs::path> answer;
        QMetaObject::invokeMethod(app, [&] { answer = dialog(type); }, Qt::BlockingQueuedConnection);
        return answer;
    });
}

} // namespace plyx
