// Rows 1 to 26 of the run order against a plain, per-number evaluation of each rule in
// the way the rules are stated: texts of excluded keys, key texts per number, substring
// searches. Many random control states, fixed seed.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "reference_rules.h"
#include "runtime/control_store.h"
#include "shrink/condition_group.h"
#include "window/control_table.h"

namespace sanxing {
namespace {

using namespace reference;

using Store = ControlStore;
using Reference = std::function<std::optional<std::string>(const Store&)>;

// The entries of the unticked boxes, in the order given.
std::string Unticked(const Store& s, const std::vector<std::pair<std::string, std::string>>& boxes) {
    std::string u;
    for (const auto& [name, entry] : boxes) {
        if (!s.ticked(name)) u += entry;
    }
    return u;
}

std::vector<std::pair<std::string, std::string>> DigitBoxes(const std::string& prefix) {
    std::vector<std::pair<std::string, std::string>> boxes;
    for (int d = 0; d <= 9; ++d) boxes.push_back({prefix + std::to_string(d), std::to_string(d)});
    return boxes;
}

Reference Positional(const std::string& prefix, int position) {
    return [=](const Store& s) -> std::optional<std::string> {
        const std::string u = Unticked(s, DigitBoxes(prefix));
        if (u.empty()) return std::nullopt;
        return PassList([&](const std::string& n) { return !Has(u, n.substr(position - 1, 1)); });
    };
}

template <typename KeyText>
Reference KeyedBoxes(std::vector<std::pair<std::string, std::string>> boxes, KeyText keyText) {
    return [=](const Store& s) -> std::optional<std::string> {
        const std::string u = Unticked(s, boxes);
        if (u.empty()) return std::nullopt;
        return PassList([&](const std::string& n) { return !Has(u, keyText(n)); });
    };
}

std::string DigitSetOf(const std::string& n) {
    std::string set;
    for (char c = '0'; c <= '9'; ++c) {
        if (Has(n, std::string(1, c))) set += c;
    }
    return set;
}

Reference Span() {
    return KeyedBoxes(DigitBoxes("选择框_跨度"), [](const std::string& n) {
        const std::string set = DigitSetOf(n);
        return Last((set.front() - '0') - (set.back() - '0'));
    });
}

Reference Sum() {
    std::vector<std::pair<std::string, std::string>> boxes;
    for (int v = 0; v <= 27; ++v) boxes.push_back({"选择框_合值" + TwoDigits(v), TwoDigits(v) + ","});
    return KeyedBoxes(boxes,
                      [](const std::string& n) { return TwoDigits(Digit(n, 1) + Digit(n, 2) + Digit(n, 3)) + ","; });
}

Reference FixedSumChange() {
    return [](const Store& s) -> std::optional<std::string> {
        const std::string u = Unticked(s, DigitBoxes("选择框_定合变"));
        if (u.empty()) return std::nullopt;
        std::string e;
        for (int k = 0; k <= 9; ++k) {
            if (!Has(u, std::to_string(k))) continue;
            std::string line;
            for (int i = 0; i < 1000; ++i) {
                const std::string n = NumberText(i);
                if ((Digit(n, 1) + 2 * Digit(n, 2) + Digit(n, 3)) % 10 == k) line += (line.empty() ? "" : " ") + n;
            }
            e += line + " ";
        }
        return PassList([&](const std::string& n) { return !Has(e, n); });
    };
}

Reference Shape() {
    return [](const Store& s) -> std::optional<std::string> {
        std::string e;
        if (!s.ticked("选择框_正顺")) e += "012 123 234 345 456 567 678 789 890 901 ";
        if (!s.ticked("选择框_反顺")) e += "987 876 765 654 543 432 321 210 109 098 ";
        // Each list ends with a space so that numbers never run together.
        if (!s.ticked("选择框_豹子")) e += "000 111 222 333 444 555 666 777 888 999 ";
        for (const auto& [box, distinct] : {std::pair{"选择框_组三", 2u}, std::pair{"选择框_组六", 3u}}) {
            if (s.ticked(box)) continue;
            for (int i = 0; i < 1000; ++i) {
                if (DigitSetOf(NumberText(i)).size() == distinct) e += NumberText(i) + " ";
            }
        }
        if (e.empty()) return std::nullopt;
        return PassList([&](const std::string& n) { return !Has(e, n); });
    };
}

Reference Patterns(std::vector<std::pair<std::string, std::string>> boxes) {
    return [=](const Store& s) -> std::optional<std::string> {
        std::vector<std::string> p;
        for (const auto& [name, pattern] : boxes) {
            if (!s.ticked(name)) p.push_back(pattern);
        }
        if (p.empty()) return std::nullopt;
        std::string e;
        for (int i = 0; i < 1000; ++i) {
            const std::string n = NumberText(i);
            for (const std::string& pattern : p) {
                const auto classes = Split(pattern, ",");
                if (Has(classes[0], n.substr(0, 1)) && Has(classes[1], n.substr(1, 1)) &&
                    Has(classes[2], n.substr(2, 1))) {
                    e += n + " ";
                }
            }
        }
        return PassList([&](const std::string& n) { return !Has(e, n); });
    };
}

Reference Road() {
    const std::string roads[] = {"0369", "147", "258"};
    std::vector<std::pair<std::string, std::string>> boxes;
    for (int x = 0; x <= 2; ++x) {
        for (int y = 0; y <= 2; ++y) {
            for (int z = 0; z <= 2; ++z) {
                boxes.push_back({"选择框_三星路" + std::to_string(x) + std::to_string(y) + std::to_string(z),
                                 roads[x] + "," + roads[y] + "," + roads[z]});
            }
        }
    }
    return Patterns(boxes);
}

Reference OddEven() {
    return Patterns({{"选择框_双双双", "02468,02468,02468"},
                     {"选择框_双双单", "02468,02468,13579"},
                     {"选择框_双单双", "02468,13579,02468"},
                     {"选择框_双单单", "02468,13579,13579"},
                     {"选择框_单双双", "13579,02468,02468"},
                     {"选择框_单双单", "13579,02468,13579"},
                     {"选择框_单单双", "13579,13579,02468"},
                     {"选择框_单单单", "13579,13579,13579"}});
}

Reference BigSmall() {
    return Patterns({{"选择框_大大大", "56789,56789,56789"},
                     {"选择框_大大小", "56789,56789,01234"},
                     {"选择框_大小大", "56789,01234,56789"},
                     {"选择框_大小小", "56789,01234,01234"},
                     {"选择框_小大大", "01234,56789,56789"},
                     {"选择框_小大小", "01234,56789,01234"},
                     {"选择框_小小大", "01234,01234,56789"},
                     {"选择框_小小小", "01234,01234,01234"}});
}

Reference TwoDigitCodes() {
    return [](const Store& s) -> std::optional<std::string> {
        std::string u;
        for (int a = 0; a <= 9; ++a) {
            for (int b = a; b <= 9; ++b) {
                const std::string ab = std::to_string(a) + std::to_string(b);
                if (!s.ticked("选择框_两码" + ab)) u += ab + ",";
            }
        }
        if (u.empty()) return std::nullopt;
        return PassList([&](const std::string& n) {
            const char h = n[0], t = n[1], x = n[2];
            for (const std::string& key : {std::string{h, t}, std::string{t, h}, std::string{h, x}, std::string{x, h},
                                           std::string{t, x}, std::string{x, t}}) {
                if (Has(u, key)) return false;
            }
            return true;
        });
    };
}

Reference Banker(int panel) {
    return [panel](const Store& s) -> std::optional<std::string> {
        const std::string prefix = "选择框_胆" + std::to_string(panel);
        std::string d;
        for (int k = 0; k <= 9; ++k) {
            if (s.ticked(prefix + "码" + std::to_string(k))) d += std::to_string(k);
        }
        const auto count = [&](int c) { return s.ticked(prefix + "出" + std::to_string(c)); };
        if (!((!d.empty() && count(0)) || count(1) || count(2) || count(3))) return std::nullopt;
        return PassList([&](const std::string& n) {
            std::vector<std::size_t> found;
            for (const char c : n) {
                const std::size_t at = d.find(c);
                if (at == std::string::npos) continue;
                bool seen = false;
                for (const std::size_t f : found) seen = seen || f == at;
                if (!seen) found.push_back(at);
            }
            return count(static_cast<int>(found.size()));
        });
    };
}

template <typename KeyText>
Reference KillBox(const std::string& box, KeyText keyText) {
    return [=](const Store& s) -> std::optional<std::string> {
        const std::string& text = s.text(box);
        if (text.empty()) return std::nullopt;
        return PassList([&](const std::string& n) { return !Has(text, keyText(n)); });
    };
}

Reference PairTotal(const std::string& box, std::function<int(int, int)> pairValue) {
    return KillBox(box, [=](const std::string& n) {
        const auto value = [&](int a, int b) { return std::stoi(Last(pairValue(Digit(n, a), Digit(n, b)))); };
        return Last(value(1, 2) + value(1, 3) + value(2, 3));
    });
}

Reference JunkCompound() {
    return [](const Store& s) -> std::optional<std::string> {
        const std::string boxes[] = {s.text("垃圾复试_百位"), s.text("垃圾复试_十位"), s.text("垃圾复试_个位")};
        if (boxes[0].empty() || boxes[1].empty() || boxes[2].empty()) return std::nullopt;
        return PassList([&](const std::string& n) {
            int inside = 0;
            for (int p = 0; p < 3; ++p) inside += Has(boxes[p], n.substr(static_cast<std::size_t>(p), 1));
            return inside != 3;
        });
    };
}

// Rows 1..26 in run order.
std::vector<Reference> References() {
    const auto pair = [](int a, int b) {
        return [=](const std::string& n) { return std::string{n[a - 1], n[b - 1]}; };
    };
    const auto pairSum = [](int a, int b) {
        return [=](const std::string& n) { return TwoDigits(Digit(n, a) + Digit(n, b)) + ","; };
    };
    return {
        Positional("选择框_百位", 1),
        Positional("选择框_十位", 2),
        Positional("选择框_个位", 3),
        Shape(),
        Banker(1),
        Banker(2),
        Banker(3),
        Road(),
        KeyedBoxes(DigitBoxes("选择框_合尾"),
                   [](const std::string& n) { return Last(Digit(n, 1) + Digit(n, 2) + Digit(n, 3)); }),
        Span(),
        Sum(),
        TwoDigitCodes(),
        OddEven(),
        BigSmall(),
        FixedSumChange(),
        KeyedBoxes(DigitBoxes("选择框_定合积"),
                   [](const std::string& n) { return Last(Digit(n, 1) * Digit(n, 2) + Digit(n, 3)); }),
        JunkCompound(),
        KillBox("编辑框_百十和值", pairSum(1, 2)),
        KillBox("编辑框_百个和值", pairSum(1, 3)),
        KillBox("编辑框_十个和值", pairSum(2, 3)),
        KillBox("编辑框_百十两码", pair(1, 2)),
        KillBox("编辑框_百个两码", pair(1, 3)),
        KillBox("编辑框_十个两码", pair(2, 3)),
        PairTotal("编辑框_两码总跨度", [](int a, int b) { return a - b; }),
        PairTotal("编辑框_两码总合尾", [](int a, int b) { return a + b; }),
        PairTotal("编辑框_两码总积数", [](int a, int b) { return a * b; }),
    };
}

const char* const kEditBoxes[] = {"垃圾复试_百位",   "垃圾复试_十位",     "垃圾复试_个位",     "编辑框_百十和值",
                                  "编辑框_百个和值", "编辑框_十个和值",   "编辑框_百十两码",   "编辑框_百个两码",
                                  "编辑框_十个两码", "编辑框_两码总跨度", "编辑框_两码总合尾", "编辑框_两码总积数"};

class RandomControls {
public:
    explicit RandomControls(unsigned seed) : rng_(seed) {}

