#pragma once
// The 方案 menu: open a scheme file into the condition controls, save them to one, open
// one of the recent schemes (最近的方案).

#include <QObject>
#include <QString>
#include <optional>

#include "gui/platform/remembered_folder.h"
#include "runtime/result.h"

class QMenu;
class QMenuBar;

namespace sanxing {

class WindowModel;
class WindowSettings;

class SchemeMenu final : public QObject {
public:
    // The recent schemes are kept in `settings`.
    SchemeMenu(WindowModel& model, WindowSettings& settings, QMenuBar* bar);

    void open();
    void save();
    // Opens a scheme by path, as 最近的方案 and `sanxing FILE.json` do; a file that is gone
    // leaves the recent list.
    void openPath(const QString& path);

    QMenu* recentMenu() const { return recent_; }

private:
    // The file the user picks; remembers its folder for the next dialog.
    std::optional<QString> choose(bool save);
    // Tells the user of a problem; on success the file heads the recent schemes.
    bool report(const Result<void>& done, const QString& path);
    void fillRecentMenu();

    WindowModel& model_;
    WindowSettings& settings_;
    QMenu* recent_ = nullptr;
    RememberedFolder folder_;  // where the last scheme was opened or saved (home at first)
};

}  // namespace sanxing
