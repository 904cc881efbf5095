#include "shrink/control_reading.h"

namespace sanxing {

std::vector<std::string> NumberedNames(std::string_view prefix, int count, int width) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count));
    for (int key = 0; key < count; ++key) {
        std::string digits = std::to_string(key);
        if (static_cast<int>(digits.size()) < width)
            digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
        names.push_back(std::string(prefix) + digits);
    }
    return names;
}

KeySet TickedBoxes(const Controls& controls, std::span<const std::string> names) {
    KeySet ticked;
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (controls.ticked(names[k])) ticked.set(k);
    }
    return ticked;
}

}  // namespace sanxing
