#pragma once
// A desktop double: screens by name, each with its picture, and an optional
// failure when a given screen is set. Every set is recorded.
#include "platform/wallpaper/DesktopPictures.h"

#include <map>

namespace plyx::test {

class FakeDesktop : public wallpaper::DesktopPictures {
public:
    std::vector<std::string> order;
    std::map<std::string, std::filesystem::path> pictures;
    std::string failOn; ///< a screen whose set fails
    std::vector<std::pair<std::string, std::filesystem::path>> sets;

    std::vector<std::string> screens() override { return order; }
    std::optional<std::filesystem::path> picture(const std::string& screen) override {
        const auto it = pictures.find(screen);
        if (it == pictures.end()) return std::nullopt;
        return it->second;
    }
    std::optional<std::string> setPicture(const std::string& screen, const std::filesystem::path& file) override {
        if (screen == failOn) return "the desktop refused";
        sets.emplace_back(screen, file);
        pictures[screen] = file;
        return std::nullopt;
    }
};

} // namespace plyx::test
