// The 历史 menu: import through its preview (columns named and changed, another lottery
// offered, nothing stored before 导入), paste from a results page, the report with
// 以文件为准, the draw list following the history, the history window (newest first,
// count, gaps, delete after a question), export, and a broken database that is named once
// and left alone.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "gui/analysis/analysis_menu.h"
#include "gui/backtest/backtest_dialog.h"
#include "gui/help/help_window.h"
#include "gui/history/draw_table_model.h"
#include "gui/history/history_menu.h"
#include "gui/trend/trend_dialog.h"
#include "gui/trend/trend_grid_model.h"
#include "gui_fixture.h"
#include "history/failing_vfs.h"
#include "history/history_fixture.h"
#include "net/local_http_server.h"
#include "runtime/recording_platform.h"
#include "runtime/temp_folder.h"
#include "runtime/time_limits.h"

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
    // The preview of `file`, as 导入开奖号码… opens it.
    ImportPreviewDialog* preview(const std::string& file) {
        platform.prepareFileChoice(file);
        menu().importDraws();
        EXPECT_TRUE(WaitFor([&] { return !menu().busy() && menu().lastPreview() != nullptr; }));
        return menu().lastPreview();
    }
    // Waits for the preview asked for by a choice in the dialog.
    void settle(ImportPreviewDialog* dialog) {
        EXPECT_TRUE(WaitFor([&] { return !menu().busy() && dialog->summary()->text() != "正在读取…"; }));
    }
    // Chooses in a combo box of the dialog as the user does.
    void choose(ImportPreviewDialog* dialog, QComboBox* box, const QString& item) {
        const int index = box->findText(item);
        ASSERT_GE(index, 0) << item.toStdString();
        box->setCurrentIndex(index);
        emit box->activated(index);
        settle(dialog);
    }
    // 导入 in the preview (or 以文件为准 in a report); the report that follows.
    ImportReportDialog* reportAfter(QPushButton* button) {
        if (menu().lastReport() && menu().lastReport()->replaceButton() != button) menu().lastReport()->close();
        button->click();
        EXPECT_TRUE(WaitFor(
            [&] { return !menu().busy() && menu().lastReport() != nullptr && menu().lastReport()->isVisible(); }));
        return menu().lastReport();
    }
    ImportReportDialog* import(const std::string& file) { return reportAfter(preview(file)->importButton()); }
    // Picks the window's lottery and waits for its draw list (which brings the shipped draws).
    void selectLottery(int kind) {
        window->model().selectItem("组合框_彩种", kind);
        const std::string name = store().spec("组合框_彩种").items[static_cast<std::size_t>(kind)];
        ASSERT_TRUE(
            WaitFor([&] { return window->model().drawList().status().find(name + "暂无") != std::string::npos; }));
    }
    std::size_t stored(std::string_view lottery) {
        return history::HistoryDb::open(databasePath()).value().count(lottery).value();
    }
    QString header(const QTableWidget* table, int column) {
        return table->horizontalHeaderItem(column)->text().replace(QLatin1Char('\n'), QLatin1Char(' '));
    }

    QTemporaryDir data;
    TempFolder files;

private:
    QByteArray saved_;
};

TEST_F(HistoryMenuTest, MenuHoldsItsItems) {
    QMenu* found = FindHistoryMenu(*window);
    ASSERT_EQ(found, menu().menu());
    QStringList texts;
    for (QAction* action : found->actions()) texts << action->text();
    // After a separator, the analysis items (历史验证…, 走势图).
    EXPECT_EQ(texts, (QStringList{"导入开奖号码(&I)…", "从剪贴板导入(&P)…", "导出开奖号码(&E)…", "更新开奖数据(&U)",
                                  "开奖历史(&H)", "", "历史验证(&V)…", "走势图(&T)"}));
}

