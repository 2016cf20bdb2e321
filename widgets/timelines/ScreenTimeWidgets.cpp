#include "widgets/timelines/ScreenTimeWidgets.h"

#include "shared/views/screentime/ScreenTimeApps.h"
#include "shared/views/screentime/ScreenTimeElapsed.h"
#include "shared/views/screentime/ScreenTimeTotal.h"
#include "shared/views/screentime/ScreenTimeWeekly.h"
#include "widgets/timelines/UsageProvider.h"

namespace plyx {

std::vector<DeclaredWidget> screenTimeWidgets() {
    return {
        declare(UsageTotalWidget, UsageProvider{}, viewOf<ScreenTimeTotal>),
        declare(UsageElapsedWidget, UsageProvider{}, viewOf<ScreenTimeElapsed>),
        declare(UsageAppsWidget, UsageProvider{}, viewOf<ScreenTimeApps>),
        declare(UsageWeeklyWidget, UsageProvider{}, viewOf<ScreenTimeWeekly>),
    };
}

} // namespace plyx
