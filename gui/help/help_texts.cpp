#include "gui/help/help_texts.h"

#include <vector>

#include "draws/announcement_page.h"
#include "draws/draw_hosts.h"
#include "history/history_db.h"

namespace sanxing {

namespace {

constexpr std::string_view kStart = R"(<p>本工具把一批三位号码（大底）按您设的条件筛选成更小的结果，这一步叫“缩水”。</p>
<ol>
<li><b>大底</b>：在左边的“大底”框里输入号码（000-999，空格分隔），或点“打开”（Ctrl+O）载入文本文件；不填就从全部 1000 注开始。</li>
<li><b>条件</b>：关闭公告面板（“关闭广告”）后，中间是七个条件页，见“条件”一节。</li>
<li><b>缩水</b>：在右边选好“容错”，点“缩水”（Ctrl+Enter），结果和注数显示在右边。</li>
</ol>
<p>之后可以复制、保存结果，用开奖列表核对，或用菜单“历史”看这些条件在过去各期的表现。</p>)";

constexpr std::string_view kConditions =
    R"(<p>中间的七个条件页各有若干条件组。勾选框表示“允许”：一组里全部勾选时这一组不起作用；
胆码类的框开始时不勾选，勾选后才起作用。文字框留空（或只有灰色提示）时不起作用。</p>
<ul>
<li><b>基本</b>：百位、十位、个位允许的数字（右边的下拉框可一次选大数、小数、单数、双数或 0/1/2 路）；
豹子、组三、组六、正顺、反顺；三组胆码（勾选胆码和“出0个”到“出3个”，组三算 2 胆）；012 路；跨度；合尾。</li>
<li><b>其他</b>：和值 00-27；二码；大小形态和单双形态；杀合积、杀合变；垃圾复试。</li>
<li><b>两码</b>：两码和值、两码组合、两码总跨度/合尾/积数、两码跨度与合尾、两码胆码。</li>
<li><b>组合</b>：两码和数的胆码；垃圾大底（其中的号码一律不要）。</li>
<li><b>容错1、容错2、容错3</b>：杀号条件一行一个，每个框有自己的容错：号码不符合的行数在这个容错之内才保留。</li>
</ul>
<p><b>总容错</b>（右边“容错”）：一个号码不符合的条件组个数在这个范围之内才进入结果，例如 0-1 表示最多错一组。
除了列表中的几项，也可以直接输入 a-b（0 ≤ a ≤ b ≤ 64）；输错时文字变红，离开输入框后恢复为上一个正确的范围。</p>)";

constexpr std::string_view kTools = R"(<ul>
<li><b>打开、清空</b>：载入或清空大底；“反集”把大底换成 1000 注中其余的号码。</li>
<li><b>复制、保存</b>：把结果放到剪贴板，或保存为文本文件（末尾记有总注数）。右边的“反集”把结果换成其余号码。</li>
<li><b>兑奖</b>：在兑奖框中输入开奖号码，看它是否在结果中。</li>
<li><b>全清</b>：把所有条件恢复到开始时的样子，并清空大底和结果；会先问一句，默认按钮是“否”。</li>
<li><b>A、B 两个框</b>：A排除B、B排除A、AB合并、AB交集把结果放到结果框；AB全清清空两框；到大底框把结果移到大底。</li>
<li><b>撤销</b>：在大底框或结果框中按 Ctrl+Z，可撤销按钮对它的改动，“反集”的勾选和注数随之恢复。</li>
</ul>)";

constexpr std::string_view kDraws =
    R"(<p>左下的开奖列表显示所选彩种最近的开奖，最新的在最上面，每 10 秒检查一次新开奖。</p>
<ul>
<li><b>彩种</b>：选择彩种，列表随之重新载入。福彩3D 和排列三的开奖号码来自开奖历史，程序自带一批，不需要联网。</li>
<li><b>验证</b>：新开奖号码取前三、中三或后三位与结果比较，在“验证”列标出“对”或“错”（这两个字可在下面改）。福彩3D 和排列三只有三位，整注比较，此框不可选。</li>
<li><b>开奖报号</b>：勾选时读出新开奖号码。<b>显示</b>：列表显示的期数。</li>
<li><b>复制验证数据</b>：把已验证的各期整理成报告放到剪贴板，末尾是签名。</li>
</ul>
<p>列表下面的一行说明列表现在显示的不是实时开奖的原因（正在载入、未配置数据源、取自开奖历史等）；文字过长时鼠标停在上面可看全文。</p>)";

constexpr std::string_view kHistory =
    R"(<p>菜单“历史”→“开奖历史”列出一个彩种存下的全部开奖，最新的在最上面，并给出期数、第一期、最后一期和中间缺少的期号。
选中若干期后可删除；删除前会先问，默认按钮是“否”，删除后不能恢复。</p>
<p>开奖列表取到的每一期都会自动存入开奖历史。历史数据库的位置见“开奖数据源”一节。</p>)";

constexpr std::string_view kImport =
    R"(<p>菜单“历史”→“导入开奖号码…”把一个文本文件中的开奖号码存入当前彩种的开奖历史。文件一行一期：先期号，后号码，
