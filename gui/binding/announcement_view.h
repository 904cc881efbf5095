#pragma once
// The announcement page in the web view 超文本浏览框: a light HTML view that loads nothing
// by itself (no images, style sheets or scripts from anywhere); links open in the
// system's browser.

class QTextBrowser;

namespace sanxing {

class AnnouncementPage;

// Shows every page that `page` brings, from now on, in `view`.
void ShowAnnouncements(QTextBrowser* view, AnnouncementPage& page);

}  // namespace sanxing
