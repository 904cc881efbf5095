#pragma once
// One draw as the history stores it, and as the analysis reads it.

#include <string>
#include <utility>

namespace sanxing::history {

struct StoredDraw {
    // Every field may be left out; the analysis needs only the issue and the number.
    StoredDraw(std::string issueText = {}, std::string numberText = {}, std::string dateText = {},
               std::string sourceText = {}, std::string recordedText = {})
        : issue(std::move(issueText)),
          number(std::move(numberText)),
          date(std::move(dateText)),
          source(std::move(sourceText)),
          recorded(std::move(recordedText)) {}

    std::string issue;     // the lottery's issue form (9 digits for the four kinds, YYYYNNN for 3D/排列三)
    std::string number;    // the digits as drawn, no separators ("81621" or "816")
    std::string date;      // "YYYY-MM-DD" or empty
    std::string source;    // file name or site letter
    std::string recorded;  // time recorded, ISO 8601 UTC

    bool operator==(const StoredDraw&) const = default;
};

}  // namespace sanxing::history
