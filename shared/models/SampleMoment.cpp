#include "shared/models/SampleMoment.h"

#include "platform/time/Time.h"

namespace plyx::models {

Date sampleMoment() {
    static const Date moment = time::now();
    return moment;
}

} // namespace plyx::models
