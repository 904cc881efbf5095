#include "gui/analysis/range_bar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include "history/canonical_issue.h"

namespace sanxing {

namespace {

using Kind = analysis::RangeChoice::Kind;

// The range combo's items carry their kind and, for 最新 N 期, the count.
constexpr int kKindRole = Qt::UserRole;
constexpr int kCountRole = Qt::UserRole + 1;

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

}  // namespace

RangeBar::RangeBar(const std::vector<int>& newestCounts, QWidget* parent) : QWidget(parent) {
    lottery_ = new QComboBox;
    for (const history::Lottery& lottery : history::Lotteries()) lottery_->addItem(Q(lottery.name));
    range_ = new QComboBox;
    const auto addRange = [this](const QString& text, Kind kind, int count = 0) {
        range_->addItem(text, static_cast<int>(kind));
        range_->setItemData(range_->count() - 1, count, kCountRole);
    };
    for (const int count : newestCounts) addRange(QStringLiteral("最新 %1 期").arg(count), Kind::Newest, count);
    addRange(QStringLiteral("全部"), Kind::All);
    addRange(QStringLiteral("期号范围"), Kind::Issues);
    from_ = new QLineEdit;
    to_ = new QLineEdit;
    for (QLineEdit* edit : {from_, to_}) {
        edit->setMaxLength(24);
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
        emit changed(selection());
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

void RangeBar::follow(const analysis::AnalysisChoice& choice) {
    if (choice.lottery) setLottery(choice.lottery->kindIndex);
    setPosition(choice.position);
}

void RangeBar::setNewest(int count) {
    const int index = range_->findData(count, kCountRole);
    if (index >= 0 && range_->itemData(index, kKindRole).toInt() == static_cast<int>(Kind::Newest)) {
        range_->setCurrentIndex(index);
    }
}

void RangeBar::setAll() { range_->setCurrentIndex(range_->findData(static_cast<int>(Kind::All), kKindRole)); }

void RangeBar::setIssues(const QString& from, const QString& to) {
    {
        const QSignalBlocker block(range_);
        from_->setText(from);
        to_->setText(to);
        range_->setCurrentIndex(range_->findData(static_cast<int>(Kind::Issues), kKindRole));
    }
    updateEnabled();
    emit changed(selection());
}

void RangeBar::historyChanged(const history::Lottery& lottery) {
    if (lottery_->currentIndex() == lottery.kindIndex) emit changed(selection());
}

Kind RangeBar::rangeKind() const { return static_cast<Kind>(range_->currentData(kKindRole).toInt()); }

void RangeBar::updateEnabled() {
    const bool issues = rangeKind() == Kind::Issues;
    from_->setEnabled(issues);
    to_->setEnabled(issues);
    const history::Lottery& lottery = history::Lotteries()[lottery_->currentIndex()];
    position_->setEnabled(lottery.digits > 3);
    position_->setToolTip(lottery.digits > 3 ? QString() : QStringLiteral("三位数的彩种按整个号码计算"));
}

Result<analysis::AnalysisChoice> RangeBar::selection() const {
    analysis::AnalysisChoice s;
    s.lottery = &history::Lotteries()[static_cast<std::size_t>(lottery_->currentIndex())];
    s.position = static_cast<analysis::Position>(position_->currentIndex());
    const Kind kind = rangeKind();
    if (kind == Kind::All) {
        s.range = analysis::RangeChoice::All();
    } else if (kind == Kind::Newest) {
        s.range = analysis::RangeChoice::Newest(static_cast<std::size_t>(range_->currentData(kCountRole).toInt()));
    } else {
        // Each end in the lottery's stored form, as the import reads issues; an empty end is open.
        std::string ends[2];
        const QLineEdit* edits[2] = {from_, to_};
        for (int i = 0; i < 2; ++i) {
            const std::string typed = edits[i]->text().trimmed().toStdString();
            if (typed.empty()) continue;
            auto issue = history::CanonicalIssue(typed, *s.lottery);
            if (!issue) return Failure{issue.error()};
            ends[i] = std::move(*issue);
        }
        s.range = analysis::RangeChoice::Issues(ends[0], ends[1]);
    }
    return s;
}

}  // namespace sanxing
