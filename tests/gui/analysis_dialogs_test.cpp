// The back-test and trend dialogs over a real history database in a temporary folder.

#include <QCategoryAxis>
#include <QChartView>
#include <QCheckBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>
#include <QTreeWidget>
#include <QValueAxis>

#include "gui/analysis/analysis_menu.h"
#include "gui/analysis/range_bar.h"
#include "gui/backtest/backtest_compare_page.h"
#include "gui/backtest/backtest_dialog.h"
#include "gui/backtest/backtest_money_page.h"
#include "gui/history/history_menu.h"
#include "gui/platform/window_settings.h"
#include "gui/trend/trend_charts.h"
#include "gui/trend/trend_dialog.h"
#include "gui/trend/trend_grid_model.h"
#include "gui/trend/trend_grid_view.h"
#include "gui/trend/trend_picture.h"
#include "gui_fixture.h"
#include "history/failing_vfs.h"
#include "history/history_db.h"
#include "history/history_fixture.h"
#include "runtime/temp_folder.h"
#include "services/statement_count.h"

namespace sanxing::test {
namespace {

constexpr int k3d = 4;  // 福彩3D in the lottery list

// The column of a trend grid's `index`-th category column.
int at(int index) { return TrendGridModel::kFirstCategoryColumn + index; }

class AnalysisDialogTest : public GuiTest {
protected:
    TempFolder folder;
    std::filesystem::path db = folder.file("history.sqlite");
    HistorySession session{db};

