#include "history/column_detect.h"

#include <algorithm>
#include <vector>

#include "history/canonical_issue.h"
#include "history/draw_fields.h"
#include "history/draw_line.h"
#include "runtime/text.h"
#include "runtime/today.h"

namespace sanxing::history {

namespace {

// The lines looked at, as fields; a header line apart.
struct Sample {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> header;  // empty when the first line is a draw line
    bool firstLineIsHeader = false;
};

bool IsIssue(std::string_view field, const Lottery& lottery) {
    return !field.empty() && static_cast<bool>(CanonicalIssue(field, lottery));
}

// An issue whose leading zeros a spreadsheet dropped, put back by a date of the same row.
bool IsRestorableIssue(const std::vector<std::string>& row, std::size_t column, const Lottery& lottery) {
    if (row[column].empty()) return false;
    for (std::size_t c = 0; c < row.size(); ++c) {
        const std::string date = c == column ? std::string() : DateInField(row[c]);
        if (!date.empty() && RestoredIssue(row[column], lottery, std::stoi(date.substr(0, 4)), Today())) return true;
    }
    return false;
}

bool IsOneDigit(std::string_view field) { return field.size() == 1 && field[0] >= '0' && field[0] <= '9'; }

// A first line of words that names no issue of the lottery is a header.
Sample TakeSample(std::span<const std::string> lines, const Lottery& lottery) {
    Sample sample;
    for (const std::string& line : lines) {
        if (sample.rows.size() == kDetectionLines) break;
        sample.rows.push_back(SplitFields(line));
    }
    if (!sample.rows.empty() && HasWords(lines.front()) &&
        std::none_of(sample.rows.front().begin(), sample.rows.front().end(),
                     [&](const std::string& field) { return IsIssue(field, lottery); })) {
        sample.firstLineIsHeader = true;
        sample.header = std::move(sample.rows.front());
        sample.rows.erase(sample.rows.begin());
        if (lines.size() > kDetectionLines) sample.rows.push_back(SplitFields(lines[kDetectionLines]));
    }
    return sample;
}

std::string_view FieldOf(const std::vector<std::string>& row, int column) {
    return column >= 0 && static_cast<std::size_t>(column) < row.size() ? std::string_view(row[column])
                                                                        : std::string_view();
}

// The column with the most hits (the leftmost of equals), leaving out `skip`; -1 if none hits.
int MostHits(const std::vector<std::size_t>& hits, std::initializer_list<int> skip = {}) {
    int best = -1;
    for (int c = 0; c < static_cast<int>(hits.size()); ++c) {
        if (std::find(skip.begin(), skip.end(), c) != skip.end() || hits[c] == 0) continue;
        if (best < 0 || hits[c] > hits[best]) best = c;
    }
    return best;
}

// Whether a header's name holds one of `words` (ASCII letters in any case).
bool NameHolds(std::string_view name, std::initializer_list<std::string_view> words) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return std::any_of(words.begin(), words.end(),
                       [&](std::string_view word) { return lower.find(word) != std::string::npos; });
}

// A header's name of a date column: 日期, 时间, date.
bool NamesDate(std::string_view name) { return NameHolds(name, {"日期", "时间", "date"}); }

// A header's name of the trial draw (试机号), drawn before the real one: never the number.
bool NamesTrialDraw(std::string_view name) { return NameHolds(name, {"试机", "trial"}); }

class ColumnFinder {
public:
    ColumnFinder(const Sample& sample, const Lottery& lottery) : sample_(sample), lottery_(lottery) {
        for (const auto& row : sample.rows) width_ = std::max(width_, static_cast<int>(row.size()));
    }

    ColumnMap find() const {
        ColumnMap columns;
        columns.issue = MostHits(countInRows([&](const std::vector<std::string>& row, std::size_t c) {
            return IsIssue(row[c], lottery_) || IsRestorableIssue(row, c, lottery_);
        }));
        if (columns.issue < 0) return columns;
        columns.date = MostHits(count([](std::string_view f) { return !DateInField(f).empty(); }), {columns.issue});
        if (columns.date < 0) columns.date = namedDate(columns.issue);
        pickNumber(columns);
        if (columns.number < 0) return {};
        if (columns.holdsNumber(columns.date)) columns.date = -1;
        return columns;
    }

private:
    template <typename Test>
    std::vector<std::size_t> count(Test test) const {
        return countInRows([&](const std::vector<std::string>& row, std::size_t c) { return test(row[c]); });
    }

