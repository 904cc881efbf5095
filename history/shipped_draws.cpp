#include "history/shipped_draws.h"

#include <fstream>
#include <span>
#include <sstream>
#include <utility>

namespace sanxing::embedded {
extern const std::string_view shipped_fc3d;
extern const std::string_view shipped_pl3;
}  // namespace sanxing::embedded

namespace sanxing::history {

namespace {

struct ShippedFile {
    std::string_view lottery;
    std::string_view fileName;
    const std::string_view* builtIn;
    std::span<const OfferCorrection> corrections;  // what earlier editions gave wrong
};

// An earlier edition gave 排列三's first twenty draws as the first three digits of 排列五's;
// the two games were drawn apart then.
constexpr OfferCorrection kPl3Corrections[] = {
    {"2004001", "928"}, {"2004002", "173"}, {"2004003", "183"}, {"2004004", "432"}, {"2004005", "541"},
    {"2004006", "262"}, {"2004007", "307"}, {"2004008", "226"}, {"2004009", "418"}, {"2004010", "274"},
    {"2004011", "364"}, {"2004012", "305"}, {"2004013", "032"}, {"2004014", "359"}, {"2004015", "598"},
    {"2004016", "445"}, {"2004017", "193"}, {"2004018", "129"}, {"2004019", "711"}, {"2004020", "109"},
};

constexpr ShippedFile kShipped[] = {
    {"福彩3D", "fc3d.csv", &embedded::shipped_fc3d, {}},
    {"排列三", "pl3.csv", &embedded::shipped_pl3, kPl3Corrections},
};

// A copy larger than this is not a draw file of ours; the built-in one is used instead.
constexpr std::uintmax_t kMaxShippedBytes = 16u * 1024 * 1024;

// The installed copy when it is a readable regular file, else the built-in one.
std::string ShippedText(const ShippedFile& shipped, const std::filesystem::path& programDirectory) {
    const auto installed = programDirectory / ".." / "share" / "sanxing" / shipped.fileName;
    std::error_code error;
    if (std::filesystem::is_regular_file(installed, error) &&
        std::filesystem::file_size(installed, error) <= kMaxShippedBytes && !error) {
        std::ifstream in(installed, std::ios::binary);
        std::ostringstream text;
        if (in && (text << in.rdbuf())) return text.str();
    }
    return std::string(*shipped.builtIn);
}

// "期号,号码,开奖日期" lines: issue, number, date (may be empty).
std::vector<StoredDraw> ParseShipped(std::string_view text) {
    std::vector<StoredDraw> draws;
    bool header = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (std::exchange(header, false) || line.empty()) continue;
        const std::size_t first = line.find(','), second = line.find(',', first + 1);
        if (first == std::string_view::npos) continue;
        draws.push_back({std::string(line.substr(0, first)),
                         std::string(line.substr(first + 1, second == std::string_view::npos ? std::string_view::npos
                                                                                             : second - first - 1)),
                         second == std::string_view::npos ? std::string() : std::string(line.substr(second + 1)),
                         std::string(kShippedSource), ""});
    }
    return draws;
}

}  // namespace

std::vector<const Lottery*> ShippedLotteries() {
    std::vector<const Lottery*> lotteries;
    for (const ShippedFile& shipped : kShipped) lotteries.push_back(FindLottery(shipped.lottery));
    return lotteries;
}

std::vector<StoredDraw> ShippedDraws(const Lottery& lottery, const std::filesystem::path& programDirectory) {
    for (const ShippedFile& shipped : kShipped) {
        if (shipped.lottery == lottery.name) return ParseShipped(ShippedText(shipped, programDirectory));
    }
    return {};
}

Result<std::vector<ShippedAddition>> AddShippedDraws(HistoryDb& db, const std::filesystem::path& programDirectory) {
    std::vector<ShippedAddition> additions;
    if (db.readOnly()) return additions;  // nothing can be added; the history says so itself
    // One transaction for all: a disk that fills part-way leaves the history as it was.
    const std::vector<const Lottery*> lotteries = ShippedLotteries();
    std::vector<std::vector<StoredDraw>> draws;
    std::vector<HistoryDb::Offer> offers;
    for (const Lottery* lottery : lotteries) draws.push_back(ShippedDraws(*lottery, programDirectory));
    for (std::size_t i = 0; i < lotteries.size(); ++i) {
        offers.push_back({lotteries[i]->name, draws[i], kShipped[i].corrections});
    }
    auto offered = db.offer(offers);
    if (!offered) return offered.failure();
    for (std::size_t i = 0; i < lotteries.size(); ++i) additions.push_back({lotteries[i], std::move((*offered)[i])});
    return additions;
}

std::string ShippedSummary(const std::vector<ShippedAddition>& additions) {
    std::string text;
    for (const ShippedAddition& a : additions) {
        if (a.report.added > 0) {
            text +=
                "已加入内置的" + std::string(a.lottery->name) + "开奖号码 " + std::to_string(a.report.added) + " 期\n";
        }
        if (!a.report.corrected.empty()) {
            text += "内置开奖数据更正了" + std::string(a.lottery->name) + " " +
                    std::to_string(a.report.corrected.size()) + " 期：";
            for (std::size_t k = 0; k < a.report.corrected.size(); ++k) {
                const OfferReport::Correction& c = a.report.corrected[k];
                text += (k ? "、" : "") + c.issue + " " + c.before + "→" + c.after;
            }
            text += "\n";
        }
        for (const OfferReport::Conflict& c : a.report.conflicts) {
            text += std::string(a.lottery->name) + " 期号 " + c.issue + "：内置数据为 " + c.offered + "，保留已存的 " +
                    c.stored + "\n";
        }
    }
    return text;
}

}  // namespace sanxing::history