    // 福彩3D draws from 2024001 on.
    void record(std::initializer_list<const char*> numbers) {
        std::vector<history::StoredDraw> draws;
        for (const char* number : numbers) {
            draws.push_back({std::to_string(2024001 + draws.size()), number, "", "test", ""});
        }
        record(draws);
    }
    void record(const std::vector<history::StoredDraw>& draws) {
        auto opened = history::HistoryDb::open(db);
        ASSERT_TRUE(opened) << opened.error();
        ASSERT_TRUE(opened->record("福彩3D", draws));
    }
};

// The trend window over the hand-worked history of the trend figures: 123 455 780 before
// the range, 123 777 120 309 998 in it (2024004 to 2024008).
class TrendDialogTest : public AnalysisDialogTest {
protected:
    void SetUp() override {
        AnalysisDialogTest::SetUp();
        record({"123", "455", "780", "123", "777", "120", "309", "998"});
        dialog = std::make_unique<TrendDialog>(platform, session);
        dialog->rangeBar().setLottery(k3d);
        dialog->rangeBar().setIssues(QStringLiteral("2024004"), QStringLiteral("2024008"));
    }
    QString cell(int tab, int row, int column) const {
        const TrendGridModel& grid = dialog->gridModel(tab);
        return grid.data(grid.index(row, column), Qt::DisplayRole).toString();
    }
    std::unique_ptr<TrendDialog> dialog;
};

TEST_F(AnalysisDialogTest, BacktestShowsTheFiguresAndRunsAgainWhenConditionsChange) {
    record({"712", "700", "555", "123", "799", "341"});
    for (const char* box : {"选择框_百位7", "选择框_个位0", "选择框_个位1", "选择框_豹子"})
        store().setTicked(box, false);
    BacktestDialog dialog(window->model(), session);
    dialog.rangeBar().setLottery(k3d);
    EXPECT_TRUE(dialog.summaryText().contains(QStringLiteral("6 期"))) << dialog.summaryText().toStdString();
    EXPECT_TRUE(dialog.summaryText().contains(QStringLiteral("命中 1 期"))) << dialog.summaryText().toStdString();
    // 1 hit against 6 × 0.713: binom.test(1, 6, 0.713) = P(0) + P(1) = 0.0089.
    EXPECT_TRUE(dialog.verdictText().startsWith(QStringLiteral("比随机少 3.3 期，显著（p = 0.0089）")))
        << dialog.verdictText().toStdString();
    QAbstractItemModel* groups = dialog.table(1)->model();
    ASSERT_EQ(groups->rowCount(), 3);
    // 百位 killed 3 of 6 against 0.6: p = 0.01585 < 0.05 / 3; 个位's 2 against 1.2 does not stand out.
    EXPECT_TRUE(groups->data(groups->index(0, 0), Qt::BackgroundRole).isValid());
    EXPECT_FALSE(groups->data(groups->index(1, 0), Qt::BackgroundRole).isValid());
    EXPECT_TRUE(dialog.groupsLegendText().contains(QStringLiteral("0.05 ÷ 3 个生效条件 = 0.017")))
        << dialog.groupsLegendText().toStdString();
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
              "\xEF\xBB\xBF序号,条件,通过注数,杀中期数,随机期望,距上次杀中,最长连杀,最长连过,p 值");
}

// A range change reads the history once; a change of the conditions not at all.
TEST_F(AnalysisDialogTest, BacktestReachesTheDatabaseOncePerRangeChange) {
    testing::StatementCount statements(db);
    record({"712", "700", "555", "123", "799", "341"});
    BacktestDialog dialog(window->model(), session);
    dialog.rangeBar().setLottery(k3d);
    const std::vector<std::function<void()>> changes = {
        [&] { dialog.rangeBar().setNewest(300); },
        [&] { dialog.rangeBar().setAll(); },
        [&] { dialog.rangeBar().setIssues(QStringLiteral("2024002"), QStringLiteral("2024005")); },
        [&] { dialog.rangeBar().setLottery(k3d + 1); },
    };
    for (const auto& change : changes) {
        const int before = statements.count();
        change();
        EXPECT_EQ(statements.count() - before, 1);
    }
    dialog.rangeBar().setLottery(k3d);
    const int before = statements.count();
    QAbstractItemModel* groups = dialog.table(1)->model();
    ASSERT_EQ(groups->rowCount(), 0);
    store().setTicked("选择框_百位7", false);
    EXPECT_TRUE(WaitFor([&] { return groups->rowCount() == 1; }));
    EXPECT_EQ(statements.count(), before);
}

// Tolerance 0-0 under the conditions above: 713 注 a draw, one hit in six 2024 draws.
TEST_F(AnalysisDialogTest, BacktestMoneyKeepsPricesPerLotteryAndRefusesBadOnes) {
    record({"712", "700", "555", "123", "799", "341"});
    for (const char* box : {"选择框_百位7", "选择框_个位0", "选择框_个位1", "选择框_豹子"})
        store().setTicked(box, false);
    const QString settingsFile = QString::fromStdString(folder.file("settings.ini"));
    WindowSettings settings(settingsFile);
    BacktestDialog dialog(window->model(), session, &settings);
    dialog.rangeBar().setLottery(k3d);
    QAbstractItemModel* money = dialog.table(4)->model();
    const auto cell = [](QAbstractItemModel* m, int row, int column) {
        return m->data(m->index(row, column), Qt::DisplayRole).toString();
    };
    EXPECT_EQ(cell(money, 0, 1), QStringLiteral("8556"));  // 6 × 713 × 2 元
    EXPECT_EQ(cell(money, 0, 2), QStringLiteral("1040"));  // one 直选 prize
    EXPECT_EQ(cell(money, 0, 3), QStringLiteral("-7516"));
    EXPECT_EQ(cell(money, 1, 2), QStringLiteral("4449.12"));  // 6 × 713 / 1000 × 1040
    EXPECT_EQ(cell(money, 1, 4), QStringLiteral("52.0%"));
    QAbstractItemModel* years = dialog.table(3)->model();
    ASSERT_EQ(years->rowCount(), 1);
    EXPECT_EQ(cell(years, 0, 0), QStringLiteral("2024"));
    EXPECT_EQ(cell(years, 0, 5), QStringLiteral("0.0089"));

    for (const auto& [price, prize] : {std::pair{"0", "1040"}, {"2", "-1"}, {"两元", "1040"}, {"2", ""}}) {
        platform.prepareMessageAnswer(MessageAnswer::Ok);
        dialog.moneyPage().enterPrices(QString::fromUtf8(price), QString::fromUtf8(prize));
        EXPECT_EQ(dialog.moneyPage().prices(), (analysis::Prices{2, 1040})) << price << ' ' << prize;
    }
    EXPECT_EQ(platform.answeredMessages().size(), 4u);
    EXPECT_NE(platform.answeredMessages()[0].text.find("须是 1 到 1000000 之间的整数"), std::string::npos);
    dialog.moneyPage().enterPrices(QStringLiteral("1"), QStringLiteral("500"));
    EXPECT_EQ(cell(money, 0, 3), QStringLiteral("-3778"));  // 500 − 6 × 713
    EXPECT_EQ(cell(dialog.table(5)->model(), 0, 7), QStringLiteral("-3778"));
    settings.save();

    WindowSettings again(settingsFile);
    BacktestDialog next(window->model(), session, &again);
    next.rangeBar().setLottery(k3d);
    EXPECT_EQ(next.moneyPage().prices(), (analysis::Prices{1, 500}));
    next.rangeBar().setLottery(0);  // 重庆时时彩 keeps its own
    EXPECT_EQ(next.moneyPage().prices(), (analysis::Prices{2, 1000}));

    // A kept amount that is not one gives way to the default; the other stays.
    QSettings(settingsFile, QSettings::IniFormat).setValue(QStringLiteral("backtest/price4"), QStringLiteral("-3"));
    EXPECT_EQ(WindowSettings(settingsFile).prices(*history::FindLottery("福彩3D")), (analysis::Prices{2, 500}));
}

// Each scheme is tried on a copy of the controls: the window's stay as they are.
TEST_F(AnalysisDialogTest, BacktestComparesSchemesAndNamesThoseLeftOut) {
    record({"712", "700", "555", "123"});
    store().setTicked("选择框_百位7", false);
    const auto scheme = [&](const char* name, const char* text) {
        WriteBytes(folder.file(name), text);
        return QString::fromStdString(folder.file(name));
    };
    const QString all = scheme("all.json", R"({"选择框_百位7": true})");
    const QString wide = scheme("wide.json", R"({"组合框_容错": "0-1"})");
    const QString broken = scheme("broken.json", "{");
    const QString base = scheme("base.json", R"({"编辑框_大底": "123"})");
    BacktestDialog dialog(window->model(), session);
    dialog.rangeBar().setLottery(k3d);
    QAbstractItemModel* compare = dialog.table(5)->model();
    EXPECT_EQ(compare->rowCount(), 1);  // the current conditions alone

    platform.prepareMessageAnswer(MessageAnswer::Ok);
    dialog.comparePage().compareWith({all, broken, base, wide, all, all, all});
    ASSERT_EQ(platform.answeredMessages().size(), 1u);
    const std::string& left = platform.answeredMessages()[0].text;
    EXPECT_NE(left.find("broken.json：方案无法使用：文件内容不是有效的 JSON"), std::string::npos) << left;
    EXPECT_NE(left.find("“编辑框_大底”不属于方案"), std::string::npos) << left;
    EXPECT_NE(left.find("最多对比 4 个方案"), std::string::npos) << left;
    ASSERT_EQ(compare->rowCount(), 5);
    const auto cell = [&](int row, int column) {
        return compare->data(compare->index(row, column), Qt::DisplayRole).toString();
    };
    EXPECT_EQ(cell(0, 0), QStringLiteral("当前条件"));
    EXPECT_EQ(cell(0, 3), QStringLiteral("2"));  // 555 and 123
    EXPECT_EQ(cell(1, 0), QStringLiteral("all.json"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("0"));  // no active group
    EXPECT_EQ(cell(1, 2), QStringLiteral("1000"));
    EXPECT_EQ(cell(1, 6), QStringLiteral("1"));
    EXPECT_EQ(cell(2, 0), QStringLiteral("wide.json"));
    EXPECT_EQ(cell(2, 3), QStringLiteral("4"));  // 0-1 takes the draws 百位 kills
    EXPECT_FALSE(store().ticked("选择框_百位7"));
    EXPECT_EQ(store().text("组合框_容错"), "0-0");

    platform.prepareFileChoice(wide.toStdString());
    dialog.comparePage().choose();
    EXPECT_EQ(compare->rowCount(), 2);
}

// Where the three digits are the whole number, 三码 would repeat 号码 and is not shown; a
// 查号 error goes when the range changes.
TEST_F(AnalysisDialogTest, BacktestHidesARepeatedColumnAndAStaleLookupError) {
    record({"123", "456"});
    ASSERT_TRUE(history::HistoryDb::open(db).value().record("重庆时时彩", {{"241012001", "12345"}}));
    BacktestDialog dialog(window->model(), session);
    dialog.rangeBar().setLottery(k3d);
    EXPECT_TRUE(dialog.table(2)->isColumnHidden(2));
    dialog.rangeBar().setLottery(0);  // 重庆时时彩, 前三
    EXPECT_FALSE(dialog.table(2)->isColumnHidden(2));
    EXPECT_EQ(dialog.table(2)->model()->index(0, 2).data().toString(), "123");

    dialog.explain(QStringLiteral("7x0"));
    EXPECT_TRUE(dialog.explanationText().contains(QStringLiteral("不是三位数")));
    dialog.rangeBar().setLottery(k3d);
    EXPECT_EQ(dialog.explanationText(), "");
    dialog.explain(QStringLiteral("123"));
    dialog.rangeBar().setLottery(0);
    EXPECT_TRUE(dialog.explanationText().startsWith(QStringLiteral("123 "))) << "a good answer stays";
}

TEST_F(AnalysisDialogTest, BacktestWithoutActiveGroupsSaysSoInsteadOfAPlot) {
    record({"123", "456"});
    BacktestDialog dialog(window->model(), session);
    dialog.rangeBar().setLottery(k3d);
    auto* label = qobject_cast<QLabel*>(dialog.curveView());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("没有生效的条件"));
    // Every draw hits, as chance does: nothing to test, and no NaN on screen.
    EXPECT_TRUE(dialog.verdictText().contains(QStringLiteral("没有可检验的差别")))
        << dialog.verdictText().toStdString();
    store().setTicked("选择框_百位1", false);
    EXPECT_TRUE(WaitFor([&] { return qobject_cast<QChartView*>(dialog.curveView()) != nullptr; }));
}

TEST_F(AnalysisDialogTest, BacktestSaysHowToImportAndWhatRangeWasUsed) {
    BacktestDialog empty(window->model(), session);
    empty.rangeBar().setLottery(k3d);
    EXPECT_TRUE(empty.summaryText().contains(QStringLiteral("导入开奖号码"))) << empty.summaryText().toStdString();
    EXPECT_EQ(empty.table(2)->model()->rowCount(), 0);

    record({"123", "456"});
    BacktestDialog dialog(window->model(), session);
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
    BacktestDialog backtest(window->model(), session);
    TrendDialog trend(platform, session);
    std::vector<QPointer<QChart>> shown;
    for (int run = 1; run <= 200; ++run) {
        for (RangeBar* bar : {&backtest.rangeBar(), &trend.rangeBar()}) bar->setLottery(run % 2 ? k3d : 0);
        for (const QDialog* dialog : {static_cast<QDialog*>(&backtest), static_cast<QDialog*>(&trend)})
            for (const QChartView* view : dialog->findChildren<QChartView*>()) shown.emplace_back(view->chart());
    }
    // The back-test's curve, year and money charts, the trend's two.
    EXPECT_EQ(std::count_if(shown.begin(), shown.end(), [](const QPointer<QChart>& c) { return !c.isNull(); }), 5);
}

// A read that fails after the history was opened is named as a failure; the player is
// never told to import draws that are there.
TEST_F(AnalysisDialogTest, AFailedReadIsReportedNotTakenForAnEmptyHistory) {
    {
        auto opened = history::HistoryDb::open(db);
        ASSERT_TRUE(opened && opened->record("福彩3D", history::testing::Fc3dDraws(3000)));
    }
    test::FailingVfs vfs;
    BacktestDialog backtest(window->model(), session);  // on the window's lottery, which has no draws
    TrendDialog trend(platform, session);
    trend.reload();
    vfs.failReadsAfter(0);
    backtest.rangeBar().setLottery(k3d);
    trend.rangeBar().setLottery(k3d);
    for (const QString& text : {backtest.summaryText(), trend.statusText()}) {
        EXPECT_TRUE(text.contains(QStringLiteral("disk I/O error"))) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("还没有开奖历史"))) << text.toStdString();
    }
}

