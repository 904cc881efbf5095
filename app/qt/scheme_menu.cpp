#include "app/qt/scheme_menu.h"

#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include "app/qt/scheme_files.h"
#include "app/window_model.h"

namespace sanxing {

namespace {

constexpr const char* kCaption = "方案";
constexpr const char* kFilter = "方案文件(*.json)|*.json|所有文件(*.*)|*.*";

}  // namespace

SchemeMenu::SchemeMenu(WindowModel& model, QMenuBar* bar) : QObject(bar), model_(model) {
    QMenu* menu = bar->addMenu(QStringLiteral("方案(&F)"));
    menu->addAction(QStringLiteral("打开方案(&O)..."), this, &SchemeMenu::open);
    menu->addAction(QStringLiteral("保存方案(&S)..."), this, &SchemeMenu::save);
}

void SchemeMenu::open() {
    if (const auto path = choose(false)) openFile(*path);
}

void SchemeMenu::openFile(const QString& path) {
    directory_ = QFileInfo(path).absolutePath();
    report(OpenSchemeFile(model_.controls(), path), path);
}

void SchemeMenu::save() {
    if (const auto path = choose(true)) report(SaveSchemeFile(model_.controls(), *path), *path);
}

std::optional<QString> SchemeMenu::choose(bool save) {
    const FileDialogRequest request{save ? "保存方案" : "打开方案", kFilter, directory_.toStdString(),
                                    save ? "方案.json" : ""};
    Platform& platform = model_.platform();
    const auto path = save ? platform.saveFileDialog(request) : platform.openFileDialog(request);
    if (!path) return std::nullopt;
    const QString file = QString::fromStdString(*path);
    directory_ = QFileInfo(file).absolutePath();
    return file;
}

void SchemeMenu::report(const std::optional<std::string>& problem, const QString& path) {
    if (!problem) return;
    model_.platform().messageBox(*problem + "\n" + path.toStdString(), kCaption, MessageIcon::Error,
                                 MessageButtons::Ok);
}

}  // namespace sanxing
