#include "shared/identity/AppIdentity.h"

#include "platform/store/Defaults.h"
#include "platform/widgetkit/WidgetCenter.h"

namespace plyx::AppIdentity {

void configurePlatform(Program program) {
    store::Defaults::setStandardName(program == Program::application ? kApplication : kExtension);
    widgetkit::WidgetCenter::setBusNames({kWidgetCenterPath, kWidgetCenterInterface});
}

} // namespace plyx::AppIdentity
