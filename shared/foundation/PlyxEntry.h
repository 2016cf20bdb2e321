#pragma once
// The one timeline entry of every widget: the moment it is for, the widget's
// record (or, for the clock widgets, its configuration), and the background
// configured on this widget instance.
#include "platform/time/Date.h"
#include "shared/foundation/SurfaceOption.h"

namespace plyx {

template <class T> struct PlyxEntry {
    Date date;
    T data;
    SurfaceOption surface = SurfaceOption::followApp;
};

} // namespace plyx
