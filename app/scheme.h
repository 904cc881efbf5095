#pragma once
// Schemes: the state of the condition controls as one JSON object, control name to value
// (true/false for a check box, a string for an edit box, label or combo text, an integer
// for a combo's selected index). Applying checks the whole scheme first and changes
// nothing when any entry is wrong.

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/controls.h"

namespace sanxing {

// Checks one value against the control's kind; an error text, or nothing when it fits.
std::optional<std::string> CheckControlValue(const Controls& controls, std::string_view name,
                                             const nlohmann::json& value);

// Sets one value that CheckControlValue accepted. A combo given a text that equals one
// of its items has that item selected, else none. Multi-line boxes get CR LF breaks.
void SetControlValue(Controls& controls, std::string_view name, const nlohmann::json& value);

// Parses and checks a scheme text; the error names the problem.
std::optional<std::string> CheckScheme(const Controls& controls, std::string_view schemeText, nlohmann::json& scheme);

void ApplyScheme(Controls& controls, const nlohmann::json& scheme);

// The scheme of the current state: every condition control and 组合框_容错.
nlohmann::json SchemeOf(const Controls& controls);

}  // namespace sanxing
