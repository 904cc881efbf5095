// Rows 27 to 54 against a plain evaluation written the slow, literal way: walk the 1000
// numbers, build key texts, search them in the box texts, build pass-list texts, split
// them again and count with substring searches. Random contents with a fixed seed.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "group_fixture.h"
#include "reference_rules.h"
#include "runtime/gbk.h"
#include "runtime/hint_texts.h"
#include "shrink/shrink_run.h"
#include "window/hint_boxes.h"

namespace sanxing::group_test {
namespace {

using namespace reference;

// ---- The plain evaluation ------------------------------------------------------------

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

bool AllDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void Bounds(const std::string& tolerance, long long& low, long long& high) {
    const std::vector<std::string> ends = Split(tolerance, "-");
    long long a = 0, b = 0;
    if (ends.size() == 2 && AllDigits(ends[0]) && AllDigits(ends[1])) {
        a = std::stoll(ends[0]);
        b = std::stoll(ends[1]);
    }
    low = std::min(a, b);
    high = std::max(a, b);
}

std::string PlainApplyLineTolerance(const std::string& linePassLists, const std::string& tolerance) {
    long long low, high;
    Bounds(tolerance, low, high);
    const std::vector<std::string> lists = Split(linePassLists, "\r\n");
    return PassList([&](const std::string& n) {
        long long violations = 0;
        for (const std::string& list : lists) violations += Has(list, n) ? 0 : 1;
        return low <= violations && violations <= high;
    });
}

bool PlainLineTest(const std::string& box, const std::string& line, int h, int t, int u) {
    if (box == "杀百位") return !Has(line, DigitText(h));
    if (box == "杀十位") return !Has(line, DigitText(t));
    if (box == "杀个位") return !Has(line, DigitText(u));
    if (box == "杀定位") return !Has(line, DigitText(h)) && !Has(line, DigitText(t)) && !Has(line, DigitText(u));
    if (box == "杀复式") return !(Has(line, DigitText(h)) && Has(line, DigitText(t)) && Has(line, DigitText(u)));
    if (box == "杀合尾") return !Has(line, DigitText((h + t + u) % 10));
    if (box == "杀跨度") return !Has(line, DigitText(std::max({h, t, u}) - std::min({h, t, u})));
    if (box == "定胆码组") return Has(line, DigitText(h)) || Has(line, DigitText(t)) || Has(line, DigitText(u));
    if (box == "杀和值") return !Has(line, TwoDigits(h + t + u));
    if (box == "杀二码组合") {
        for (const std::string& pair :
             {DigitText(h) + DigitText(t), DigitText(t) + DigitText(h), DigitText(h) + DigitText(u),
              DigitText(u) + DigitText(h), DigitText(t) + DigitText(u), DigitText(u) + DigitText(t)}) {
            if (Has(line, pair)) return false;
        }
        return true;
    }
    // 杀大小单双; the GBK form of each line is converted once.
    static std::map<std::string, std::string> gbkForms;
    auto [form, added] = gbkForms.try_emplace(line);
    if (added) {
        form->second = Utf8ToGbk(ReplaceAll(
            ReplaceAll(ReplaceAll(ReplaceAll(line, "单", "13579"), "双", "02468"), "大", "56789"), "小", "01234"));
    }
    const std::string& bytes = form->second;
    auto cut = [&](std::size_t from) { return from < bytes.size() ? bytes.substr(from, 5) : std::string(); };
    return !(Has(cut(0), DigitText(h)) && Has(cut(5), DigitText(t)) && Has(cut(10), DigitText(u)));
}

std::optional<std::string> PlainList(const Controls& c, const std::string& box, const std::string& combo) {
    const std::string& content = c.text(box);
    if (content.empty() || content == HintFor(box)) return std::nullopt;
    std::string linePassLists;
    for (const std::string& line : Split(content, "\r\n")) {
        linePassLists += DigitPassList([&](int h, int t, int u) { return PlainLineTest(box, line, h, t, u); }) + "\r\n";
    }
    return PlainApplyLineTolerance(linePassLists, c.text(combo));
}

std::string PlainSegmentLine(const std::string& group, const std::string& tolerance) {
    if (group.empty()) return "";
    const std::vector<std::string> segments = Split(group, "-");
    if (segments.size() != 3) return "";
    std::string lists;
    for (const std::string& s : segments) {
        lists += DigitPassList([&](int h, int t, int u) {
                     return Has(s, DigitText(h)) || Has(s, DigitText(t)) || Has(s, DigitText(u));
                 }) +
                 "\r\n";
    }
    return PlainApplyLineTolerance(lists, tolerance);
}

std::optional<std::string> PlainSegments(const Controls& c) {
    const std::string& content = c.text("段组");
    if (content.empty() || !Has(content, "-") || Has(content, std::string(kSegmentHint))) return std::nullopt;
    std::string lists;
    for (const std::string& line : Split(content, "\r\n")) {
        if (Has(line, "=")) {
            const std::vector<std::string> parts = Split(line, "=");
            lists += PlainSegmentLine(parts[0], parts.size() > 1 ? parts[1] : "") + "\r\n";
        } else {
            lists += PlainSegmentLine(line, c.text("组合框_段组")) + "\r\n";
        }
    }
    return PlainApplyLineTolerance(lists, c.text("组合框_段组容错"));
}

int PairValue(char kind, int a, int b) { return Last(kind == 's' ? a - b : kind == '+' ? a + b : a * b)[0] - '0'; }

std::string PairTotal(char kind, int h, int t, int u) {
    return TwoDigits(PairValue(kind, h, t) + PairValue(kind, h, u) + PairValue(kind, t, u));
}

// The key text of a number for each pair value box.
std::string PlainBoxKey(const std::string& box, int h, int t, int u) {
    if (box == "编辑框_两码总跨度和值") return PairTotal('s', h, t, u) + ",";
    if (box == "编辑框_两码总合尾和值") return PairTotal('+', h, t, u);
    if (box == "编辑框_两码总积数和值") return PairTotal('*', h, t, u);
    if (box == "编辑框_百十跨度") return DigitText(PairValue('s', h, t));
    if (box == "编辑框_百个跨度") return DigitText(PairValue('s', h, u));
    if (box == "编辑框_十个跨度") return DigitText(PairValue('s', t, u));
    if (box == "编辑框_百十合尾") return DigitText(PairValue('+', h, t));
    if (box == "编辑框_百个合尾") return DigitText(PairValue('+', h, u));
    if (box == "编辑框_十个合尾") return DigitText(PairValue('+', t, u));
    return DigitText(h) + DigitText(t) + DigitText(u);  // 编辑框_垃圾大底
}

std::optional<std::string> PlainBox(const Controls& c, const std::string& box) {
    const std::string& content = c.text(box);
    if (content.empty()) return std::nullopt;
    return DigitPassList([&](int h, int t, int u) { return !Has(content, PlainBoxKey(box, h, t, u)); });
}

std::string TickedText(const Controls& c, const std::string& prefix) {
    std::string digits;
    for (int d = 0; d <= 9; ++d) {
        if (c.ticked(prefix + DigitText(d))) digits += DigitText(d);
    }
    return digits;
}

std::optional<std::string> PlainBanker(const Controls& c, const std::string& pair, int first, int second) {
    const std::string bankers = TickedText(c, "选择框_" + pair);
    if (bankers.empty()) return std::nullopt;
    const int p = c.selectedIndex("组合框_" + pair + "胆");
    return DigitPassList([&](int h, int t, int u) {
        const int digits[] = {0, h, t, u};
        const int count = Has(bankers, DigitText(digits[first])) + Has(bankers, DigitText(digits[second]));
        switch (p) {
            case 0: return count == 0;
            case 1: return count <= 1;
            case 2: return true;
            case 3: return count == 1;
            case 4: return count >= 1;
            default: return false;
        }
    });
}

std::optional<std::string> PlainTwoPairSums(const Controls& c, const std::string& panel, int p1, int q1, int p2,
                                            int q2) {
    const std::string prefix = "选择框_" + panel;
    const std::string digits = TickedText(c, prefix);
    if (digits.empty()) return std::nullopt;
    return DigitPassList([&](int h, int t, int u) {
        const int d[] = {0, h, t, u};
        const int count = Has(digits, DigitText((d[p1] + d[q1]) % 10)) + Has(digits, DigitText((d[p2] + d[q2]) % 10));
        return c.ticked(prefix + "出" + DigitText(count) + "个");
    });
}

// The plain row of each of the rows 27 to 54.
std::optional<std::string> PlainRow(int row, const Controls& c) {
    static const char* boxes[] = {"编辑框_两码总跨度和值", "编辑框_两码总合尾和值", "编辑框_两码总积数和值",
                                  "编辑框_百十跨度",       "编辑框_百个跨度",       "编辑框_十个跨度",
                                  "编辑框_百十合尾",       "编辑框_百个合尾",       "编辑框_十个合尾"};
    static const char* lists[][2] = {
        {"杀百位", "组合框_杀百容错"},   {"杀十位", "组合框_杀十容错"},      {"杀个位", "组合框_杀个容错"},
        {"杀定位", "组合框_杀定位容错"}, {"杀复式", "组合框_杀复式容错"},    {"杀大小单双", "组合框_杀大小单双容错"},
        {"杀合尾", "组合框_杀合尾容错"}, {"杀跨度", "组合框_杀跨度容错"},    {"定胆码组", "组合框_胆码组容错"},
        {"杀和值", "组合框_杀和值容错"}, {"杀二码组合", "组合框_杀两码容错"}};
    if (row >= 27 && row <= 35) return PlainBox(c, boxes[row - 27]);
    if (row == 36) return PlainBanker(c, "百十", 1, 2);
    if (row == 37) return PlainBanker(c, "百个", 1, 3);
    if (row == 38) return PlainBanker(c, "十个", 2, 3);
    if (row == 39) return PlainTwoPairSums(c, "百十与百个合", 1, 2, 1, 3);
    if (row == 40) return PlainTwoPairSums(c, "百十与十个合", 1, 2, 2, 3);
    if (row == 41) return PlainTwoPairSums(c, "百个与十个合", 1, 3, 2, 3);
    if (row == 42) return PlainBox(c, "编辑框_垃圾大底");
    if (row <= 53) return PlainList(c, lists[row - 43][0], lists[row - 43][1]);
    return PlainSegments(c);
}

// ---- Random contents -----------------------------------------------------------------

class RandomControls {
public:
    explicit RandomControls(std::uint32_t seed) : random_(seed) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    std::string Text(const std::vector<std::string>& pieces, int maxPieces) {
        std::string text;
        for (int i = Below(maxPieces + 1); i > 0; --i) text += pieces[Below(static_cast<int>(pieces.size()))];
        return text;
    }

