#include "draws/draw_hosts.h"

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "runtime/json_shape.h"
#include "runtime/regular_file.h"

#include "history/lotteries.h"

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

namespace {

// Keys of one object in sources.json: the eight sites and two more, or one key per lottery.
constexpr std::size_t kMaxSourceKeys = 1000;

// "history": {"福彩3D": ["http://...", ...], ...}
Result<void> ParseHistoryFiles(const nlohmann::ordered_json& value, DrawHosts& hosts) {
    if (!value.is_object()) return Failure{"\"history\" 的值不是对象（彩种 → 开奖文件地址的列表）"};
    for (const auto& [lottery, urls] : value.items()) {
        if (!history::FindLottery(lottery)) {
            return Failure{"\"history\" 中的未知彩种 \"" + lottery + "\"（" + std::string(history::LotteryNames()) +
                           "）"};
        }
        if (!urls.is_array()) return Failure{"\"history\" 中 \"" + lottery + "\" 的值不是地址的列表"};
        std::vector<std::string> addresses;
        for (const auto& url : urls) {
            const std::string address = url.is_string() ? url.get<std::string>() : std::string();
            if (!address.starts_with("http://") && !address.starts_with("https://")) {
                return Failure{"\"history\" 中 \"" + lottery + "\" 的地址只能是 http:// 或 https:// 开头的文本"};
            }
            addresses.push_back(address);
        }
        hosts.historyFiles.emplace_back(lottery, std::move(addresses));
    }
    return {};
}

}  // namespace

Result<DrawHosts> ParseDrawHosts(std::string_view text) {
    // Kept in the order of the file, so updates report the addresses as the user wrote them.
    // Such an object looks each key up among those before it: a list of a few addresses
    // per lottery never comes near the bound on keys.
    if (auto shape = CheckJsonShape(text, kMaxSourceKeys); !shape) return Failure{shape.error()};
    const nlohmann::ordered_json root = nlohmann::ordered_json::parse(text, nullptr, false);
    if (root.is_discarded() || !root.is_object()) return Failure{"不是一个 JSON 对象"};
    DrawHosts hosts;
    for (const auto& [key, value] : root.items()) {
        if (key == "history") {
            if (auto parsed = ParseHistoryFiles(value, hosts); !parsed) return Failure{parsed.error()};
            continue;
        }
        if (!value.is_string()) return Failure{"\"" + key + "\" 的值不是文本"};
        const std::string base = value.get<std::string>();
        if (key == "announcement") {
            hosts.announcement = base;
        } else if (key.size() == 1 && key[0] >= 'A' && key[0] <= 'H') {
            hosts.sites[static_cast<std::size_t>(key[0] - 'A')] = NormalizedBase(key[0], base);
        } else {
            return Failure{"未知的键 \"" + key + "\"（只能是 \"A\" 到 \"H\"、\"announcement\" 或 \"history\"）"};
        }
    }
    return hosts;
}

Result<DrawHosts> LoadDrawHosts(const std::string& path) {
    // A list of nine addresses is small: a big file is not one, and is not read. Nor is a
    // FIFO or device, whose reading could block the start.
    constexpr std::uintmax_t kMaxFileBytes = 1u << 20;
    const auto file = ReadRegularFile(path, kMaxFileBytes);
    if (OverLimit(file, path)) return Failure{path + "：文件过大（超过 1 MB），不是开奖数据源的配置"};
    if (!file && file.code() == ErrorCode::BadInput) return Failure{path + "：" + file.error() + "，已忽略"};
    if (!file) return Failure{"无法读取 \"" + path + "\"：" + file.error()};
    auto hosts = ParseDrawHosts(*file);
    if (!hosts) return Failure{path + ": " + hosts.error()};
    return hosts;
}

std::string DefaultDrawHostsPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && *config != '\0') return std::string(config) + "/sanxing/sources.json";
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') return std::string(home) + "/.config/sanxing/sources.json";
    return {};
}

DrawHosts LoadConfiguredDrawHosts(const std::string& path) {
    DrawHosts hosts;
    std::error_code failed;
    if (path.empty()) {
        hosts.problem = "未配置开奖数据源：找不到用户配置目录（HOME 未设置），无法读取 sources.json。";
    } else if (!std::filesystem::exists(path, failed)) {
        hosts.problem = "未配置开奖数据源：请在 " + path + " 中填写网站地址（见公告栏说明）。";
    } else {
        auto loaded = LoadDrawHosts(path);
        if (loaded) return std::move(*loaded);
        hosts.problem = "开奖数据源配置文件无法使用：" + loaded.error();
    }
    return hosts;
}

}  // namespace sanxing
