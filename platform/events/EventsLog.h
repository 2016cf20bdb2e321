#pragma once
// Diagnostics of the calendar sources, under the system log's subsystem.
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcPlyxEvents)
