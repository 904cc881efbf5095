#pragma once
// Panels whose boxes each allow one value of a key computed from the digits h, t, u of a
// number. All boxes start ticked; a panel with an unticked box passes the numbers whose
// key box is ticked.
//   sum tail           选择框_合尾0..9      (h + t + u) mod 10
//   span               选择框_跨度0..9      largest digit minus smallest digit
//   sum                选择框_合值00..27    h + t + u
//   fixed sum change   选择框_定合变0..9    (h + 2t + u) mod 10, the tail of (h + t) + (t + u)
//   fixed sum product  选择框_定合积0..9    (h × t + u) mod 10

#include <optional>

#include "numbers/number_set.h"
#include "runtime/controls.h"

namespace sanxing {

std::optional<NumberSet> SumTailGroup(const Controls& controls);
std::optional<NumberSet> SpanGroup(const Controls& controls);
std::optional<NumberSet> SumGroup(const Controls& controls);
std::optional<NumberSet> FixedSumChangeGroup(const Controls& controls);
std::optional<NumberSet> FixedSumProductGroup(const Controls& controls);

}  // namespace sanxing
