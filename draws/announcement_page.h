#pragma once
// The announcement page shown over the condition pages: "3ssgg/cq.htm" under the
// announcement base address of sources.json, fetched and reduced to safe, flat HTML off
// the UI thread (safe_html.h), so that no page can stall or crash the window. While it
// loads the panel says so; without an address a built-in page welcomes the player, and
// when the page cannot be fetched within 10 s the same page says so first.

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "draws/draw_hosts.h"
#include "draws/serial_worker.h"
#include "net/http_fetch.h"
#include "runtime/platform.h"

namespace sanxing {

inline constexpr std::string_view kAnnouncementPath = "3ssgg/cq.htm";

// The page's full address; empty when no announcement base is configured.
std::string AnnouncementAddress(const DrawHosts& hosts);

inline constexpr std::string_view kAnnouncementLoading = "正在载入公告…";
inline constexpr std::string_view kAnnouncementUnavailable = "公告页暂时无法显示。";

// The built-in page (HTML): `headline` if any, then a welcome for players: what the tool
// does, where to start, the history and its analyses.
std::string BuiltInAnnouncementPage(std::string_view headline);

// How sources.json (at `sourcesPath`) names the draw sources and the announcement page
// (HTML), for the help.
std::string SourcesNotes(const std::string& sourcesPath);

// Whether a raw header block answers with a 2xx status.
bool IsSuccessStatus(std::string_view responseHeaders);

class AnnouncementPage {
public:
    // Told on the UI thread whenever the page changes: its HTML, and the address that its
    // links are relative to (empty for the built-in page).
    using Listener = std::function<void(const std::string& html, const std::string& address)>;

    explicit AnnouncementPage(Platform& platform);
    ~AnnouncementPage();

    // Called at once with the page shown so far, if any.
    void setListener(Listener listener);

    // Shows the page at `address`, fetched off the UI thread (a loading note meanwhile);
    // the built-in page at once when the address is empty, or once the fetch failed.
    void load(const std::string& address);

    const std::string& html() const { return html_; }
    const std::string& address() const { return address_; }
    bool shown() const { return shown_; }

    // Bounds of the fetch; tests shorten them.
    HttpOptions& options() { return options_; }
    bool waitIdle(std::chrono::milliseconds limit) const { return worker_.waitIdle(limit); }
    void close() { worker_.close(); }
    void shutdown() { worker_.shutdown(); }

private:
    void show(std::string html, std::string address);
    void showBuiltIn(std::string_view headline);

    HttpOptions options_;
    Listener listener_;
    std::string html_;
    std::string address_;
    bool shown_ = false;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    SerialWorker worker_;
};

}  // namespace sanxing
