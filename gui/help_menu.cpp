#include "gui/help_menu.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <functional>

#include "draws/draw_hosts.h"
#include "gui/binding/shortcuts.h"
#include "gui/help/help_window.h"
#include "gui/platform/qt_platform.h"
#include "history/history_db.h"

namespace sanxing {

namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

QString AboutText() {
    const QString version = QCoreApplication::applicationVersion();
    return QStringLiteral(
               "三星缩水工具 sanxing\n\n"
               "版本：%1\n许可证：%2\nQt 版本：%3\n\n"
               "开奖来源配置（sources.json）：\n%4\n\n历史数据库：\n%5")
        .arg(version.isEmpty() ? QStringLiteral("未知") : version, QString::fromUtf8(kLicence),
             QString::fromLatin1(qVersion()), Q(DefaultDrawHostsPath()),
             QString::fromStdString(history::DefaultDatabasePath().string()));
}

QWidget* MakeAboutBox(QWidget* window) {
    const MessageRequest request{AboutText().toStdString(), "关于", MessageIcon::Information, MessageButtons::Ok};
    QMessageBox* box = MakeMessageBox(request, window).release();
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return box;
}

namespace {

// Shows the dialog that `make` builds, or brings forward the one still open.
std::function<void()> ShowOnce(QWidget* window, QWidget* (*make)(QWidget*)) {
    return [window, make, shown = QPointer<QWidget>()]() mutable {
        if (shown == nullptr) shown = make(window);
        shown->show();
        shown->raise();
        shown->activateWindow();
    };
}

}  // namespace

void AddHelpMenu(QMenuBar* bar, QWidget* window) {
    QMenu* menu = bar->addMenu(QStringLiteral("帮助(&H)"));
    menu->addAction(QStringLiteral("使用说明(&U)"), window, [window] { ShowHelp(window); })
        ->setShortcuts(ShortcutsOf("使用说明"));
    menu->addAction(QStringLiteral("关于(&A)"), window, ShowOnce(window, MakeAboutBox));
}

}  // namespace sanxing
