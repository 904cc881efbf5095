#include "app/qt/control_widgets.h"

#include <algorithm>

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

#include "app/qt/table_combo_box.h"

namespace sanxing {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QWidget* CreateEditBox(const ControlSpec& spec) {
    if (!spec.multiLine) return new QLineEdit;
    auto* edit = new QPlainTextEdit;
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    return edit;
}

QWidget* CreateComboBox(const ControlSpec& spec) {
    auto* combo = new TableComboBox;
    for (const std::string& item : spec.items) combo->addItem(Q(item));
    if (!spec.text.empty()) combo->setExtraTexts({Q(spec.text)});
    return combo;
}

// The table's width, widened where the font needs more room for what the column shows: a
// nine-digit issue must not be cut to "140512…".
int ColumnWidth(const QTreeWidget& list, const ReportColumn& column) {
    const QString widest = column.title == "期号" ? "000000000" : column.title == "号码" ? "00000" : Q(column.title);
    const int needed = list.fontMetrics().horizontalAdvance(widest) + 2 * list.style()->pixelMetric(QStyle::PM_HeaderMargin) + 4;
    return std::max(column.width, needed);
}

QWidget* CreateReportList(const ControlSpec& spec) {
    auto* list = new QTreeWidget;
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    QStringList titles;
    for (const ReportColumn& column : spec.columns) titles << Q(column.title);
    list->setHeaderLabels(titles);
    for (std::size_t i = 0; i < spec.columns.size(); ++i) {
        list->setColumnWidth(static_cast<int>(i), ColumnWidth(*list, spec.columns[i]));
    }
    list->header()->setStretchLastSection(true);
    return list;
}

QWidget* CreateLabel(const ControlSpec& spec) {
    auto* label = new QLabel(Q(spec.text));
    label->setTextFormat(Qt::PlainText);  // captions are plain text, "<" included
    return label;
}

QWidget* CreatePlainContainer() {
    auto* frame = new QFrame;
    frame->setFrameShape(QFrame::NoFrame);
    return frame;
}

QWidget* CreateWidget(const ControlSpec& spec) {
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

bool HasWidget(const ControlSpec& spec) {
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
        const ControlSpec& spec = table[i];
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
