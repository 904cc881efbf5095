#pragma once
// A bound on the shape of a JSON document, checked before it is parsed: code that walks or
// prints a parsed document recurses once per level, so a document nested thousands deep
// would overflow the stack of whichever thread reads it; and an object that keeps its keys
// in file order looks each new key up among the ones before it. The check is one pass over
// the text, without recursion and without keeping the document.

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

#include "runtime/result.h"

namespace sanxing {

// Real draw files, schemes and source lists nest a handful of levels.
inline constexpr std::size_t kMaxJsonDepth = 64;

// The reason given for a document nested too deep: "JSON 嵌套太深（超过 64 层）".
std::string JsonTooDeepReason();

// Fails with a reason for the user when `text` nests deeper than kMaxJsonDepth or one
// object holds more than `maxMembers` keys. Text that is not JSON passes: the parser names
// that fault itself.
Result<void> CheckJsonShape(std::string_view text, std::size_t maxMembers = std::numeric_limits<std::size_t>::max());

}  // namespace sanxing
