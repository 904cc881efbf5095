// The back-test and trend dialogs over a real history database in a temporary folder.

#include <QChartView>
#include <QCheckBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTableView>
#include <QTreeWidget>

#include "gui/history/analysis_menu.h"
#include "gui/history/backtest_dialog.h"
#include "gui/history/history_menu.h"
#include "gui/history/range_bar.h"
#include "gui/history/trend_dialog.h"
#include "gui/history/trend_grid_model.h"
#include "gui_fixture.h"
#include "history/failing_vfs.h"
#include "history/history_db.h"
#include "history/history_fixture.h"
#include "runtime/temp_folder.h"

namespace sanxing::test {
namespace {

constexpr int k3d = 4;  // 福彩3D in the lottery list

class AnalysisDialogTest : public GuiTest {
protected:
    TempFolder folder;
    std::filesystem::path db = folder.file("history.sqlite");

    // 福彩3D draws from 2024001 on.
    void record(std::initializer_list<const char*> numbers) {
        auto opened = history::HistoryDb::open(db);
        ASSERT_TRUE(opened) << opened.error();
        std::vector<history::StoredDraw> draws;
        for (const char* number : numbers) {
            draws.push_back({std::to_string(2024001 + draws.size()), number, "", "test", ""});
        }
        ASSERT_TRUE(opened->record("福彩3D", draws));
    }
};

TEST_F(AnalysisDialogTest, BacktestShowsTheFiguresAndRunsAgainWhenConditionsChange) {
    record({"712", "700", "555", "123", "799", "341"});
    for (const char* box : {"选择框_百位7", "选择框_个位0", "选择框_个位1", "选择框_豹子"})
        store().setTicked(box, false);
    BacktestDialog dialog(window->model(), db);
    dialog.rangeBar().setLottery(k3d);
    EXPECT_TRUE(dialog.summaryText().contains(QStringLiteral("6 期"))) << dialog.summaryText().toStdString();
    EXPECT_TRUE(dialog.summaryText().contains(QStringLiteral("命中 1 期"))) << dialog.summaryText().toStdString();
    QAbstractItemModel* groups = dialog.table(1)->model();
    ASSERT_EQ(groups->rowCount(), 3);
    EXPECT_TRUE(groups->data(groups->index(0, 0), Qt::BackgroundRole).isValid());  // 百位 killed 3 > 0.6
    EXPECT_EQ(dialog.table(0)->model()->rowCount(), 4);
    EXPECT_EQ(dialog.table(2)->model()->rowCount(), 6);

    store().setTicked("选择框_百位7", true);
    EXPECT_TRUE(WaitFor([&] { return groups->rowCount() == 2; }));
    dialog.explain(QStringLiteral("700"));
    EXPECT_TRUE(dialog.explanationText().contains(QStringLiteral("错 1 个条件")))
        << dialog.explanationText().toStdString();
    dialog.explain(QStringLiteral("7x0"));
    EXPECT_TRUE(dialog.explanationText().contains(QStringLiteral("不是三位数")))
        << dialog.explanationText().toStdString();

    const std::string csv = folder.file("groups.csv");
    platform.prepareFileChoice(csv);
    dialog.showTab(1);
    dialog.exportTable();
    EXPECT_EQ(ReadBytes(csv).substr(0, ReadBytes(csv).find('\n')),
              "序号,条件,通过注数,杀中期数,随机期望,距上次杀中,最长连杀,最长连过");
}

TEST_F(AnalysisDialogTest, BacktestSaysHowToImportAndWhatRangeWasUsed) {
    BacktestDialog empty(window->model(), db);
    empty.rangeBar().setLottery(k3d);
    EXPECT_TRUE(empty.summaryText().contains(QStringLiteral("导入开奖号码"))) << empty.summaryText().toStdString();
    EXPECT_EQ(empty.table(2)->model()->rowCount(), 0);

    record({"123", "456"});
    BacktestDialog dialog(window->model(), db);
    dialog.rangeBar().setLottery(k3d);
    dialog.rangeBar().setIssues(QStringLiteral("2024x"), QString());
    EXPECT_TRUE(dialog.summaryText().contains(QStringLiteral("期号只含数字"))) << dialog.summaryText().toStdString();
    dialog.rangeBar().setIssues(QStringLiteral("2023001"), QStringLiteral("2024009"));
    EXPECT_EQ(dialog.result().draws.size(), 2u);
}

// QChartView::setChart releases the chart it replaces: a rerun must delete it, or every
// range or condition change leaves a chart with its series and axes behind.
TEST_F(AnalysisDialogTest, RerunsDeleteTheChartsTheyReplace) {
    record({"123", "456"});
    BacktestDialog backtest(window->model(), db);
    TrendDialog trend(platform, db);
    std::vector<QPointer<QChart>> shown;
    for (int run = 1; run <= 200; ++run) {
        for (RangeBar* bar : {&backtest.rangeBar(), &trend.rangeBar()}) bar->setLottery(run % 2 ? k3d : 0);
        for (const QDialog* dialog : {static_cast<QDialog*>(&backtest), static_cast<QDialog*>(&trend)})
            for (const QChartView* view : dialog->findChildren<QChartView*>()) shown.emplace_back(view->chart());
    }
    EXPECT_EQ(std::count_if(shown.begin(), shown.end(), [](const QPointer<QChart>& c) { return !c.isNull(); }), 3);
}

// A read that fails after the history was opened is named as a failure; the player is
// never told to import draws that are there.
TEST_F(AnalysisDialogTest, AFailedReadIsReportedNotTakenForAnEmptyHistory) {
    {
        auto opened = history::HistoryDb::open(db);
        ASSERT_TRUE(opened && opened->record("福彩3D", history::testing::Fc3dDraws(3000)));
    }
    test::FailingVfs vfs;
    BacktestDialog backtest(window->model(), db);  // on the window's lottery, which has no draws
    TrendDialog trend(platform, db);
    trend.reload();
    vfs.failReadsAfter(0);
    backtest.rangeBar().setLottery(k3d);
    trend.rangeBar().setLottery(k3d);
    for (const QString& text : {backtest.summaryText(), trend.statusText()}) {
        EXPECT_TRUE(text.contains(QStringLiteral("disk I/O error"))) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("还没有开奖历史"))) << text.toStdString();
    }
}

