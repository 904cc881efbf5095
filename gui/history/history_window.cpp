#include "gui/history/history_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "gui/help/help_window.h"
#include "gui/history/draw_table_model.h"
#include "history/canonical_issue.h"
#include "history/data_end.h"
#include "history/issue_gaps.h"
#include "runtime/platform.h"
#include "services/history_export.h"
#include "services/history_session.h"

namespace sanxing {

namespace {

constexpr std::size_t kGapsShown = 12;

// A button that Return in the 跳到期号 box does not press.
QPushButton* PlainButton(const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

QString HistorySummary(const std::vector<std::string>& issues, const history::Lottery& lottery) {
    if (issues.empty()) return QStringLiteral("%1：没有开奖号码").arg(QString::fromUtf8(lottery.name));
    QString text = QStringLiteral("%1：共 %2 期，第一期 %3，最后一期 %4\n缺期：")
                       .arg(QString::fromUtf8(lottery.name))
                       .arg(issues.size())
                       .arg(QString::fromStdString(issues.back()), QString::fromStdString(issues.front()));
    const auto gaps = history::FindGaps(issues, lottery);
    if (gaps.empty()) return text + QStringLiteral("无");
    QStringList shown;
    for (std::size_t i = 0; i < gaps.size() && i < kGapsShown; ++i) {
        shown << QString::fromStdString(history::GapText(gaps[i]));
    }
    text += shown.join(QStringLiteral("、"));
    if (gaps.size() > kGapsShown) text += QStringLiteral(" 等，共 %1 处").arg(gaps.size());
    return text;
}

HistoryWindow::HistoryWindow(HistorySession& session, Platform& platform, QWidget* parent)
    : QDialog(parent), session_(session), platform_(platform) {
    setWindowTitle(QString::fromUtf8(kHistoryCaption));
    lotteries_ = new QComboBox;
    for (const history::Lottery& lottery : history::Lotteries()) lotteries_->addItem(QString::fromUtf8(lottery.name));
    // Room for the longest name beside the arrow, whatever the style's own hint says.
    lotteries_->setMinimumWidth(lotteries_->fontMetrics().horizontalAdvance(QStringLiteral("重庆时时彩")) + 48);
    summary_ = new QLabel;
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    model_ = new DrawTableModel(this);
    table_ = new QTableView;
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    jumpBox_ = new QLineEdit;
    jumpBox_->setMaxLength(32);
    jumpBox_->setFixedWidth(jumpBox_->fontMetrics().horizontalAdvance(QStringLiteral("20241012-023")) + 16);
    jumpNote_ = new QLabel;
    jumpNote_->setWordWrap(true);
    jumpNote_->setStyleSheet(QStringLiteral("color: #b00000;"));
    jumpNote_->hide();
    importButton_ = PlainButton(QStringLiteral("导入(&I)…"));
    importButton_->setToolTip(QStringLiteral("把开奖号码文件导入这个彩种，与菜单“历史”→“导入开奖号码…”相同"));
    delete_ = PlainButton(QStringLiteral("删除选中(&D)"));
    delete_->setToolTip(QStringLiteral("删除选中的各期（Delete 键）；删除前会先问"));
    auto* close = PlainButton(QStringLiteral("关闭"));

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("彩种：")));
    top->addWidget(lotteries_);
    top->addStretch();
    top->addWidget(new QLabel(QStringLiteral("跳到期号：")));
    top->addWidget(jumpBox_);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(importButton_);
    bottom->addWidget(delete_);
    bottom->addStretch();
    bottom->addWidget(HelpButton(*this, "history"));
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(jumpNote_);
    layout->addWidget(summary_);
    layout->addWidget(table_, 1);
    layout->addLayout(bottom);
    resize(520, 560);

