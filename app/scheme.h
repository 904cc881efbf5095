#pragma once
// Schemes: the state of the condition controls as one JSON object, control name to value
// (true/false for a check box, a string for an edit box, label or combo text, an integer
// for a combo's selected index). Applying checks the whole scheme first and changes
// nothing when any entry is wrong.

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "runtime/controls.h"
#include "runtime/result.h"

namespace sanxing {

// Larger files are refused unread; a scheme of every condition control is about 20 KB.
inline constexpr long long kMaxSchemeFileBytes = 4 * 1024 * 1024;

// Checks one value against the control's kind; fails with an error text when it does not fit.
Result<void> CheckControlValue(const Controls& controls, std::string_view name, const nlohmann::json& value);

// Sets one value that CheckControlValue accepted. A combo given a text that equals one
// of its items has that item selected, else none. Multi-line boxes get CR LF breaks.
void SetControlValue(Controls& controls, std::string_view name, const nlohmann::json& value);

// Parses and checks a scheme text, giving the scheme; the error names the problem.
Result<nlohmann::json> CheckScheme(const Controls& controls, std::string_view schemeText);

// CheckScheme, and every control the scheme names is one a scheme holds (a condition
// control or 组合框_容错), as the 方案 menu saves and opens them.
Result<nlohmann::json> CheckConditionScheme(const Controls& controls, std::string_view schemeText);

void ApplyScheme(Controls& controls, const nlohmann::json& scheme);

// The scheme of the current state: every condition control and 组合框_容错.
nlohmann::json SchemeOf(const Controls& controls);

}  // namespace sanxing
