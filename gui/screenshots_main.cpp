// sanxing-screenshots [--plain] [--sample-draws] [--history] [--analysis DB] DIR [WIDTHxHEIGHT]:
// writes DIR/0-ad.png with the ad panel, one PNG per condition page and the help window
// (help.png, help-search.png), then lists every control that the layout cuts off. Exit
// code 1 when something is cut off. The window
// wears its skin as at start-up; --plain leaves it in the default look, for comparison;
// --sample-draws fills the draw list with a few made-up draws to show how it looks;
// --history imports made-up draws into a history in a temporary folder and adds the
// import preview, the import report and the history window; --analysis DB also writes the
// 历史验证 and 走势图 dialogs over the 福彩3D draws of the history database DB, with a few
// conditions set (every tab, the trend over every draw, and its first two grids again with 连线).

#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <iostream>

#include "gui/analysis/range_bar.h"
#include "gui/application.h"
#include "gui/backtest/backtest_compare_page.h"
#include "gui/backtest/backtest_dialog.h"
#include "gui/binding/control_widgets.h"
#include "gui/help/help_window.h"
#include "gui/history/history_menu.h"
#include "gui/layout_check.h"
#include "gui/main_window.h"
#include "gui/platform/qt_platform.h"
#include "gui/style/skin.h"
#include "gui/trend/trend_dialog.h"

