#include "gui/platform/window_settings.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "draws/draw_hosts.h"
#include "runtime/regular_file.h"
#include "runtime/system_error_text.h"
#include "tools/safe_file_write.h"

namespace sanxing {

namespace {

const QString kGeometry = QStringLiteral("window/geometry");
const QString kRecent = QStringLiteral("schemes/recent");
const QString kAnnouncementClosed = QStringLiteral("window/announcementClosed");

QString Q(const std::string& text) { return QString::fromStdString(text); }

QString Unreadable(const QString& file, const std::string& reason) {
    return QStringLiteral("设置文件无法读取（%1），本次不保存窗口设置，文件保持原样：\n%2").arg(Q(reason), file);
}

QByteArray ReadWhole(const QString& file) {
    QFile copy(file);
    return copy.open(QIODevice::ReadOnly) ? copy.readAll() : QByteArray();
}

QString PriceKey(const history::Lottery& lottery, const char* what) {
    return QStringLiteral("backtest/%1%2").arg(QLatin1String(what)).arg(lottery.kindIndex);
}

}  // namespace

QString DefaultSettingsPath() {
    const std::string hosts = DefaultDrawHostsPath();
    if (hosts.empty()) return {};
    return QString::fromStdString((std::filesystem::path(hosts).parent_path() / "settings.ini").string());
}

WindowSettings::WindowSettings() : WindowSettings(DefaultSettingsPath()) {}

WindowSettings::WindowSettings(const QString& file) : path_(file) {
    if (file.isEmpty()) {
        problem_ = QStringLiteral("找不到用户的配置文件夹（HOME 未设置），本次不保存窗口设置。");
    } else {
        read();
    }
    settings_ = std::make_unique<QSettings>(copyFolder_.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    settings_->allKeys();  // parses the copy now, so that its status is known
    if (!problem_ && settings_->status() != QSettings::NoError) problem_ = Unreadable(path_, "格式不对");
}

void WindowSettings::read() {
    if (!copyFolder_.isValid()) {
        problem_ = QStringLiteral("无法建立临时文件夹，本次不保存窗口设置。");
        return;
    }
    const std::string path = path_.toStdString();
    const auto file = ReadRegularFile(path, kMaxSettingsBytes);
    if (file) {
        QFile copy(copyFolder_.filePath(QStringLiteral("settings.ini")));
        const auto size = static_cast<qint64>(file->size());
        if (!copy.open(QIODevice::WriteOnly) || copy.write(file->data(), size) != size) {
            problem_ = Unreadable(path_, "无法复制到临时文件夹");
        }
        stored_ = QByteArray(file->data(), size);
    } else if (file.code() == ErrorCode::NotFound) {
        // made at the first save
    } else if (OverLimit(file, path)) {
        setAside();
    } else if (file.code() == ErrorCode::BadInput) {
        problem_ = QStringLiteral("设置文件%1，已忽略，本次不保存窗口设置：\n%2").arg(Q(file.error()), path_);
    } else {
        problem_ = Unreadable(path_, file.error());
    }
}

// A settings file is a few hundred bytes: a huge one is no settings file. It is moved out
// of the way (never deleted), so that the window starts with its defaults and saves anew.
void WindowSettings::setAside() {
    QString aside = path_ + QStringLiteral(".bad");
    for (int n = 2; QFile::exists(aside) || QFileInfo(aside).isSymLink(); ++n) {
        aside = path_ + QStringLiteral(".bad.%1").arg(n);
    }
    if (std::rename(path_.toLocal8Bit().constData(), aside.toLocal8Bit().constData()) != 0) {
        problem_ = QStringLiteral("设置文件超过 1 MB，无法改名（%1），本次使用默认设置，不保存窗口设置：\n%2")
                       .arg(Q(SystemErrorText(errno)), path_);
        return;
    }
    notice_ = QStringLiteral("设置文件超过 1 MB，不是本程序的设置，已改名为\n%1\n本次使用默认设置。").arg(aside);
}

QByteArray WindowSettings::geometry() const { return settings_->value(kGeometry).toByteArray(); }

void WindowSettings::setGeometry(const QByteArray& geometry) { set(kGeometry, geometry); }

QStringList WindowSettings::recentSchemes() const {
    QStringList recent = settings_->value(kRecent).toStringList();
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

bool WindowSettings::announcementClosed() const { return settings_->value(kAnnouncementClosed, false).toBool(); }

void WindowSettings::setAnnouncementClosed(bool closed) { set(kAnnouncementClosed, closed); }

QString WindowSettings::text(const QString& key) const { return settings_->value(key).toString(); }

void WindowSettings::setText(const QString& key, const QString& value) { set(key, value); }

analysis::Prices WindowSettings::prices(const history::Lottery& lottery) const {
    analysis::Prices prices = analysis::DefaultPrices(lottery);
    const auto kept = [&](const char* what, std::int64_t& amount) {
        const QString text = settings_->value(PriceKey(lottery, what)).toString();
        if (auto parsed = analysis::ParseYuan(text.toStdString(), what)) amount = *parsed;
    };
    kept("price", prices.price);
    kept("prize", prices.prize);
    return prices;
}

void WindowSettings::setPrices(const history::Lottery& lottery, const analysis::Prices& prices) {
    set(PriceKey(lottery, "price"), QString::number(prices.price));
    set(PriceKey(lottery, "prize"), QString::number(prices.prize));
}

void WindowSettings::save() {
    if (problem_) return;
    settings_->sync();
    const QByteArray bytes = ReadWhole(settings_->fileName());
    if (bytes == stored_) return;
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path_.toStdString()).parent_path(), ignored);
    if (auto written = WriteFileWhole(path_.toStdString(), std::string_view(bytes.constData(), bytes.size()));
        !written) {
        qWarning("sanxing: 窗口设置保存失败（%s）：%s", written.error().c_str(), qPrintable(path_));
        return;
    }
    stored_ = bytes;
}

void WindowSettings::set(const QString& key, const QVariant& value) {
    // Nothing is remembered while the file is unreadable: it would be written over.
    if (problem_) return;
    settings_->setValue(key, value);
}

}  // namespace sanxing
