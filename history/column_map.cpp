#include "history/column_map.h"

#include <algorithm>
#include <array>

#include "runtime/text.h"

namespace sanxing::history {

namespace {

constexpr int kMaxField = 64;  // no draw file has more fields worth naming
constexpr std::array<std::string_view, 5> kPlaces{"万位", "千位", "百位", "十位", "个位"};

// A field number from 1 to kMaxField, as an index from 0; -1 when it is none.
int FieldIndex(std::string_view text) {
    if (text.empty() || text.size() > 2 || !std::all_of(text.begin(), text.end(), IsAsciiDigit)) return -1;
    const int value = static_cast<int>(LeadingInteger(text));
    return value >= 1 && value <= kMaxField ? value - 1 : -1;
}

Failure Bad(std::string_view part, std::string_view why) {
    return {"列的指定“" + ShownText(part) + "”" + std::string(why) +
            "（应如 期号=1,号码=3-5,日期=2：列从 1 数起，号码=3-5 表示每位一列）"};
}

}  // namespace

std::string ColumnMapText(const ColumnMap& columns) {
    std::string text;
    const auto add = [&](std::string_view role, const std::string& value) {
        if (!text.empty()) text += ',';
        text.append(role).append("=").append(value);
    };
    if (columns.issue >= 0) add("期号", std::to_string(columns.issue + 1));
    if (columns.number >= 0) {
        std::string value = std::to_string(columns.number + 1);
        if (columns.numberFields > 1) value.append("-").append(std::to_string(columns.number + columns.numberFields));
        add("号码", value);
    }
    if (columns.date >= 0) add("日期", std::to_string(columns.date + 1));
    return text;
}

Result<ColumnMap> ParseColumnMap(std::string_view text) {
    ColumnMap columns;
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        const std::string_view part = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        const std::size_t eq = part.find('=');
        if (eq == std::string_view::npos) return Bad(part, "缺少“=”");
        const std::string_view role = part.substr(0, eq), value = part.substr(eq + 1);
        int* slot = role == "期号"   ? &columns.issue
                    : role == "号码" ? &columns.number
                    : role == "日期" ? &columns.date
                                     : nullptr;
        if (slot == nullptr) return Bad(part, "不是 期号、号码 或 日期");
        if (*slot >= 0) return Bad(part, "重复");
        const std::size_t dash = value.find('-');
        if (dash != std::string_view::npos && role == "号码") {
            const int first = FieldIndex(value.substr(0, dash)), last = FieldIndex(value.substr(dash + 1));
            if (first < 0 || last <= first) return Bad(part, "的列范围不对");
            columns.number = first;
            columns.numberFields = last - first + 1;
        } else if ((*slot = FieldIndex(value)) < 0) {
            return Bad(part, "的列号应为 1 到 64");
        }
    }
    if (!columns.complete()) return Bad(text, "缺少期号或号码");
    if (columns.holdsNumber(columns.issue) || columns.issue == columns.date || columns.holdsNumber(columns.date)) {
        return Bad(text, "把一列指定了两次");
    }
    return columns;
}

Result<void> CheckColumnMap(const ColumnMap& columns, const Lottery& lottery) {
    if (columns.numberFields == 1 || columns.numberFields == lottery.digits) return {};
    return Failure{"号码=" + std::to_string(columns.number + 1) + "-" +
                   std::to_string(columns.number + columns.numberFields) + " 是 " +
                   std::to_string(columns.numberFields) + " 列，而" + std::string(lottery.name) + "的号码有 " +
                   std::to_string(lottery.digits) + " 位"};
}

std::string_view ColumnRole(const ColumnMap& columns, int field, const Lottery& lottery) {
    if (field == columns.issue) return "期号";
    if (field == columns.date) return "日期";
    if (!columns.holdsNumber(field)) return "忽略";
    if (columns.numberFields == 1) return "号码";
    const int place = field - columns.number + static_cast<int>(kPlaces.size()) - lottery.digits;
    return place >= 0 && place < static_cast<int>(kPlaces.size()) ? kPlaces[static_cast<std::size_t>(place)]
                                                                  : std::string_view("号码");
}

}  // namespace sanxing::history