常见的写法都可以，例如“2024144 816”“2024144,8,1,6”“第2024144期 8 1 6”。</p>
<ul>
<li>号码位数与彩种不符的行（例如时时彩选了 3 位的文件）被拒绝，不会猜测；先在“彩种”中选对彩种再导入。</li>
<li>已存的期号再次出现且号码相同时跳过；号码不同时保留已存的号码，报告中列为“冲突”。</li>
<li>导入完成后显示报告：新存入、已有、冲突和被拒绝的行数。</li>
</ul>
<p>“导出开奖号码…”把当前彩种的开奖历史写成同样格式的文件。</p>)";

constexpr std::string_view kBacktest =
    R"(<p>菜单“历史”→“历史验证…”把当前的条件和大底用在过去的各期开奖上，看结果会中多少期。
上方选择彩种、范围（最新 N 期或期号范围）和位置（前三、中三、后三）。</p>
<ul>
<li><b>命中</b>：开奖号码在大底中，且不符合的条件组个数在总容错之内。</li>
<li><b>机会</b>：结果注数 ÷ 1000，也就是随便选这么多注时每期中的可能性。命中率明显高于机会，条件才有用。</li>
<li><b>各条件组</b>：每组在这些期里“杀错”（把开奖号码杀掉）了几次，和纯靠运气时应杀掉的次数相比；比运气杀得多的组会标出。</li>
<li><b>p 值</b>：假如条件毫无作用、只靠运气，得到这么好（或更好）成绩的可能性。p 值越小，越不像运气；
一般小于 0.05 才值得注意。期数少时 p 值很难小，结论也不可靠。</li>
</ul>
<p>条件或范围改变时验证会重新计算。表格可复制或导出为 CSV 文件。</p>)";

constexpr std::string_view kTrend =
    R"(<p>菜单“历史”→“走势图”按期显示百位、十位、个位的数字，和值 0-27，跨度 0-9，以及豹子、组三、组六形态。在所选的 N 期中：</p>
<ul>
<li><b>出现次数</b>：出现它的期数。</li>
<li><b>当前遗漏</b>：最近一次出现之后又开了几期（最新一期就有它时为 0，从未出现为 N）。</li>
<li><b>最大遗漏</b>：连续不出现的最长期数，第一次出现之前和最后一次出现之后的连续期数也算在内。</li>
<li><b>平均遗漏</b>：(N − 出现次数) ÷ (出现次数 + 1)，即这些不出现的连续段的平均长度。</li>
</ul>
<p>图中一格为 0 表示那一期出现了它，否则是到那一期为止已连续几期没有出现（范围开始后还未出现时，从范围的第一期数起）。</p>)";

constexpr std::string_view kExplain =
    R"(<p>“查号”说明一个三位数为什么在或不在结果中：它是否在大底里，不符合哪些条件组，共错几组，和总容错比较的结果。</p>
<p>在结果框中选中一个三位数后右键，或在开奖列表的一期上右键，选“查号”；历史验证窗口中也有查号框。</p>)";

constexpr std::string_view kSchemes = R"(<p>菜单“方案”把全部条件和总容错存为一个方案文件（JSON），以后可再打开：</p>
<ul>
<li><b>打开方案…</b>（Ctrl+Shift+O）、<b>保存方案…</b>（Ctrl+Shift+S）。</li>
<li><b>最近的方案</b>：最近打开或保存过的方案，可清空列表。</li>
</ul>
<p>方案中有错时整个方案不被采用，并说明错在哪里。</p>)";

constexpr std::string_view kKeys = R"(<table cellspacing="4">
<tr><td>Ctrl+O</td><td>打开大底（菜单“文件”）</td></tr>
<tr><td>Ctrl+S</td><td>保存结果（菜单“文件”）</td></tr>
<tr><td>Ctrl+Enter</td><td>缩水</td></tr>
<tr><td>Ctrl+Shift+O / Ctrl+Shift+S</td><td>打开方案 / 保存方案</td></tr>
<tr><td>Ctrl+Q</td><td>退出</td></tr>
<tr><td>F1</td><td>使用说明</td></tr>
<tr><td>Tab / Shift+Tab</td><td>按界面顺序移到下一个 / 上一个控件</td></tr>
<tr><td>方向键</td><td>在一组勾选框中左右、上下移动；空格勾选或取消</td></tr>
<tr><td>Enter</td><td>按下有焦点的按钮；在兑奖框中为兑奖</td></tr>
<tr><td>Ctrl+Z</td><td>在输入框中撤销</td></tr>
</table>)";

std::string Html(std::string_view text) { return std::string(text); }

std::string SourcesSection() {
    return SourcesNotes(DefaultDrawHostsPath()) + "<p>开奖历史数据库：<br>" + history::DefaultDatabasePath().string() +
           "</p>\n";
}

std::vector<HelpSection> BuildSections() {
    return {
        {"start", "入门", Html(kStart)},           {"conditions", "条件", Html(kConditions)},
        {"tools", "大底与结果", Html(kTools)},     {"draws", "开奖列表", Html(kDraws)},
        {"history", "开奖历史", Html(kHistory)},   {"import", "导入与导出", Html(kImport)},
        {"backtest", "历史验证", Html(kBacktest)}, {"trend", "走势图与遗漏", Html(kTrend)},
        {"explain", "查号", Html(kExplain)},       {"schemes", "方案", Html(kSchemes)},
        {"keys", "快捷键", Html(kKeys)},           {"sources", "开奖数据源", SourcesSection()},
    };
}

}  // namespace

std::span<const HelpSection> HelpSections() {
    static const std::vector<HelpSection> sections = BuildSections();
    return sections;
}

}  // namespace sanxing
