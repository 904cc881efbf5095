#include "shrink/control_reading.h"

namespace sanxing {

KeySet TickedBoxes(const Controls& controls, std::span<const ctl::Name> names) {
    KeySet ticked;
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (controls.ticked(names[k])) ticked.set(k);
    }
    return ticked;
}

}  // namespace sanxing
