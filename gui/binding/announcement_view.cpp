#include "gui/binding/announcement_view.h"

#include <QDesktopServices>
#include <QPointer>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

#include "draws/announcement_page.h"

namespace sanxing {

namespace {

// A page from the network must not make the view read local files or anything else:
// every resource it names (images, style sheets) is simply left out.
class OfflineDocument final : public QTextDocument {
public:
    using QTextDocument::QTextDocument;

protected:
    QVariant loadResource(int, const QUrl&) override { return {}; }
};

void FollowLink(QTextBrowser* view, const QUrl& link) {
    if (link.isRelative() && link.path().isEmpty() && link.hasFragment()) {
        view->scrollToAnchor(link.fragment());
        return;
    }
    const QUrl target = view->document()->baseUrl().resolved(link);
    const QString scheme = target.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto")) {
        QDesktopServices::openUrl(target);
    }
}

}  // namespace

void ShowAnnouncements(QTextBrowser* view, AnnouncementPage& page) {
    view->setDocument(new OfflineDocument(view));
    view->setOpenLinks(false);
    QObject::connect(view, &QTextBrowser::anchorClicked, view, [view](const QUrl& link) { FollowLink(view, link); });
    page.setListener([view = QPointer(view)](const std::string& html, const std::string& address) {
        if (!view) return;
        view->document()->setBaseUrl(QUrl(QString::fromStdString(address)));
        view->setHtml(QString::fromStdString(html));
    });
}

}  // namespace sanxing
