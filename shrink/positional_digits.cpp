#include "shrink/positional_digits.h"

#include "shrink/control_reading.h"

namespace sanxing {

std::optional<NumberSet> HundredsDigitGroup(const Controls& controls) {
    return TickedKeyRow(controls, std::get<0>(ctl::kPositionPanels).digits, NumbersByDigitAt(1));
}

std::optional<NumberSet> TensDigitGroup(const Controls& controls) {
    return TickedKeyRow(controls, std::get<1>(ctl::kPositionPanels).digits, NumbersByDigitAt(2));
}

std::optional<NumberSet> UnitsDigitGroup(const Controls& controls) {
    return TickedKeyRow(controls, std::get<2>(ctl::kPositionPanels).digits, NumbersByDigitAt(3));
}

}  // namespace sanxing
