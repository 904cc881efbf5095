// LoadRecentDraws: the trend pages of each kind, in the order they are tried.

#include <algorithm>
#include <span>

#include "draws/draw_jobs.h"
#include "draws/draw_parsers.h"

namespace sanxing {

namespace {

enum class Placement {
    Append,  // after the rows found so far
    OnTop,   // before them, the page's last row on top
};

struct RecentSource {
    SourcePage page;
    DrawRows (*parse)(std::string_view page, const DrawFilter& filter);
    Placement placement;
};

constexpr auto kGet = FetchRoutine::SimpleGet;
constexpr auto kUtf8 = PageEncoding::Utf8;
constexpr auto kGbk = PageEncoding::Gbk;

constexpr RecentSource kChongqing[] = {
    {{'B', "trend/cqssc/jiben-5xing.html?periodNumber=100", kGet}, RecentFromJiben, Placement::Append},
    {{'C', "cqssc/baseTrend.action?recentPhase=50", kGet, kUtf8}, RecentFromBaseTrend, Placement::OnTop},
    {{'D', "ssc/dxds.php?tian=2", kGet}, RecentFromDxds, Placement::Append},
    {{'E', "cqssc/zoushi/14/2", kGet, kGbk, true}, RecentFromZoushi, Placement::Append},
};

constexpr RecentSource kJiangxi[] = {
    {{'B', "trend/jxssc/jiben-5xing.html?periodNumber=100", kGet}, RecentFromJiben, Placement::Append},
    {{'C', "jxssc/baseTrend.action?recentPhase=50", kGet, kUtf8}, RecentFromBaseTrend, Placement::OnTop},
    {{'E', "jxssc/zoushi/14/2", kGet, kGbk, true}, RecentFromZoushi, Placement::Append},
};

constexpr RecentSource kXinjiang[] = {
    {{'F', "/trend/analyseSSC.do?operator=codeBigSmall&pageCount=100", FetchRoutine::HttpFetch},
     RecentFromXinjiangTrend,
     Placement::Append},
};

constexpr RecentSource kLongjiang[] = {
    {{'H', "/sscsta/queryLottery1day2.html", FetchRoutine::HttpFetch}, RecentFromOneDay, Placement::OnTop},
};

constexpr std::array<std::span<const RecentSource>, kKindCount> kRecentSources = {kChongqing, kJiangxi, kXinjiang,
                                                                                  kLongjiang};

}  // namespace

// Malformed draws are left out as the pages are read, and each page gives at most a full
// list, so that a huge page costs no more than a small one.
DrawRows FetchRecentDraws(int kind, const DrawHosts& hosts, const DrawJobOptions& options, char* site) {
    const DrawFilter filter = ListFilter(kind);
    DrawRows rows;
    for (const RecentSource& source : SourcesOfKind(kRecentSources, kind)) {
        if (rows.size() >= 2 || options.cancelled()) break;
        DrawRows found = source.parse(FetchSourcePage(source.page, hosts, options), filter);
        if (site != nullptr && !found.empty()) *site = source.page.site;
        const auto at = source.placement == Placement::OnTop ? rows.begin() : rows.end();
        rows.insert(at, std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
    }
    if (rows.size() > 2) SortByIssueDescending(rows);
    if (rows.size() > kMaxDrawRows) rows.resize(kMaxDrawRows);
    return rows;
}

void ApplyRecentDraws(Controls& controls, const DrawRows& rows) {
    ReportRows list;
    list.reserve(std::min(rows.size(), kMaxDrawRows));
    for (const DrawRecord& draw : rows) {
        if (list.size() == kMaxDrawRows) break;
        list.push_back(ToReportRow(draw));
    }
    controls.setRows(kDrawList, std::move(list));
}

void LoadRecentDraws(int kind, Controls& controls, const DrawHosts& hosts, const DrawJobOptions& options) {
    if (kind < 0 || kind >= kKindCount) return;  // an unknown kind keeps the list
    const DrawRows rows = FetchRecentDraws(kind, hosts, options);
    if (!options.cancelled()) ApplyRecentDraws(controls, rows);
}

}  // namespace sanxing
