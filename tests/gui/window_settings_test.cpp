// What the window remembers between runs: size and place, the announcement panel closed,
// the lottery and 验证 position, the folders of base files and schemes, the recent schemes (newest first, at most
// eight, a vanished file dropped). An unreadable settings file is reported and left alone.

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "draws/draw_hosts.h"
#include "gui/analysis/analysis_menu.h"
#include "gui/backtest/backtest_dialog.h"
#include "gui/help_menu.h"
#include "gui/history/history_menu.h"
#include "gui/platform/window_settings.h"
#include "gui/scheme_menu.h"
#include "gui_fixture.h"
#include "history/history_db.h"
#include "runtime/home_folder.h"

namespace sanxing::test {
namespace {

class Remembered : public GuiTest {
protected:
    QString file(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

TEST_F(Remembered, SettingsComeBackInTheNextRun) {
    const QString settings = file("settings.ini");
    {
        MainWindow first(platform, nullptr, settings);
        first.show();
        first.resize(820, 760);
        first.model().click("按钮1");
        first.model().controls().select("组合框_彩种", 4);
        first.model().controls().select("组合框_验证", 2);
        QFile(file("大底.txt")).open(QIODevice::WriteOnly);
        platform.prepareFileChoice(file("大底.txt").toStdString());
        first.model().click("打开大底");
        for (int i = 0; i < 10; ++i) {
            const QString scheme = file(QStringLiteral("方案%1.json").arg(i));
            platform.prepareFileChoice(scheme.toStdString());
            first.schemes().save();
        }
        first.close();
    }
    MainWindow second(platform, nullptr, settings);
    EXPECT_EQ(second.size(), QSize(820, 760));
    EXPECT_FALSE(second.model().controls().visible("图片框28"));
    EXPECT_TRUE(second.model().controls().text("杀百位").starts_with("号码如下")) << "conditions start afresh";
    EXPECT_EQ(second.model().controls().text("组合框_彩种"), "福彩3D");
    EXPECT_EQ(second.model().controls().text("组合框_验证"), "后三验证");
    // Each kind of file goes back to its own last folder.
    platform.prepareFileChoice(std::nullopt);
    second.model().click("打开大底");
    platform.prepareFileChoice(std::nullopt);
    second.schemes().open();
    const auto& dialogs = platform.answeredFileDialogs();
    ASSERT_GE(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[dialogs.size() - 2].request.directory, dir.path().toStdString());
    EXPECT_EQ(dialogs.back().request.directory, dir.path().toStdString());
    EXPECT_EQ(dialogs[dialogs.size() - 2].request.fileName, file("大底.txt").toStdString());

    const QStringList recent = second.settings().recentSchemes();
    ASSERT_EQ(recent.size(), kMaxRecentSchemes);
    EXPECT_EQ(recent.front(), file("方案9.json"));
    EXPECT_EQ(recent.back(), file("方案2.json"));

    // The menu lists them; one whose file is gone is reported and dropped.
    emit second.schemes().recentMenu()->aboutToShow();
    EXPECT_EQ(second.schemes().recentMenu()->actions().front()->text(), "&1  " + file("方案9.json"));
    QFile::remove(file("方案5.json"));
    platform.prepareMessageAnswer(MessageAnswer::Ok);
    second.schemes().openPath(file("方案5.json"));
    ASSERT_EQ(platform.answeredMessages().size(), 1u);
    EXPECT_TRUE(platform.answeredMessages()[0].text.starts_with("无法读取方案文件：文件不存在（"));
    EXPECT_FALSE(second.settings().recentSchemes().contains(file("方案5.json")));
}

// Draw files and exports each go back to their own folder in the next run; the first
// dialog of each starts in the home folder.
TEST_F(Remembered, DrawFilesAndExportsKeepTheirOwnFolders) {
    const QString settings = file("settings.ini");
    ASSERT_TRUE(QDir(dir.path()).mkpath("draws") && QDir(dir.path()).mkpath("out"));
    {
        MainWindow first(platform, nullptr, settings);
        first.show();
        platform.prepareFileChoice(file("draws/gone.txt").toStdString());
        platform.prepareMessageAnswer(MessageAnswer::Ok);  // the file does not exist
        first.history().importDraws();
        platform.prepareFileChoice(file("out/验证.csv").toStdString());
        first.analysis().showBacktest()->exportTable();
        first.close();
    }
    MainWindow second(platform, nullptr, settings);
    platform.prepareFileChoice(std::nullopt);
    second.history().exportDraws();
    platform.prepareFileChoice(std::nullopt);
    second.analysis().showBacktest()->exportTable();
    const auto& dialogs = platform.answeredFileDialogs();
    ASSERT_EQ(dialogs.size(), 4u);
    EXPECT_EQ(dialogs[0].request.directory, HomeFolder());
    EXPECT_EQ(dialogs[1].request.directory, HomeFolder());
    EXPECT_EQ(dialogs[2].request.directory, file("draws").toStdString());
    EXPECT_EQ(dialogs[3].request.directory, file("out").toStdString());
}

TEST_F(Remembered, UnreadableSettingsAreNamedAndNeverWritten) {
    ASSERT_TRUE(QDir().mkpath(file("settings.ini")));
    WindowSettings settings(file("settings.ini"));
    ASSERT_TRUE(settings.problem().has_value());
    EXPECT_TRUE(settings.problem()->contains(file("settings.ini")));
    settings.addRecentScheme(QStringLiteral("/tmp/a.json"));
    settings.save();
    EXPECT_TRUE(QFileInfo(file("settings.ini")).isDir());
}

// Over 1 MB it is no settings file: set aside (not deleted), said once, defaults used,
// and the next save makes a new one.
TEST_F(Remembered, OversizedSettingsAreSetAsideOnce) {
    const QString settings = file("settings.ini");
    QFile big(settings);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(QByteArray(kMaxSettingsBytes + 1, '['));
    big.close();
    {
        MainWindow first(platform, nullptr, settings);
        platform.prepareMessageAnswer(MessageAnswer::Ok);
        first.created();
        ASSERT_EQ(platform.answeredMessages().size(), 1u);
        EXPECT_NE(platform.answeredMessages()[0].text.find(file("settings.ini.bad").toStdString()), std::string::npos);
        EXPECT_TRUE(first.settings().recentSchemes().isEmpty());
        first.settings().addRecentScheme(QStringLiteral("/tmp/a.json"));
        first.settings().save();
    }
    EXPECT_EQ(QFileInfo(file("settings.ini.bad")).size(), kMaxSettingsBytes + 1);
    MainWindow second(platform, nullptr, settings);
    second.created();
    EXPECT_EQ(platform.answeredMessages().size(), 1u) << "said once";
    EXPECT_EQ(second.settings().recentSchemes(), QStringList{QStringLiteral("/tmp/a.json")});
}

// A FIFO would block the start if it were opened: it is named, ignored and never written.
TEST_F(Remembered, SettingsThatAreAFifoAreNamedAndIgnored) {
    ASSERT_EQ(::mkfifo(file("settings.ini").toLocal8Bit().constData(), 0600), 0);
    WindowSettings settings(file("settings.ini"));
    ASSERT_TRUE(settings.problem().has_value());
    EXPECT_TRUE(settings.problem()->startsWith(QStringLiteral("设置文件不是普通文件（FIFO），已忽略")));
    EXPECT_TRUE(settings.problem()->contains(file("settings.ini")));
    settings.addRecentScheme(QStringLiteral("/tmp/a.json"));
    settings.save();
    EXPECT_TRUE(std::filesystem::is_fifo(file("settings.ini").toStdString()));
}

// Saved through the program's save routine: a hard link stays one file.
TEST_F(Remembered, SavedSettingsKeepTheirHardLinks) {
    const QString settings = file("settings.ini");
    {
        WindowSettings first(settings);
        first.setAnnouncementClosed(true);
        first.save();
    }
    ASSERT_EQ(::link(settings.toLocal8Bit().constData(), file("shared.ini").toLocal8Bit().constData()), 0);
    WindowSettings second(settings);
    second.addRecentScheme(QStringLiteral("/tmp/b.json"));
    second.save();
    WindowSettings shared(file("shared.ini"));
    EXPECT_TRUE(shared.announcementClosed());
    EXPECT_EQ(shared.recentSchemes(), QStringList{QStringLiteral("/tmp/b.json")});
}

TEST_F(Remembered, AboutNamesVersionLicenceQtAndTheStoredFiles) {
    const QString about = AboutText();
    const QString database = QString::fromStdString(history::DefaultDatabasePath().string());
    for (const QString& part : {QString::fromUtf8(kLicence), QString::fromLatin1(qVersion()), database,
                                QString::fromStdString(DefaultDrawHostsPath())}) {
        EXPECT_TRUE(about.contains(part)) << part.toStdString();
    }
}

}  // namespace
}  // namespace sanxing::test