    void fill(Store& store) {
        store.reset();
        const double untick = pick<double>({0.0, 0.03, 0.15, 0.5, 1.0});
        const double banker = pick<double>({0.0, 0.2, 0.5});
        for (const ControlRow& spec : store.table()) {
            if (spec.kind != ControlKind::CheckBox) continue;
            if (spec.name.starts_with("选择框_胆")) {
                store.setTicked(spec.name, chance(banker));
            } else if (spec.ticked) {
                store.setTicked(spec.name, !chance(untick));
            }
        }
        for (const char* box : kEditBoxes) store.setText(box, chance(0.4) ? std::string() : text());
    }

private:
    template <typename T>
    T pick(std::initializer_list<T> values) {
        std::uniform_int_distribution<std::size_t> index(0, values.size() - 1);
        return *(values.begin() + index(rng_));
    }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }

    // Short texts of digits mixed with commas, spaces, CJK, line breaks and control bytes.
    std::string text() {
        std::string t;
        const int length = std::uniform_int_distribution<int>(1, 12)(rng_);
        for (int i = 0; i < length; ++i) {
            if (chance(0.6)) {
                t += static_cast<char>('0' + std::uniform_int_distribution<int>(0, 9)(rng_));
            } else {
                t += pick<const char*>({",", " ", "中", "\r\n", "\x01", "，", "a"});
            }
        }
        return t;
    }