// The first lines with their columns named; a column picked anew reads the file again;
// 取消 stores nothing, 导入 stores what the preview showed.
TEST_F(HistoryMenuTest, ImportShowsAPreviewFirst) {
    selectLottery(4);  // 福彩3D
    const std::string file = write("d.csv",
                                   "issue,prize,hundred,ten,unit,sum\n2026144,816,8,1,6,15\n2026145,092,0,9,2,11\n"
                                   "2026999,123,1,2,3,6\n");
    ImportPreviewDialog* dialog = preview(file);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->lottery().name, "福彩3D");
    QTableWidget* table = dialog->table();
    ASSERT_EQ(table->columnCount(), 6);
    ASSERT_EQ(table->rowCount(), 4);
    EXPECT_EQ(header(table, 0), "1 期号");
    EXPECT_EQ(header(table, 1), "2 号码");
    EXPECT_EQ(header(table, 2), "3 忽略");
    EXPECT_EQ(table->item(1, 1)->text(), "816");
    EXPECT_TRUE(dialog->summary()->text().contains("共 4 行，找到 2 期开奖号码，1 行将被拒绝"));
    EXPECT_TRUE(dialog->summary()->text().contains("第 4 行：期号“2026999”"))
        << dialog->summary()->text().toStdString();
    EXPECT_FALSE(table->item(3, 0)->toolTip().isEmpty());

    const std::size_t shipped = stored("福彩3D");  // the shipped draws, which end in 2025
    choose(dialog, dialog->numberBox(), "第 3–5 列（每位一列）");
    EXPECT_EQ(header(table, 1), "2 忽略");
    EXPECT_EQ(header(table, 3), "4 十位");
    EXPECT_EQ(dialog->columns(), history::ParseColumnMap("期号=1,号码=3-5").value());
    dialog->reject();
    EXPECT_EQ(stored("福彩3D"), shipped);

    ImportReportDialog* report = import(file);
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->summary()->text().contains("新存入 2 期")) << report->summary()->text().toStdString();
}

TEST_F(HistoryMenuTest, DrawsOfAnotherDigitCountOfferTheirLottery) {
    ImportPreviewDialog* dialog = preview(write("d.txt", "2026144 816\n2026145 092\n"));  // into 重庆时时彩
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->notice()->isVisibleTo(dialog));
    EXPECT_TRUE(dialog->notice()->text().contains("像是福彩3D的")) << dialog->notice()->text().toStdString();
    EXPECT_FALSE(dialog->importButton()->isEnabled());
    dialog->betterLotteryButton()->click();
    settle(dialog);
    EXPECT_EQ(dialog->lotteryBox()->currentText(), "福彩3D");
    EXPECT_FALSE(dialog->notice()->isVisibleTo(dialog));
    EXPECT_TRUE(reportAfter(dialog->importButton())->summary()->text().contains("福彩3D"));
    EXPECT_EQ(history::HistoryDb::open(databasePath()).value().newest("福彩3D", 1).value()[0].issue, "2026145");
}

TEST_F(HistoryMenuTest, UndetectedColumnsShowTheFirstLineAndStoreNothing) {
    ImportPreviewDialog* dialog = preview(write("d.txt", "和值,跨度,形态\n15,7,组六\n12,5,组三\n"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->notice()->text().contains("无法识别期号和号码所在的列（第一行：“和值,跨度,形态”）"))
        << dialog->notice()->text().toStdString();
    EXPECT_FALSE(dialog->importButton()->isEnabled());
    EXPECT_EQ(dialog->issueBox()->currentIndex(), -1);
    EXPECT_EQ(dialog->table()->rowCount(), 3);
    dialog->reject();
}

// A table copied from a results page goes through the same preview; so does plain text.
TEST_F(HistoryMenuTest, PasteFromAResultsPage) {
    selectLottery(5);  // 排列三
    auto* mime = new QMimeData;
    mime->setHtml(
        "<meta charset='utf-8'><table><tr><th>期号</th><th>开奖日期</th><th>开奖号码</th><th>销售额</th></tr>"
        "<tr><td>2026302</td><td>2026-11-02（一）</td><td><b>9</b> <b>5</b> <b>3</b></td><td>1,234,567</td></tr>"
        "<tr><td>2026301</td><td>2026-11-01（日）</td><td><b>0</b> <b>7</b> <b>0</b></td><td>987,654</td></tr>"
        "</table>");
    mime->setText("期号 开奖日期 开奖号码");
    QApplication::clipboard()->setMimeData(mime);
    menu().importClipboard();
    ASSERT_TRUE(WaitFor([&] { return !menu().busy() && menu().lastPreview() != nullptr; }));
    ImportPreviewDialog* dialog = menu().lastPreview();
    EXPECT_EQ(dialog->columns(), history::ParseColumnMap("期号=1,号码=3,日期=2").value());
    EXPECT_EQ(dialog->table()->item(1, 2)->text(), "9 5 3");
    ImportReportDialog* report = reportAfter(dialog->importButton());
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->summary()->text().contains("来源：剪贴板"));
    EXPECT_TRUE(report->summary()->text().contains("新存入 2 期")) << report->summary()->text().toStdString();
    const auto draws = history::HistoryDb::open(databasePath()).value().between("排列三", "2026301", "").value();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].number, "070");
    EXPECT_EQ(draws[1].date, "2026-11-02");
    EXPECT_EQ(draws[1].source, "剪贴板");

    QApplication::clipboard()->setText("2026303 1 2 3\n");
    menu().importClipboard();
    ASSERT_TRUE(WaitFor([&] { return !menu().busy() && menu().lastPreview() != dialog; }));
    EXPECT_TRUE(reportAfter(menu().lastPreview()->importButton())->summary()->text().contains("新存入 1 期"));
}

