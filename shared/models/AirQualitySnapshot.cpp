#include "shared/models/AirQualitySnapshot.h"

#include "shared/models/SampleMoment.h"

namespace plyx {

std::string AirQualitySnapshot::category() const {
    if (aqi < 51) return "Good";
    if (aqi <= 100) return "Moderate";
    if (aqi <= 150) return "Unhealthy for some";
    if (aqi <= 200) return "Unhealthy";
    if (aqi <= 300) return "Very unhealthy";
    return "Hazardous";
}

const AirQualitySnapshot& AirQualitySnapshot::sample() {
    static const AirQualitySnapshot s{42, models::sampleMoment()};
    return s;
}

} // namespace plyx
