// JSON draw documents of any shape: the reading ends, refuses exactly the documents nested
// too deep, and hands on no more lines than the document has bytes, each of bounded length.

#include "fuzz_input.h"
#include "history/draw_fields.h"
#include "history/draw_reader.h"
#include "history/json_draws.h"
#include "runtime/json_shape.h"

using namespace sanxing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::Bytes(data, size);
    constexpr std::size_t kLongestLine = (history::kMaxFields + 1) * (2 * (history::kMaxLineBytes + 1) + 3);
    std::size_t lines = 0;
    const history::JsonRecords read = history::ReadJsonRecords(text, [&](std::string_view line) {
        fuzz::Check(line.size() <= kLongestLine, "a line of bounded length");
        ++lines;
        return true;
    });
    fuzz::Check((read == history::JsonRecords::TooDeep) ==
                    !CheckJsonShape(text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text),
                "refused exactly when too deep");
    fuzz::Check(lines <= size, "no more lines than bytes");
    fuzz::Check(read != history::JsonRecords::Stopped, "never stopped");
    return 0;
}
