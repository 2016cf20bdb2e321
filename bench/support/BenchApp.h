#pragma once
// The GUI application a benchmark draws in: offscreen, with a data folder of
// its own (removed at exit), so a benchmark never reads or writes the
// user's suite. Made once per process; later calls return it.
#include <QGuiApplication>

namespace plyx::bench {

QGuiApplication& benchApp(const char* name);

} // namespace plyx::bench
