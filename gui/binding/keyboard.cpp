#include "gui/binding/keyboard.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSyntaxHighlighter>
#include <QTabWidget>
#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "gui/binding/control_widgets.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

// Paints every tab character with a tinted background: it is text that separates
// entries, and an invisible one would leave the user guessing why a number is gone.
class TabMarker final : public QSyntaxHighlighter {
public:
    explicit TabMarker(QTextDocument* document) : QSyntaxHighlighter(document) {
        format_.setBackground(QColor(0xf2, 0xb8, 0x4b));
    }

protected:
    void highlightBlock(const QString& text) override {
        for (qsizetype at = text.indexOf(QLatin1Char('\t')); at >= 0; at = text.indexOf(QLatin1Char('\t'), at + 1)) {
            setFormat(static_cast<int>(at), 1, format_);
        }
    }

private:
    QTextCharFormat format_;
};

// Enter and Return press a focused button, as Space does.
class EnterClicksButtons final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || modifiers != Qt::NoModifier) return false;
        static_cast<QPushButton*>(watched)->click();
        return true;
    }
};

// The check box an arrow key leads to from `from`, among the boxes of its panel (the
// boxes that share its parent): Left and Right the nearest in its row, Up and Down the
// nearest row above or below and in it the box closest across. Null at the panel's edge.
QCheckBox* ArrowNeighbour(QCheckBox* from, int key) {
    const QPoint here = from->geometry().center();
    const int halfRow = std::max(from->height() / 2, 1);
    QCheckBox* best = nullptr;
    std::pair<int, int> bestDistance;
    for (QCheckBox* box : from->parentWidget()->findChildren<QCheckBox*>(Qt::FindDirectChildrenOnly)) {
        if (box == from || !box->isVisible() || !box->isEnabled()) continue;
        const int dx = box->geometry().center().x() - here.x();
        const int dy = box->geometry().center().y() - here.y();
        const bool sameRow = std::abs(dy) < halfRow;
        std::pair<int, int> distance;
        if (key == Qt::Key_Right && sameRow && dx > 0) {
            distance = {dx, 0};
        } else if (key == Qt::Key_Left && sameRow && dx < 0) {
            distance = {-dx, 0};
        } else if (key == Qt::Key_Down && dy >= halfRow) {
            distance = {dy, std::abs(dx)};
        } else if (key == Qt::Key_Up && dy <= -halfRow) {
            distance = {-dy, std::abs(dx)};
        } else {
            continue;
        }
        if (best == nullptr || distance < bestDistance) {
            best = box;
            bestDistance = distance;
        }
    }
    return best;
}

// Arrow keys walk the check boxes of a panel, so crossing a page of boxes does not take
// a Tab press for each.
class ArrowsWalkCheckBoxes final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
        if (key->key() != Qt::Key_Left && key->key() != Qt::Key_Right && key->key() != Qt::Key_Up &&
            key->key() != Qt::Key_Down) {
            return false;
        }
        if (QCheckBox* next = ArrowNeighbour(static_cast<QCheckBox*>(watched), key->key())) {
            next->setFocus(Qt::TabFocusReason);
        }
        return true;
    }
};

void CollectLayout(QLayout* layout, std::vector<QWidget*>& order);

void CollectWidget(QWidget* widget, std::vector<QWidget*>& order) {
    if ((widget->focusPolicy() & Qt::TabFocus) != 0) order.push_back(widget);
    if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
        for (int page = 0; page < tabs->count(); ++page) CollectWidget(tabs->widget(page), order);
    } else if (widget->layout() != nullptr) {
        CollectLayout(widget->layout(), order);
    }
}

// A grid's items in reading order, whatever order they were added in.
std::vector<QLayoutItem*> ItemsInReadingOrder(QLayout* layout) {
    std::vector<std::tuple<int, int, int, QLayoutItem*>> items;
    auto* grid = qobject_cast<QGridLayout*>(layout);
    for (int i = 0; i < layout->count(); ++i) {
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        if (grid != nullptr) grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        items.emplace_back(row, column, i, layout->itemAt(i));
    }
    std::sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
        return std::tie(std::get<0>(a), std::get<1>(a), std::get<2>(a)) <
               std::tie(std::get<0>(b), std::get<1>(b), std::get<2>(b));
    });
    std::vector<QLayoutItem*> ordered;
    for (const auto& item : items) ordered.push_back(std::get<3>(item));
    return ordered;
}

void CollectLayout(QLayout* layout, std::vector<QWidget*>& order) {
    for (QLayoutItem* item : ItemsInReadingOrder(layout)) {
        if (item->widget() != nullptr) {
            CollectWidget(item->widget(), order);
        } else if (item->layout() != nullptr) {
            CollectLayout(item->layout(), order);
        }
    }
}

}  // namespace

std::vector<QWidget*> LayoutFocusOrder(QWidget* root) {
    std::vector<QWidget*> order;
    CollectWidget(root, order);
    return order;
}

void SetUpKeyboard(ControlWidgets& widgets, QWidget* root) {
    const std::vector<QWidget*> order = LayoutFocusOrder(root);
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);

    auto* enter = new EnterClicksButtons(root);
    auto* arrows = new ArrowsWalkCheckBoxes(root);
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        QObject* object = widgets.object(i);
        if (auto* box = qobject_cast<QPlainTextEdit*>(object)) {
            box->setTabChangesFocus(true);
            new TabMarker(box->document());
        } else if (auto* button = qobject_cast<QPushButton*>(object)) {
            button->installEventFilter(enter);
        } else if (auto* check = qobject_cast<QCheckBox*>(object)) {
            check->installEventFilter(arrows);
        }
    }
    auto* prizeButton = widgets.get<QPushButton>(ctl::kCheckPrize);
    QObject::connect(widgets.get<QLineEdit>(ctl::kPrizeNumber), &QLineEdit::returnPressed, prizeButton,
                     &QPushButton::click);
}

}  // namespace sanxing
