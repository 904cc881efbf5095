#include "gui/platform/window_settings.h"

#include <QFileInfo>
#include <filesystem>

#include "draws/draw_hosts.h"

namespace sanxing {

namespace {

const QString kGeometry = QStringLiteral("window/geometry");
const QString kRecent = QStringLiteral("schemes/recent");
const QString kAnnouncementClosed = QStringLiteral("window/announcementClosed");

}  // namespace

QString DefaultSettingsPath() {
    const std::string hosts = DefaultDrawHostsPath();
    if (hosts.empty()) return {};
    return QString::fromStdString((std::filesystem::path(hosts).parent_path() / "settings.ini").string());
}

WindowSettings::WindowSettings() : WindowSettings(DefaultSettingsPath()) {}

WindowSettings::WindowSettings(const QString& file) : settings_(file, QSettings::IniFormat) {
    if (file.isEmpty()) {
        problem_ = QStringLiteral("找不到用户的配置文件夹（HOME 未设置），本次不保存窗口设置。");
        return;
    }
    settings_.allKeys();  // reads the file now, so that its status is known
    const QFileInfo info(file);
    if (settings_.status() != QSettings::NoError || info.isDir() || (info.exists() && !info.isReadable())) {
        problem_ = QStringLiteral("设置文件无法读取，本次不保存窗口设置，文件保持原样：\n%1").arg(file);
    }
}

QByteArray WindowSettings::geometry() const { return settings_.value(kGeometry).toByteArray(); }

void WindowSettings::setGeometry(const QByteArray& geometry) { set(kGeometry, geometry); }

QStringList WindowSettings::recentSchemes() const {
    QStringList recent = settings_.value(kRecent).toStringList();
    recent.removeAll(QString());
    recent.removeDuplicates();
    return recent.mid(0, kMaxRecentSchemes);
}

void WindowSettings::addRecentScheme(const QString& path) {
    QStringList recent = recentSchemes();
    recent.removeAll(path);
    recent.prepend(path);
    set(kRecent, recent.mid(0, kMaxRecentSchemes));
}

void WindowSettings::removeRecentScheme(const QString& path) {
    QStringList recent = recentSchemes();
    recent.removeAll(path);
    set(kRecent, recent);
}

void WindowSettings::clearRecentSchemes() { set(kRecent, QStringList()); }

bool WindowSettings::announcementClosed() const { return settings_.value(kAnnouncementClosed, false).toBool(); }

void WindowSettings::setAnnouncementClosed(bool closed) { set(kAnnouncementClosed, closed); }

void WindowSettings::save() {
    if (!problem_) settings_.sync();
}

void WindowSettings::set(const QString& key, const QVariant& value) {
    // Nothing is remembered while the file is unreadable: QSettings would write over it.
    if (problem_) return;
    settings_.setValue(key, value);
}

}  // namespace sanxing