    // Hits of a test that sees the whole row beside the column.
    template <typename Test>
    std::vector<std::size_t> countInRows(Test test) const {
        std::vector<std::size_t> hits(static_cast<std::size_t>(width_), 0);
        for (const auto& row : sample_.rows) {
            for (std::size_t c = 0; c < row.size(); ++c) hits[c] += test(row, c) ? 1 : 0;
        }
        return hits;
    }

    bool namesTrialDraw(int column) const {
        return column < static_cast<int>(sample_.header.size()) && NamesTrialDraw(sample_.header[column]);
    }

    int namedDate(int issue) const {
        for (int c = 0; c < static_cast<int>(sample_.header.size()); ++c) {
            if (c != issue && NamesDate(sample_.header[c])) return c;
        }
        return -1;
    }

    // Lines whose fields from `first` on are `fields` one-digit fields (or, for one field,
    // the whole number).
    std::size_t numberHits(int first, int fields) const {
        std::size_t hits = 0;
        for (const auto& row : sample_.rows) {
            if (first > 0 && NamesTrialDraw(FieldOf(row, first - 1))) continue;  // "试机号：5,6,7"
            if (fields == 1) {
                hits += NumberInField(FieldOf(row, first), lottery_.digits).empty() ? 0 : 1;
                continue;
            }
            bool all = true;
            for (int k = 0; k < fields && all; ++k) all = IsOneDigit(FieldOf(row, first + k));
            hits += all ? 1 : 0;
        }
        return hits;
    }

    // The number: the candidate that most lines give; of equals one after the issue
    // column, then the leftmost, then the single field.
    void pickNumber(ColumnMap& columns) const {
        std::size_t bestHits = 0;
        bool bestAfter = false;
        for (int first = 0; first < width_; ++first) {
            for (const int fields : {1, lottery_.digits}) {
                ColumnMap candidate = columns;
                candidate.number = first;
                candidate.numberFields = fields;
                if (first + fields > width_ || candidate.holdsNumber(columns.issue) ||
                    candidate.holdsNumber(columns.date) || namesTrialDraw(first)) {
                    continue;
                }
                const std::size_t hits = numberHits(first, fields);
                const bool after = first > columns.issue;
                if (hits == 0 || hits < bestHits || (hits == bestHits && (bestAfter || !after))) continue;
                bestHits = hits;
                bestAfter = after;
                columns.number = first;
                columns.numberFields = fields;
            }
        }
    }