// Draws of another digit count imported anyway (the preview offered their lottery): the
// report names it and previews the input again into it; its details show 12 lines.
TEST_F(HistoryMenuTest, ReportOfDrawsOfAnotherLotteryOffersIt) {
    ImportPreviewDialog* dialog = preview(
        write("d.txt", "241012001 12345\n241012002 23456\n2026144 816\n2026145 092\n2026146 123\n2026147 456\n"));
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->importButton()->isEnabled());
    ImportReportDialog* report = reportAfter(dialog->importButton());
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->summary()->text().contains("新存入 2 期")) << report->summary()->text().toStdString();
    const QPlainTextEdit* details = report->details();
    EXPECT_GE(details->viewport()->height(), ImportReportDialog::kLinesInView * details->fontMetrics().lineSpacing());
    ASSERT_NE(report->otherLotteryButton(), nullptr);
    EXPECT_TRUE(report->notice()->text().contains("像是福彩3D的")) << report->notice()->text().toStdString();
    report->otherLotteryButton()->click();
    ASSERT_TRUE(WaitFor([&] { return !menu().busy() && menu().lastPreview() != nullptr; }));
    EXPECT_EQ(menu().lastPreview()->lottery().name, "福彩3D");
    EXPECT_TRUE(menu().lastPreview()->summary()->text().contains("找到 4 期开奖号码"))
        << menu().lastPreview()->summary()->text().toStdString();
}

// 以文件为准 imports the file again, replacing the stored draws that differ, and lists them.
TEST_F(HistoryMenuTest, ReportOffersToTakeTheFilesNumbers) {
    import(write("a.txt", "241012001 11111\n241012002 22222\n"))->close();
    ImportReportDialog* report = import(write("b.txt", "241012001 11111\n241012002 99999\n241012003 33333\n"));
    ASSERT_NE(report, nullptr);
    ASSERT_NE(report->replaceButton(), nullptr);
    EXPECT_TRUE(report->details()->toPlainText().contains("第 2 行　期号 241012002：已存 22222，文件为 99999"));
    ImportReportDialog* replaced = reportAfter(report->replaceButton());
    ASSERT_NE(replaced, nullptr);
    EXPECT_EQ(replaced->replaceButton(), nullptr);
    EXPECT_TRUE(replaced->details()->toPlainText().contains("第 2 行　期号 241012002：原为 22222，改为 99999"))
        << replaced->details()->toPlainText().toStdString();
    EXPECT_EQ(history::HistoryDb::open(databasePath()).value().newest("重庆时时彩", 1).value()[0].number, "33333");
}

