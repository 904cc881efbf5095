#include "app/control_table.h"

#include <string>

#include "runtime/hint_texts.h"

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
    explicit TableBuilder(std::vector<ControlSpec>& table) : table_(table) {}

    TableBuilder& under(std::string_view parent) {
        parent_ = parent;
        return *this;
    }

    ControlSpec& add(std::string name, ControlKind kind, std::string text = {}) {
        ControlSpec spec;
        spec.name = std::move(name);
        spec.kind = kind;
        spec.parent = parent_;
        spec.text = std::move(text);
        table_.push_back(std::move(spec));
        return table_.back();
    }

    ControlSpec& container(std::string name, ControlKind kind, Rect rect, std::string caption = {}) {
        ControlSpec& spec = add(std::move(name), kind, std::move(caption));
        spec.rect = rect;
        return spec;
    }
    void button(std::string name, std::string caption) {
        add(std::move(name), ControlKind::Button, std::move(caption));
    }
    void label(std::string name, std::string caption) { add(std::move(name), ControlKind::Label, std::move(caption)); }
    void edit(std::string name, std::string text = {}) { add(std::move(name), ControlKind::EditBox, std::move(text)); }
    void list(std::string name, std::string hint) {
        add(std::move(name), ControlKind::EditBox, std::move(hint)).multiLine = true;
    }
    void check(std::string name, std::string caption, bool ticked) {
        add(std::move(name), ControlKind::CheckBox, std::move(caption)).ticked = ticked;
    }
    void combo(std::string name, std::vector<std::string> items, std::string text = {}) {
        add(std::move(name), ControlKind::ComboBox, std::move(text)).items = std::move(items);
    }
    // A combo box that starts with its first item selected, which is then its text.
    void comboFirstSelected(std::string name, std::vector<std::string> items) {
        ControlSpec& spec = add(std::move(name), ControlKind::ComboBox, items.front());
        spec.items = std::move(items);
        spec.selected = 0;
    }

    // Ten boxes named prefix + digit, captioned with the digit.
    void digitBoxes(const std::string& prefix, bool ticked) {
        for (int d = 0; d <= 9; ++d) check(prefix + std::to_string(d), std::to_string(d), ticked);
    }

private:
    std::vector<ControlSpec>& table_;
    std::string parent_;
};

void AddBaseSetColumn(TableBuilder& b) {
    b.under(kMainWindow).container("图片框1", ControlKind::PictureBox, {1, 1, 167, 405});
    b.under("图片框1");
    ControlSpec& base = b.add("编辑框_大底", ControlKind::EditBox);
    base.multiLine = true;
    base.rect = {0, 0, 166, 326};
    b.button("打开大底", "打开");
    b.button("清空大底", "清空");
    b.button("按钮_复制验证数据", "复制验证数据");
    b.container("图片框17", ControlKind::PictureBox, {});
    b.add("打开对话框", ControlKind::FileDialog);
    b.add("保存对话框", ControlKind::FileDialog);
    b.under("图片框17");
    b.check("大底_反集", "反集", false);
    b.label("大底注数", "大底内容");
}

void AddAdPanel(TableBuilder& b) {
    b.under(kMainWindow).container("图片框28", ControlKind::PictureBox, {168, 2, 352, 400});
    b.under("图片框28");
    b.add("超文本浏览框", ControlKind::WebView, "3ssgg/cq.htm");
    b.button("按钮1", "关闭广告");
    b.label("标签_广告联系", "广告位招租，联系方式见公告页");
}

void AddResultColumn(TableBuilder& b) {
    b.under(kMainWindow).container("图片框15", ControlKind::PictureBox, {519, 1, 167, 405});
    b.under("图片框15");
    ControlSpec& result = b.add("编辑框_结果", ControlKind::EditBox);
    result.multiLine = true;
    result.rect = {0, 0, 166, 309};
    b.container("图片框18", ControlKind::PictureBox, {});
    b.container("图片框16", ControlKind::PictureBox, {});
    b.container("图片框24", ControlKind::PictureBox, {});
    b.button("按钮_保存", "保存");
    b.button("按钮_全清", "全清");
    b.under("图片框18");
    b.check("选择框_反集", "反集", false);
    b.edit("编辑框_兑奖号码");
    b.button("按钮_兑奖", "兑奖");
    b.under("图片框16");
    b.add("透明标签34", ControlKind::Label, "容错:");
    b.combo("组合框_容错", kToleranceItems, "0-0");
    b.button("按钮_缩水", "缩水");
    b.button("按钮_复制", "复制");
    b.under("图片框24");
    b.label("标签_缩水结果", "Tavrel");
}

