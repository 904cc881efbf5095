#include "window/control_table.h"

#include <array>
#include <cstddef>
#include <string>

#include "runtime/hint_texts.h"
#include "window/control_names.h"
#include "window/hint_boxes.h"

namespace sanxing {

namespace {

std::vector<std::string> Range(int first, int last, int width) {
    std::vector<std::string> items;
    for (int i = first; i <= last; ++i) {
        std::string text = std::to_string(i);
        while (static_cast<int>(text.size()) < width) text.insert(text.begin(), '0');
        items.push_back(text);
    }
    return items;
}

const std::vector<std::string> kToleranceItems = {"0-0", "0-1", "0-2", "0-3", "0-4", "0-5",
                                                  "1-1", "1-2", "1-3", "1-4", "1-5"};
const std::vector<std::string> kListToleranceItems = {"0-0", "0-1", "0-2", "0-3", "0-4",
                                                      "0-5", "0-6", "0-7", "0-8", "0-9"};
const std::vector<std::string> kRoadSelectorItems = {"全部", "反选", "大数", "小数", "单数",
                                                     "双数", " 0路", " 1路", " 2路"};
const std::vector<std::string> kClassSelectorTail = {"大数", "小数", "单数", "双数", " 0路", " 1路", " 2路"};

std::vector<std::string> WithFirst(std::string first, const std::vector<std::string>& rest) {
    std::vector<std::string> items{std::move(first)};
    items.insert(items.end(), rest.begin(), rest.end());
    return items;
}

// Appends controls under one parent at a time.
class TableBuilder {
public:
    explicit TableBuilder(std::vector<ControlRow>& table) : table_(table) {}

    TableBuilder& under(std::string_view parent) {
        parent_ = parent;
        return *this;
    }

    ControlRow& add(std::string_view name, ControlKind kind, std::string text = {}) {
        ControlRow spec;
        spec.name = name;
        spec.kind = kind;
        spec.parent = parent_;
        spec.text = std::move(text);
        table_.push_back(std::move(spec));
        return table_.back();
    }

    ControlRow& container(std::string_view name, ControlKind kind, Rect rect, std::string caption = {}) {
        ControlRow& spec = add(name, kind, std::move(caption));
        spec.rect = rect;
        return spec;
    }
    void button(std::string_view name, std::string caption) { add(name, ControlKind::Button, std::move(caption)); }
    void label(std::string_view name, std::string caption) { add(name, ControlKind::Label, std::move(caption)); }
    void edit(std::string_view name, std::string text = {}) { add(name, ControlKind::EditBox, std::move(text)); }
    void list(std::string_view name, std::string hint) {
        add(name, ControlKind::EditBox, std::move(hint)).multiLine = true;
    }
    void check(std::string_view name, std::string caption, bool ticked) {
        add(name, ControlKind::CheckBox, std::move(caption)).ticked = ticked;
    }
    void combo(std::string_view name, std::vector<std::string> items, std::string text = {}) {
        add(name, ControlKind::ComboBox, std::move(text)).items = std::move(items);
    }
    // A combo box that starts with its first item selected, which is then its text.
    void comboFirstSelected(std::string_view name, std::vector<std::string> items) {
        ControlRow& spec = add(name, ControlKind::ComboBox, items.front());
        spec.items = std::move(items);
        spec.selected = 0;
    }

