#include "draws/draw_record.h"

#include <algorithm>

#include "runtime/text.h"

namespace sanxing {

void SortByIssueDescending(DrawRows& rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const DrawRecord& a, const DrawRecord& b) {
        return LeadingInteger(a.issue) > LeadingInteger(b.issue);
    });
}

}  // namespace sanxing
