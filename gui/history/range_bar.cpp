#include "gui/history/range_bar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace sanxing {

namespace {

constexpr int kAll = 0;
constexpr int kIssueRange = -1;

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

}  // namespace

RangeBar::RangeBar(const std::vector<int>& newestCounts, QWidget* parent) : QWidget(parent) {
    lottery_ = new QComboBox;
    for (const history::Lottery& lottery : history::Lotteries()) lottery_->addItem(Q(lottery.name));
    range_ = new QComboBox;
    for (const int count : newestCounts) range_->addItem(QStringLiteral("最新 %1 期").arg(count), count);
    range_->addItem(QStringLiteral("全部"), kAll);
    range_->addItem(QStringLiteral("期号范围"), kIssueRange);
    from_ = new QLineEdit;
    to_ = new QLineEdit;
    for (QLineEdit* edit : {from_, to_}) {
        edit->setMaxLength(20);
        edit->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("202412345678")));
    }
    from_->setPlaceholderText(QStringLiteral("起始期号"));
    to_->setPlaceholderText(QStringLiteral("结束期号"));
    position_ = new QComboBox;
    for (const std::string_view name : analysis::kPositionNames) position_->addItem(Q(name));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("彩种")));
    row->addWidget(lottery_);
    row->addSpacing(8);
    row->addWidget(new QLabel(QStringLiteral("范围")));
    row->addWidget(range_);
    row->addWidget(from_);
    row->addWidget(new QLabel(QStringLiteral("至")));
    row->addWidget(to_);
    row->addSpacing(8);
    row->addWidget(new QLabel(QStringLiteral("位置")));
    row->addWidget(position_);
    row->addStretch(1);

    const auto emitChanged = [this] {
        updateEnabled();
        emit changed();
    };
    connect(lottery_, &QComboBox::currentIndexChanged, this, emitChanged);
    connect(range_, &QComboBox::currentIndexChanged, this, emitChanged);
    connect(position_, &QComboBox::currentIndexChanged, this, emitChanged);
    connect(from_, &QLineEdit::editingFinished, this, emitChanged);
    connect(to_, &QLineEdit::editingFinished, this, emitChanged);
    updateEnabled();
}

void RangeBar::setLottery(int kindIndex) {
    if (kindIndex >= 0 && kindIndex < lottery_->count()) lottery_->setCurrentIndex(kindIndex);
}

void RangeBar::setPosition(analysis::Position position) { position_->setCurrentIndex(static_cast<int>(position)); }

void RangeBar::setNewest(int count) {
    const int index = range_->findData(count);
    if (index >= 0) range_->setCurrentIndex(index);
}

void RangeBar::setIssues(const QString& from, const QString& to) {
    {
        const QSignalBlocker block(range_);
        from_->setText(from);
        to_->setText(to);
        range_->setCurrentIndex(range_->findData(kIssueRange));
    }
    updateEnabled();
    emit changed();
}

void RangeBar::updateEnabled() {
    const bool issues = range_->currentData().toInt() == kIssueRange;
    from_->setEnabled(issues);
    to_->setEnabled(issues);
    const history::Lottery& lottery = history::Lotteries()[lottery_->currentIndex()];
    position_->setEnabled(lottery.digits > 3);
    position_->setToolTip(lottery.digits > 3 ? QString() : QStringLiteral("三位数的彩种按整个号码计算"));
}

Result<RangeSelection> RangeBar::selection() const {
    RangeSelection s;
    s.lottery = &history::Lotteries()[lottery_->currentIndex()];
    s.position = static_cast<analysis::Position>(position_->currentIndex());
    const int count = range_->currentData().toInt();
    if (count == kAll) {
        s.range = analysis::RangeChoice::All();
    } else if (count > 0) {
        s.range = analysis::RangeChoice::Newest(static_cast<std::size_t>(count));
    } else {
        const std::string from = from_->text().trimmed().toStdString();
        const std::string to = to_->text().trimmed().toStdString();
        for (const std::string& end : {from, to}) {
            if (end.empty()) continue;  // an empty end is open
            if (auto checked = analysis::CheckIssueText(end); !checked) return Failure{checked.error()};
        }
        s.range = analysis::RangeChoice::Issues(from, to);
    }
    return s;
}

}  // namespace sanxing
