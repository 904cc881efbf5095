#include <QEvent>
#include <QStackedLayout>
#include <QTabWidget>
#include <QWidget>

#include "gui/binding/control_widgets.h"
#include "gui/pages/layout_helpers.h"
#include "gui/pages/regions.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

// Shows the tabs once the ad panel over them is hidden (and the panel again, should
// anything ever show it).
class AdPanelWatcher final : public QObject {
public:
    AdPanelWatcher(QStackedLayout* stack, QWidget* panel, QWidget* tabs)
        : QObject(panel), stack_(stack), panel_(panel), tabs_(tabs) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == panel_ && event->type() == QEvent::HideToParent && stack_->currentWidget() == panel_) {
            stack_->setCurrentWidget(tabs_);
        } else if (watched == panel_ && event->type() == QEvent::ShowToParent && stack_->currentWidget() != panel_) {
            stack_->setCurrentWidget(panel_);
        }
        return false;
    }

private:
    QStackedLayout* stack_;
    QWidget* panel_;
    QWidget* tabs_;
};

}  // namespace

QWidget* BuildConditionArea(ControlWidgets& w) {
    auto* tabs = qobject_cast<QTabWidget*>(w.take(ctl::kConditionPages));
    for (const ControlRow& spec : w.store().table()) {
        if (spec.kind != ControlKind::TabPage) continue;
        tabs->addTab(w.take(spec.name), QString::fromStdString(spec.text));
    }
    BuildBasicPage(w);
    BuildOtherPage(w);
    BuildPairPage(w);
    BuildCombinationPage(w);
    BuildTolerancePages(w);

    QWidget* panel = BuildAdPanel(w);
    auto* area = new QWidget;
    auto* stack = new QStackedLayout(area);
    stack->addWidget(tabs);
    stack->addWidget(panel);
    stack->setCurrentWidget(panel);
    panel->installEventFilter(new AdPanelWatcher(stack, panel, tabs));
    return area;
}

}  // namespace sanxing
