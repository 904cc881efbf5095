// The GUI tests share one QApplication on the offscreen platform: no test opens a window
// on a real display, and none needs one.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>

#include "app/qt/application.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::temp().filePath(QStringLiteral("sanxing-test-runtime"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    sanxing::InitialiseToolkit(app);
    return RUN_ALL_TESTS();
}
