#include "shrink/banker_digits.h"

#include <string>

#include "shrink/control_reading.h"

namespace sanxing {

namespace {

// Distinct banker digits in the number: a repeated digit counts once.
int BankerCount(const KeySet& bankers, Digits d) {
    KeySet present;
    present.set(static_cast<std::size_t>(d.h)).set(static_cast<std::size_t>(d.t)).set(static_cast<std::size_t>(d.u));
    return static_cast<int>((present & bankers).count());
}

// The whole row takes microseconds, so unlike a slow per-number walk it needs no pause
// to let the window process its events.
std::optional<NumberSet> BankerRow(const Controls& controls, int panel) {
    const std::string prefix = "选择框_胆" + std::to_string(panel);
    const KeySet bankers = TickedBoxes(controls, NumberedNames(prefix + "码", 10, 1));
    const KeySet counts = TickedBoxes(controls, NumberedNames(prefix + "出", 4, 1));
    const bool active = (bankers.any() && counts.test(0)) || counts.test(1) || counts.test(2) || counts.test(3);
    if (!active) return std::nullopt;
    return NumberSet::Where([&](int n) { return counts.test(static_cast<std::size_t>(BankerCount(bankers, Digits(n)))); });
}

}  // namespace

std::optional<NumberSet> BankerGroup1(const Controls& controls) { return BankerRow(controls, 1); }
std::optional<NumberSet> BankerGroup2(const Controls& controls) { return BankerRow(controls, 2); }
std::optional<NumberSet> BankerGroup3(const Controls& controls) { return BankerRow(controls, 3); }

}  // namespace sanxing
