// The run order of the 54 condition groups. Row numbers are the order of rows in the
// failure table.

#include "shrink/condition_group.h"

namespace sanxing {

namespace {

constexpr ConditionGroup kGroups[] = {
    {1, "hundreds digit", nullptr},
    {2, "tens digit", nullptr},
    {3, "units digit", nullptr},
    {4, "shape", nullptr},
    {5, "banker group 1", nullptr},
    {6, "banker group 2", nullptr},
    {7, "banker group 3", nullptr},
    {8, "0/1/2 road pattern", nullptr},
    {9, "sum tail", nullptr},
    {10, "span", nullptr},
    {11, "sum", nullptr},
    {12, "two-digit codes", nullptr},
    {13, "odd/even pattern", nullptr},
    {14, "big/small pattern", nullptr},
    {15, "fixed sum change", nullptr},
    {16, "fixed sum product", nullptr},
    {17, "junk compound", nullptr},
    {18, "hundreds+tens sum", nullptr},
    {19, "hundreds+units sum", nullptr},
    {20, "tens+units sum", nullptr},
    {21, "hundreds+tens code", nullptr},
    {22, "hundreds+units code", nullptr},
    {23, "tens+units code", nullptr},
    {24, "total of pair spans, tail", nullptr},
    {25, "total of pair sum tails, tail", nullptr},
    {26, "total of pair products, tail", nullptr},
    {27, "total of pair spans, sum", nullptr},
    {28, "total of pair sum tails, sum", nullptr},
    {29, "total of pair products, sum", nullptr},
    {30, "hundreds-tens span", nullptr},
    {31, "hundreds-units span", nullptr},
    {32, "tens-units span", nullptr},
    {33, "hundreds+tens sum tail", nullptr},
    {34, "hundreds+units sum tail", nullptr},
    {35, "tens+units sum tail", nullptr},
    {36, "hundreds-tens banker", nullptr},
    {37, "hundreds-units banker", nullptr},
    {38, "tens-units banker", nullptr},
    {39, "pair sums, hundreds-tens with hundreds-units", nullptr},
    {40, "pair sums, hundreds-tens with tens-units", nullptr},
    {41, "pair sums, hundreds-units with tens-units", nullptr},
    {42, "junk base", nullptr},
    {43, "kill hundreds", nullptr},
    {44, "kill tens", nullptr},
    {45, "kill units", nullptr},
    {46, "kill positional", nullptr},
    {47, "kill compound", nullptr},
    {48, "kill big/small/odd/even", nullptr},
    {49, "kill sum tail", nullptr},
    {50, "kill span", nullptr},
    {51, "fixed banker groups", nullptr},
    {52, "kill sum", nullptr},
    {53, "kill two-digit combinations", nullptr},
    {54, "segment groups", nullptr},
};

}  // namespace

std::span<const ConditionGroup> ConditionGroups() { return kGroups; }

}  // namespace sanxing