// A file of 福彩3D draws picked for 排列三 is stored only when the player says so.
TEST_F(HistoryMenuTest, DrawsOfTheOtherLotteryAreStoredOnlyWhenConfirmed) {
    const history::testing::OtherLotteryFile other;
    const std::string& file = other.file;
    {
        auto db = std::move(history::HistoryDb::open(databasePath()).value());
        ASSERT_TRUE(db.record("福彩3D", other.fc3d) && db.record("排列三", other.pl3));
    }
    selectLottery(5);
    platform.prepareMessageAnswer(MessageAnswer::No);
    preview(write("fc3d.txt", file))->importButton()->click();
    ASSERT_TRUE(WaitFor([&] { return !menu().busy() && platform.answeredMessages().size() == 1; }));
    EXPECT_NE(platform.answeredMessages()[0].text.find("是不是选错了彩种？"), std::string::npos);
    EXPECT_EQ(platform.answeredMessages()[0].buttons, MessageButtons::YesNoDefaultNo);
    platform.prepareMessageAnswer(MessageAnswer::Yes);
    ImportReportDialog* report = import(write("fc3d.txt", file));
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(platform.answeredMessages().size(), 2u);
    EXPECT_NE(report->replaceButton(), nullptr);  // stored beside the 排列三 draws, which stay
}

// The draw list of 福彩3D and an open 走势图 show an import at once; the list marks
// nothing before any 缩水.
TEST_F(HistoryMenuTest, TheDrawListAndTheTrendFollowAnImport) {
    selectLottery(4);
    TrendDialog* trend = window->analysis().showTrend();
    import(write("b.txt", "2026144 816\n2026145 092\n"))->close();
    ASSERT_TRUE(WaitFor([&] {
        const ReportRows& rows = store().rows("列表框_开奖");
        return !rows.empty() && rows.front()[0] == "2026145";
    }));
    EXPECT_EQ(store().rows("列表框_开奖").front(), (ReportRow{"2026145", "092", ""}));
    EXPECT_TRUE(trend->statusText().contains("2026145")) << trend->statusText().toStdString();
    trend->close();
}

// 更新开奖数据: without an address it says how to set one; with addresses, one line each
// with its rejected lines, and what was added reaches the draw list and the open trend.
TEST_F(HistoryMenuTest, UpdateSaysOneLinePerAddressAndTheViewsFollow) {
    platform.prepareMessageAnswer(MessageAnswer::Ok);
    menu().updateDraws();
    ASSERT_EQ(platform.answeredMessages().size(), 1u);
    EXPECT_NE(platform.answeredMessages()[0].text.find("\"history\"：彩种名 → 开奖文件的地址"), std::string::npos);

    selectLottery(4);
    TrendDialog* trend = window->analysis().showTrend();
    testing::LocalHttpServer server([](const testing::Request& request) {
        if (request.path == "/fc3d.csv")
            return testing::Ok("期号,号码,开奖日期\n2026144,816,2026-05-30\n2026145,8x6,\n");
        return testing::HttpReply(404, "Not Found", "");
    });
    const std::string good = server.base() + "/fc3d.csv", gone = server.base() + "/gone.csv";
    window->model().drawHosts().historyFiles = {{"福彩3D", {good, gone}}};
    platform.prepareMessageAnswer(MessageAnswer::Ok);
    menu().updateDraws();
    ASSERT_TRUE(WaitFor([&] { return platform.answeredMessages().size() == 2; }));
    const MessageRequest& report = platform.answeredMessages()[1];
    EXPECT_EQ(report.text, "更新开奖数据：\n福彩3D " + good + "：新增 1 期，已有 0 期，冲突 0 期，拒绝 1 行\n福彩3D " +
                               gone + "：失败：服务器回答 404（找不到文件）");
    EXPECT_EQ(report.icon, MessageIcon::Warning);
    ASSERT_TRUE(WaitFor([&] {
        const ReportRows& rows = store().rows("列表框_开奖");
        return !rows.empty() && rows.front()[0] == "2026144";
    }));
    EXPECT_TRUE(trend->statusText().contains("2026144")) << trend->statusText().toStdString();
    trend->close();
}

TEST_F(HistoryMenuTest, ImportReportListsConflictsAndTheFirstTwentyRejectedLines) {
    import(write("first.txt", "241012002 22222\n"))->close();
    std::string text = "期号,号码\n241012001 11111\n241012004 44444\n241012002 99999\n";
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
    EXPECT_EQ(platform.answeredMessages().back().buttons, MessageButtons::YesNoDefaultNo);
}

