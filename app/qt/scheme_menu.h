#pragma once
// The 方案 menu: open a scheme file into the condition controls, save them to one.

#include <QObject>
#include <QString>
#include <optional>
#include <string>

class QMenuBar;

namespace sanxing {

class WindowModel;

class SchemeMenu final : public QObject {
public:
    SchemeMenu(WindowModel& model, QMenuBar* bar);

    void open();
    void save();
    // Opens the scheme at `path` as open() does after the dialog (sanxing FILE.json).
    void openFile(const QString& path);

private:
    // The file the user picks; remembers its folder for the next dialog.
    std::optional<QString> choose(bool save);
    void report(const std::optional<std::string>& problem, const QString& path);

    WindowModel& model_;
    QString directory_;  // where the last scheme was opened or saved
};

}  // namespace sanxing
