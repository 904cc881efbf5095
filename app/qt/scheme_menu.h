#pragma once
// The 方案 menu: open a scheme file into the condition controls, save them to one.

#include <QObject>
#include <QString>

class QMenuBar;

namespace sanxing {

class WindowModel;

class SchemeMenu final : public QObject {
public:
    SchemeMenu(WindowModel& model, QMenuBar* bar);

    void open();
    void save();

private:
    WindowModel& model_;
    QString directory_;  // where the last scheme was opened or saved
};

}  // namespace sanxing
