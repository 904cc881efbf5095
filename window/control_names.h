#pragma once
// The catalogue of control names: every name that code outside the control table refers
// to, spelled once. The control table is built from these constants, so each of them is
// a name of the table, and code that uses them cannot misspell a name. Families of boxes
// are arrays in key order (a digit, a road pattern, a sum …): loops walk them, and a
// constant index goes through std::get, which does not compile out of range.

#include <array>
#include <string_view>

namespace sanxing::ctl {

using Name = std::string_view;

// Ten check boxes, one per digit, in digit order.
using DigitBoxes = std::array<Name, 10>;

// ---- Base-set column ------------------------------------------------------------------
inline constexpr Name kBaseSet = "编辑框_大底";
inline constexpr Name kOpenBase = "打开大底";
inline constexpr Name kEmptyBase = "清空大底";
inline constexpr Name kCopyVerification = "按钮_复制验证数据";
inline constexpr Name kBaseComplement = "大底_反集";
inline constexpr Name kBaseCount = "大底注数";

// ---- Result column ----------------------------------------------------------------------
inline constexpr Name kResult = "编辑框_结果";
inline constexpr Name kSaveResult = "按钮_保存";
inline constexpr Name kClearAll = "按钮_全清";
inline constexpr Name kResultComplement = "选择框_反集";
inline constexpr Name kPrizeNumber = "编辑框_兑奖号码";
inline constexpr Name kCheckPrize = "按钮_兑奖";
inline constexpr Name kTolerance = "组合框_容错";
inline constexpr Name kShrink = "按钮_缩水";
inline constexpr Name kCopyResult = "按钮_复制";
inline constexpr Name kResultCount = "标签_缩水结果";

// ---- Ad panel ---------------------------------------------------------------------------
inline constexpr Name kAdPanel = "图片框28";
inline constexpr Name kAdPage = "超文本浏览框";
inline constexpr Name kCloseAd = "按钮1";

// ---- Draw area --------------------------------------------------------------------------
inline constexpr Name kLottery = "组合框_彩种";
inline constexpr Name kVerifyWindow = "组合框_验证";
inline constexpr Name kDrawList = "列表框_开奖";
inline constexpr Name kDrawTimer = "时钟_开奖更新";
inline constexpr Name kAnnounceDraws = "选择框_开奖报号";
inline constexpr Name kShownDraws = "组合框_显示";
inline constexpr Name kHitMark = "编辑框_对";
inline constexpr Name kMissMark = "编辑框_错";
inline constexpr Name kSignature = "编辑框_签名";

// ---- Set area ---------------------------------------------------------------------------
inline constexpr Name kSetA = "编辑框_A";
inline constexpr Name kSetB = "编辑框_B";
inline constexpr Name kSubtractBFromA = "A排除B";
inline constexpr Name kSubtractAFromB = "B排除A";
inline constexpr Name kUniteAB = "AB合并";
inline constexpr Name kIntersectAB = "AB交集";
inline constexpr Name kClearAB = "AB全清";
inline constexpr Name kMoveResultToBase = "到大底框";
inline constexpr Name kFailureList = "列表框_容错";

// ---- Basic page -------------------------------------------------------------------------
inline constexpr Name kConditionPages = "高级选择夹1";

// The positional panels: hundreds, tens, units.
struct PositionPanel {
    Name label, selector;
    DigitBoxes digits;
    Name selectAll;  // the clear action the selector's 全部 runs
};
inline constexpr std::array<PositionPanel, 3> kPositionPanels = {{
    {"标签_百位",
     "组合框_百位",
     {"选择框_百位0", "选择框_百位1", "选择框_百位2", "选择框_百位3", "选择框_百位4", "选择框_百位5", "选择框_百位6",
      "选择框_百位7", "选择框_百位8", "选择框_百位9"},
     "组合框_百位/全部"},
    {"标签_十位",
     "组合框_十位",
     {"选择框_十位0", "选择框_十位1", "选择框_十位2", "选择框_十位3", "选择框_十位4", "选择框_十位5", "选择框_十位6",
      "选择框_十位7", "选择框_十位8", "选择框_十位9"},
     "组合框_十位/全部"},
    {"标签_个位",
     "组合框_个位",
     {"选择框_个位0", "选择框_个位1", "选择框_个位2", "选择框_个位3", "选择框_个位4", "选择框_个位5", "选择框_个位6",
      "选择框_个位7", "选择框_个位8", "选择框_个位9"},
     "组合框_个位/全部"},
}};

// The shape boxes, in the order of their row on the page.
inline constexpr Name kTriple = "选择框_豹子";
inline constexpr Name kGroupThree = "选择框_组三";
inline constexpr Name kGroupSix = "选择框_组六";
inline constexpr Name kForwardSequence = "选择框_正顺";
inline constexpr Name kReverseSequence = "选择框_反顺";
inline constexpr Name kShapesClear = "按钮_混合清";

// The three banker groups: ten digit boxes and four 出 boxes (banker count 0..3).
struct BankerGroup {
    Name label;
    DigitBoxes digits;
    std::array<Name, 4> counts;
    Name countNote, selector, clear, invert;
};
inline constexpr std::array<BankerGroup, 3> kBankerGroups = {{
    {"标签_胆码1",
     {"选择框_胆1码0", "选择框_胆1码1", "选择框_胆1码2", "选择框_胆1码3", "选择框_胆1码4", "选择框_胆1码5",
      "选择框_胆1码6", "选择框_胆1码7", "选择框_胆1码8", "选择框_胆1码9"},
     {"选择框_胆1出0", "选择框_胆1出1", "选择框_胆1出2", "选择框_胆1出3"},
     "标签_组三算2胆1",
     "组合框_胆码1",
     "按钮_胆码清空1",
     "按钮_胆1反选"},
    {"标签_胆码2",
     {"选择框_胆2码0", "选择框_胆2码1", "选择框_胆2码2", "选择框_胆2码3", "选择框_胆2码4", "选择框_胆2码5",
      "选择框_胆2码6", "选择框_胆2码7", "选择框_胆2码8", "选择框_胆2码9"},
     {"选择框_胆2出0", "选择框_胆2出1", "选择框_胆2出2", "选择框_胆2出3"},
     "标签_组三算2胆2",
     "组合框_胆码2",
     "按钮_胆码清空2",
     "按钮_胆2反选"},
    {"标签_胆码3",
     {"选择框_胆3码0", "选择框_胆3码1", "选择框_胆3码2", "选择框_胆3码3", "选择框_胆3码4", "选择框_胆3码5",
      "选择框_胆3码6", "选择框_胆3码7", "选择框_胆3码8", "选择框_胆3码9"},
     {"选择框_胆3出0", "选择框_胆3出1", "选择框_胆3出2", "选择框_胆3出3"},
     "标签_组三算2胆3",
     "组合框_胆码3",
     "按钮_胆码清空3",
     "按钮_胆3反选"},
}};

// The 27 road-pattern boxes: the box of roads (x, y, z) of hundreds, tens and units is
// number 9x + 3y + z; RoadBox(x, y, z) names it in constant expressions.
inline constexpr std::array<Name, 27> kRoadBoxes = {
    "选择框_三星路000", "选择框_三星路001", "选择框_三星路002", "选择框_三星路010", "选择框_三星路011",
    "选择框_三星路012", "选择框_三星路020", "选择框_三星路021", "选择框_三星路022", "选择框_三星路100",
    "选择框_三星路101", "选择框_三星路102", "选择框_三星路110", "选择框_三星路111", "选择框_三星路112",
    "选择框_三星路120", "选择框_三星路121", "选择框_三星路122", "选择框_三星路200", "选择框_三星路201",
    "选择框_三星路202", "选择框_三星路210", "选择框_三星路211", "选择框_三星路212", "选择框_三星路220",
    "选择框_三星路221", "选择框_三星路222"};
consteval Name RoadBox(int x, int y, int z) {
    if (x < 0 || x > 2 || y < 0 || y > 2 || z < 0 || z > 2) throw "a road is 0, 1 or 2";
    return kRoadBoxes[static_cast<std::size_t>(9 * x + 3 * y + z)];
}
inline constexpr Name kRoadsClear = "按钮_012路清";

inline constexpr DigitBoxes kSpanDigits = {"选择框_跨度0", "选择框_跨度1", "选择框_跨度2", "选择框_跨度3",
                                           "选择框_跨度4", "选择框_跨度5", "选择框_跨度6", "选择框_跨度7",
                                           "选择框_跨度8", "选择框_跨度9"};
inline constexpr Name kSpanClear = "按钮_三星跨度清";
inline constexpr DigitBoxes kSumTailDigits = {"选择框_合尾0", "选择框_合尾1", "选择框_合尾2", "选择框_合尾3",
                                              "选择框_合尾4", "选择框_合尾5", "选择框_合尾6", "选择框_合尾7",
                                              "选择框_合尾8", "选择框_合尾9"};
inline constexpr Name kSumTailClear = "按钮_三星合尾清";

// ---- Other page -------------------------------------------------------------------------
// The sum boxes 00..27, by sum.
inline constexpr std::array<Name, 28> kSumBoxes = {
    "选择框_合值00", "选择框_合值01", "选择框_合值02", "选择框_合值03", "选择框_合值04", "选择框_合值05",
    "选择框_合值06", "选择框_合值07", "选择框_合值08", "选择框_合值09", "选择框_合值10", "选择框_合值11",
    "选择框_合值12", "选择框_合值13", "选择框_合值14", "选择框_合值15", "选择框_合值16", "选择框_合值17",
    "选择框_合值18", "选择框_合值19", "选择框_合值20", "选择框_合值21", "选择框_合值22", "选择框_合值23",
    "选择框_合值24", "选择框_合值25", "选择框_合值26", "选择框_合值27"};
inline constexpr Name kSumsClear = "按钮_合值清除";

// The 55 two-digit code boxes 两码ab, a <= b, in the order a, then b.
inline constexpr std::array<Name, 55> kPairCodeBoxes = {
    "选择框_两码00", "选择框_两码01", "选择框_两码02", "选择框_两码03", "选择框_两码04", "选择框_两码05",
    "选择框_两码06", "选择框_两码07", "选择框_两码08", "选择框_两码09", "选择框_两码11", "选择框_两码12",
    "选择框_两码13", "选择框_两码14", "选择框_两码15", "选择框_两码16", "选择框_两码17", "选择框_两码18",
    "选择框_两码19", "选择框_两码22", "选择框_两码23", "选择框_两码24", "选择框_两码25", "选择框_两码26",
    "选择框_两码27", "选择框_两码28", "选择框_两码29", "选择框_两码33", "选择框_两码34", "选择框_两码35",
    "选择框_两码36", "选择框_两码37", "选择框_两码38", "选择框_两码39", "选择框_两码44", "选择框_两码45",
    "选择框_两码46", "选择框_两码47", "选择框_两码48", "选择框_两码49", "选择框_两码55", "选择框_两码56",
    "选择框_两码57", "选择框_两码58", "选择框_两码59", "选择框_两码66", "选择框_两码67", "选择框_两码68",
    "选择框_两码69", "选择框_两码77", "选择框_两码78", "选择框_两码79", "选择框_两码88", "选择框_两码89",
    "选择框_两码99"};
inline constexpr Name kPairCodesClear = "按钮_两码清";

// The big/small and odd/even pattern boxes, by key 4h + 2t + u where a digit's class is
// 1 for 大 (odd: 单) and 0 for 小 (even: 双). The page shows them from key 7 down.
inline constexpr std::array<Name, 8> kBigSmallBoxes = {"选择框_小小小", "选择框_小小大", "选择框_小大小",
                                                       "选择框_小大大", "选择框_大小小", "选择框_大小大",
                                                       "选择框_大大小", "选择框_大大大"};
inline constexpr Name kBigSmallClear = "按钮_大小清除";
inline constexpr std::array<Name, 8> kOddEvenBoxes = {"选择框_双双双", "选择框_双双单", "选择框_双单双",
                                                      "选择框_双单单", "选择框_单双双", "选择框_单双单",
                                                      "选择框_单单双", "选择框_单单单"};
inline constexpr Name kOddEvenClear = "按钮_单双清除";

inline constexpr DigitBoxes kFixedSumProductDigits = {
    "选择框_定合积0", "选择框_定合积1", "选择框_定合积2", "选择框_定合积3", "选择框_定合积4",
    "选择框_定合积5", "选择框_定合积6", "选择框_定合积7", "选择框_定合积8", "选择框_定合积9"};
inline constexpr Name kFixedSumProductSelector = "组合框_定合变2";
inline constexpr Name kFixedSumProductClear = "按钮_合积清";
inline constexpr DigitBoxes kFixedSumChangeDigits = {
    "选择框_定合变0", "选择框_定合变1", "选择框_定合变2", "选择框_定合变3", "选择框_定合变4",
    "选择框_定合变5", "选择框_定合变6", "选择框_定合变7", "选择框_定合变8", "选择框_定合变9"};
inline constexpr Name kFixedSumChangeSelector = "组合框_定合变";
inline constexpr Name kFixedSumChangeClear = "按钮_合变清";

// The junk compound boxes of hundreds, tens and units.
inline constexpr std::array<Name, 3> kJunkCompoundBoxes = {"垃圾复试_百位", "垃圾复试_十位", "垃圾复试_个位"};
inline constexpr Name kJunkCompoundClear = "三复式清";

// ---- Pair page ----------------------------------------------------------------------------
// The controls of one digit pair: hundreds-tens, hundreds-units, tens-units.
struct PairPanel {
    Name sumLabel, sumBox, sumPicker;     // 和值 row
    Name codeLabel, codeBox, codePicker;  // 组合 row
    Name totalPicker;                     // picker of the pair's total-sum box
    Name spanLabel, spanBox;              // 杀两码: span
    Name tailLabel, tailBox;              // 杀两码: sum tail
    Name bankerLabel;                     // 胆码 row
    DigitBoxes bankers;
    Name bankerRule, bankerClear;
};
inline constexpr std::array<PairPanel, 3> kPairPanels = {{
    {"标签_百十和值",
     "编辑框_百十和值",
     "组合框_百十两码1",
     "标签_百十组合",
     "编辑框_百十两码",
     "组合框_百十两码",
     "组合框_百十两码2",
     "标签_百十跨度",
     "编辑框_百十跨度",
     "标签_百十合尾",
     "编辑框_百十合尾",
     "标签_百十胆码",
     {"选择框_百十0", "选择框_百十1", "选择框_百十2", "选择框_百十3", "选择框_百十4", "选择框_百十5", "选择框_百十6",
      "选择框_百十7", "选择框_百十8", "选择框_百十9"},
     "组合框_百十胆",
     "按钮_百十胆清"},
    {"标签_百个和值",
     "编辑框_百个和值",
     "组合框_百个两码1",
     "标签_百个组合",
     "编辑框_百个两码",
     "组合框_百个两码",
     "组合框_百个两码2",
     "标签_百个跨度",
     "编辑框_百个跨度",
     "标签_百个合尾",
     "编辑框_百个合尾",
     "标签_百个胆码",
     {"选择框_百个0", "选择框_百个1", "选择框_百个2", "选择框_百个3", "选择框_百个4", "选择框_百个5", "选择框_百个6",
      "选择框_百个7", "选择框_百个8", "选择框_百个9"},
     "组合框_百个胆",
     "按钮_百个胆清"},
    {"标签_十个和值",
     "编辑框_十个和值",
     "组合框_十个两码1",
     "标签_十个组合",
     "编辑框_十个两码",
     "组合框_十个两码",
     "组合框_十个两码2",
     "标签_十个跨度",
     "编辑框_十个跨度",
     "标签_十个合尾",
     "编辑框_十个合尾",
     "标签_十个胆码",
     {"选择框_十个0", "选择框_十个1", "选择框_十个2", "选择框_十个3", "选择框_十个4", "选择框_十个5", "选择框_十个6",
      "选择框_十个7", "选择框_十个8", "选择框_十个9"},
     "组合框_十个胆",
     "按钮_十个胆清"},
}};
inline constexpr Name kPairSumsClear = "按钮_两码和值";
inline constexpr Name kPairCodesBoxesClear = "按钮_两码组合清空";

// The six total boxes: tails of the pair spans, sum tails and products, then their sums.
inline constexpr Name kPairSpanTotal = "编辑框_两码总跨度";
inline constexpr Name kPairSumTailTotal = "编辑框_两码总合尾";
inline constexpr Name kPairProductTotal = "编辑框_两码总积数";
inline constexpr Name kPairSpanTotalSum = "编辑框_两码总跨度和值";
inline constexpr Name kPairSumTailTotalSum = "编辑框_两码总合尾和值";
inline constexpr Name kPairProductTotalSum = "编辑框_两码总积数和值";
inline constexpr Name kPairTotalsClear = "按钮_合击清除";
inline constexpr Name kPairKillClear = "按钮_两码清除";

// ---- Combination page ---------------------------------------------------------------------
// The two-pair sum panels: ten digit boxes and three 必出 boxes (count 0..2).
struct PairSumPanel {
    Name label;
    DigitBoxes digits;
    std::array<Name, 3> mustShow;
    Name clear;
};
inline constexpr std::array<PairSumPanel, 3> kPairSumPanels = {{
    {"标签_百十与百个合",
     {"选择框_百十与百个合0", "选择框_百十与百个合1", "选择框_百十与百个合2", "选择框_百十与百个合3",
      "选择框_百十与百个合4", "选择框_百十与百个合5", "选择框_百十与百个合6", "选择框_百十与百个合7",
      "选择框_百十与百个合8", "选择框_百十与百个合9"},
     {"选择框_百十与百个合出0个", "选择框_百十与百个合出1个", "选择框_百十与百个合出2个"},
     "按钮_百十百个清"},
    {"标签_百十与十个合",
     {"选择框_百十与十个合0", "选择框_百十与十个合1", "选择框_百十与十个合2", "选择框_百十与十个合3",
      "选择框_百十与十个合4", "选择框_百十与十个合5", "选择框_百十与十个合6", "选择框_百十与十个合7",
      "选择框_百十与十个合8", "选择框_百十与十个合9"},
     {"选择框_百十与十个合出0个", "选择框_百十与十个合出1个", "选择框_百十与十个合出2个"},
     "按钮_百十十个清"},
    {"标签_百个与十个合",
     {"选择框_百个与十个合0", "选择框_百个与十个合1", "选择框_百个与十个合2", "选择框_百个与十个合3",
      "选择框_百个与十个合4", "选择框_百个与十个合5", "选择框_百个与十个合6", "选择框_百个与十个合7",
      "选择框_百个与十个合8", "选择框_百个与十个合9"},
     {"选择框_百个与十个合出0个", "选择框_百个与十个合出1个", "选择框_百个与十个合出2个"},
     "按钮_百个十个清"},
}};

inline constexpr Name kJunkBase = "编辑框_垃圾大底";
inline constexpr Name kJunkBaseCount = "标签2";
inline constexpr Name kJunkBaseClear = "按钮_清垃圾大底";

// ---- Tolerance pages ----------------------------------------------------------------------
// An exclusion list: its box, its tolerance combo, the combo's label and its clear button.
struct ExclusionListBoxes {
    Name box, toleranceCombo, label, clear;
};
inline constexpr ExclusionListBoxes kKillHundreds = {"杀百位", "组合框_杀百容错", "标签_杀百位容错", "杀百位清"};
inline constexpr ExclusionListBoxes kKillTens = {"杀十位", "组合框_杀十容错", "标签_杀十位容错", "杀十位清"};
inline constexpr ExclusionListBoxes kKillUnits = {"杀个位", "组合框_杀个容错", "标签_杀个位容错", "杀个位清"};
inline constexpr ExclusionListBoxes kKillShapes = {"杀大小单双", "组合框_杀大小单双容错", "标签_杀大小单双容错",
                                                   "杀大小单双清"};
inline constexpr ExclusionListBoxes kKillPositional = {"杀定位", "组合框_杀定位容错", "标签_杀定位容错", "杀定位清"};
inline constexpr ExclusionListBoxes kKillCompound = {"杀复式", "组合框_杀复式容错", "标签_杀复式容错", "杀复式清"};
inline constexpr ExclusionListBoxes kKillSumTail = {"杀合尾", "组合框_杀合尾容错", "标签_杀合尾容错", "杀合尾清"};
inline constexpr ExclusionListBoxes kKillSpan = {"杀跨度", "组合框_杀跨度容错", "标签_杀跨度容错", "杀跨度清"};
inline constexpr ExclusionListBoxes kBankerDigitGroups = {"定胆码组", "组合框_胆码组容错", "标签_定胆码组容错",
                                                          "定胆码组清"};
inline constexpr ExclusionListBoxes kKillSum = {"杀和值", "组合框_杀和值容错", "标签_杀和值容错", "杀和值清"};
inline constexpr ExclusionListBoxes kKillPairCombinations = {"杀二码组合", "组合框_杀两码容错", "标签_杀二码组合容错",
                                                             "杀二码组合清"};

inline constexpr Name kSegments = "段组";
inline constexpr Name kSegmentRule = "组合框_段组";
inline constexpr Name kSegmentTolerance = "组合框_段组容错";
inline constexpr Name kSegmentsClear = "段组清";

}  // namespace sanxing::ctl