    table_->installEventFilter(this);
    connect(lotteries_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(jumpBox_, &QLineEdit::returnPressed, this, [this] { jumpTo(jumpBox_->text()); });
    connect(jumpBox_, &QLineEdit::textEdited, this, [this] { showJumpNote({}); });
    connect(importButton_, &QPushButton::clicked, this, [this] {
        if (import_) import_(lottery());
    });
    connect(delete_, &QPushButton::clicked, this, [this] { deleteSelected(); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

const history::Lottery& HistoryWindow::lottery() const {
    return history::Lotteries()[static_cast<std::size_t>(std::max(0, lotteries_->currentIndex()))];
}

void HistoryWindow::showLottery(const history::Lottery& lottery) {
    if (lotteries_->currentIndex() == lottery.kindIndex) {
        refresh();
    } else {
        lotteries_->setCurrentIndex(lottery.kindIndex);  // refreshes
    }
}

void HistoryWindow::refresh() {
    showJumpNote({});
    const auto db = session_.database();
    const auto shown = model_->show(db ? db->get() : nullptr, std::string(lottery().name));
    updateSummary();
    if (!shown) {
        summary_->setText(QString::fromStdString(shown.error()));
        summary_->setStyleSheet(QStringLiteral("color: #b00000;"));
    }
}

void HistoryWindow::updateSummary() {
    summary_->setStyleSheet({});
    QString text = HistorySummary(model_->issues(), lottery());
    if (const auto db = session_.database()) {
        const auto end = history::DataEndText(**db, lottery());
        if (end && !end->empty()) text += QStringLiteral("\n") + QString::fromStdString(*end);
    }
    summary_->setText(text);
    delete_->setEnabled(!model_->issues().empty());
}

void HistoryWindow::deleteSelected() {
    std::set<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedIndexes()) rows.insert(index.row());
    if (rows.empty()) return;
    std::vector<std::string> issues;
    for (int row : rows) issues.push_back(model_->issues()[static_cast<std::size_t>(row)]);
    const std::string question = "从开奖历史中删除" + std::string(lottery().name) + "的 " +
                                 std::to_string(issues.size()) + " 期（" + issues.front() +
                                 (issues.size() > 1 ? " 等" : "") + "）？删除后不能恢复。";
    if (platform_.messageBox(question, kHistoryCaption, MessageIcon::Question, MessageButtons::YesNoDefaultNo) !=
        MessageAnswer::Yes) {
        return;
    }
    if (session_.off()) return;
    const auto deleted = DeleteDraws(session_, lottery(), issues);
    if (!deleted) platform_.messageBox(deleted.error(), kHistoryCaption, MessageIcon::Error, MessageButtons::Ok);
    refresh();
    if (deleted && *deleted > 0 && deleted_) deleted_(lottery());
}

bool HistoryWindow::eventFilter(QObject* watched, QEvent* event) {
    // Delete acts on the table only: in the 跳到期号 box it deletes text.
    if (watched == table_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Delete)) {
        deleteSelected();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void HistoryWindow::jumpTo(const QString& typed) {
    const std::string text = typed.trimmed().toStdString();
    if (text.empty()) return showJumpNote({});
    const auto issue = history::CanonicalIssue(text, lottery());
    if (!issue) return showJumpNote(QString::fromStdString(issue.error()));
    const std::vector<std::string>& issues = model_->issues();
    const auto found = std::find(issues.begin(), issues.end(), *issue);
    if (found == issues.end()) {
        return showJumpNote(QStringLiteral("开奖历史中没有%1第 %2 期")
                                .arg(QString::fromUtf8(lottery().name), QString::fromStdString(*issue)));
    }
    showJumpNote({});
    const QModelIndex index = model_->index(static_cast<int>(found - issues.begin()), 0);
    table_->selectRow(index.row());
    table_->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void HistoryWindow::showJumpNote(const QString& text) {
    jumpNote_->setText(text);
    jumpNote_->setVisible(!text.isEmpty());
}

}  // namespace sanxing
