#include "gui/history/import_report_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/help/help_window.h"
#include "history/draw_preview.h"

namespace sanxing {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QString ConflictLine(const history::ImportConflict& c) {
    if (c.otherLine) {
        return QStringLiteral("第 %1 行　期号 %2：文件为 %3，与第 %4 行不同，都不存入")
            .arg(c.line)
            .arg(Q(c.issue), Q(c.file))
            .arg(c.otherLine);
    }
    return QStringLiteral("第 %1 行　期号 %2：已存 %3，文件为 %4").arg(c.line).arg(Q(c.issue), Q(c.stored), Q(c.file));
}

}  // namespace

QString ImportDetails(const history::ImportReport& report) {
    QStringList lines;
    if (report.conflictCount() > 0) {
        lines << QStringLiteral("冲突（同一期号、不同号码；与已存的冲突时保留已存的号码）：");
        for (const auto& c : report.conflicts) lines << ConflictLine(c);
        if (report.conflictsNotListed) lines << QStringLiteral("……另有 %1 处冲突").arg(report.conflictsNotListed);
    }
    if (report.replacedCount() > 0) {
        if (!lines.isEmpty()) lines << QString();
        lines << QStringLiteral("以文件为准替换的开奖号码：");
        for (const auto& r : report.replaced) {
            lines << QStringLiteral("第 %1 行　期号 %2：原为 %3，改为 %4")
                         .arg(r.line)
                         .arg(Q(r.issue), Q(r.before), Q(r.after));
        }
        if (report.replacedNotListed) lines << QStringLiteral("……另有 %1 期").arg(report.replacedNotListed);
    }
    const std::size_t rejected = report.rejectedCount();
    if (rejected > 0) {
        if (!lines.isEmpty()) lines << QString();
        lines << QStringLiteral("被拒绝的行：");
        for (std::size_t i = 0; i < report.rejected.size() && i < ImportReportDialog::kRejectedShown; ++i) {
            lines << QStringLiteral("第 %1 行：%2").arg(report.rejected[i].line).arg(Q(report.rejected[i].reason));
        }
        if (rejected > ImportReportDialog::kRejectedShown) {
            lines << QStringLiteral("……共 %1 行被拒绝，只列出前 %2 行")
                         .arg(rejected)
                         .arg(ImportReportDialog::kRejectedShown);
        }
    }
    return lines.join(QLatin1Char('\n'));
}

ImportReportDialog::ImportReportDialog(const QString& source, const history::Lottery& lottery,
                                       const history::ImportReport& report, std::function<void()> replace,
                                       std::function<void(const history::Lottery&)> importInto, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("导入开奖号码"));
    setAttribute(Qt::WA_DeleteOnClose);
    summary_ = new QLabel(QStringLiteral("来源：%1\n彩种：%2\n%3")
                              .arg(source, QString::fromUtf8(lottery.name), Q(history::ImportSummary(report))));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const QString details = ImportDetails(report);
    details_ = new QPlainTextEdit(details);
    details_->setReadOnly(true);
    details_->setMinimumHeight(details_->fontMetrics().lineSpacing() * kLinesInView +
                               static_cast<int>(2 * details_->document()->documentMargin()) +
                               2 * details_->frameWidth());
    details_->setVisible(!details.isEmpty());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->addButton(HelpButton(*this, "import"), QDialogButtonBox::HelpRole);
    if (replace) {
        replace_ = buttons->addButton(QStringLiteral("以文件为准"), QDialogButtonBox::ActionRole);
        replace_->setToolTip(QStringLiteral("再导入一次，用文件中的号码替换与之不同的已存号码，并列出每一期"));
        connect(replace_, &QPushButton::clicked, this, [this, replace = std::move(replace)] {
            close();
            replace();
        });
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    if (report.better != nullptr && report.rejectedCount() > 0 && importInto) {
        addOtherLotteryOffer(*report.better, lottery, std::move(importInto), *layout);
    }
    layout->addWidget(details_, 1);
    layout->addWidget(buttons);
    resize(std::max(560, sizeHint().width()), sizeHint().height());
}

void ImportReportDialog::addOtherLotteryOffer(const history::Lottery& better, const history::Lottery& chosen,
                                              std::function<void(const history::Lottery&)> importInto,
                                              QVBoxLayout& layout) {
    notice_ = new QLabel(Q(history::OtherLotteryNotice(better, chosen)));
    notice_->setWordWrap(true);
    notice_->setStyleSheet(QStringLiteral("color: #a05000;"));
    otherLottery_ = new QPushButton(QStringLiteral("导入到%1…").arg(QString::fromUtf8(better.name)));
    otherLottery_->setToolTip(QStringLiteral("再预览一次，导入到%1").arg(QString::fromUtf8(better.name)));
    connect(otherLottery_, &QPushButton::clicked, this, [this, &better, importInto = std::move(importInto)] {
        close();
        importInto(better);
    });
    auto* row = new QHBoxLayout;
    row->addWidget(notice_, 1);
    row->addWidget(otherLottery_);
    layout.addLayout(row);
}

}  // namespace sanxing
