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

// The largest failure count a typed 容错 range may name: there are never more groups.
inline constexpr long long kMaxTypedTolerance = 64;

// Whether a text typed into 容错 is a range the user can mean: "a-b" with
// 0 <= a <= b <= 64 (spaces around the numbers allowed).
bool IsTypedToleranceRange(std::string_view text);

}  // namespace sanxing