    std::string Lines(const std::vector<std::string>& pieces, int maxLines, int maxPieces) {
        std::string text;
        const int lines = Below(maxLines + 1);
        for (int i = 0; i < lines; ++i) text += (i ? "\r\n" : "") + Text(pieces, maxPieces);
        if (Below(4) == 0) text += "\r\n";
        return text;
    }

    std::string Tolerance() {
        static const std::vector<std::string> items = {"0-0", "0-1", "0-2", "0-3", "0-5", "0-9", "1-1",
                                                       "2-1", "1-3", "2-2", "x",   "",    "3",   "0-1-2"};
        return items[Below(static_cast<int>(items.size()))];
    }

    void Fill(ControlStore& store) {
        static const std::vector<std::string> boxPieces = {"0",   "1", "2", "3",   "4",   "5",   "6",
                                                           "7",   "8", "9", "04,", "12,", "08,", "16,",
                                                           "02,", ",", " ", "号",  "\r\n"};
        static const std::vector<std::string> listPieces = {"0", "1", "2",  "3",  "4",  "5",  "6",  "7",  "8", "9",
                                                            " ", ",", "单", "双", "大", "小", "号", "\t", "😀"};
        static const std::vector<std::string> digitPieces = {"0", "1", "2", "3", "4", "5",
                                                             "6", "7", "8", "9", "9", "x"};
        static const std::vector<std::string> segmentTails = {"",     "",  "",   "=0-1",   "=1-2",
                                                              "=0-0", "=", "=x", "=0-2=1", "-"};
        for (const char* box : {"编辑框_两码总跨度和值", "编辑框_两码总合尾和值", "编辑框_两码总积数和值",
                                "编辑框_百十跨度", "编辑框_百个跨度", "编辑框_十个跨度", "编辑框_百十合尾",
                                "编辑框_百个合尾", "编辑框_十个合尾", "编辑框_垃圾大底"}) {
            store.setText(box, Below(3) == 0 ? "" : Text(boxPieces, 8));
        }
        for (const char* pair : {"百十", "百个", "十个"}) {
            Tick(store, std::string("选择框_") + pair, 3);
            store.select(std::string("组合框_") + pair + "胆", Below(6) - 1);
        }
        for (const char* panel : {"百十与百个合", "百十与十个合", "百个与十个合"}) {
            Tick(store, std::string("选择框_") + panel, 3);
            for (int c = 0; c <= 2; ++c)
                store.setTicked(std::string("选择框_") + panel + "出" + DigitText(c) + "个", Below(2));
        }
        for (const char* list : {"杀百位", "杀十位", "杀个位", "杀定位", "杀复式", "杀大小单双", "杀合尾", "杀跨度",
                                 "定胆码组", "杀和值", "杀二码组合"}) {
            const int kind = Below(8);
            const std::string hint(HintFor(list));
            store.setText(list, kind == 0 ? hint : kind == 1 ? hint + "\r\n1" : Lines(listPieces, 6, 8));
        }
        for (const char* combo :
             {"组合框_杀百容错", "组合框_杀十容错", "组合框_杀个容错", "组合框_杀定位容错", "组合框_杀复式容错",
              "组合框_杀大小单双容错", "组合框_杀合尾容错", "组合框_杀跨度容错", "组合框_胆码组容错",
              "组合框_杀和值容错", "组合框_杀两码容错", "组合框_段组", "组合框_段组容错"}) {
            store.setText(combo, Tolerance());
        }
        std::string segments;
        for (int lines = 1 + Below(3); lines > 0; --lines) {
            segments += Text(digitPieces, 4) + "-" + Text(digitPieces, 4) + (Below(6) ? "-" : "") +
                        Text(digitPieces, 4) + segmentTails[Below(static_cast<int>(segmentTails.size()))] + "\r\n";
        }
        store.setText("段组", Below(8) == 0 ? std::string(kSegmentHint) : segments);
        store.setText("组合框_段组容错", std::vector<std::string>{"0-0", "0-1", "0-2", "1-2", "x"}[Below(5)]);
    }

private:
    void Tick(ControlStore& store, const std::string& prefix, int oneIn) {
        for (int d = 0; d <= 9; ++d) store.setTicked(prefix + DigitText(d), Below(oneIn) == 0);
    }

