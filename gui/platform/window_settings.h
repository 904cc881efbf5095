#pragma once
// What the window remembers between runs, in settings.ini beside sources.json
// ($XDG_CONFIG_HOME/sanxing/): its size and place, the recent schemes and whether the
// announcement panel was closed. The conditions themselves are not kept. A file that
// cannot be read is named to the user and left as it is: nothing is written over it.

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <optional>

namespace sanxing {

inline constexpr int kMaxRecentSchemes = 8;

class WindowSettings {
public:
    // The file in the user's configuration folder.
    WindowSettings();
    explicit WindowSettings(const QString& file);

    QString path() const { return settings_.fileName(); }
    // Why the file could not be read; nothing is saved then.
    const std::optional<QString>& problem() const { return problem_; }

    QByteArray geometry() const;
    void setGeometry(const QByteArray& geometry);

    // Newest first, at most kMaxRecentSchemes, each path once.
    QStringList recentSchemes() const;
    void addRecentScheme(const QString& path);
    void removeRecentScheme(const QString& path);
    void clearRecentSchemes();

    bool announcementClosed() const;
    void setAnnouncementClosed(bool closed);

    // Writes what changed to the file.
    void save();

private:
    void set(const QString& key, const QVariant& value);

    QSettings settings_;
    std::optional<QString> problem_;
};

// settings.ini in the folder that holds sources.json; empty when there is no home.
QString DefaultSettingsPath();

}  // namespace sanxing
