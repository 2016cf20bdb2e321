#pragma once
// System symbol names and the icon files that draw them.
#include <string>
#include <vector>

namespace plyx::ui {

/// Whether `name` is in the symbol table.
bool hasSymbol(const std::string& name);

/// Every symbol name in the table, sorted.
std::vector<std::string> symbolNames();

/// The icon drawing `name`: a Qt resource path (":/plyx/icons/..."), compiled
/// into the program; empty when unknown.
std::string symbolFile(const std::string& name);

} // namespace plyx::ui
