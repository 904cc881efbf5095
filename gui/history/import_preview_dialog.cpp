#include "gui/history/import_preview_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/help/help_window.h"
#include "runtime/text.h"

namespace sanxing {

namespace {

using history::ColumnMap;
using Kind = history::ParsedLine::Kind;

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

// The number's choice as combo data: its first field and how many fields it takes.
int NumberChoice(int first, int fields) { return first * 100 + fields; }

QString FieldName(int field) { return QStringLiteral("第 %1 列").arg(field + 1); }

// The columns to offer: every field of the first lines, and those the columns name.
int OfferedWidth(const history::ImportPreview& preview) {
    const ColumnMap& c = preview.detection.columns;
    return std::max({static_cast<int>(preview.width), c.issue + 1, c.number + c.numberFields, c.date + 1, 1});
}

void Select(QComboBox* box, int data) { box->setCurrentIndex(box->findData(data)); }

}  // namespace

ImportPreviewDialog::ImportPreviewDialog(const QString& source, const history::Lottery& lottery, PreviewRequest request,
                                         QWidget* parent)
    : QDialog(parent), request_(std::move(request)) {
    setWindowTitle(QStringLiteral("导入开奖号码：预览"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* sourceLabel = new QLabel(QStringLiteral("来源：%1").arg(source));
    sourceLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lotteryBox_ = new QComboBox;
    for (const history::Lottery& each : history::Lotteries()) lotteryBox_->addItem(Q(each.name));
    lotteryBox_->setCurrentIndex(lottery.kindIndex);
    // Room for the longest name beside the arrow, whatever the style's own hint says.
    lotteryBox_->setMinimumWidth(lotteryBox_->fontMetrics().horizontalAdvance(QStringLiteral("重庆时时彩")) + 48);
    notice_ = new QLabel;
    notice_->setWordWrap(true);
    notice_->setVisible(false);
    better_ = new QPushButton;
    better_->setVisible(false);
    issueBox_ = new QComboBox;
    numberBox_ = new QComboBox;
    dateBox_ = new QComboBox;
    table_ = new QTableWidget;
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    summary_ = new QLabel;
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox;
    import_ = buttons->addButton(QStringLiteral("导入"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    buttons->addButton(HelpButton(*this, "import"), QDialogButtonBox::HelpRole);

    auto* top = new QHBoxLayout;
    top->addWidget(sourceLabel, 1);
    top->addWidget(new QLabel(QStringLiteral("导入到")));
    top->addWidget(lotteryBox_);
    auto* noticeRow = new QHBoxLayout;
    noticeRow->addWidget(notice_, 1);
    noticeRow->addWidget(better_);
    auto* columnRow = new QHBoxLayout;
    for (auto [caption, box] :
         {std::pair{QStringLiteral("期号"), issueBox_}, std::pair{QStringLiteral("号码"), numberBox_},
          std::pair{QStringLiteral("日期"), dateBox_}}) {
        columnRow->addWidget(new QLabel(caption));
        columnRow->addWidget(box);
        columnRow->addSpacing(8);
    }
    columnRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(noticeRow);
    layout->addLayout(columnRow);
    layout->addWidget(table_, 1);
    layout->addWidget(summary_);
    layout->addWidget(buttons);
    resize(760, 560);

    connect(lotteryBox_, &QComboBox::activated, this, [this] { lotteryPicked(); });
    for (QComboBox* box : {issueBox_, numberBox_, dateBox_}) {
        connect(box, &QComboBox::activated, this, [this] { columnsPicked(); });
    }
    connect(better_, &QPushButton::clicked, this, [this] {
        if (!betterLottery_) return;
        lotteryBox_->setCurrentIndex(betterLottery_->kindIndex);
        lotteryPicked();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showWaiting();
}

const history::Lottery& ImportPreviewDialog::lottery() const {
    return history::Lotteries()[static_cast<std::size_t>(std::max(0, lotteryBox_->currentIndex()))];
}

void ImportPreviewDialog::showWaiting() {
    import_->setEnabled(false);
    summary_->setStyleSheet({});
    summary_->setText(QStringLiteral("正在读取…"));
}

void ImportPreviewDialog::showPreview(const Result<history::ImportPreview>& preview) {
    if (!preview) {
        import_->setEnabled(false);
        summary_->setStyleSheet(QStringLiteral("color: #b00000;"));
        summary_->setText(Q(preview.error()));
        return;
    }
    columns_ = preview->detection.columns;
    fillColumnBoxes(OfferedWidth(*preview));
    fillTable(*preview);
    showNotices(*preview);
    QStringList lines{Q(history::PreviewSummary(*preview))};
    for (const history::ImportRejection& refused : preview->refusals) {
        lines << QStringLiteral("第 %1 行：%2").arg(refused.line).arg(Q(refused.reason));
    }
    if (preview->refused > preview->refusals.size()) lines << QStringLiteral("……");
    summary_->setStyleSheet({});
    summary_->setText(lines.join(QLatin1Char('\n')));
    import_->setEnabled(columns_.complete() && preview->draws > 0);
}

void ImportPreviewDialog::fillColumnBoxes(int width) {
    const int digits = lottery().digits;
    issueBox_->clear();
    numberBox_->clear();
    dateBox_->clear();
    dateBox_->addItem(QStringLiteral("无"), -1);
    for (int field = 0; field < width; ++field) {
        issueBox_->addItem(FieldName(field), field);
        numberBox_->addItem(FieldName(field), NumberChoice(field, 1));
        if (field + digits <= width) {
            numberBox_->addItem(QStringLiteral("第 %1–%2 列（每位一列）").arg(field + 1).arg(field + digits),
                                NumberChoice(field, digits));
        }
        dateBox_->addItem(FieldName(field), field);
    }
    // Room for the longest item beside the arrow, whatever the style's own hint says.
    for (QComboBox* box : {issueBox_, numberBox_, dateBox_}) {
        int widest = 0;
        for (int i = 0; i < box->count(); ++i) {
            widest = std::max(widest, box->fontMetrics().horizontalAdvance(box->itemText(i)));
        }
        box->setMinimumWidth(widest + 48);
    }
    Select(issueBox_, columns_.issue);
    Select(numberBox_, columns_.number < 0 ? -1 : NumberChoice(columns_.number, columns_.numberFields));
    Select(dateBox_, columns_.date);
}

void ImportPreviewDialog::fillTable(const history::ImportPreview& preview) {
    const int width = issueBox_->count();
    table_->clear();
    table_->setColumnCount(width);
    table_->setRowCount(static_cast<int>(preview.firstLines.size()));
    QStringList headers;
    for (int field = 0; field < width; ++field) {
        headers << QStringLiteral("%1\n%2").arg(field + 1).arg(Q(history::ColumnRole(columns_, field, lottery())));
    }
    table_->setHorizontalHeaderLabels(headers);
    QStringList lineNumbers;
    const QColor refusedBack(0xfd, 0xe4, 0xe4), ignoredText(0x80, 0x80, 0x80);
    for (int row = 0; row < table_->rowCount(); ++row) {
        const history::PreviewLine& line = preview.firstLines[static_cast<std::size_t>(row)];
        lineNumbers << QString::number(line.number);
        for (int field = 0; field < static_cast<int>(line.fields.size()) && field < width; ++field) {
            auto* item = new QTableWidgetItem(Q(ShownText(line.fields[static_cast<std::size_t>(field)])));
            const bool used = history::ColumnRole(columns_, field, lottery()) != "忽略";
            if (line.kind == Kind::Header || !used) item->setForeground(ignoredText);
            if (line.kind == Kind::Rejected) {
                item->setBackground(refusedBack);
                item->setToolTip(Q(line.reason));
            }
            table_->setItem(row, field, item);
        }
    }
    table_->setVerticalHeaderLabels(lineNumbers);
}

void ImportPreviewDialog::showNotices(const history::ImportPreview& preview) {
    // Draws of another lottery need that lottery, not other columns.
    betterLottery_ = preview.detection.better;
    QString notice;
    if (betterLottery_) {
        notice = Q(history::OtherLotteryNotice(*betterLottery_, lottery()));
        better_->setText(QStringLiteral("改为%1").arg(Q(betterLottery_->name)));
    } else if (!preview.problem.empty()) {
        notice = Q(preview.problem) + QStringLiteral("。请在上面选出期号和号码所在的列。");
    }
    notice_->setText(notice);
    notice_->setStyleSheet(preview.problem.empty() ? QStringLiteral("color: #a05000;")
                                                   : QStringLiteral("color: #b00000;"));
    notice_->setVisible(!notice.isEmpty());
    better_->setVisible(betterLottery_ != nullptr);
}

void ImportPreviewDialog::columnsPicked() {
    if (issueBox_->currentIndex() < 0 || numberBox_->currentIndex() < 0) return;  // both are needed
    ColumnMap picked;
    picked.issue = issueBox_->currentData().toInt();
    const int number = numberBox_->currentData().toInt();
    picked.number = number / 100;
    picked.numberFields = number % 100;
    picked.date = dateBox_->currentIndex() < 0 ? -1 : dateBox_->currentData().toInt();
    if (picked.holdsNumber(picked.issue) || picked.holdsNumber(picked.date) || picked.issue == picked.date) {
        import_->setEnabled(false);
        summary_->setStyleSheet(QStringLiteral("color: #b00000;"));
        summary_->setText(QStringLiteral("期号、号码和日期不能在同一列。"));
        return;
    }
    showWaiting();
    request_(lottery(), picked);
}

void ImportPreviewDialog::lotteryPicked() {
    showWaiting();
    request_(lottery(), std::nullopt);
}

}  // namespace sanxing