// 跳到期号 reads any spelling of an issue and selects its draw, or says why not (Return
// there presses no button); Delete in the list deletes after the question; Esc closes.
TEST_F(HistoryMenuTest, HistoryWindowJumpsDeletesByKeyAndClosesOnEsc) {
    import(write("draws.txt", "241012001 11111\n241012002 22222\n241012005 55555\n"))->close();
    menu().showHistory();
    HistoryWindow* history = menu().historyWindow();
    ASSERT_NE(history, nullptr);
    QTableView* table = history->table();
    const auto jump = [&](const char* typed) {
        history->jumpBox()->setText(QString::fromUtf8(typed));
        QTest::keyClick(history->jumpBox(), Qt::Key_Return);
        return history->jumpNote()->isVisibleTo(history) ? history->jumpNote()->text() : QString();
    };
    EXPECT_EQ(jump("20241012-002"), "");
    ASSERT_EQ(table->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(table->selectionModel()->selectedRows()[0].row(), 1);
    EXPECT_EQ(jump("241012003"), "开奖历史中没有重庆时时彩第 241012003 期");
    EXPECT_FALSE(jump("2024x").isEmpty());
    EXPECT_TRUE(platform.answeredMessages().empty())
        << "Return in the box asked " << platform.answeredMessages()[0].text;

    jump("241012002");
    platform.prepareMessageAnswer(MessageAnswer::No);
    QTest::keyClick(table, Qt::Key_Delete);
    EXPECT_EQ(table->model()->rowCount(), 3);
    platform.prepareMessageAnswer(MessageAnswer::Yes);
    QTest::keyClick(table, Qt::Key_Delete);
    ASSERT_EQ(table->model()->rowCount(), 2);
    EXPECT_EQ(table->model()->index(1, 0).data().toString(), "241012001");
    EXPECT_EQ(platform.answeredMessages().back().buttons, MessageButtons::YesNoDefaultNo);

    QTest::keyClick(table, Qt::Key_Escape);
    EXPECT_FALSE(history->isVisible());
}

// 导入… imports into the lottery the window shows, through the menu's import.
TEST_F(HistoryMenuTest, HistoryWindowImportsIntoItsLottery) {
    menu().showHistory();
    menu().historyWindow()->showLottery(*history::FindLottery("排列三"));
    platform.prepareFileChoice(write("p3.txt", "2026144 816\n"));
    menu().historyWindow()->importButton()->click();
    ASSERT_TRUE(WaitFor([&] { return !menu().busy() && menu().lastPreview() != nullptr; }));
    EXPECT_EQ(menu().lastPreview()->lottery().name, "排列三");
    EXPECT_EQ(platform.answeredFileDialogs().back().request.title, "导入开奖号码到排列三");
}

// Each dialog's 帮助 opens the help at its section; 口径说明 at the definitions.
TEST_F(HistoryMenuTest, HelpButtonsOpenTheirSections) {
    const auto section = [] { return OpenHelpWindow() ? OpenHelpWindow()->sections()->currentItem()->text() : ""; };
    const auto help = [&](QWidget* dialog) {
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->text() == "帮助") button->click();
        }
        return section();
    };
    menu().showHistory();
    EXPECT_EQ(help(menu().historyWindow()), "开奖历史");
    ImportPreviewDialog* dialog = preview(write("d.txt", "241012001 12345\n"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(help(dialog), "导入与导出");
    menu().historyWindow()->close();
    EXPECT_EQ(help(reportAfter(dialog->importButton())), "导入与导出");
    BacktestDialog* backtest = window->analysis().showBacktest();
    EXPECT_EQ(help(backtest), "历史验证");
    TrendDialog* trend = window->analysis().showTrend();
    EXPECT_EQ(help(trend), "走势图与遗漏");
    emit backtest->definitionsLink()->linkActivated("#");
    EXPECT_EQ(section(), "历史验证");
    emit trend->definitionsLink()->linkActivated("#");
    EXPECT_EQ(section(), "走势图与遗漏");
    EXPECT_EQ(OpenHelpWindow()->parentWidget(), window.get()) << "one help window, the one F1 opens";
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
    EXPECT_TRUE(menu().session().off());
    menu().importDraws();  // no second message, no file dialog
    menu().showHistory();
    EXPECT_EQ(platform.answeredMessages().size(), 1u);
    EXPECT_TRUE(platform.answeredFileDialogs().empty());
    EXPECT_EQ(ReadBytes(databasePath()), std::string(3000, '#'));
}

}  // namespace
}  // namespace sanxing::test