    const Sample& sample_;
    const Lottery& lottery_;
    int width_ = 0;
};

// Whether the one-digit number fields found for a three-digit lottery go on with two more
// one-digit fields in most lines that behave as drawn digits: not mostly the span, the sum
// or its last digit of the three, and not only small counts (odd or big digits): the
// draws then have five digits.
bool FiveDigitDraws(const Sample& sample, const ColumnMap& columns, const Lottery& lottery) {
    if (lottery.digits != 3 || columns.numberFields != 3 || sample.rows.empty()) return false;
    std::size_t five = 0;
    std::size_t derived[2] = {0, 0};
    int largest[2] = {0, 0};
    for (const auto& row : sample.rows) {
        int d[5];
        bool all = true;
        for (int k = 0; k < 5 && all; ++k) {
            const std::string_view field = FieldOf(row, columns.number + k);
            all = IsOneDigit(field);
            if (all) d[k] = field[0] - '0';
        }
        if (!all) continue;
        ++five;
        const int span = std::max({d[0], d[1], d[2]}) - std::min({d[0], d[1], d[2]});
        const int sum = d[0] + d[1] + d[2];
        for (int k : {0, 1}) {
            const int digit = d[3 + k];
            derived[k] += (digit == span || digit == sum % 10 || digit == sum) ? 1 : 0;
            largest[k] = std::max(largest[k], digit);
        }
    }
    if (five * 5 < sample.rows.size() * 4) return false;  // four in five lines
    for (int k : {0, 1}) {
        if (derived[k] * 2 >= five || (five >= 10 && largest[k] < 6)) return false;
    }
    return true;
}

std::size_t Fitting(const Sample& sample, const ColumnMap& columns, const Lottery& lottery) {
    if (!columns.complete()) return 0;
    std::size_t fitting = 0;
    std::vector<std::string_view> fields;
    for (const auto& row : sample.rows) {
        fields.assign(row.begin(), row.end());
        fitting += ReadDrawFields(fields, columns, lottery).kind == ParsedLine::Kind::Draw ? 1 : 0;
    }
    return fitting;
}

Detection Detect(std::span<const std::string> lines, const Lottery& lottery) {
    const Sample sample = TakeSample(lines, lottery);
    Detection detection;
    detection.columns = ColumnFinder(sample, lottery).find();
    detection.firstLineIsHeader = sample.firstLineIsHeader;
    detection.sampled = sample.rows.size();
    detection.fitting = Fitting(sample, detection.columns, lottery);
    detection.fiveDigitDraws = FiveDigitDraws(sample, detection.columns, lottery);
    return detection;
}

// A lottery of another digit count whose draws more of the lines are than `detection`
// found (and at least half of them), or nullptr.
const Lottery* BetterLottery(std::span<const std::string> lines, const Lottery& lottery, const Detection& detection) {
    if (detection.fitting == detection.sampled) return nullptr;
    const Lottery* better = nullptr;
    std::size_t bestFitting = detection.fitting;
    for (const Lottery& other : Lotteries()) {
        if (other.digits == lottery.digits) continue;
        const Detection tried = Detect(lines, other);
        // Five-digit draws are not another lottery's three-digit ones.
        if (tried.fiveDigitDraws) continue;
        if (tried.fitting > bestFitting && tried.fitting * 2 >= tried.sampled) {
            bestFitting = tried.fitting;
            better = &other;
        }
    }
    return better;
}

}  // namespace

Detection DetectColumns(std::span<const std::string> lines, const Lottery& lottery) {
    Detection detection = Detect(lines, lottery);
    if (detection.fiveDigitDraws) {
        detection.columns = {};  // only three of each draw's five digits would be read
        return detection;
    }
    detection.better = BetterLottery(lines, lottery, detection);
    return detection;
}

Detection CountFitting(std::span<const std::string> lines, const ColumnMap& columns, const Lottery& lottery) {
    const Sample sample = TakeSample(lines, lottery);
    Detection detection;
    detection.columns = columns;
    detection.firstLineIsHeader = sample.firstLineIsHeader;
    detection.sampled = sample.rows.size();
    detection.fitting = Fitting(sample, columns, lottery);
    detection.better = BetterLottery(lines, lottery, detection);
    return detection;
}

std::string UndetectedMessage(const Detection& detection, std::string_view firstLine, const Lottery& lottery) {
    std::string message = "无法识别期号和号码所在的列（第一行：“" + ShownText(firstLine) + "”）";
    if (detection.fiveDigitDraws) {
        return message + "；文件中的号码是 5 位（像排列五），而" + std::string(lottery.name) +
               "的号码是 3 位：未存入任何一期；若只要前三位，请指定号码所在的三列（如 --import-columns "
               "期号=1,号码=2-4）";
    }
    if (detection.columns.issue < 0 && detection.better == nullptr) {
        return message + "；没有一列是" + std::string(lottery.name) + "的期号（" + std::string(lottery.name) +
               "的期号如 " + std::string(IssueExamples(lottery)) + "）";
    }
    if (detection.better != nullptr) {
        message += "；文件中像是" + std::string(detection.better->name) + "的开奖号码（" +
                   std::to_string(detection.better->digits) + " 位），而" + std::string(lottery.name) + "的号码是 " +
                   std::to_string(lottery.digits) + " 位";
    }
    return message;
}

}  // namespace sanxing::history
