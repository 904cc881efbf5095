#pragma once
// The two draw-list operations of every lottery kind (0 重庆, 1 江西, 2 新疆, 3 龙江):
// LoadRecentDraws refills the draw list from trend pages, UpdateLatestDraw puts the
// newest draw on top. Each is split into a fetch step that needs no controls (it may run
// on a worker thread) and an apply step that edits the draw list (on the UI thread).
// Kinds outside 0-3 (福彩3D and 排列三 have no live source) do nothing.

#include <optional>
#include <string>

#include "draws/draw_hosts.h"
#include "draws/draw_record.h"
#include "draws/source_page.h"
#include "runtime/controls.h"

namespace sanxing {

// Recent draws of a kind, newest first: each source in turn while fewer than 2 rows are
// found, then sorted by issue when more than 2 were. `site`, when given, receives the
// letter of the last site that gave rows.
DrawRows FetchRecentDraws(int kind, const DrawHosts& hosts, const DrawJobOptions& options = {}, char* site = nullptr);
// Replaces the draw list's rows.
void ApplyRecentDraws(Controls& controls, const DrawRows& rows);
// Fetch and apply; a cancelled job leaves the list alone.
void LoadRecentDraws(int kind, Controls& controls, const DrawHosts& hosts, const DrawJobOptions& options = {});

// What an update needs to know of the draw list, read when the job starts.
struct DrawListTop {
    std::size_t rows = 0;
    std::string issue;  // issue of row 0; empty for an empty list
};
DrawListTop ReadDrawListTop(const Controls& controls);

// The draw that an update would put on top of a list like `top`, if any. For kind 0 it
// must also differ from lastDrawNumber, and the list must hold more than 2 rows.
// `site`, when given, receives the letter of the site that gave the draw.
std::optional<DrawRecord> FetchLatestDraw(int kind, const DrawListTop& top, const std::string& lastDrawNumber,
                                          const DrawHosts& hosts, const DrawJobOptions& options = {},
                                          char* site = nullptr);
// Inserts the draw at row 0 when it is still acceptable for the list as it is now; for
// kind 0 it then becomes lastDrawNumber. True when a row was inserted.
bool ApplyLatestDraw(int kind, Controls& controls, std::string& lastDrawNumber, const DrawRecord& draw);
// Fetch and apply.
void UpdateLatestDraw(int kind, Controls& controls, std::string& lastDrawNumber, const DrawHosts& hosts,
                      const DrawJobOptions& options = {});

}  // namespace sanxing