    std::mt19937 random_;
};

// A base of three-digit tokens with repeats, mixed with one-, two- and four-digit tokens,
// empty elements (two spaces in a row) and a token with another character: every kind of
// token whose membership the shrink run answers differently.
std::string RandomBase(RandomControls& random) {
    std::string base;
    for (int i = 40 + random.Below(40); i > 0; --i) {
        const int kind = random.Below(10);
        const int length = kind < 5 ? 3 : kind == 5 ? 1 : kind == 6 ? 2 : kind == 7 ? 4 : 0;
        std::string token;
        for (int d = 0; d < length; ++d) token += DigitText(random.Below(10));
        if (kind == 9) token = DigitText(random.Below(10)) + "x" + DigitText(random.Below(10));
        base += token + " ";
        if (kind < 2) base += token + " ";  // the same token again
    }
    if (random.Below(2)) base.pop_back();
    return base;
}

std::optional<std::string> AsText(const std::optional<NumberSet>& set) {
    if (!set) return std::nullopt;
    return set->toText();
}

TEST(ReferenceComparison, EachRowMatchesThePlainEvaluation) {
    ControlStore store(ControlTable());
    RandomControls random(20240607);
    int telling[55] = {};  // trials in which a row kept some numbers and dropped others
    for (int trial = 0; trial < 30; ++trial) {
        random.Fill(store);
        for (int row = 27; row <= 54; ++row) {
            const std::optional<NumberSet> fast = RunRow(row, store);
            ASSERT_EQ(AsText(fast), PlainRow(row, store)) << "row " << row << ", trial " << trial;
            if (fast && !fast->empty() && fast->count() < 1000) ++telling[row];
        }
    }
    for (int row = 27; row <= 54; ++row) EXPECT_GE(telling[row], 6) << "row " << row << " is rarely put to the test";
}

TEST(ReferenceComparison, WholeRunMatchesPlainFailureCounts) {
    ControlStore store(ControlTable());
    FailureTable table;
    RandomControls random(99);
    for (int trial = 0; trial < 12; ++trial) {
        random.Fill(store);
        const std::string base = trial % 2 == 0 ? "" : RandomBase(random);
        store.setText("编辑框_大底", base);
        store.select("组合框_容错", random.Below(11));
        RunShrink(store, table);
        std::vector<std::string> rows;
        for (int row = 27; row <= 54; ++row) {
            if (std::optional<std::string> text = PlainRow(row, store)) rows.push_back(*text);
        }
        ASSERT_EQ(table.rowCount(), rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(table.rowText(i), rows[i]) << "run order, row " << i;
        long long low, high;
        Bounds(store.text("组合框_容错"), low, high);
        std::vector<std::string> tokens = Split(base, " ");
        if (base.empty()) {
            for (int n = 0; n < 1000; ++n) tokens.push_back(NumberText(n));
        }
        std::string expected;
        for (const std::string& token : tokens) {
            long long failures = 0;
            // An empty token is found in every row but an empty one.
            for (const std::string& row : rows) failures += (token.empty() ? !row.empty() : Has(row, token)) ? 0 : 1;
            if (low <= failures && failures <= high) expected += token + " ";
        }
        EXPECT_EQ(store.text("编辑框_结果"), expected) << "trial " << trial << ", base \"" << base << '"';
    }
}

}  // namespace
}  // namespace sanxing::group_test
