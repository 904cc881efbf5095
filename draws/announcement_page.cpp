#include "draws/announcement_page.h"

#include "draws/safe_html.h"

namespace sanxing {

namespace {

// An announcement page is small; anything longer is not one.
constexpr std::size_t kMaxPageBytes = 1u << 20;
// The panel gives up on the page after this long.
constexpr std::chrono::seconds kPageBudget{10};

constexpr std::string_view kUsageNotes = R"(<p>下面是本工具的简要用法：</p>
<ol>
<li>在左侧“大底”框中输入或用“打开”载入大底号码（000-999，空格分隔）；大底为空时按全部 1000 注计算。</li>
<li>在右侧各条件页中设置条件：勾选允许的数字、和值、跨度、形态，或在“容错”页中逐行填写杀号条件并选择各自的容错。</li>
<li>选择总容错后点击“缩水”，结果和注数显示在右侧；“复制”“保存”可取走结果。</li>
<li>下方开奖列表每 10 秒更新一次；勾选“开奖报号”时新开奖号码会被读出，并按“前三/中三/后三验证”标记对错。</li>
<li>“复制验证数据”把已验证的期数整理成报告放到剪贴板。</li>
</ol>
<p><b>开奖数据源和公告页</b>的地址写在配置文件 sources.json 中：)";

constexpr std::string_view kSourcesNotes =
    R"(<p>文件是一个 JSON 对象，键 "A" 到 "H" 是各开奖网站的基础地址，"announcement" 是公告页网站的地址；每个键都可以省略，未填地址的网站不会被访问。例如：</p>
<p>{ "A": "http://results-feed.example.com", "B": "http://trend-chart.example.com/", "announcement": "http://announcements.example.com/" }</p>
<p>修改后重新启动程序生效。点击“关闭广告”可隐藏本面板。</p>
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

std::string BuiltInAnnouncementPage(std::string_view headline, const std::string& sourcesPath) {
    std::string page = "<html><body>\n<h3>Tavrel 三星缩水工具</h3>\n<p>" + Escaped(headline) + "</p>\n";
    page += kUsageNotes;
    page += "<br>" +
            Escaped(sourcesPath.empty() ? std::string("（用户配置目录下的 sanxing/sources.json）") : sourcesPath) +
            "</p>\n";
    page += kSourcesNotes;
    return page + "</body></html>\n";
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
    if (address.empty()) return showBuiltIn(kAnnouncementNotConfigured);
    show("<html><body><p>" + std::string(kAnnouncementLoading) + "</p></body></html>", {});
    worker_.replace([this, address, options = options_,
                     alive = std::weak_ptr(alive_)](const SerialWorker::JobContext& job) mutable {
        options.cancel = &job.cancel();
        // The whole chain of redirects included.
        options.deadline = std::chrono::steady_clock::now() + options.totalTimeout;
        HttpExchange exchange;
        std::string page = HttpFetch(address, exchange, options);
        if (!IsSuccessStatus(exchange.responseHeaders)) page.clear();
        if (!page.empty()) page = SafeAnnouncementHtml(page);
        job.post([this, alive, address, page = std::move(page)]() mutable {
            if (!alive.lock()) return;
            if (page.empty()) return showBuiltIn(kAnnouncementUnavailable);
            show(std::move(page), address);
        });
    });
}

void AnnouncementPage::showBuiltIn(std::string_view headline) {
    show(BuiltInAnnouncementPage(headline, DefaultDrawHostsPath()), {});
}

void AnnouncementPage::show(std::string html, std::string address) {
    html_ = std::move(html);
    address_ = std::move(address);
    shown_ = true;
    if (listener_) listener_(html_, address_);
}

}  // namespace sanxing