void AddDrawArea(TableBuilder& b) {
    b.under(kMainWindow);
    // The first load, the updates and the verification have a kind and a window from the start.
    b.comboFirstSelected("组合框_彩种", {"重庆时时彩", "江西时时彩", "新疆时时彩", "龙江时时彩", "福彩3D", "排列三"});
    b.comboFirstSelected("组合框_验证", {"前三验证", "中三验证", "后三验证"});
    ControlSpec& draws = b.add("列表框_开奖", ControlKind::ReportList);
    draws.rect = {1, 432, 167, 235};
    draws.columns = {{"期号", 60}, {"号码", 45}, {"验证", 40}};
    b.add("时钟_开奖更新", ControlKind::Timer).interval = 10000;
    b.check("选择框_开奖报号", "开奖报号", true);
    b.label("标签_显示", "显示");
    b.combo("组合框_显示", Range(1, 15, 1));
    b.label("标签_正确", "正确");
    b.edit("编辑框_对", "对");
    b.label("标签_错误", "错误");
    b.edit("编辑框_错", "错");
    b.label("标签_签名", "签名");
    b.edit("编辑框_签名", "Tavrel");
}

void AddSetArea(TableBuilder& b) {
    b.under(kMainWindow);
    ControlSpec& a = b.add("编辑框_A", ControlKind::EditBox);
    a.multiLine = true;
    a.rect = {168, 408, 260, 216};
    ControlSpec& bb = b.add("编辑框_B", ControlKind::EditBox);
    bb.multiLine = true;
    bb.rect = {426, 408, 260, 216};
    for (const char* name : {"A排除B", "B排除A", "AB合并", "AB交集", "AB全清", "到大底框"}) b.button(name, name);
    ControlSpec& failures = b.add("列表框_容错", ControlKind::ReportList);
    failures.columns = {{"", 50}};
    failures.visible = false;
}

void AddBasicPage(TableBuilder& b) {
    b.under("选择夹_基本");
    const char* positions[] = {"百位", "十位", "个位"};
    for (const char* p : positions) {
        b.label(std::string("标签_") + p, p);
        b.digitBoxes(std::string("选择框_") + p, true);
        b.combo(std::string("组合框_") + p, kRoadSelectorItems);
    }
    b.label("标签_条件", "条件");
    b.check("选择框_豹子", "豹子", true);
    b.check("选择框_组三", "组 三", true);
    b.check("选择框_组六", "组 六", true);
    b.check("选择框_正顺", "正 顺", true);
    b.check("选择框_反顺", "反 顺", true);
    b.button("按钮_混合清", "清除");
    for (int g = 1; g <= 3; ++g) {
        const std::string n = std::to_string(g);
        b.label("标签_胆码" + n, "胆码");
        b.digitBoxes("选择框_胆" + n + "码", false);
        for (int c = 0; c <= 3; ++c) {
            b.check("选择框_胆" + n + "出" + std::to_string(c), "出" + std::to_string(c) + "个", false);
        }
        b.label("标签_组三算2胆" + n, "组三算2胆");
        b.combo("组合框_胆码" + n, WithFirst("清空", kClassSelectorTail));
        b.button("按钮_胆码清空" + n, "清空");
        b.button("按钮_胆" + n + "反选", "反选");
    }
    b.label("标签_012路", "012路");
    for (int x = 0; x <= 2; ++x) {
        for (int y = 0; y <= 2; ++y) {
            for (int z = 0; z <= 2; ++z) {
                const std::string road = std::to_string(x) + std::to_string(y) + std::to_string(z);
                b.check("选择框_三星路" + road, road, true);
            }
        }
    }
    b.button("按钮_012路清", "清    除");
    b.label("标签_跨度", "跨度");
    b.digitBoxes("选择框_跨度", true);
    b.button("按钮_三星跨度清", "清");
    b.label("标签_合尾", "合尾");
    b.digitBoxes("选择框_合尾", true);
    b.button("按钮_三星合尾清", "清");
}

