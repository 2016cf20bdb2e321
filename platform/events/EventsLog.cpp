#include "platform/events/EventsLog.h"

Q_LOGGING_CATEGORY(lcPlyxEvents, "com.zelvanedesigns.plyx.events")
