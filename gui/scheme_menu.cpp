#include "gui/scheme_menu.h"

#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include "app/window_model.h"
#include "gui/binding/shortcuts.h"
#include "gui/platform/window_settings.h"
#include "gui/scheme_files.h"

namespace sanxing {

namespace {

constexpr const char* kCaption = "方案";
constexpr const char* kFilter = "方案文件(*.json)|*.json|所有文件(*.*)|*.*";

}  // namespace

SchemeMenu::SchemeMenu(WindowModel& model, WindowSettings& settings, QMenuBar* bar)
    : QObject(bar), model_(model), settings_(settings), folder_(&settings, kSchemesFolder) {
    QMenu* menu = bar->addMenu(QStringLiteral("方案(&P)"));
    menu->addAction(QStringLiteral("打开方案(&O)..."), this, &SchemeMenu::open)->setShortcuts(ShortcutsOf("打开方案"));
    menu->addAction(QStringLiteral("保存方案(&S)..."), this, &SchemeMenu::save)->setShortcuts(ShortcutsOf("保存方案"));
    recent_ = menu->addMenu(QStringLiteral("最近的方案(&R)"));
    connect(recent_, &QMenu::aboutToShow, this, &SchemeMenu::fillRecentMenu);
    fillRecentMenu();
}

void SchemeMenu::open() {
    if (const auto path = choose(false)) openPath(*path);
}

void SchemeMenu::save() {
    if (const auto path = choose(true)) report(SaveSchemeFile(model_.controls(), *path), *path);
}

void SchemeMenu::openPath(const QString& path) {
    folder_.rememberFolderOf(path.toStdString());
    if (!report(OpenSchemeFile(model_.controls(), path), path) && !QFileInfo::exists(path)) {
        settings_.removeRecentScheme(path);
        settings_.save();
    }
}

std::optional<QString> SchemeMenu::choose(bool save) {
    const FileDialogRequest request{save ? "保存方案" : "打开方案", kFilter, folder_.start(), save ? "方案.json" : ""};
    Platform& platform = model_.platform();
    const auto path = save ? platform.saveFileDialog(request) : platform.openFileDialog(request);
    if (!path) return std::nullopt;
    folder_.rememberFolderOf(*path);
    return QString::fromStdString(*path);
}

bool SchemeMenu::report(const Result<void>& done, const QString& path) {
    if (done) {
        settings_.addRecentScheme(QFileInfo(path).absoluteFilePath());
        settings_.save();
        return true;
    }
    model_.platform().messageBox(done.error() + "\n" + path.toStdString(), kCaption, MessageIcon::Error,
                                 MessageButtons::Ok);
    return false;
}

// Filled afresh each time the menu opens: an entry must not be deleted while it runs.
void SchemeMenu::fillRecentMenu() {
    recent_->clear();
    const QStringList recent = settings_.recentSchemes();
    for (int i = 0; i < recent.size(); ++i) {
        const QString path = recent[i];
        QAction* action = recent_->addAction(QStringLiteral("&%1  %2").arg(i + 1).arg(path));
        connect(action, &QAction::triggered, this, [this, path] { openPath(path); });
    }
    if (recent.isEmpty()) {
        recent_->addAction(QStringLiteral("（没有）"))->setEnabled(false);
        return;
    }
    recent_->addSeparator();
    recent_->addAction(QStringLiteral("清空列表"), this, [this] {
        settings_.clearRecentSchemes();
        settings_.save();
    });
}

}  // namespace sanxing
