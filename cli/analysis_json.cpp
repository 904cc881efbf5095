#include "cli/analysis_json.h"

#include <cstdio>

#include "numbers/set_text.h"

namespace sanxing {

namespace {

using nlohmann::json;
using namespace analysis;

json GroupsJson(const std::vector<GroupName>& groups) {
    json list = json::array();
    for (const GroupName& g : groups) list.push_back({{"row", g.row}, {"name", g.name}});
    return list;
}

json FiguresJson(const Trend& trend, int first, int count, bool named = false) {
    json list = json::array();
    for (int category = first; category < first + count; ++category) {
        const CategoryFigures& f = trend.figures(category);
        const json value = named ? json(CategoryValueText(category)) : json(category - first);
        list.push_back({{"value", value},
                        {"appearances", f.appearances},
                        {"current", f.current},
                        {"max", f.max},
                        {"average", f.average}});
    }
    return list;
}

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string YearText(int year) { return year == 0 ? "未知" : std::to_string(year); }

std::string Names(const std::vector<GroupName>& groups) {
    std::string text;
    for (const GroupName& g : groups)
        text += (text.empty() ? "" : "、") + std::to_string(g.row) + " " + std::string(g.name);
    return text;
}

}  // namespace

json SignificanceJson(const Significance& s) {
    return {{"draws", s.draws},    {"hits", s.hits},           {"chance", s.chance},        {"expected", s.expected},
            {"p_value", s.pValue}, {"ci_low", s.interval.low}, {"ci_high", s.interval.high}};
}

json MoneyJson(const Money& m) {
    return {
        {"price", m.prices.price},     {"prize", m.prices.prize},      {"cost", m.cost}, {"won", m.won}, {"net", m.net},
        {"return_rate", m.returnRate}, {"expected_won", m.expectedWon}};
}

json YearsJson(const std::vector<YearFigures>& years) {
    json list = json::array();
    for (const YearFigures& y : years) {
        list.push_back(
            {{"year", y.year}, {"draws", y.draws}, {"hits", y.hits}, {"expected", y.expected}, {"p_value", y.pValue}});
    }
    return list;
}

json CompareJson(const std::vector<SchemeFigures>& schemes) {
    json list = json::array();
    for (const SchemeFigures& f : schemes) {
        list.push_back({{"scheme", f.scheme},
                        {"result_size", f.resultSize},
                        {"hits", f.hits},
                        {"chance", f.chance},
                        {"p_value", f.pValue},
                        {"net", f.net}});
    }
    return list;
}

std::string BacktestDrawsJson(const Conditions& conditions, const Backtest& backtest) {
    std::string text = "[";
    text.reserve(backtest.draws.size() * 112);  // about one draw's JSON: no doubling of a long text
    for (const DrawOutcome& d : backtest.draws) {
        if (&d != &backtest.draws.front()) text += ',';
        const json draw = {{"issue", d.issue},
                           {"number", d.number},
                           {"digits", NumberText(d.value)},
                           {"failed", GroupsJson(conditions.failedGroups(d.failedMask))},
                           {"failures", d.failures},
                           {"in_base", d.inBase},
                           {"hit", d.hit}};
        text += draw.dump(-1, ' ', false, json::error_handler_t::replace);
    }
    text += ']';
    return text;
}

json BacktestJson([[maybe_unused]] const Conditions& conditions, const services::BacktestReport& report,
                  bool compared) {
    const Backtest& backtest = report.backtest;
    json groups = json::array();
    for (const GroupFigures& g : backtest.groups) {
        groups.push_back({{"row", g.group.row},
                          {"name", g.group.name},
                          {"passes", g.passes},
                          {"kills", g.kills},
                          {"expected_kills", g.expectedKills},
                          {"p_value", g.pValue},
                          {"stands_out", g.standsOut},
                          {"since_last_kill", g.sinceLastKill},
                          {"longest_kill_run", g.longestKillRun},
                          {"longest_pass_run", g.longestPassRun}});
    }
    json curve = json::array();
    for (const CurvePoint& p : backtest.curve) {
        curve.push_back(
            {{"max_failures", p.maxFailures}, {"hits", p.hits}, {"result_size", p.resultSize}, {"chance", p.chance}});
    }
    json result = {{"count", backtest.draws.size()},
                   {"groups", groups},
                   {"curve", curve},
                   {"significance", SignificanceJson(backtest.significance)},
                   {"years", YearsJson(report.years)},
                   {"money", MoneyJson(report.priced.money)}};
    if (compared) result["compare"] = CompareJson(report.priced.comparison);
    return result;
}

json TrendJson(const Trend& trend) {
    json positions = json::object();
    json patterns = json::object();
    for (int p = 0; p < 3; ++p) {
        const std::string position(kPositionDigitNames[p]);
        positions[position] = FiguresJson(trend, DigitCategory(p, 0), 10);
        json own = json::object();
        for (const Pattern pattern : kPatterns) {
            own[std::string(PatternName(pattern))] = FiguresJson(trend, PatternCategory(p, pattern, 0),
                                                                 static_cast<int>(PatternValues(pattern).size()), true);
        }
        patterns[position] = std::move(own);
    }
    return {{"count", trend.count()},
            {"positions", positions},
            {"sum", FiguresJson(trend, kSumCategories, 28)},
            {"span", FiguresJson(trend, kSpanCategories, 10)},
            {"shape", FiguresJson(trend, kShapeCategories, 3, true)},
            {"patterns", patterns},
            {"sum_tail", FiguresJson(trend, kSumTailCategories, 10)},
            {"group_digits", FiguresJson(trend, kGroupDigitCategories, 10)}};
}

json ExplainJson(const Explanation& e) {
    return {{"number", e.number}, {"failures", e.failures}, {"failed", GroupsJson(e.failed)}};
}

void WriteBacktestText(std::ostream& out, const Conditions& conditions, const services::BacktestReport& report,
                       bool compared) {
    const Backtest& b = report.backtest;
    const Significance& s = b.significance;
    const Money& m = report.priced.money;
    out << "历史验证：" << b.draws.size() << " 期，容错 " << conditions.toleranceText() << " 命中 " << b.hits << " 期（"
        << Fixed(b.hitRate() * 100, 1) << "%）；随机选同样的 " << b.resultSize << " 注，命中率约 "
        << Fixed(b.chance() * 100, 1) << "%\n";
    out << Verdict(s) << "；命中率的 95% 区间 " << Fixed(s.interval.low * 100, 1) << "%–"
        << Fixed(s.interval.high * 100, 1) << "%\n";
    out << "投入 " << m.cost << " 元（每注 " << m.prices.price << " 元），奖金 " << m.won << " 元（直选 "
        << m.prices.prize << " 元），盈亏 " << m.net << " 元，回报率 " << Fixed(m.returnRate * 100, 1)
        << "%；随机选号的期望奖金 " << Fixed(m.expectedWon, 1) << " 元（回报率 "
        << Fixed(m.expectedReturnRate() * 100, 1) << "%）\n";
    out << "期号\t号码\t三码\t错\t大底\t中\t错的条件\n";
    for (const DrawOutcome& d : b.draws) {
        out << d.issue << '\t' << d.number << '\t' << NumberText(d.value) << '\t' << d.failures << '\t'
            << (d.inBase ? "是" : "否") << '\t' << (d.hit ? "中" : "不中") << '\t'
            << Names(conditions.failedGroups(d.failedMask)) << '\n';
    }
    out << "序号\t条件\t通过注数\t杀中\t随机期望\t距上次杀中\t最长连杀\t最长连过\tp值\t显著\n";
    for (const GroupFigures& g : b.groups) {
        out << g.group.row << '\t' << g.group.name << '\t' << g.passes << '\t' << g.kills << '\t'
            << Fixed(g.expectedKills, 2) << '\t' << g.sinceLastKill << '\t' << g.longestKillRun << '\t'
            << g.longestPassRun << '\t' << PValueFigure(g.pValue) << '\t' << (g.standsOut ? "是" : "否") << '\n';
    }
    out << "容错0-t\t命中\t注数\t随机命中率\n";
    for (const CurvePoint& p : b.curve) {
        out << "0-" << p.maxFailures << '\t' << p.hits << '\t' << p.resultSize << '\t' << Fixed(p.chance * 100, 1)
            << "%\n";
    }
    out << "年份\t期数\t命中\t随机期望\tp值\n";
    for (const YearFigures& y : report.years) {
        out << YearText(y.year) << '\t' << y.draws << '\t' << y.hits << '\t' << Fixed(y.expected, 2) << '\t'
            << PValueFigure(y.pValue) << '\n';
    }
    if (!compared) return;
    out << "方案\t生效条件\t注数\t命中\t随机命中率\tp值\t盈亏\n";
    for (const SchemeFigures& f : report.priced.comparison) {
        out << (f.scheme.empty() ? "当前条件" : f.scheme) << '\t' << f.activeGroups << '\t' << f.resultSize << '\t'
            << f.hits << '\t' << Fixed(f.chance * 100, 1) << "%\t" << PValueFigure(f.pValue) << '\t' << f.net << '\n';
    }
}

std::string TrendText(const Trend& trend) {
    std::string text =
        "走势：" + std::to_string(trend.count()) + " 期\n类别\t值\t出现次数\t当前遗漏\t最大遗漏\t平均遗漏\n";
    for (const CategoryBlock& block : CategoryBlocks()) {
        for (int category = block.first; category < block.first + block.count; ++category) {
            const CategoryFigures& f = trend.figures(category);
            text += block.kind + '\t' + CategoryValueText(category) + '\t' + std::to_string(f.appearances) + '\t' +
                    std::to_string(f.current) + '\t' + std::to_string(f.max) + '\t' + Fixed(f.average, 2) + '\n';
        }
    }
    return text;
}

std::string ExplainText(const Explanation& e) {
    if (e.failed.empty()) return "查号 " + e.number + "：不错任何条件\n";
    return "查号 " + e.number + "：错 " + std::to_string(e.failures) + " 个条件：" + Names(e.failed) + '\n';
}

}  // namespace sanxing
