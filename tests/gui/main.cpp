// The GUI tests share one QApplication on the offscreen platform: no test opens a window
// on a real display, and none needs one.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "gui/application.h"

namespace {

QtMessageHandler g_standardHandler = nullptr;

// The offscreen platform warns about every window it cannot size for a window manager.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("propagateSizeHints"))) return;
    if (g_standardHandler != nullptr) {
        g_standardHandler(type, context, message);
    } else {
        fprintf(stderr, "%s\n", qPrintable(message));
    }
}

}  // namespace

int main(int argc, char** argv) {
    g_standardHandler = qInstallMessageHandler(QuietHandler);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::temp().filePath(QStringLiteral("sanxing-test-runtime"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    }
    // The tests never read the user's own settings (sources.json and settings.ini), nor
    // what an earlier run left: each run starts from an empty configuration folder.
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    // Nor write the user's draw history: the window's database goes to a folder of this run.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    // Nor keep copies of saved files in the user's state folder.
    const QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toUtf8());
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    sanxing::InitialiseToolkit(app);
    // The window's history starts empty: the shipped records it would add are, for these
    // tests, installed beside the program as files without draws.
    const QString shipped = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/sanxing");
    QDir().mkpath(shipped);
    for (const char* name : {"fc3d.csv", "pl3.csv"}) {
        QFile file(shipped + QLatin1Char('/') + QLatin1String(name));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write("期号,号码,开奖日期\n");
    }
    return RUN_ALL_TESTS();
}
