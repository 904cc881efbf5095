#include "gui/history/import_report_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace sanxing {

QString ImportDetails(const history::ImportReport& report) {
    QStringList lines;
    const std::size_t conflicts = report.conflicts.size() + report.conflictsNotListed;
    if (conflicts > 0) {
        lines << QStringLiteral("冲突（同一期号、不同号码，保留已存的号码）：");
        for (const auto& c : report.conflicts) {
            lines << QStringLiteral("第 %1 行　期号 %2：已存 %3，文件为 %4")
                         .arg(c.line)
                         .arg(QString::fromStdString(c.issue), QString::fromStdString(c.stored),
                              QString::fromStdString(c.file));
        }
        if (report.conflictsNotListed) lines << QStringLiteral("……另有 %1 处冲突").arg(report.conflictsNotListed);
    }
    const std::size_t rejected = report.rejected.size() + report.rejectedNotListed;
    if (rejected > 0) {
        if (!lines.isEmpty()) lines << QString();
        lines << QStringLiteral("被拒绝的行：");
        for (std::size_t i = 0; i < report.rejected.size() && i < ImportReportDialog::kRejectedShown; ++i) {
            lines << QStringLiteral("第 %1 行：%2")
                         .arg(report.rejected[i].line)
                         .arg(QString::fromStdString(report.rejected[i].reason));
        }
        if (rejected > ImportReportDialog::kRejectedShown) {
            lines << QStringLiteral("……共 %1 行被拒绝，只列出前 %2 行")
                         .arg(rejected)
                         .arg(ImportReportDialog::kRejectedShown);
        }
    }
    return lines.join(QLatin1Char('\n'));
}

ImportReportDialog::ImportReportDialog(const std::string& file, const history::Lottery& lottery,
                                       const history::ImportReport& report, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("导入开奖号码"));
    setAttribute(Qt::WA_DeleteOnClose);
    summary_ = new QLabel(QStringLiteral("文件：%1\n彩种：%2\n%3")
                              .arg(QString::fromStdString(file), QString::fromUtf8(lottery.name),
                                   QString::fromStdString(history::ImportSummary(report))));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    details_ = new QPlainTextEdit(ImportDetails(report));
    details_->setReadOnly(true);
    details_->setVisible(!details_->toPlainText().isEmpty());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(details_, 1);
    layout->addWidget(buttons);
    resize(520, details_->isVisible() ? 400 : 140);
}

}  // namespace sanxing
