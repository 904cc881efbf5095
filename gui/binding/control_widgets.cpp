#include "gui/binding/control_widgets.h"

#include <algorithm>
#include <vector>

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

#include "gui/binding/table_combo_box.h"
#include "window/control_names.h"
#include "window/panel_captions.h"

namespace sanxing {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QWidget* CreateEditBox(const ControlRow& spec) {
    if (!spec.multiLine) return new QLineEdit;
    auto* edit = new QPlainTextEdit;
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    return edit;
}

// Boxes whose text is only ever one of their items: a click opens the list, and nothing
// typed can stand for a lottery, a position or a count the program does not know.
bool IsListOnly(std::string_view name) {
    return name == ctl::kLottery || name == ctl::kVerifyWindow || name == ctl::kShownDraws;
}

QWidget* CreateComboBox(const ControlRow& spec) {
    auto* combo = new TableComboBox;
    if (IsListOnly(spec.name)) combo->setEditable(false);
    for (const std::string& item : spec.items) combo->addItem(Q(item));
    if (!spec.text.empty()) combo->setExtraTexts({Q(spec.text)});
    return combo;
}

// Room for a text in a header section or cell.
int TextWidth(const QTreeWidget& list, const QString& text) {
    return list.fontMetrics().horizontalAdvance(text) + 2 * list.style()->pixelMetric(QStyle::PM_HeaderMargin) + 4;
}

// The table's widths, widened where the font needs more room for what a column shows (a
// nine-digit issue must not be cut to "140512…"). The room comes from the last column,
// which stretches anyway, so the list keeps the width the layout gives it.
std::vector<int> ColumnWidths(const QTreeWidget& list, const std::vector<ReportColumn>& columns) {
    std::vector<int> widths;
    int widened = 0;
    for (const ReportColumn& column : columns) {
        const QString widest = column.title == "期号"   ? "000000000"
                               : column.title == "号码" ? "00000"
                                                        : Q(column.title);
        widths.push_back(std::max(column.width, TextWidth(list, widest)));
        widened += widths.back() - column.width;
    }
    if (widths.size() > 1) widths.back() = std::max(TextWidth(list, Q(columns.back().title)), widths.back() - widened);
    return widths;
}

QWidget* CreateReportList(const ControlRow& spec) {
    auto* list = new QTreeWidget;
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    QStringList titles;
    for (const ReportColumn& column : spec.columns) titles << Q(column.title);
    list->setHeaderLabels(titles);
    const std::vector<int> widths = ColumnWidths(*list, spec.columns);
    for (std::size_t i = 0; i < widths.size(); ++i) list->setColumnWidth(static_cast<int>(i), widths[i]);
    list->header()->setStretchLastSection(true);
    return list;
}

QWidget* CreateLabel(const ControlRow& spec) {
    auto* label = new QLabel(Q(spec.text));
    label->setTextFormat(Qt::PlainText);  // captions are plain text, "<" included
    return label;
}

QWidget* CreatePlainContainer() {
    auto* frame = new QFrame;
    frame->setFrameShape(QFrame::NoFrame);
    return frame;
}

QWidget* CreateWidget(const ControlRow& spec) {
    switch (spec.kind) {
        case ControlKind::EditBox: return CreateEditBox(spec);
        case ControlKind::Button: {
            auto* button = new QPushButton(Q(spec.text));
            button->setAutoDefault(false);
            return button;
        }
        case ControlKind::CheckBox: return new QCheckBox(Q(spec.text));
        case ControlKind::ComboBox: return CreateComboBox(spec);
        case ControlKind::Label: return CreateLabel(spec);
        case ControlKind::GroupBox: return new QGroupBox(Q(spec.text));
        case ControlKind::PictureBox: return CreatePlainContainer();
        case ControlKind::TabControl: return new QTabWidget;
        case ControlKind::TabPage: return new QWidget;
        case ControlKind::ReportList: return CreateReportList(spec);
        case ControlKind::WebView: return new QTextBrowser;
        case ControlKind::Window:
        case ControlKind::Timer:
        case ControlKind::FileDialog: break;
    }
    return nullptr;
}

}  // namespace

bool HasWidget(const ControlRow& spec) {
    switch (spec.kind) {
        case ControlKind::Window:
        case ControlKind::Timer:
        case ControlKind::FileDialog: return false;
        case ControlKind::ReportList: return spec.name != kFailureTableName;
        default: return true;
    }
}

ControlWidgets::ControlWidgets(const ControlStore& store, QWidget* window) : store_(store) {
    const auto& table = store.table();
    objects_.resize(table.size(), nullptr);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const ControlRow& spec = table[i];
        QObject* object = nullptr;
        if (spec.kind == ControlKind::Window) {
            object = window;
        } else if (spec.kind == ControlKind::Timer) {
            auto* timer = new QTimer(window);
            timer->setInterval(spec.interval);
            object = timer;
        } else if (HasWidget(spec)) {
            QWidget* widget = CreateWidget(spec);
            widget->setParent(window);
            object = widget;
        }
        if (object != nullptr && object != window) object->setObjectName(Q(spec.name));
        // The skin's caption look selects on this property (see window/panel_captions.h).
        if (object != nullptr && FindPanelCaption(spec.name) != nullptr) object->setProperty("panelCaption", true);
        objects_[i] = object;
    }
}

QWidget* ControlWidgets::take(std::string_view name) {
    const std::size_t index = store_.indexOf(name);
    auto* widget = qobject_cast<QWidget*>(objects_[index]);
    if (widget == nullptr) throw std::logic_error("control has no widget: " + std::string(name));
    if (!placed_.insert(index).second) throw std::logic_error("control placed twice: " + std::string(name));
    return widget;
}

std::vector<std::string> ControlWidgets::unplaced() const {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < objects_.size(); ++i) {
        if (store_.table()[i].kind == ControlKind::Window || qobject_cast<QWidget*>(objects_[i]) == nullptr) continue;
        if (!placed_.contains(i)) names.push_back(store_.table()[i].name);
    }
    return names;
}

}  // namespace sanxing
