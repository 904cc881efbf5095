#include "shrink/positional_digits.h"

#include "numbers/set_text.h"
#include "shrink/control_reading.h"

namespace sanxing {

namespace {

std::optional<NumberSet> PositionRow(const Controls& controls, std::string_view prefix, int position) {
    const std::vector<std::string> names = NumberedNames(prefix, 10, 1);
    return TickedKeyRow(controls, names, [position](int n) { return Digit(n, position); });
}

}  // namespace

std::optional<NumberSet> HundredsDigitGroup(const Controls& controls) {
    return PositionRow(controls, "选择框_百位", 1);
}

std::optional<NumberSet> TensDigitGroup(const Controls& controls) {
    return PositionRow(controls, "选择框_十位", 2);
}

std::optional<NumberSet> UnitsDigitGroup(const Controls& controls) {
    return PositionRow(controls, "选择框_个位", 3);
}

}  // namespace sanxing