void AddOtherPage(TableBuilder& b) {
    b.under("选择夹_其他");
    b.label("标签_和值", "和值");
    for (const std::string& sum : Range(0, 27, 2)) b.check("选择框_合值" + sum, sum, true);
    b.button("按钮_合值清除", "清除");
    b.label("标签_二码", "二   码");
    for (int a = 0; a <= 9; ++a) {
        for (int c = a; c <= 9; ++c) {
            const std::string pair = std::to_string(a) + std::to_string(c);
            b.check("选择框_两码" + pair, pair, true);
        }
    }
    b.button("按钮_两码清", "清    除");
    for (const char* shape : {"大大大", "大大小", "大小大", "大小小", "小大大", "小大小", "小小大", "小小小"}) {
        b.check(std::string("选择框_") + shape, shape, true);
    }
    b.button("按钮_大小清除", "清    除");
    for (const char* shape : {"单单单", "单单双", "单双单", "单双双", "双单单", "双单双", "双双单", "双双双"}) {
        b.check(std::string("选择框_") + shape, shape, true);
    }
    b.button("按钮_单双清除", "清    除");
    const std::vector<std::string> changeItems = WithFirst("清除", kClassSelectorTail);
    b.label("标签_杀合积", "杀合积");
    b.digitBoxes("选择框_定合积", true);
    b.combo("组合框_定合变2", changeItems);
    b.button("按钮_合积清", "清");
    b.label("标签_杀合变", "杀合变");
    b.digitBoxes("选择框_定合变", true);
    b.combo("组合框_定合变", changeItems);
    b.button("按钮_合变清", "清");
    b.label("标签_垃圾复试", "垃圾复试");
    b.label("标签_垃圾复试_百位", "百");
    b.edit("垃圾复试_百位");
    b.label("标签_垃圾复试_十位", "十 位");
    b.edit("垃圾复试_十位");
    b.label("标签_垃圾复试_个位", "个 位");
    b.edit("垃圾复试_个位");
    b.button("三复式清", "清   除");
}

void AddPairPage(TableBuilder& b) {
    b.under("选择夹_两码");
    const char* pairs[] = {"百十", "百个", "十个"};
    const char* pickerTexts[] = {"百 十", "百 个", "十 个"};
    for (int i = 0; i < 3; ++i) {
        const std::string p = pairs[i];
        b.label("标签_" + p + "和值", p + "和值");
        b.edit("编辑框_" + p + "和值");
        b.combo("组合框_" + p + "两码1", Range(0, 18, 2), pickerTexts[i]);
    }
    b.button("按钮_两码和值", "清除");
    for (int i = 0; i < 3; ++i) {
        const std::string p = pairs[i];
        b.label("标签_" + p + "组合", p + "组合");
        b.edit("编辑框_" + p + "两码");
        b.combo("组合框_" + p + "两码", Range(0, 99, 2), pickerTexts[i]);
    }
    b.button("按钮_两码组合清空", "清  除");

    const char* totals[][3] = {
        {"两码总跨度", "两码跨度总合尾", "百减十 百减个 十减个 和值相加取尾数"},
        {"两码总合尾", "两码合尾总合尾", "百加十 百加个 十加个 和值相加取尾数"},
        {"两码总积数", "两码积数总合尾", "百乘十 百乘个 十乘个 和值相加取尾数"},
        {"两码总跨度和值", "两码跨度总和值", "百减十 百减个 十减个"},
        {"两码总合尾和值", "两码合尾总和值", "百加十 百加个 十加个"},
        {"两码总积数和值", "两码积数总和值", "百乘十 百乘个 十乘个 和值相加取和值"},
    };
    for (const auto& total : totals) {
        const std::string box = total[0];
        b.label("标签_" + box, total[1]);
        b.label("标签_" + box + "说明", total[2]);
        b.edit("编辑框_" + box);
    }
    for (const char* p : pairs) b.combo(std::string("组合框_") + p + "两码2", Range(0, 18, 2), "和值");
    b.button("按钮_合击清除", "清除");

    b.label("标签_杀两码", "杀两码");
    for (const char* kind : {"跨度", "合尾"}) {
        for (const char* p : pairs) {
            const std::string name = std::string(p) + kind;
            b.label("标签_" + name, name);
            b.edit("编辑框_" + name);
        }
    }
    b.button("按钮_两码清除", "清除");

    for (const char* p : pairs) {
        const std::string pair = p;
        b.label("标签_" + pair + "胆码", pair + "胆码");
        b.digitBoxes("选择框_" + pair, false);
        b.combo("组合框_" + pair + "胆", {"0-0", "0-1", "0-2", "1-1", "1-2"});
        b.button("按钮_" + pair + "胆清", "清除");
    }
}

