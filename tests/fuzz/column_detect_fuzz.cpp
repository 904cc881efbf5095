// The column detector and the line reader on any text. The first byte picks the lottery;
// the rest is the start of a draw file. Whatever the columns found, they name distinct
// fields within bounds; every line read as a draw has an issue of the lottery's length
// that reads back as itself, and a number of its digit count.

#include <string>
#include <vector>

#include "fuzz_input.h"
#include "history/canonical_issue.h"
#include "history/column_detect.h"
#include "history/draw_fields.h"
#include "history/draw_line.h"
#include "runtime/gbk.h"
#include "runtime/split.h"

using namespace sanxing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > 16 * 1024) return -1;
    const history::Lottery& lottery = history::Lotteries()[data[0] % history::Lotteries().size()];
    std::vector<std::string> lines;
    ForEachToken(GbkToUtf8(fuzz::Bytes(data + 1, size - 1)), "\n", [&](std::string_view line) {
        if (lines.size() <= history::kDetectionLines) lines.emplace_back(line);
    });

    const history::Detection detection = history::DetectColumns(lines, lottery);
    const history::ColumnMap& c = detection.columns;
    fuzz::Check(detection.fitting <= detection.sampled, "no more lines fit than were looked at");
    fuzz::Check(!detection.better || detection.better->digits != lottery.digits,
                "the lottery offered has another digit count");
    if (!c.complete()) return 0;
    const int fields = static_cast<int>(history::kMaxFields);
    fuzz::Check(c.issue < fields && c.number + c.numberFields <= fields && c.date < fields, "columns within bounds");
    fuzz::Check(c.numberFields == 1 || c.numberFields == lottery.digits, "the number is one field or one a digit");
    fuzz::Check(!c.holdsNumber(c.issue) && !c.holdsNumber(c.date) && c.issue != c.date, "each field has one role");
    fuzz::Check(history::CheckColumnMap(c, lottery) && history::ParseColumnMap(history::ColumnMapText(c)).value() == c,
                "the columns' text reads back as them");

    history::FieldSplitter splitter;
    for (const std::string& line : lines) {
        const history::ParsedLine parsed = history::ReadDrawFields(splitter.split(line), c, lottery);
        if (parsed.kind != history::ParsedLine::Kind::Draw) continue;
        fuzz::Check(parsed.number.size() == static_cast<std::size_t>(lottery.digits),
                    "a draw has the lottery's digits");
        fuzz::Check(parsed.issue.size() == static_cast<std::size_t>(lottery.issueLength), "an issue has its length");
        const auto again = history::CanonicalIssue(parsed.issue, lottery);
        fuzz::Check(again && *again == parsed.issue, "a stored issue reads as itself");
    }
    return 0;
}
