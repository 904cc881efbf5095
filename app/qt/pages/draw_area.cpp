#include <QBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QWidget>

#include "app/qt/binding/control_widgets.h"
#include "app/qt/pages/layout_helpers.h"
#include "app/qt/pages/regions.h"
#include "draws/draw_list.h"

namespace sanxing {

namespace {

// The status line's object name: it is no control of the table.
constexpr const char* kDrawStatus = "开奖状态";

}  // namespace

QWidget* BuildDrawList(ControlWidgets& w) {
    auto* area = new QWidget;
    QVBoxLayout* layout = TightColumn();
    layout->addLayout(Row(w, {"组合框_彩种", "组合框_验证"}));
    layout->addWidget(Flexible(w.take("列表框_开奖")), 1);
    // One line under the list when it shows something other than live draws.
    auto* status = new QLabel;
    status->setObjectName(kDrawStatus);
    status->setWordWrap(true);
    status->setTextInteractionFlags(Qt::TextSelectableByMouse);
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
    row->addWidget(w.take("选择框_开奖报号"));
    row->addSpacing(8);
    AddWidgets(row, w, {"标签_显示", "组合框_显示"});
    const std::pair<const char*, const char*> marks[] = {
        {"标签_正确", "编辑框_对"}, {"标签_错误", "编辑框_错"}, {"标签_签名", "编辑框_签名"}};
    for (const auto& [label, edit] : marks) {
        row->addSpacing(8);
        row->addWidget(w.take(label));
        row->addWidget(w.take(edit), 1);
    }
    return row;
}

}  // namespace sanxing
