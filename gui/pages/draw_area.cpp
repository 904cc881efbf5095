#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QWidget>

#include "draws/draw_list.h"
#include "gui/binding/control_widgets.h"
#include "gui/pages/layout_helpers.h"
#include "gui/pages/regions.h"
#include "history/lotteries.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

// The status line's object name: it is no control of the table.
constexpr const char* kDrawStatus = "开奖状态";

// One line whatever its text: a long text ends in "…" (the tooltip has all of it), and
// hidden it keeps its room, so the list above never changes its height.
class OneLineStatus final : public QLabel {
public:
    OneLineStatus() {
        QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        policy.setRetainSizeWhenHidden(true);
        setSizePolicy(policy);
        setFixedHeight(fontMetrics().height() + 2);
    }

protected:
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::FontChange) setFixedHeight(fontMetrics().height() + 2);
        QLabel::changeEvent(event);
    }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(palette().color(foregroundRole()));
        const QRect room = contentsRect();
        painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
    }
};

// 前三/中三/后三 pick from five digits; a three-digit lottery's number is compared whole.
void FollowDigitsOfTheLottery(ControlWidgets& w) {
    auto* verifyWindow = w.get<QComboBox>(ctl::kVerifyWindow);
    QObject::connect(w.get<QComboBox>(ctl::kLottery), &QComboBox::currentTextChanged, verifyWindow,
                     [verifyWindow](const QString& name) {
                         const history::Lottery* lottery = history::FindLottery(name.toStdString());
                         verifyWindow->setEnabled(lottery == nullptr || lottery->digits == 5);
                     });
}

}  // namespace

QWidget* BuildDrawList(ControlWidgets& w) {
    FollowDigitsOfTheLottery(w);
    auto* area = new QWidget;
    QVBoxLayout* layout = TightColumn();
    layout->addLayout(Row(w, {ctl::kLottery, ctl::kVerifyWindow}));
    layout->addWidget(Flexible(w.take(ctl::kDrawList)), 1);
    // One line under the list when it shows something other than live draws.
    auto* status = new OneLineStatus;
    status->setObjectName(kDrawStatus);
    status->setStyleSheet(QStringLiteral("color: #8a3b00;"));
    status->hide();
    layout->addWidget(status);
    SetLayout(area, layout);
    return area;
}

void ShowDrawStatus(QWidget* window, DrawList& draws) {
    QPointer<QLabel> status = window->findChild<QLabel*>(kDrawStatus);
    draws.setStatusListener([status](const std::string& text) {
        if (!status) return;
        status->setText(QString::fromStdString(text));
        status->setToolTip(status->text());
        status->setVisible(!text.empty());
    });
}

QLayout* BuildDrawSettings(ControlWidgets& w) {
    QHBoxLayout* row = TightRow();
    row->addWidget(w.take(ctl::kAnnounceDraws));
    row->addSpacing(8);
    AddWidgets(row, w, {"标签_显示", ctl::kShownDraws});
    const std::pair<std::string_view, std::string_view> marks[] = {
        {"标签_正确", ctl::kHitMark}, {"标签_错误", ctl::kMissMark}, {"标签_签名", ctl::kSignature}};
    for (const auto& [label, edit] : marks) {
        row->addSpacing(8);
        row->addWidget(w.take(label));
        row->addWidget(w.take(edit), 1);
    }
    return row;
}

}  // namespace sanxing