TEST_F(AnalysisDialogTest, TrendGridMarksDrawnDigitsAndEndsWithTheSummaryRows) {
    record({"123", "455", "123", "777", "120"});
    TrendDialog dialog(platform, db);
    dialog.rangeBar().setLottery(k3d);
    const TrendGridModel& grid = dialog.gridModel();
    ASSERT_EQ(grid.rowCount(), 5 + TrendGridModel::kSummaryRows);
    const auto cell = [&](int row, int column) { return grid.data(grid.index(row, column), Qt::DisplayRole); };
    const int hundreds4 = TrendGridModel::kFirstDigitColumn + 4;
    EXPECT_EQ(cell(1, hundreds4).toInt(), 4);  // drawn: shows the digit
    EXPECT_EQ(cell(4, hundreds4).toInt(), 3);  // omission since row 1
    EXPECT_EQ(cell(5, TrendGridModel::kIssueColumn).toString(), QStringLiteral("出现次数"));
    EXPECT_EQ(cell(5, hundreds4).toInt(), 1);
    EXPECT_EQ(cell(8, hundreds4).toInt(), 3);  // 当前遗漏
    EXPECT_EQ(cell(0, TrendGridModel::kShapeColumn).toString(), QStringLiteral("组六"));
    dialog.omissionToggle()->setChecked(false);
    EXPECT_FALSE(cell(4, hundreds4).isValid());
    EXPECT_EQ(cell(1, hundreds4).toInt(), 4);

    const std::string png = folder.file("trend.png");
    platform.prepareFileChoice(png);
    dialog.exportPicture();
    EXPECT_EQ(ReadBytes(png).substr(1, 3), "PNG");
    const std::string csv = folder.file("trend.csv");
    platform.prepareFileChoice(csv);
    dialog.exportFigures();
    EXPECT_NE(ReadBytes(csv).find("百位,4,1,3,3,2.00\n"), std::string::npos) << ReadBytes(csv);
}

TEST_F(AnalysisDialogTest, TrendWithoutHistoryOrWithOneDraw) {
    TrendDialog dialog(platform, db);
    dialog.rangeBar().setLottery(k3d);
    EXPECT_TRUE(dialog.statusText().contains(QStringLiteral("导入开奖号码")));
    EXPECT_EQ(dialog.gridModel().rowCount(), 0);
    record({"123"});
    dialog.reload();
    EXPECT_EQ(dialog.gridModel().rowCount(), 1 + TrendGridModel::kSummaryRows);
}

TEST_F(AnalysisDialogTest, HistoryMenuItemsAndExplainFromTheResultBoxAndTheDrawList) {
    QStringList items;
    for (QAction* action : window->history().menu()->actions()) items << action->text();
    EXPECT_TRUE(items.contains(QStringLiteral("历史验证(&V)…"))) << items.join(' ').toStdString();
    EXPECT_TRUE(items.contains(QStringLiteral("走势图(&T)")));

    AnalysisMenu& analysis = window->analysis();
    auto* result = widget<QPlainTextEdit>("编辑框_结果");
    store().setText("编辑框_结果", "123 456 ");
    QTextCursor cursor = result->textCursor();
    cursor.setPosition(5);
    EXPECT_EQ(analysis.resultNumberAt(result->cursorRect(cursor).center()), QStringLiteral("456"));

    store().setRows("列表框_开奖", {{"140512023", "71234", ""}});
    store().select("组合框_验证", 1);  // 中三
    auto* draws = widget<QTreeWidget>("列表框_开奖");
    ASSERT_TRUE(WaitFor([&] { return draws->topLevelItemCount() == 1; }));
    const QPoint row = draws->visualItemRect(draws->topLevelItem(0)).center();
    EXPECT_EQ(analysis.drawNumberAt(row), QStringLiteral("123"));

    store().setTicked("选择框_百位7", false);
    platform.prepareMessageAnswer(MessageAnswer::Ok);
    analysis.explain(QStringLiteral("712"));
    ASSERT_FALSE(platform.answeredMessages().empty());
    EXPECT_NE(platform.answeredMessages().back().text.find("错 1 个条件：1 百位"), std::string::npos);
    platform.prepareMessageAnswer(MessageAnswer::Ok);
    analysis.explain(QStringLiteral("71"));
    EXPECT_NE(platform.answeredMessages().back().text.find("不是三位数"), std::string::npos);

    // Open dialogs go with the window, before the controls they watch.
    ASSERT_NE(analysis.showBacktest(), nullptr);
    ASSERT_NE(analysis.showTrend(), nullptr);
    window.reset();
}

}  // namespace
}  // namespace sanxing::test
