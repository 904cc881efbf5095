#include "tools/hint_focus.h"

#include <stdexcept>
#include <string>

#include "window/hint_boxes.h"

namespace sanxing {

namespace {

std::string_view RequireHint(std::string_view box) {
    const std::string_view hint = HintFor(box);
    if (hint.empty()) throw std::out_of_range(std::string(box) + " has no hint text");
    return hint;
}

}  // namespace

void RemoveHintOnFocus(Controls& controls, std::string_view box) {
    if (controls.text(box) == RequireHint(box)) controls.setText(box, "");
}

void RestoreHintOnLeave(Controls& controls, std::string_view box) {
    const std::string_view hint = RequireHint(box);
    if (controls.text(box).empty()) controls.setText(box, std::string(hint));
}

}  // namespace sanxing
