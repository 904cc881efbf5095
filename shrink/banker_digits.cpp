#include "shrink/banker_digits.h"

#include <array>
#include <cstdint>

#include "shrink/control_reading.h"

namespace sanxing {

namespace {

// Bit d is set when digit d occurs in the number; a repeated digit counts once.
std::uint16_t DigitMask(Digits d) { return static_cast<std::uint16_t>((1U << d.h) | (1U << d.t) | (1U << d.u)); }

// The whole row takes microseconds, so unlike a slow per-number walk it needs no pause
// to let the window process its events.
std::optional<NumberSet> BankerRow(const Controls& controls, const ctl::BankerGroup& group) {
    static const std::array<std::uint16_t, kUniverseSize> digitMasks = [] {
        std::array<std::uint16_t, kUniverseSize> masks{};
        for (int n = 0; n < kUniverseSize; ++n) masks[static_cast<std::size_t>(n)] = DigitMask(Digits(n));
        return masks;
    }();
    const auto bankers = static_cast<unsigned>(TickedBoxes(controls, group.digits).to_ulong());
    const KeySet counts = TickedBoxes(controls, group.counts);
    const bool active = (bankers != 0 && counts.test(0)) || counts.test(1) || counts.test(2) || counts.test(3);
    if (!active) return std::nullopt;
    // The banker count of a number: how many distinct banker digits it holds (0..3).
    return NumberSet::Where([&](int n) {
        std::size_t bankerCount = 0;
        for (unsigned held = digitMasks[static_cast<std::size_t>(n)] & bankers; held != 0; held &= held - 1) {
            ++bankerCount;
        }
        return counts.test(bankerCount);
    });
}

}  // namespace

std::optional<NumberSet> BankerGroup1(const Controls& controls) {
    return BankerRow(controls, std::get<0>(ctl::kBankerGroups));
}

std::optional<NumberSet> BankerGroup2(const Controls& controls) {
    return BankerRow(controls, std::get<1>(ctl::kBankerGroups));
}

std::optional<NumberSet> BankerGroup3(const Controls& controls) {
    return BankerRow(controls, std::get<2>(ctl::kBankerGroups));
}

}  // namespace sanxing
