#include "shrink/positional_digits.h"

#include "shrink/control_reading.h"

namespace sanxing {

std::optional<NumberSet> HundredsDigitGroup(const Controls& controls) {
    static const std::vector<std::string> names = NumberedNames("选择框_百位", 10, 1);
    return TickedKeyRow(controls, names, NumbersByDigitAt(1));
}

std::optional<NumberSet> TensDigitGroup(const Controls& controls) {
    static const std::vector<std::string> names = NumberedNames("选择框_十位", 10, 1);
    return TickedKeyRow(controls, names, NumbersByDigitAt(2));
}

std::optional<NumberSet> UnitsDigitGroup(const Controls& controls) {
    static const std::vector<std::string> names = NumberedNames("选择框_个位", 10, 1);
    return TickedKeyRow(controls, names, NumbersByDigitAt(3));
}

}  // namespace sanxing
