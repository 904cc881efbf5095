// UpdateLatestDraw: the pages that give the newest draw of each kind, in the order they
// are tried; the first that gives a newer draw ends the update.

#include <span>

#include "draws/draw_jobs.h"
#include "draws/draw_parsers.h"

namespace sanxing {

namespace {

struct LatestSource {
    SourcePage page;
    DrawRecord (*parse)(std::string_view page);
};

constexpr auto kGet = FetchRoutine::SimpleGet;

constexpr LatestSource kChongqing[] = {
    {{'A', "/static/ssc/newlyopenlist.xml?", FetchRoutine::HttpFetch}, LatestFromFeed},
};

constexpr LatestSource kJiangxi[] = {
    {{'A', "/static/jxssc/newlyopenlist.xml?", kGet}, LatestFromFeed},
    {{'B', "trend/jxssc/jiben-5xing.html?periodNumber=1", kGet}, LatestFromJiben},
    {{'C', "jxssc/baseTrend.action?recentPhase=1", kGet, PageEncoding::Utf8}, LatestFromBaseTrend},
};

constexpr LatestSource kXinjiang[] = {
    {{'F', "/ssc/", kGet}, LatestFromXinjiangResults},
};

constexpr LatestSource kLongjiang[] = {
    {{'G', "/lottery/hisnumber.action?lotteryId=006", kGet}, LatestFromLongjiangHistory},
};

constexpr std::array<std::span<const LatestSource>, kKindCount> kLatestSources = {kChongqing, kJiangxi, kXinjiang,
                                                                                  kLongjiang};

// Kind 0 only tops up a list that holds more than 2 rows, and only with a number it has
// not reported yet. A malformed draw (a page that gave an issue but no number, letters in
// the number, an issue that is no date) is as good as no page.
bool Accepts(int kind, const DrawListTop& top, const std::string& lastDrawNumber, const DrawRecord& draw) {
    if (!IsWellFormedDraw(draw, kind)) return false;
    if (kind == 0 && (top.rows <= 2 || draw.number == lastDrawNumber)) return false;
    return IsNewerIssue(draw.issue, top.issue);
}

}  // namespace

DrawListTop ReadDrawListTop(const Controls& controls) {
    const ReportRows& rows = controls.rows(kDrawList);
    DrawListTop top;
    top.rows = rows.size();
    if (!rows.empty() && !rows.front().empty()) top.issue = rows.front().front();
    return top;
}

std::optional<DrawRecord> FetchLatestDraw(int kind, const DrawListTop& top, const std::string& lastDrawNumber,
                                          const DrawHosts& hosts, const DrawJobOptions& options, char* site) {
    if (kind == 0 && top.rows <= 2) return std::nullopt;
    for (const LatestSource& source : SourcesOfKind(kLatestSources, kind)) {
        if (options.cancelled()) break;
        DrawRecord draw = source.parse(FetchSourcePage(source.page, hosts, options));
        if (!Accepts(kind, top, lastDrawNumber, draw)) continue;
        if (site != nullptr) *site = source.page.site;
        return draw;
    }
    return std::nullopt;
}

bool ApplyLatestDraw(int kind, Controls& controls, std::string& lastDrawNumber, const DrawRecord& draw) {
    if (!Accepts(kind, ReadDrawListTop(controls), lastDrawNumber, draw)) return false;
    controls.insertRow(kDrawList, 0, ToReportRow(draw));
    if (const ReportRows& rows = controls.rows(kDrawList); rows.size() > kMaxDrawRows) {
        controls.setRows(kDrawList, ReportRows(rows.begin(), rows.begin() + kMaxDrawRows));
    }
    if (kind == 0) lastDrawNumber = draw.number;
    return true;
}

void UpdateLatestDraw(int kind, Controls& controls, std::string& lastDrawNumber, const DrawHosts& hosts,
                      const DrawJobOptions& options) {
    const auto draw = FetchLatestDraw(kind, ReadDrawListTop(controls), lastDrawNumber, hosts, options);
    if (draw && !options.cancelled()) ApplyLatestDraw(kind, controls, lastDrawNumber, *draw);
}

}  // namespace sanxing