TEST_F(TrendDialogTest, GridsShowValuesWhereDrawnAndOmissionCountedBackThroughTheHistory) {
    ASSERT_EQ(dialog->gridModel(0).rowCount(), 5 + TrendGridModel::kSummaryRows);
    const int hundreds4 = at(4);
    EXPECT_EQ(cell(0, 0, hundreds4), "2");  // last drawn two draws before the range
    EXPECT_EQ(cell(0, 4, hundreds4), "6");
    EXPECT_EQ(cell(0, 1, at(7)), "7");  // drawn: shows the digit
    EXPECT_EQ(cell(0, 5, TrendGridModel::kIssueColumn), "出现次数");
    EXPECT_EQ(cell(0, 5 + 2, hundreds4), "6");  // 最大遗漏: the run that began before the range
    EXPECT_EQ(cell(0, 0, dialog->gridModel(0).columnCount() - 1), "组六");
    EXPECT_EQ(cell(1, 1, at(0)), "大");  // 形态走势, 百位大小: 777
    EXPECT_EQ(cell(1, 1, at(1)), "1");   // 小 last in 123, the draw before
    EXPECT_EQ(cell(1, 0, at(6)), "4");   // 百位012路 0: never, 1 4 7 1 all 1路
    EXPECT_EQ(cell(2, 4, at(9)), "9");   // 组选: 998 has 9 and 8
    EXPECT_EQ(cell(2, 4, at(8)), "8");
    EXPECT_EQ(cell(2, 4, at(0)), "1");
    EXPECT_EQ(cell(3, 1, at(21)), "21");                   // 和值 of 777
    EXPECT_EQ(cell(3, 5 + 3, at(28 + 10 + 10 + 1)), "0");  // 当前遗漏 of 组三: 998
    EXPECT_EQ(dialog->gridModel(3).hitColumn(4, 3), at(28 + 10 + 10 + 1));
    dialog->omissionToggle()->setChecked(false);
    EXPECT_EQ(cell(0, 4, hundreds4), "");
    EXPECT_EQ(cell(1, 1, at(0)), "大");
    EXPECT_NE(dialog->statusText().indexOf(QStringLiteral("历史中的 8 期")), -1) << dialog->statusText().toStdString();

    const std::string csv = folder.file("trend.csv");
    platform.prepareFileChoice(csv);
    dialog->exportFigures();
    const std::string bytes = ReadBytes(csv);
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    for (const char* line :
         {"\n百位,4,0,6,6,5.00\n", "\n百位大小,大,2,0,2,1.00\n", "\n组选,9,2,0,6,1.00\n", "\n和尾,6,2,0,3,1.00\n"}) {
        EXPECT_NE(bytes.find(line), std::string::npos) << line << bytes;
    }
}

