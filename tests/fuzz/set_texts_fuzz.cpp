// Set texts and A−B against plain token loops and substring searches. Pieces: box A, box B
// and a key.

#include "fuzz_input.h"
#include "numbers/number_set.h"
#include "numbers/set_text.h"
#include "runtime/control_store.h"
#include "runtime/split.h"
#include "tools/set_operations.h"
#include "window/control_table.h"

using namespace sanxing;

namespace {

std::string ReferenceRewrite(std::string_view text) {
    std::string out;
    for (int n = 0; n < kUniverseSize; ++n) {
        if (text.find(NumberText(n)) != std::string_view::npos) out += NumberText(n) + " ";
    }
    return out;
}

// A's tokens in A's order that B's text does not hold as a substring.
std::string ReferenceSubtract(std::string_view a, std::string_view b) {
    std::string out;
    for (const std::string_view token : SplitText(a, " ")) {
        if (!TextContains(b, token)) out.append(token).push_back(' ');
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto pieces = fuzz::Pieces(fuzz::Bytes(data, size), 3);
    const std::string_view a = pieces[0], b = pieces[1], key = pieces[2];

    const std::string rewritten = CanonicalRewrite(a);
    fuzz::Check(rewritten == ReferenceRewrite(a), "the rewrite holds the numbers found in the text");
    fuzz::Check(CountSetText(a) == SplitText(a, " ").size(), "the count follows the splitting rule");
    const NumberSet set = NumberSet::Containing(a);
    fuzz::Check(SetTextContains(set, key) == TextContains(set.toText(), key), "bit test equals substring search");

    static const ControlStore initial{ControlTable()};
    ControlStore controls = initial;
    controls.setText("编辑框_A", std::string(a));
    controls.setText("编辑框_B", std::string(b));
    SubtractBFromA(controls);
    if (!a.empty() && !b.empty()) {
        fuzz::Check(controls.text("编辑框_结果") == ReferenceSubtract(a, b), "A−B equals the token loop");
    }
    return 0;
}
