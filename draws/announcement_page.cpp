#include "draws/announcement_page.h"

#include "draws/safe_html.h"

namespace sanxing {

namespace {

// An announcement page is small; anything longer is not one.
constexpr std::size_t kMaxPageBytes = 1u << 20;
// The panel gives up on the page after this long.
constexpr std::chrono::seconds kPageBudget{10};

// Written for players: what the tool does and where to start, with the places named as
// the window shows them.
constexpr std::string_view kWelcome =
    R"(<p>本工具把一批三位号码（大底）按您设的条件筛选成更小的一注注结果，这一步叫“缩水”。</p>
<ol>
<li><b>大底</b>：在左边的“大底”框里输入号码（000-999，空格分隔），或点下面的“打开”（Ctrl+O）载入文本文件；不填就从全部 1000 注开始。</li>
<li><b>条件</b>：点本面板右下角的“关闭广告”，中间就露出“基本”“其他”“两码”“组合”“容错1-3”各条件页：勾选允许的数字、和值、跨度、形态，或在容错页里逐行写杀号条件。</li>
<li><b>缩水</b>：在右边选好“容错”，点“缩水”（Ctrl+Enter），结果和注数显示在右边；“复制”“保存”（Ctrl+S）把结果取走。</li>
</ol>
<p><b>开奖与历史</b>：左下的开奖列表定时更新，并按“前三/中三/后三验证”标出对错。菜单“历史”里有导入开奖号码、开奖历史、历史验证（您的条件在过去各期表现如何）、走势图；在结果框或开奖列表中右键可“查号”。福彩3D 和排列三的开奖号码随程序附带，选中即可使用。</p>
<p>各项功能的详细说明见菜单“帮助”→“使用说明”（F1）。</p>
)";

constexpr std::string_view kSourcesNotes =
    R"(<p>文件是一个 JSON 对象，键 "A" 到 "H" 是各开奖网站的基础地址，"announcement" 是公告页网站的地址；每个键都可以省略，未填地址的网站不会被访问。例如：</p>
<p>{ "A": "http://results-feed.example.com", "B": "http://trend-chart.example.com/", "announcement": "http://announcements.example.com/" }</p>
<p>键 "history" 是开奖数据文件的地址（http 或 https），用来更新开奖历史：彩种名 → 地址列表，文件可以是“期号,号码,开奖日期”这样的 CSV，或导入能读的其他格式。例如：</p>
<p>{ "history": { "福彩3D": ["https://example.org/draws/fc3d.csv"], "排列三": ["https://example.org/draws/pl3.txt"] } }</p>
<p>修改后重新启动程序生效。</p>
)";

std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

}  // namespace

std::string AnnouncementAddress(const DrawHosts& hosts) {
    std::string base = hosts.announcement;
    if (base.empty()) return {};
    while (base.ends_with('/')) base.pop_back();
    return base + "/" + std::string(kAnnouncementPath);
}

std::string BuiltInAnnouncementPage(std::string_view headline) {
    std::string page = "<html><body>\n<h3>欢迎使用三星缩水工具</h3>\n";
    if (!headline.empty()) page += "<p>" + Escaped(headline) + "</p>\n";
    page += kWelcome;
    return page + "</body></html>\n";
}

std::string SourcesNotes(const std::string& sourcesPath) {
    return "<p>开奖数据源和公告页的地址写在配置文件 sources.json 中：<br>" +
           Escaped(sourcesPath.empty() ? std::string("（用户配置目录下的 sanxing/sources.json）") : sourcesPath) +
           "</p>\n" + std::string(kSourcesNotes);
}

bool IsSuccessStatus(std::string_view headers) {
    // "HTTP/1.1 200 OK": the digit after the first space.
    const std::size_t space = headers.find(' ');
    return headers.starts_with("HTTP/") && space != std::string_view::npos && space + 1 < headers.size() &&
           headers[space + 1] == '2';
}

AnnouncementPage::AnnouncementPage(Platform& platform)
    : worker_([&platform](SerialWorker::Task task) { platform.postToUiThread(std::move(task)); }) {
    options_.maxBodyBytes = kMaxPageBytes;
    options_.connectTimeout = kPageBudget;
    options_.totalTimeout = kPageBudget;
}

AnnouncementPage::~AnnouncementPage() { worker_.shutdown(); }

void AnnouncementPage::setListener(Listener listener) {
    listener_ = std::move(listener);
    if (shown_ && listener_) listener_(html_, address_);
}

void AnnouncementPage::load(const std::string& address) {
    if (address.empty()) return showBuiltIn({});
    show("<html><body><p>" + std::string(kAnnouncementLoading) + "</p></body></html>", {});
    worker_.replace([this, address, options = options_,
                     alive = std::weak_ptr(alive_)](const SerialWorker::JobContext& job) mutable {
        options.cancel = &job.cancel();
        // The whole chain of redirects included.
        options.deadline = std::chrono::steady_clock::now() + options.totalTimeout;
        HttpExchange exchange;
        const auto fetched = HttpFetch(address, exchange, options);
        std::string page;
        if (fetched && IsSuccessStatus(exchange.responseHeaders) && !fetched->empty()) {
            page = SafeAnnouncementHtml(*fetched);
        }
        job.post([this, alive, address, page = std::move(page)]() mutable {
            if (!alive.lock()) return;
            if (page.empty()) return showBuiltIn(kAnnouncementUnavailable);
            show(std::move(page), address);
        });
    });
}

void AnnouncementPage::showBuiltIn(std::string_view headline) { show(BuiltInAnnouncementPage(headline), {}); }

void AnnouncementPage::show(std::string html, std::string address) {
    html_ = std::move(html);
    address_ = std::move(address);
    shown_ = true;
    if (listener_) listener_(html_, address_);
}

}  // namespace sanxing