    std::mt19937 rng_;
};

TEST(SelectionGroupsReference, RowsMatchAPlainEvaluationOfEachRule) {
    const std::vector<Reference> references = References();
    const auto groups = ConditionGroups();
    ASSERT_GE(groups.size(), references.size());
    Store store{ControlTable()};
    RandomControls random(20261207);
    std::array<int, 26> active{};
    constexpr int kTrials = 160;
    for (int trial = 0; trial < kTrials; ++trial) {
        random.fill(store);
        for (std::size_t g = 0; g < references.size(); ++g) {
            ASSERT_EQ(groups[g].row, static_cast<int>(g) + 1);
            ASSERT_NE(groups[g].evaluate, nullptr) << groups[g].name;
            const std::optional<std::string> expected = references[g](store);
            const std::optional<NumberSet> row = groups[g].evaluate(store);
            ASSERT_EQ(row.has_value(), expected.has_value()) << "row " << groups[g].row << ", trial " << trial;
            if (!row) continue;
            ++active[g];
            ASSERT_EQ(row->toText(), *expected) << "row " << groups[g].row << ", trial " << trial;
        }
    }
    for (std::size_t g = 0; g < active.size(); ++g) {
        EXPECT_GT(active[g], kTrials / 10) << "row " << g + 1 << " rarely active";
        EXPECT_LT(active[g], kTrials - kTrials / 10) << "row " << g + 1 << " rarely inactive";
    }
}

}  // namespace
}  // namespace sanxing