// The picture of a grid: every row under a title, whatever the screen shows; past
// kMaxPictureRows the newest ones, and it says so.
TEST_F(AnalysisDialogTest, TrendPictureHoldsTheWholeGridUnderATitle) {
    record(history::testing::Fc3dDraws(kMaxPictureRows + 5));  // draw k has the number k + 1
    TrendDialog dialog(platform, session);
    dialog.rangeBar().setLottery(k3d);
    dialog.rangeBar().setAll();
    dialog.lineToggle()->setChecked(true);
    const TrendGridView& view = *dialog.grid(0);
    const std::string png = folder.file("trend.png");
    platform.prepareFileChoice(png);
    dialog.exportPicture();
    const QImage picture(QString::fromStdString(png));
    const int top = PictureTitleHeight(view.font()) + view.horizontalHeader()->sizeHint().height();
    const int rowHeight = view.verticalHeader()->defaultSectionSize();
    EXPECT_EQ(picture.width(), view.gridWidth() + 1);
    EXPECT_EQ(picture.height(), top + (kMaxPictureRows + TrendGridModel::kSummaryRows) * rowHeight + 1);
    EXPECT_NE(dialog.statusText().indexOf(QStringLiteral("最新 1000 期（共 1005 期）")), -1)
        << dialog.statusText().toStdString();
    // The first row is draw 5 (number 006): its 个位 6 is marked, 个位 5 is not.
    const auto ballColour = [&](int column) {
        const int x = view.horizontalHeader()->sectionPosition(column) + 3 * view.columnWidth(column) / 10;
        return QColor(picture.pixel(x, top + rowHeight / 2));
    };
    EXPECT_EQ(ballColour(at(26)), dialog.gridModel(0).hitColour(2));
    EXPECT_EQ(ballColour(at(25)), dialog.gridModel(0).groupBackground(2));

    dialog.showTab(TrendDialog::kChartsTab);
    platform.prepareFileChoice(png);
    dialog.exportPicture();
    EXPECT_EQ(QImage(QString::fromStdString(png)).width(), (kMaxPictureRows + 5) * 8);
}

