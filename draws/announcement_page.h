#pragma once
// The announcement page shown over the condition pages: "3ssgg/cq.htm" under the
// announcement base address of sources.json, fetched off the UI thread. Without an
// address, or when the page cannot be fetched, a built-in page with short usage notes is
// shown instead.

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "draws/draw_hosts.h"
#include "draws/http_fetch.h"
#include "draws/serial_worker.h"
#include "runtime/platform.h"

namespace sanxing {

inline constexpr std::string_view kAnnouncementPath = "3ssgg/cq.htm";

// The page's full address; empty when no announcement base is configured.
std::string AnnouncementAddress(const DrawHosts& hosts);

// The built-in page (HTML): what the tool does and how to use it.
std::string_view BuiltInAnnouncementPage();

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

    // Shows the page at `address`, fetched off the UI thread; the built-in page at once
    // when the address is empty, or once the fetch failed.
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

    HttpOptions options_;
    Listener listener_;
    std::string html_;
    std::string address_;
    bool shown_ = false;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    SerialWorker worker_;
};

}  // namespace sanxing