namespace {

bool Save(QWidget& window, const QString& path) {
    QApplication::processEvents();
    const bool saved = window.grab().save(path);
    std::cout << (saved ? "wrote " : "cannot write ") << path.toStdString() << '\n';
    return saved;
}

// The two analysis dialogs, each tab of them, over the 福彩3D draws of `database`.
bool SaveAnalysisDialogs(sanxing::MainWindow& window, const std::string& database, const QDir& dir) {
    for (const char* box : {"选择框_百位7", "选择框_十位3", "选择框_个位0", "选择框_豹子"}) {
        window.model().controls().setTicked(box, false);
    }
    window.model().controls().setText("组合框_容错", "0-1");
    bool saved = true;
    sanxing::HistorySession history(database);
    sanxing::BacktestDialog backtest(window.model(), history, &window.settings());
    backtest.rangeBar().setLottery(4);
    backtest.rangeBar().setAll();
    backtest.show();
    backtest.explain(QStringLiteral("703"));
    // Two schemes to compare: the conditions with a wider tolerance, and with one group less.
    const QTemporaryDir schemes;
    QStringList files;
    for (const char* text : {R"({"组合框_容错": "0-2"})", R"({"选择框_百位7": true})"}) {
        files << schemes.filePath(QStringLiteral("方案%1.json").arg(files.size() + 1));
        QFile file(files.back());
        saved &= file.open(QIODevice::WriteOnly) && file.write(text) > 0;
    }
    backtest.comparePage().compareWith(files);
    for (int tab = 0; tab < 6; ++tab) {
        backtest.showTab(tab);
        saved &= Save(backtest, dir.filePath(QStringLiteral("backtest-%1.png").arg(tab)));
    }
    sanxing::TrendDialog trend(window.model().platform(), history);
    trend.rangeBar().setLottery(4);
    trend.rangeBar().setAll();
    trend.reload();
    trend.show();
    for (int tab = 0; tab <= sanxing::TrendDialog::kChartsTab; ++tab) {
        trend.showTab(tab);
        saved &= Save(trend, dir.filePath(QStringLiteral("trend-%1.png").arg(tab)));
    }
    trend.lineToggle()->setChecked(true);
    for (int tab = 0; tab < 2; ++tab) {
        trend.showTab(tab);
        saved &= Save(trend, dir.filePath(QStringLiteral("trend-%1-连线.png").arg(tab)));
    }
    return saved;
}

// A few 福彩3D draws and two 时时彩 ones imported into 重庆时时彩 anyway: the report that
// names the lottery the draws fit.
bool SaveOtherLotteryReport(sanxing::HistoryMenu& menu, sanxing::QtPlatform& platform,
                            const std::function<bool(const std::function<bool()>&)>& waitFor, const QDir& dir) {
    QTemporaryDir files;
    const QString path = files.filePath(QStringLiteral("福彩3D.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write("20241012-001 12345\n20241012-002 23456\n");
    for (int day = 100; day < 130; ++day)
        file.write(QStringLiteral("2024%1 %2\n").arg(day).arg(day * 7 % 1000, 3, 10, QLatin1Char('0')).toUtf8());
    file.close();
    platform.prepareFileChoice(path.toStdString());
    menu.importDraws();
    if (!waitFor([&menu] { return menu.lastPreview() != nullptr; })) return false;
    menu.lastPreview()->importButton()->click();
    if (!waitFor([&menu] { return menu.lastReport() != nullptr; })) return false;
    const bool saved = Save(*menu.lastReport(), dir.filePath(QStringLiteral("history-import-report-other.png")));
    menu.lastReport()->close();
    return saved;
}

// Three days of made-up draws with a few missing and a few bad lines, imported through
// the menu; then the report and the history window.
bool SaveHistory(sanxing::MainWindow& window, sanxing::QtPlatform& platform, const QDir& dir) {
    QTemporaryDir files;
    const QString path = files.filePath(QStringLiteral("开奖号码.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    // A player's spreadsheet: the digits a column each, then their sum and span.
    file.write("期号,开奖日期,万位,千位,百位,十位,个位,和值,跨度\r\n");
    for (int day = 10; day <= 12; ++day) {
        for (int serial = 1; serial <= 40; ++serial) {
            if (serial % 17 == 0) continue;
            const int n = day * 131 + serial * 7919;
            const int digits[5] = {n % 10, n / 10 % 10, n / 100 % 10, n / 1000 % 10, n / 7 % 10};
            const auto [low, high] = std::minmax_element(digits, digits + 5);
            QString line = QStringLiteral("202410%1-%2,2024-10-%1").arg(day).arg(serial, 3, 10, QLatin1Char('0'));
            for (const int digit : digits) line += QStringLiteral(",%1").arg(digit);
            line += QStringLiteral(",%1,%2\r\n")
                        .arg(digits[0] + digits[1] + digits[2] + digits[3] + digits[4])
                        .arg(*high - *low);
            file.write(line.toUtf8());
            if (day == 10 && serial == 4) file.write("20241310-005,2024-13-10,1,2,3,4,5,15,4\r\n");
        }
    }
    file.write("20241012-041,2024-10-12,1,2,3\r\n");
    file.close();
    sanxing::HistoryMenu& menu = window.history();
    platform.prepareFileChoice(path.toStdString());
    menu.importDraws();
    // The preview and the import of a few lines take moments; a minute means they are stuck.
    const auto waitFor = [&menu](const std::function<bool()>& done) {
        const QDeadlineTimer deadline(60'000);
        QTimer wake;  // an event now and then, so that the wait sees the deadline
        wake.start(100);
        while ((menu.busy() || !done()) && !deadline.hasExpired()) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return done();
    };
    if (!waitFor([&menu] { return menu.lastPreview() != nullptr; })) {
        std::cerr << "the import preview did not come\n";
        return false;
    }
    bool saved = Save(*menu.lastPreview(), dir.filePath(QStringLiteral("history-import-preview.png")));
    menu.lastPreview()->importButton()->click();
    if (!waitFor([&menu] { return menu.lastReport() != nullptr; })) {
        std::cerr << "the history import did not finish\n";
        return false;
    }
    saved &= Save(*menu.lastReport(), dir.filePath(QStringLiteral("history-import-report.png")));
    menu.lastReport()->close();
    menu.showHistory();
    saved &= Save(*menu.historyWindow(), dir.filePath(QStringLiteral("history-window.png")));
    menu.historyWindow()->jumpTo(QStringLiteral("20241011-017"));
    saved &= Save(*menu.historyWindow(), dir.filePath(QStringLiteral("history-window-jump.png")));
    menu.historyWindow()->close();
    return SaveOtherLotteryReport(menu, platform, waitFor, dir) && saved;
}

int Report(const std::string& where, const std::vector<std::string>& problems) {
    for (const std::string& problem : problems) std::cout << where << ": " << problem << '\n';
    return problems.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    sanxing::InitialiseToolkit(app);
    QStringList args = QApplication::arguments();
    const bool plain = args.removeAll(QStringLiteral("--plain")) > 0;
    const bool sampleDraws = args.removeAll(QStringLiteral("--sample-draws")) > 0;
    const bool history = args.removeAll(QStringLiteral("--history")) > 0;
    QTemporaryDir historyData;  // the made-up history never touches the user's own
    if (history) qputenv("XDG_DATA_HOME", historyData.path().toUtf8());
    std::string analysisDatabase;
    if (const int at = args.indexOf(QStringLiteral("--analysis")); at > 0 && at + 1 < args.size()) {
        analysisDatabase = args[at + 1].toStdString();
        args.remove(at, 2);
    }
    if (args.size() < 2) {
        std::cerr << "usage: sanxing-screenshots [--plain] [--sample-draws] [--history] [--analysis DB] DIR "
                     "[WIDTHxHEIGHT]\n";
        return 2;
    }
    const QDir dir(args[1]);
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        std::cerr << "cannot create " << args[1].toStdString() << '\n';
        return 2;
    }
    sanxing::QtPlatform platform;
    // The window as a first start shows it, whatever the user's own settings remember.
    const QTemporaryDir settings;
    sanxing::MainWindow window(platform, nullptr, settings.filePath(QStringLiteral("settings.ini")));
    if (args.size() > 2) {
        const QStringList size = args[2].split(QLatin1Char('x'));
        if (size.size() == 2) window.resize(size[0].toInt(), size[1].toInt());
    }
    if (sampleDraws) {
        window.model().controls().setRows(
            "列表框_开奖", {{"140512023", "33333", "错"}, {"140512022", "22222", "对"}, {"140512021", "11111", ""}});
    }
    window.show();
    // The skin as start-up puts it on, once the window is up.
    if (!plain) sanxing::AttachSkin(window);
    int failed = 0;
    if (!Save(window, dir.filePath(QStringLiteral("0-ad.png")))) failed = 1;
    failed |= Report("ad panel", sanxing::LayoutProblems(window));

    window.model().click("按钮1");
    auto* tabs = window.widgets().get<QTabWidget>("高级选择夹1");
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        const QString name =
            QString::number(page + 1) + QLatin1Char('-') + tabs->tabText(page) + QStringLiteral(".png");
        if (!Save(window, dir.filePath(name))) failed = 1;
        failed |= Report(tabs->tabText(page).toStdString(), sanxing::LayoutProblems(window));
    }
    for (const char* region : {"图片框1", "图片框15", "选择夹_基本", "选择夹_其他", "选择夹_两码", "选择夹_组合",
                               "选择夹_容错1", "选择夹_容错2", "选择夹_容错3"}) {
        const QSize least = window.widgets().get(region)->minimumSizeHint();
        std::cout << region << " needs at least " << least.width() << "x" << least.height() << '\n';
    }
    for (const char* region : {"高级选择夹1", "图片框1", "图片框15", "编辑框_A", "列表框_开奖"}) {
        QWidget* w = window.widgets().get(region);
        std::cout << region << " hint " << w->sizeHint().width() << "x" << w->sizeHint().height() << " size "
                  << w->width() << "x" << w->height() << '\n';
    }
    std::cout << "window " << window.width() << "x" << window.height() << '\n';
    sanxing::HelpWindow help(&window);
    help.show();
    if (!Save(help, dir.filePath(QStringLiteral("help.png")))) failed = 1;
    help.search()->setText(QStringLiteral("遗漏"));
    if (!Save(help, dir.filePath(QStringLiteral("help-search.png")))) failed = 1;
    help.close();
    if (history && !SaveHistory(window, platform, dir)) failed = 1;
    if (!analysisDatabase.empty() && !SaveAnalysisDialogs(window, analysisDatabase, dir)) failed = 1;
    return failed;
}
