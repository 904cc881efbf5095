#include "app/compared_scheme.h"

#include "app/scheme.h"

namespace sanxing {

analysis::Conditions ConditionsWithScheme(const ControlStore& current, const nlohmann::json& scheme) {
    ControlStore trial = current;
    ApplyScheme(trial, scheme);
    return analysis::Conditions::FromControls(trial);
}

}  // namespace sanxing