    // Ten digit boxes, captioned with the digit.
    void digitBoxes(const ctl::DigitBoxes& boxes, bool ticked) {
        for (std::size_t d = 0; d < boxes.size(); ++d) check(boxes[d], std::to_string(d), ticked);
    }

private:
    std::vector<ControlRow>& table_;
    std::string parent_;
};

void AddBaseSetColumn(TableBuilder& b) {
    b.under(kMainWindow).container("图片框1", ControlKind::PictureBox, {1, 1, 167, 405});
    b.under("图片框1");
    ControlRow& base = b.add(ctl::kBaseSet, ControlKind::EditBox);
    base.multiLine = true;
    base.rect = {0, 0, 166, 326};
    b.button(ctl::kOpenBase, "打开");
    b.button(ctl::kEmptyBase, "清空");
    b.button(ctl::kCopyVerification, "复制验证数据");
    b.container("图片框17", ControlKind::PictureBox, {});
    b.add("打开对话框", ControlKind::FileDialog);
    b.add("保存对话框", ControlKind::FileDialog);
    b.under("图片框17");
    b.check(ctl::kBaseComplement, "反集", false);
    b.label(ctl::kBaseCount, "大底内容");
}

void AddAdPanel(TableBuilder& b) {
    b.under(kMainWindow).container(ctl::kAdPanel, ControlKind::PictureBox, {168, 2, 352, 400});
    b.under(ctl::kAdPanel);
    b.add(ctl::kAdPage, ControlKind::WebView, "3ssgg/cq.htm");
    b.button(ctl::kCloseAd, "关闭广告");
    b.label("标签_广告联系", "广告位招租，联系方式见公告页");
}

void AddResultColumn(TableBuilder& b) {
    b.under(kMainWindow).container("图片框15", ControlKind::PictureBox, {519, 1, 167, 405});
    b.under("图片框15");
    ControlRow& result = b.add(ctl::kResult, ControlKind::EditBox);
    result.multiLine = true;
    result.rect = {0, 0, 166, 309};
    b.container("图片框18", ControlKind::PictureBox, {});
    b.container("图片框16", ControlKind::PictureBox, {});
    b.container("图片框24", ControlKind::PictureBox, {});
    b.button(ctl::kSaveResult, "保存");
    b.button(ctl::kClearAll, "全清");
    b.under("图片框18");
    b.check(ctl::kResultComplement, "反集", false);
    b.edit(ctl::kPrizeNumber);
    b.button(ctl::kCheckPrize, "兑奖");
    b.under("图片框16");
    b.add("透明标签34", ControlKind::Label, "容错:");
    b.combo(ctl::kTolerance, kToleranceItems, "0-0");
    b.button(ctl::kShrink, "缩水");
    b.button(ctl::kCopyResult, "复制");
    b.under("图片框24");
    b.label(ctl::kResultCount, "Tavrel");
}

void AddDrawArea(TableBuilder& b) {
    b.under(kMainWindow);
    // The first load, the updates and the verification have a kind and a window from the start.
    b.comboFirstSelected(ctl::kLottery, {"重庆时时彩", "江西时时彩", "新疆时时彩", "龙江时时彩", "福彩3D", "排列三"});
    b.comboFirstSelected(ctl::kVerifyWindow, {"前三验证", "中三验证", "后三验证"});
    ControlRow& draws = b.add(ctl::kDrawList, ControlKind::ReportList);
    draws.rect = {1, 432, 167, 235};
    draws.columns = {{"期号", 60}, {"号码", 45}, {"验证", 40}};
    b.add(ctl::kDrawTimer, ControlKind::Timer).interval = 10000;
    b.check(ctl::kAnnounceDraws, "开奖报号", true);
    b.label("标签_显示", "显示");
    b.combo(ctl::kShownDraws, Range(1, 15, 1));
    b.label("标签_正确", "正确");
    b.edit(ctl::kHitMark, "对");
    b.label("标签_错误", "错误");
    b.edit(ctl::kMissMark, "错");
    b.label("标签_签名", "签名");
    b.edit(ctl::kSignature, "Tavrel");
}

void AddSetArea(TableBuilder& b) {
    b.under(kMainWindow);
    ControlRow& a = b.add(ctl::kSetA, ControlKind::EditBox);
    a.multiLine = true;
    a.rect = {168, 408, 260, 216};
    ControlRow& bb = b.add(ctl::kSetB, ControlKind::EditBox);
    bb.multiLine = true;
    bb.rect = {426, 408, 260, 216};
    for (ctl::Name name : {ctl::kSubtractBFromA, ctl::kSubtractAFromB, ctl::kUniteAB, ctl::kIntersectAB, ctl::kClearAB,
                           ctl::kMoveResultToBase}) {
        b.button(name, std::string(name));
    }
    ControlRow& failures = b.add(ctl::kFailureList, ControlKind::ReportList);
    failures.columns = {{"", 50}};
    failures.visible = false;
}

void AddBasicPage(TableBuilder& b) {
    b.under("选择夹_基本");
    const char* positions[] = {"百位", "十位", "个位"};
    for (std::size_t i = 0; i < ctl::kPositionPanels.size(); ++i) {
        const ctl::PositionPanel& panel = ctl::kPositionPanels[i];
        b.label(panel.label, positions[i]);
        b.digitBoxes(panel.digits, true);
        b.combo(panel.selector, kRoadSelectorItems);
    }
    b.label("标签_条件", "条件");
    b.check(ctl::kTriple, "豹子", true);
    b.check(ctl::kGroupThree, "组 三", true);
    b.check(ctl::kGroupSix, "组 六", true);
    b.check(ctl::kForwardSequence, "正 顺", true);
    b.check(ctl::kReverseSequence, "反 顺", true);
    b.button(ctl::kShapesClear, "清除");
    for (const ctl::BankerGroup& group : ctl::kBankerGroups) {
        b.label(group.label, "胆码");
        b.digitBoxes(group.digits, false);
        for (std::size_t c = 0; c < group.counts.size(); ++c) {
            b.check(group.counts[c], "出" + std::to_string(c) + "个", false);
        }
        b.label(group.countNote, "组三算2胆");
        b.combo(group.selector, WithFirst("清空", kClassSelectorTail));
        b.button(group.clear, "清空");
        b.button(group.invert, "反选");
    }
    b.label("标签_012路", "012路");
    for (std::size_t road = 0; road < ctl::kRoadBoxes.size(); ++road) {
        b.check(ctl::kRoadBoxes[road],
                std::to_string(road / 9) + std::to_string(road / 3 % 3) + std::to_string(road % 3), true);
    }
    b.button(ctl::kRoadsClear, "清    除");
    b.label("标签_跨度", "跨度");
    b.digitBoxes(ctl::kSpanDigits, true);
    b.button(ctl::kSpanClear, "清");
    b.label("标签_合尾", "合尾");
    b.digitBoxes(ctl::kSumTailDigits, true);
    b.button(ctl::kSumTailClear, "清");
}

// Pattern boxes captioned with their name after "选择框_", from the last key to the first.
void PatternBoxes(TableBuilder& b, const std::array<ctl::Name, 8>& boxes) {
    for (auto box = boxes.rbegin(); box != boxes.rend(); ++box) {
        b.check(*box, std::string(box->substr(std::string_view("选择框_").size())), true);
    }
}

void AddOtherPage(TableBuilder& b) {
    b.under("选择夹_其他");
    b.label("标签_和值", "和值");
    const std::vector<std::string> sums = Range(0, 27, 2);
    for (std::size_t sum = 0; sum < ctl::kSumBoxes.size(); ++sum) b.check(ctl::kSumBoxes[sum], sums[sum], true);
    b.button(ctl::kSumsClear, "清除");
    b.label("标签_二码", "二   码");
    std::size_t code = 0;
    for (int a = 0; a <= 9; ++a) {
        for (int c = a; c <= 9; ++c) b.check(ctl::kPairCodeBoxes[code++], std::to_string(a) + std::to_string(c), true);
    }
    b.button(ctl::kPairCodesClear, "清    除");
    PatternBoxes(b, ctl::kBigSmallBoxes);
    b.button(ctl::kBigSmallClear, "清    除");
    PatternBoxes(b, ctl::kOddEvenBoxes);
    b.button(ctl::kOddEvenClear, "清    除");
    const std::vector<std::string> changeItems = WithFirst("清除", kClassSelectorTail);
    b.label("标签_杀合积", "杀合积");
    b.digitBoxes(ctl::kFixedSumProductDigits, true);
    b.combo(ctl::kFixedSumProductSelector, changeItems);
    b.button(ctl::kFixedSumProductClear, "清");
    b.label("标签_杀合变", "杀合变");
    b.digitBoxes(ctl::kFixedSumChangeDigits, true);
    b.combo(ctl::kFixedSumChangeSelector, changeItems);
    b.button(ctl::kFixedSumChangeClear, "清");
    b.label("标签_垃圾复试", "垃圾复试");
    const char* junkLabels[][2] = {
        {"标签_垃圾复试_百位", "百"}, {"标签_垃圾复试_十位", "十 位"}, {"标签_垃圾复试_个位", "个 位"}};
    for (std::size_t i = 0; i < ctl::kJunkCompoundBoxes.size(); ++i) {
        b.label(junkLabels[i][0], junkLabels[i][1]);
        b.edit(ctl::kJunkCompoundBoxes[i]);
    }
    b.button(ctl::kJunkCompoundClear, "清   除");
}

void AddPairPage(TableBuilder& b) {
    b.under("选择夹_两码");
    const char* pairs[] = {"百十", "百个", "十个"};
    const char* pickerTexts[] = {"百 十", "百 个", "十 个"};
    for (int i = 0; i < 3; ++i) {
        const std::string p = pairs[i];
        b.label(ctl::kPairPanels[i].sumLabel, p + "和值");
        b.edit(ctl::kPairPanels[i].sumBox);
        b.combo(ctl::kPairPanels[i].sumPicker, Range(0, 18, 2), pickerTexts[i]);
    }
    b.button(ctl::kPairSumsClear, "清除");
    for (int i = 0; i < 3; ++i) {
        const std::string p = pairs[i];
        b.label(ctl::kPairPanels[i].codeLabel, p + "组合");
        b.edit(ctl::kPairPanels[i].codeBox);
        b.combo(ctl::kPairPanels[i].codePicker, Range(0, 99, 2), pickerTexts[i]);
    }
    b.button(ctl::kPairCodesBoxesClear, "清  除");

    struct Total {
        ctl::Name box;
        const char *label, *caption, *rule;
    };
    const Total totals[] = {
        {ctl::kPairSpanTotal, "标签_两码总跨度", "两码跨度总合尾", "百减十 百减个 十减个 和值相加取尾数"},
        {ctl::kPairSumTailTotal, "标签_两码总合尾", "两码合尾总合尾", "百加十 百加个 十加个 和值相加取尾数"},
        {ctl::kPairProductTotal, "标签_两码总积数", "两码积数总合尾", "百乘十 百乘个 十乘个 和值相加取尾数"},
        {ctl::kPairSpanTotalSum, "标签_两码总跨度和值", "两码跨度总和值", "百减十 百减个 十减个"},
        {ctl::kPairSumTailTotalSum, "标签_两码总合尾和值", "两码合尾总和值", "百加十 百加个 十加个"},
        {ctl::kPairProductTotalSum, "标签_两码总积数和值", "两码积数总和值", "百乘十 百乘个 十乘个 和值相加取和值"},
    };
    for (const Total& total : totals) {
        b.label(total.label, total.caption);
        b.label(std::string(total.label) + "说明", total.rule);
        b.edit(total.box);
    }
    for (const ctl::PairPanel& panel : ctl::kPairPanels) b.combo(panel.totalPicker, Range(0, 18, 2), "和值");
    b.button(ctl::kPairTotalsClear, "清除");

    b.label("标签_杀两码", "杀两码");
    for (int i = 0; i < 3; ++i) {
        b.label(ctl::kPairPanels[i].spanLabel, std::string(pairs[i]) + "跨度");
        b.edit(ctl::kPairPanels[i].spanBox);
    }
    for (int i = 0; i < 3; ++i) {
        b.label(ctl::kPairPanels[i].tailLabel, std::string(pairs[i]) + "合尾");
        b.edit(ctl::kPairPanels[i].tailBox);
    }
    b.button(ctl::kPairKillClear, "清除");

    for (int i = 0; i < 3; ++i) {
        const std::string pair = pairs[i];
        const ctl::PairPanel& panel = ctl::kPairPanels[i];
        b.label(panel.bankerLabel, pair + "胆码");
        b.digitBoxes(panel.bankers, false);
        b.combo(panel.bankerRule, {"0-0", "0-1", "0-2", "1-1", "1-2"});
        b.button(panel.bankerClear, "清除");
    }
}

void AddCombinationPage(TableBuilder& b) {
    b.under("选择夹_组合");
    const char* captions[] = {"百十百个合数", "百十十个合数", "百十百个合数"};
    for (std::size_t i = 0; i < ctl::kPairSumPanels.size(); ++i) {
        const ctl::PairSumPanel& panel = ctl::kPairSumPanels[i];
        b.label(panel.label, captions[i]);
        b.digitBoxes(panel.digits, false);
        for (std::size_t c = 0; c < panel.mustShow.size(); ++c) {
            b.check(panel.mustShow[c], "必出" + std::to_string(c) + "个", false);
        }
        b.button(panel.clear, "清空");
    }
    b.list(ctl::kJunkBase, "");
    b.label("标签1", "垃圾大底");
    b.label(ctl::kJunkBaseCount, "");
    b.button(ctl::kJunkBaseClear, "清空");
}

// One exclusion list: its box with the hint, tolerance combo, "容错" label, clear button.
void AddExclusionList(TableBuilder& b, const ctl::ExclusionListBoxes& list) {
    b.list(list.box, std::string(HintFor(list.box)));
    b.combo(list.toleranceCombo, kListToleranceItems, "0-0");
    b.label(list.label, "容错");
    b.button(list.clear, "清空");
}

void AddTolerancePages(TableBuilder& b) {
    const std::string hint = "友情提示：请保存每行一排条件！";
    b.under("选择夹_容错1");
    b.label("标签_容错1提示", hint);
    b.container("分组框1", ControlKind::GroupBox, {}, "    杀百位              杀十位              杀个位");
    b.container("分组框2", ControlKind::GroupBox, {}, "   杀大小单双          通杀定位           杀复式容错");
    b.under("分组框1");
    AddExclusionList(b, ctl::kKillHundreds);
    AddExclusionList(b, ctl::kKillTens);
    AddExclusionList(b, ctl::kKillUnits);
    b.under("分组框2");
    AddExclusionList(b, ctl::kKillShapes);
    AddExclusionList(b, ctl::kKillPositional);
    AddExclusionList(b, ctl::kKillCompound);

    b.under("选择夹_容错2");
    b.label("标签_容错2提示", hint);
    b.container("分组框3", ControlKind::GroupBox, {}, "   杀三星合尾                          杀三星跨度");
    b.container("分组框4", ControlKind::GroupBox, {}, "     胆码组                          段组(1组不出)");
    b.under("分组框3");
    AddExclusionList(b, ctl::kKillSumTail);
    AddExclusionList(b, ctl::kKillSpan);
    b.under("分组框4");
    AddExclusionList(b, ctl::kBankerDigitGroups);
    b.list(ctl::kSegments, std::string(kSegmentHint));
    b.label("标签_段组", "段组");
    b.combo(ctl::kSegmentRule, {"0-0", "0-1", "0-2", "1-1", "1-2", "1-3", "2-2", "2-3"}, "1-1");
    b.combo(ctl::kSegmentTolerance, kListToleranceItems, "0-0");
    b.label("标签_段组容错", "容错");
    b.button(ctl::kSegmentsClear, "清空");

    b.under("选择夹_容错3");
    b.label("标签_杀三星和值", "         杀三星和值");
    b.label("标签_杀二码组合", "         杀二码组合");
    AddExclusionList(b, ctl::kKillSum);
    AddExclusionList(b, ctl::kKillPairCombinations);
}

std::vector<ControlRow> BuildTable() {
    std::vector<ControlRow> table;
    TableBuilder b(table);
    ControlRow& window = b.add(std::string(kMainWindow), ControlKind::Window, std::string(kWindowTitle));
    window.rect = {50, 50, 694, 700};
    AddBaseSetColumn(b);
    b.under(kMainWindow).container(ctl::kConditionPages, ControlKind::TabControl, {167, -1, 355, 407});
    b.under(ctl::kConditionPages);
    for (const char* page : {"基本", "其他", "两码", "组合", "容错1", "容错2", "容错3"}) {
        b.add(std::string("选择夹_") + page, ControlKind::TabPage, page);
    }
    AddBasicPage(b);
    AddOtherPage(b);
    AddPairPage(b);
    AddCombinationPage(b);
    AddTolerancePages(b);
    AddAdPanel(b);
    AddResultColumn(b);
    AddDrawArea(b);
    AddSetArea(b);
    return table;
}

}  // namespace

const std::vector<ControlRow>& ControlTable() {
    static const std::vector<ControlRow> table = BuildTable();
    return table;
}

}  // namespace sanxing
