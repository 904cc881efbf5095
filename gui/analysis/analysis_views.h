#pragma once
// Pieces that the back-test and trend dialogs share: the history they read, table views, chart replacement, 查号 text,
// and saving a table as CSV or a widget as PNG.

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "analysis/backtest.h"
#include "gui/analysis/range_bar.h"
#include "history/history_db.h"

class QAbstractItemModel;
class QChart;
class QChartView;
class QDialog;
class QHBoxLayout;
class QImage;
class QTableView;
class QWidget;

namespace sanxing {

class Platform;
class RememberedFolder;

// The row of buttons under a dialog: `actions` on the left, 帮助 (the help at
// `helpSection`) and 关闭 on the right.
QHBoxLayout* DialogButtons(QDialog& dialog, const std::vector<std::pair<QString, std::function<void()>>>& actions,
                           std::string_view helpSection);

// A read-only table view over `model`; `sortable` puts a proxy between them that sorts by
// the model's Qt::UserRole values.
QTableView* MakeTableView(QAbstractItemModel* model, bool sortable);

// Shows `chart` in `view` and deletes the chart it showed before: QChartView::setChart
// releases the old chart to the caller instead of deleting it.
void ReplaceChart(QChartView& view, QChart* chart);

// "123 错 2 个条件：1 百位、3 个位" (or that it fails none).
QString ExplanationText(const analysis::Explanation& explanation, const analysis::Conditions& conditions);

// Asks for a file (save dialog through the platform, starting in the exports' folder,
// which then becomes the chosen file's) and writes the model's rows as CSV, whole or not
// at all; a failure is reported in a message box. UTF-8 with a byte order mark, so that
// Excel and WPS read the Chinese; numbers stay plain digits ("030").
void SaveModelAsCsv(Platform& platform, RememberedFolder& folder, const QAbstractItemModel& model,
                    const QString& defaultName);

// Asks for a file the same way and writes `image` as PNG, whole or not at all; true when written.
bool SaveImageAsPng(Platform& platform, RememberedFolder& folder, const QImage& image, const QString& defaultName);

// Asks for a file and writes the widget's picture as PNG.
void SaveWidgetAsPng(Platform& platform, RememberedFolder& folder, QWidget& widget, const QString& defaultName);

}  // namespace sanxing
