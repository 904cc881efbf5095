#include "gui/analysis/analysis_views.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLineSeries>
#include <QPixmap>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QValueAxis>

#include "gui/analysis/value_table_model.h"
#include "gui/help/help_window.h"
#include "gui/platform/remembered_folder.h"
#include "runtime/platform.h"
#include "runtime/text.h"
#include "tools/safe_file_write.h"

namespace sanxing {

namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

std::optional<std::string> AskForFile(Platform& platform, RememberedFolder& folder, const QString& title,
                                      const char* filter, const QString& defaultName) {
    auto path = platform.saveFileDialog({title.toStdString(), filter, folder.start(), defaultName.toStdString()});
    if (path) folder.rememberFolderOf(*path);
    return path;
}

void ReportWriteFailure(Platform& platform, const std::string& path, const std::string& reason) {
    platform.messageBox("无法写入文件：" + path + "\n" + reason, "导出", MessageIcon::Error, MessageButtons::Ok);
}

}  // namespace

QHBoxLayout* DialogButtons(QDialog& dialog, const std::vector<std::pair<QString, std::function<void()>>>& actions,
                           std::string_view helpSection) {
    auto* row = new QHBoxLayout;
    for (const auto& [caption, action] : actions) {
        auto* button = new QPushButton(caption);
        QObject::connect(button, &QPushButton::clicked, &dialog, action);
        row->addWidget(button);
    }
    row->addStretch(1);
    row->addWidget(HelpButton(dialog, helpSection));
    auto* close = new QPushButton(QStringLiteral("关闭"));
    QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::close);
    row->addWidget(close);
    return row;
}

QTableView* MakeTableView(QAbstractItemModel* model, bool sortable) {
    auto* view = new QTableView;
    if (sortable) {
        auto* proxy = new QSortFilterProxyModel(view);
        proxy->setSourceModel(model);
        proxy->setSortRole(Qt::UserRole);
        view->setModel(proxy);
        view->setSortingEnabled(true);
        view->sortByColumn(0, Qt::AscendingOrder);
    } else {
        view->setModel(model);
    }
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setAlternatingRowColors(true);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    // Fixed row heights keep long tables quick to scroll.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->setDefaultSectionSize(
        view->fontMetrics().horizontalAdvance(QStringLiteral("距上次杀中")) + 16);
    return view;
}

void ReplaceChart(QChartView& view, QChart* chart) {
    QChart* old = view.chart();
    view.setChart(chart);
    delete old;
}

QString ExplanationText(const analysis::Explanation& e, const analysis::Conditions& conditions) {
    const QString number = Q(e.number);
    const QString verdict = e.inResult ? QStringLiteral("在容错 %1 的结果中").arg(Q(conditions.toleranceText()))
                                       : QStringLiteral("不在容错 %1 的结果中").arg(Q(conditions.toleranceText()));
    if (e.failed.empty()) return QStringLiteral("%1 不错任何条件，%2。").arg(number, verdict);
    QStringList names;
    for (const analysis::GroupName& g : e.failed) names << QStringLiteral("%1 %2").arg(g.row).arg(Q(g.name));
    return QStringLiteral("%1 错 %2 个条件：%3；%4。")
        .arg(number)
        .arg(e.failures)
        .arg(names.join(QStringLiteral("、")), verdict);
}

void SaveModelAsCsv(Platform& platform, RememberedFolder& folder, const QAbstractItemModel& model,
                    const QString& defaultName) {
    const auto path =
        AskForFile(platform, folder, QStringLiteral("导出CSV"), "CSV 文件(*.csv)|*.csv", defaultName + ".csv");
    if (!path) return;
    const QByteArray bytes = ModelText(model, ',', true).toUtf8();
    const std::string text =
        std::string(kUtf8Bom) + std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (auto written = WriteFileWhole(*path, text); !written) ReportWriteFailure(platform, *path, written.error());
}

bool SaveImageAsPng(Platform& platform, RememberedFolder& folder, const QImage& image, const QString& defaultName) {
    const auto path =
        AskForFile(platform, folder, QStringLiteral("导出图片"), "PNG 图片(*.png)|*.png", defaultName + ".png");
    if (!path) return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        ReportWriteFailure(platform, *path, "无法生成图片");
        return false;
    }
    if (auto written = WriteFileWhole(*path, std::string_view(bytes.constData(), bytes.size())); !written) {
        ReportWriteFailure(platform, *path, written.error());
        return false;
    }
    return true;
}

void SaveWidgetAsPng(Platform& platform, RememberedFolder& folder, QWidget& widget, const QString& defaultName) {
    (void)SaveImageAsPng(platform, folder, widget.grab().toImage(), defaultName);
}

}  // namespace sanxing
