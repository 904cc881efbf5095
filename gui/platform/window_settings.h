#pragma once
// What the window remembers between runs, in settings.ini beside sources.json
// ($XDG_CONFIG_HOME/sanxing/): its size and place, the recent schemes, whether the
// announcement panel was closed, the lottery and 验证 position picked, the last folder of
// each kind of file and 历史验证's prices per lottery. The conditions themselves are not kept.
//
// The file is read once, only when it is a regular file of at most 1 MB, and written
// through the program's save routine (whole or not at all, hard links and owner kept):
// QSettings works on a private copy. A file that cannot be read is named to the user and
// left as it is: nothing is written over it. A file over 1 MB is set aside as
// settings.ini.bad and the defaults are used.

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>

#include "analysis/money.h"
#include "history/lotteries.h"

namespace sanxing {

inline constexpr int kMaxRecentSchemes = 8;
inline constexpr qint64 kMaxSettingsBytes = 1 << 20;

class WindowSettings {
public:
    // The file in the user's configuration folder.
    WindowSettings();
    explicit WindowSettings(const QString& file);

    QString path() const { return path_; }
    // Why the file could not be read; nothing is saved then.
    const std::optional<QString>& problem() const { return problem_; }
    // What the user should hear of once although the settings work (a file set aside).
    const std::optional<QString>& notice() const { return notice_; }

    QByteArray geometry() const;
    void setGeometry(const QByteArray& geometry);

    // Newest first, at most kMaxRecentSchemes, each path once.
    QStringList recentSchemes() const;
    void addRecentScheme(const QString& path);
    void removeRecentScheme(const QString& path);
    void clearRecentSchemes();

    bool announcementClosed() const;
    void setAnnouncementClosed(bool closed);

    // A remembered text by key ("window/lottery", "folders/scheme", ...); empty if none.
    QString text(const QString& key) const;
    void setText(const QString& key, const QString& value);

    // 历史验证's price per 注 and 直选 prize for a lottery (by its kind index); the
    // lottery's defaults when none are kept or what is kept is not a valid amount.
    analysis::Prices prices(const history::Lottery& lottery) const;
    void setPrices(const history::Lottery& lottery, const analysis::Prices& prices);

    // Writes what changed to the file.
    void save();

private:
    void read();
    void setAside();
    void set(const QString& key, const QVariant& value);

    QString path_;
    QTemporaryDir copyFolder_;
    std::unique_ptr<QSettings> settings_;  // over the private copy
    QByteArray stored_;                    // what the file holds, as last read or written
    std::optional<QString> problem_;
    std::optional<QString> notice_;
};

// settings.ini in the folder that holds sources.json; empty when there is no home.
QString DefaultSettingsPath();

}  // namespace sanxing