void AddCombinationPage(TableBuilder& b) {
    b.under("选择夹_组合");
    const char* panels[][3] = {
        {"百十与百个合", "百十百个合数", "按钮_百十百个清"},
        {"百十与十个合", "百十十个合数", "按钮_百十十个清"},
        {"百个与十个合", "百十百个合数", "按钮_百个十个清"},
    };
    for (const auto& panel : panels) {
        const std::string prefix = std::string("选择框_") + panel[0];
        b.label(std::string("标签_") + panel[0], panel[1]);
        b.digitBoxes(prefix, false);
        for (int c = 0; c <= 2; ++c) {
            b.check(prefix + "出" + std::to_string(c) + "个", "必出" + std::to_string(c) + "个", false);
        }
        b.button(panel[2], "清空");
    }
    b.list("编辑框_垃圾大底", "");
    b.label("标签1", "垃圾大底");
    b.label("标签2", "");
    b.button("按钮_清垃圾大底", "清空");
}

// One exclusion list: its box with the hint, tolerance combo, "容错" label, clear button.
void AddExclusionList(TableBuilder& b, const std::string& box, const std::string& combo) {
    b.list(box, std::string(HintFor(box)));
    b.combo(combo, kListToleranceItems, "0-0");
    b.label("标签_" + box + "容错", "容错");
    b.button(box + "清", "清空");
}

void AddTolerancePages(TableBuilder& b) {
    const std::string hint = "友情提示：请保存每行一排条件！";
    b.under("选择夹_容错1");
    b.label("标签_容错1提示", hint);
    b.container("分组框1", ControlKind::GroupBox, {}, "    杀百位              杀十位              杀个位");
    b.container("分组框2", ControlKind::GroupBox, {}, "   杀大小单双          通杀定位           杀复式容错");
    b.under("分组框1");
    AddExclusionList(b, "杀百位", "组合框_杀百容错");
    AddExclusionList(b, "杀十位", "组合框_杀十容错");
    AddExclusionList(b, "杀个位", "组合框_杀个容错");
    b.under("分组框2");
    AddExclusionList(b, "杀大小单双", "组合框_杀大小单双容错");
    AddExclusionList(b, "杀定位", "组合框_杀定位容错");
    AddExclusionList(b, "杀复式", "组合框_杀复式容错");

    b.under("选择夹_容错2");
    b.label("标签_容错2提示", hint);
    b.container("分组框3", ControlKind::GroupBox, {}, "   杀三星合尾                          杀三星跨度");
    b.container("分组框4", ControlKind::GroupBox, {}, "     胆码组                          段组(1组不出)");
    b.under("分组框3");
    AddExclusionList(b, "杀合尾", "组合框_杀合尾容错");
    AddExclusionList(b, "杀跨度", "组合框_杀跨度容错");
    b.under("分组框4");
    AddExclusionList(b, "定胆码组", "组合框_胆码组容错");
    b.list("段组", std::string(kSegmentHint));
    b.label("标签_段组", "段组");
    b.combo("组合框_段组", {"0-0", "0-1", "0-2", "1-1", "1-2", "1-3", "2-2", "2-3"}, "1-1");
    b.combo("组合框_段组容错", kListToleranceItems, "0-0");
    b.label("标签_段组容错", "容错");
    b.button("段组清", "清空");

    b.under("选择夹_容错3");
    b.label("标签_杀三星和值", "         杀三星和值");
    b.label("标签_杀二码组合", "         杀二码组合");
    AddExclusionList(b, "杀和值", "组合框_杀和值容错");
    AddExclusionList(b, "杀二码组合", "组合框_杀两码容错");
}

std::vector<ControlSpec> BuildTable() {
    std::vector<ControlSpec> table;
    TableBuilder b(table);
    ControlSpec& window = b.add(std::string(kMainWindow), ControlKind::Window, std::string(kWindowTitle));
    window.rect = {50, 50, 694, 700};
    AddBaseSetColumn(b);
    b.under(kMainWindow).container("高级选择夹1", ControlKind::TabControl, {167, -1, 355, 407});
    b.under("高级选择夹1");
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

const std::vector<ControlSpec>& ControlTable() {
    static const std::vector<ControlSpec> table = BuildTable();
    return table;
}

}  // namespace sanxing
