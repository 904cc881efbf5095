#pragma once
// File dialog filters: the handlers' form "label|pattern|label|pattern..." (patterns
// separated by ";") in the form Qt dialogs take, "label (pattern pattern);;...".

#include <QString>
#include <string_view>

namespace sanxing {

QString QtNameFilters(std::string_view filter);

}  // namespace sanxing
