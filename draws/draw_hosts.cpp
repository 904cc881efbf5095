#include "draws/draw_hosts.h"

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace sanxing {

namespace {

// Sites whose paths are written without a leading "/".
bool TakesBareSlash(char letter) { return letter >= 'B' && letter <= 'E'; }

std::string NormalizedBase(char letter, std::string base) {
    if (base.empty()) return base;
    if (TakesBareSlash(letter)) {
        if (!base.ends_with('/')) base += '/';
    } else {
        while (base.ends_with('/')) base.pop_back();
    }
    return base;
}

}  // namespace

const std::string& DrawHosts::site(char letter) const {
    static const std::string none;
    return letter >= 'A' && letter <= 'H' ? sites[static_cast<std::size_t>(letter - 'A')] : none;
}

std::string DrawHosts::url(char letter, std::string_view path) const {
    const std::string& base = site(letter);
    return base.empty() ? std::string() : base + std::string(path);
}

std::optional<DrawHosts> ParseDrawHosts(std::string_view text, std::string& error) {
    const nlohmann::json root = nlohmann::json::parse(text, nullptr, false);
    if (root.is_discarded() || !root.is_object()) {
        error = "not a JSON object";
        return std::nullopt;
    }
    DrawHosts hosts;
    for (const auto& [key, value] : root.items()) {
        if (!value.is_string()) {
            error = "the value of \"" + key + "\" is not a text";
            return std::nullopt;
        }
        const std::string base = value.get<std::string>();
        if (key == "announcement") {
            hosts.announcement = base;
        } else if (key.size() == 1 && key[0] >= 'A' && key[0] <= 'H') {
            hosts.sites[static_cast<std::size_t>(key[0] - 'A')] = NormalizedBase(key[0], base);
        } else {
            error = "unknown key \"" + key + "\" (expected \"A\" to \"H\" or \"announcement\")";
            return std::nullopt;
        }
    }
    return hosts;
}

std::optional<DrawHosts> LoadDrawHosts(const std::string& path, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    if (file) text << file.rdbuf();
    if (!file || file.bad()) {
        error = "cannot read \"" + path + "\"";
        return std::nullopt;
    }
    auto hosts = ParseDrawHosts(text.str(), error);
    if (!hosts) error = path + ": " + error;
    return hosts;
}

std::string DefaultDrawHostsPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && *config != '\0') return std::string(config) + "/sanxing/sources.json";
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') return std::string(home) + "/.config/sanxing/sources.json";
    return {};
}

}  // namespace sanxing
