#include "numbers/tolerance.h"

#include <algorithm>

#include "runtime/text.h"

namespace sanxing {

ToleranceRange ToleranceRange::FromText(std::string_view text) {
    long long a = 0, b = 0;
    if (!ParseRange(text, a, b)) return {};
    return {std::min(a, b), std::max(a, b)};
}

bool IsTypedToleranceRange(std::string_view text) {
    long long a = 0, b = 0;
    return ParseRange(text, a, b) && a <= b && b <= kMaxTypedTolerance;
}

}  // namespace sanxing
