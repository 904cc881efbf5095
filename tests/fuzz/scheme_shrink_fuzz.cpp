// A scheme (first piece) and a base set (second piece) through the shrink run. The result
// is recounted without the run's bit masks: every base token's failures counted over the
// rows' set texts with a plain substring search (over the rows' bits for the universe,
// when the base is empty), the tokens kept whose count lies in the tolerance range.

#include <nlohmann/json.hpp>

#include "app/scheme.h"
#include "fuzz_input.h"
#include "numbers/failure_table.h"
#include "numbers/set_text.h"
#include "numbers/tolerance.h"
#include "runtime/control_store.h"
#include "runtime/split.h"
#include "shrink/shrink_run.h"
#include "window/control_table.h"

using namespace sanxing;

namespace {

std::string Recount(const FailureTable& table, std::string_view base, const ToleranceRange& range) {
    std::string result;
    if (base.empty()) {
        for (int n = 0; n < kUniverseSize; ++n) {
            long long failures = 0;
            for (std::size_t r = 0; r < table.rowCount(); ++r) failures += table.row(r).contains(n) ? 0 : 1;
            if (range.contains(failures)) result += NumberText(n) + " ";
        }
        return result;
    }
    std::vector<std::string> rows;
    for (std::size_t r = 0; r < table.rowCount(); ++r) rows.push_back(table.rowText(r));
    ForEachToken(base, " ", [&](std::string_view token) {
        long long failures = 0;
        for (const std::string& row : rows) failures += TextContains(row, token) ? 0 : 1;
        if (range.contains(failures)) result.append(token).push_back(' ');
    });
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto pieces = fuzz::Pieces(fuzz::Bytes(data, size), 2);
    if (pieces[1].size() > 4000) return -1;  // the substring recount is slow on long bases
    static const ControlStore initial{ControlTable()};
    ControlStore controls = initial;
    if (const auto scheme = CheckScheme(controls, pieces[0])) ApplyScheme(controls, *scheme);
    controls.setText("编辑框_大底", std::string(pieces[1]));

    FailureTable table;
    RunShrink(controls, table);
    const std::string expected =
        Recount(table, controls.text("编辑框_大底"), ToleranceRange::FromText(controls.text("组合框_容错")));
    fuzz::Check(controls.text("编辑框_结果") == expected, "the result equals the recount");
    fuzz::Check(controls.text("标签_缩水结果") == CountCaption(CountSetText(expected)), "the caption counts it");
    return 0;
}
