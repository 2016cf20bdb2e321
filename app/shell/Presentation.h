#pragma once
// How the application shows itself: regular (its main window shown, in the
// task bar, with the tray item) or accessory (the tray item only).
namespace plyx {
enum class Presentation { regular, accessory };
}