TEST_F(AnalysisDialogTest, TrendChartsShowTheNewestHundredByIssueWithIntegerTicks) {
    record(history::testing::Fc3dDraws(400));
    TrendDialog dialog(platform, session);
    dialog.rangeBar().setLottery(k3d);
    dialog.rangeBar().setAll();
    TrendCharts& charts = dialog.charts();
    const auto xAxis = [&] { return static_cast<QCategoryAxis*>(charts.sumView()->chart()->axes(Qt::Horizontal)[0]); };
    EXPECT_DOUBLE_EQ(xAxis()->min(), 299.5);
    EXPECT_DOUBLE_EQ(xAxis()->max(), 399.5);
    const QStringList labels = xAxis()->categoriesLabels();
    ASSERT_FALSE(labels.isEmpty());
    EXPECT_EQ(labels.back(), QStringLiteral("2024400"));  // the newest draw's issue
    EXPECT_LE(labels.size(), TrendCharts::kWindow / 2);   // thinned
    auto* y = static_cast<QValueAxis*>(charts.sumView()->chart()->axes(Qt::Vertical)[0]);
    EXPECT_EQ(y->tickType(), QValueAxis::TicksDynamic);
    EXPECT_DOUBLE_EQ(y->tickInterval(), 3);
    EXPECT_DOUBLE_EQ(y->tickAnchor(), 0);
    auto* series = static_cast<QXYSeries*>(charts.spanView()->chart()->series()[0]);
    EXPECT_TRUE(series->pointsVisible());
    EXPECT_EQ(charts.pointText(0, 399), QStringLiteral("2024400期 和值 4"));  // 400
    charts.scrollBar()->setValue(0);
    EXPECT_DOUBLE_EQ(xAxis()->max(), 99.5);
    EXPECT_TRUE(xAxis()->categoriesLabels().contains(QStringLiteral("2024100")));

    dialog.rangeBar().setIssues(QStringLiteral("2026001"), QString());
    EXPECT_TRUE(charts.sumView()->chart()->title().contains(QStringLiteral("没有")))
        << dialog.statusText().toStdString();
}

TEST_F(AnalysisDialogTest, TrendWithoutHistoryOrWithOneDraw) {
    TrendDialog dialog(platform, session);
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
