#pragma once
// Sunrise, sunset and the moon's phase, computed locally: no network and
// nothing stored. Pure functions of their arguments.
#include "platform/time/Date.h"
#include "shared/models/MoonInfo.h"

#include <optional>
#include <string>

namespace plyx::SkyMath {

/// The instant of sunrise (`rise` true) or sunset at the place given in
/// degrees (north and east positive), on the place's own day that holds
/// `date` (its mean solar day, from its longitude), to the whole minute with
/// the seconds dropped. Nothing when the sun does not rise or set that day
/// there (polar day or night).
std::optional<Date> solarEvent(bool rise, Date date, double latitude, double longitude);

/// The moon's phase at `on`: its age since a reference new moon, modulo the
/// mean synodic month.
MoonInfo moon(Date on);

/// The phase name for a phase fraction (0 = new, 0.5 = full).
std::string phaseName(double p);

} // namespace plyx::SkyMath
