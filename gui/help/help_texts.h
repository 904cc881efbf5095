#pragma once
// The sections of 使用说明, in reading order: an id that dialogs open the help at, the
// title the section list shows, and the text (simple HTML).

#include <span>
#include <string>
#include <string_view>

namespace sanxing {

struct HelpSection {
    std::string_view id;
    std::string_view title;
    std::string html;
};

// Every section; the last one names where sources.json and the history database live.
std::span<const HelpSection> HelpSections();

}  // namespace sanxing
