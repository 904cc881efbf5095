// The 历史 menu: import with its report, the history window (newest first, count, gaps,
// delete after a question), export, and a broken database that is named once and left
// alone.

#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTemporaryDir>

#include "gui/history/draw_table_model.h"
#include "gui/history/history_menu.h"
#include "gui_fixture.h"
#include "history/failing_vfs.h"
#include "history/history_fixture.h"
#include "runtime/temp_folder.h"

namespace sanxing::test {
namespace {

// The window's database lives in a temporary XDG_DATA_HOME, set before the window exists.
class HistoryMenuTest : public GuiTest {
protected:
    HistoryMenuTest() {
        saved_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
    }
    ~HistoryMenuTest() override { qputenv("XDG_DATA_HOME", saved_); }

    HistoryMenu& menu() { return window->history(); }
    std::string databasePath() const { return (data.path() + "/sanxing/history.sqlite").toStdString(); }

    std::string write(const std::string& name, const std::string& text) {
        WriteBytes(files.file(name), text);
        return files.file(name);
    }
    ImportReportDialog* import(const std::string& file) {
        platform.prepareFileChoice(file);
        menu().importDraws();
        EXPECT_TRUE(WaitFor([&] { return !menu().busy(); }));
        EXPECT_TRUE(WaitFor([&] { return menu().lastReport() != nullptr; }));
        return menu().lastReport();
    }

    QTemporaryDir data;
    TempFolder files;

private:
    QByteArray saved_;
};

TEST_F(HistoryMenuTest, MenuHoldsTheThreeItems) {
    QMenu* found = FindHistoryMenu(*window);
    ASSERT_EQ(found, menu().menu());
    QStringList texts;
    for (QAction* action : found->actions()) texts << action->text();
    // After a separator, the analysis items (历史验证…, 走势图).
    EXPECT_EQ(texts, (QStringList{"导入开奖号码(&I)…", "导出开奖号码(&E)…", "开奖历史(&H)", "", "历史验证(&V)…",
                                  "走势图(&T)"}));
}

TEST_F(HistoryMenuTest, ImportReportListsConflictsAndTheFirstTwentyRejectedLines) {
    std::string text = "期号,号码\n241012001 11111\n241012002 22222\n241012002 99999\n";
    for (int i = 0; i < 25; ++i) text += "241012003 123\n";
    ImportReportDialog* report = import(write("draws.txt", text));
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->summary()->text().contains("新存入 2 期，已有 0 期，冲突 1 期，拒绝 25 行"))
        << report->summary()->text().toStdString();
    const QString details = report->details()->toPlainText();
    EXPECT_TRUE(details.contains("第 4 行　期号 241012002：已存 22222，文件为 99999")) << details.toStdString();
    EXPECT_TRUE(details.contains("第 24 行：")) << details.toStdString();
    EXPECT_FALSE(details.contains("第 25 行：")) << details.toStdString();
    EXPECT_TRUE(details.contains("共 25 行被拒绝，只列出前 20 行")) << details.toStdString();
    report->close();
}

TEST_F(HistoryMenuTest, HistoryWindowShowsNewestFirstWithGapsAndDeletesAfterAQuestion) {
    import(write("draws.txt", "241012001 11111\n241012002 22222\n241012005 55555\n"))->close();
    menu().showHistory();
    HistoryWindow* history = menu().historyWindow();
    ASSERT_NE(history, nullptr);
    QAbstractItemModel* model = history->table()->model();
    ASSERT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->index(0, 0).data().toString(), "241012005");
    EXPECT_EQ(model->index(0, 1).data().toString(), "55555");
    EXPECT_EQ(model->index(2, 3).data().toString(), "draws.txt");
    EXPECT_TRUE(history->summary()->text().contains("共 3 期，第一期 241012001，最后一期 241012005"));
    EXPECT_TRUE(history->summary()->text().contains("241012003-241012004（2 期）"))
        << history->summary()->text().toStdString();

    history->table()->selectRow(0);
    platform.prepareMessageAnswer(MessageAnswer::No);
    history->deleteSelected();
    EXPECT_EQ(model->rowCount(), 3);
    platform.prepareMessageAnswer(MessageAnswer::Yes);
    history->table()->selectRow(1);
    history->deleteSelected();
    EXPECT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->index(1, 0).data().toString(), "241012001");
    EXPECT_EQ(platform.answeredMessages().back().icon, MessageIcon::Question);
}

TEST_F(HistoryMenuTest, HistoryWindowNamesAFailedRead) {
    {
        auto opened = history::HistoryDb::open(databasePath());
        ASSERT_TRUE(opened && opened->record("福彩3D", history::testing::Fc3dDraws(3000)));
    }
    test::FailingVfs vfs;
    menu().showHistory();  // on the window's lottery, which has no draws
    HistoryWindow* history = menu().historyWindow();
    ASSERT_NE(history, nullptr);
    vfs.failReadsAfter(0);
    history->showLottery(*history::FindLottery("福彩3D"));
    EXPECT_TRUE(history->summary()->text().contains(QStringLiteral("disk I/O error")))
        << history->summary()->text().toStdString();
    EXPECT_EQ(history->table()->model()->rowCount(), 0);
}

TEST_F(HistoryMenuTest, ExportWritesTheChosenLotteryAsCsv) {
    import(write("draws.txt", "20241012-002 2,2,2,2,2\n20241012-001 1,1,1,1,1,2024-10-12\n"))->close();
    const std::string csv = files.file("out.csv");
    platform.prepareFileChoice(csv);
    platform.prepareMessageAnswer(MessageAnswer::Ok);
    menu().exportDraws();
    ASSERT_TRUE(WaitFor([&] { return !menu().busy() && !platform.answersLeft(); }));
    EXPECT_EQ(ReadBytes(csv), "\xEF\xBB\xBF期号,号码,开奖日期\n241012001,11111,2024-10-12\n241012002,22222,\n");
    EXPECT_EQ(platform.answeredMessages().back().icon, MessageIcon::Information);
}

TEST_F(HistoryMenuTest, BrokenDatabaseIsNamedOnceAndLeftAlone) {
    std::filesystem::create_directories(std::filesystem::path(databasePath()).parent_path());
    WriteBytes(databasePath(), std::string(3000, '#'));
    platform.prepareMessageAnswer(MessageAnswer::Ok);
    menu().showHistory();
    ASSERT_EQ(platform.answeredMessages().size(), 1u);
    EXPECT_NE(platform.answeredMessages()[0].text.find(databasePath()), std::string::npos);
    EXPECT_TRUE(menu().access().off());
    menu().importDraws();  // no second message, no file dialog
    menu().showHistory();
    EXPECT_EQ(platform.answeredMessages().size(), 1u);
    EXPECT_TRUE(platform.answeredFileDialogs().empty());
    EXPECT_EQ(ReadBytes(databasePath()), std::string(3000, '#'));
}

}  // namespace
}  // namespace sanxing::test
