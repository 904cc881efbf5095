#pragma once
// ToleranceRange: a text "a-b" from a tolerance combo box. A count passes when it lies
// between the smaller and the larger end, both included. A text that is not two
// integers joined by "-" counts as "0-0".

#include <string_view>

namespace sanxing {

struct ToleranceRange {
    long long low = 0;
    long long high = 0;

    static ToleranceRange FromText(std::string_view text);
    bool contains(long long count) const { return low <= count && count <= high; }
};

}  // namespace sanxing
