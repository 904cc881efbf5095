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
    const auto path = model_.platform().openFileDialog({"打开方案", kFilter, directory_.toStdString(), ""});
    if (!path) return;
    const QString file = QString::fromStdString(*path);
    directory_ = QFileInfo(file).absolutePath();
    if (auto problem = OpenSchemeFile(model_.controls(), file)) {
        model_.platform().messageBox(*problem + "\n" + *path, kCaption, MessageIcon::Error, MessageButtons::Ok);
    }
}

void SchemeMenu::save() {
    const auto path = model_.platform().saveFileDialog({"保存方案", kFilter, directory_.toStdString(), "方案.json"});
    if (!path) return;
    const QString file = QString::fromStdString(*path);
    directory_ = QFileInfo(file).absolutePath();
    if (auto problem = SaveSchemeFile(model_.controls(), file)) {
        model_.platform().messageBox(*problem + "\n" + *path, kCaption, MessageIcon::Error, MessageButtons::Ok);
    }
}

}  // namespace sanxing
