#include "gui/binding/store_mirror.h"

#include <QAbstractUndoItem>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTreeWidget>

#include "gui/binding/companion_undo.h"
#include "gui/binding/control_widgets.h"
#include "gui/binding/table_combo_box.h"
#include "runtime/control_store.h"
#include "runtime/text.h"

namespace sanxing {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

void ShowComboState(TableComboBox* combo, int selected, const QString& text) {
    // A list shows the item that its text names, however the text was set.
    if (!combo->isEditable() && selected < 0) selected = combo->findText(text);
    if (selected >= 0 && selected < combo->count()) {
        if (combo->currentIndex() != selected) combo->setCurrentIndex(selected);
    } else if (combo->currentIndex() != -1) {
        combo->setCurrentIndex(-1);
    }
    if (combo->currentText() != text) combo->setEditText(text);
}

// Updates the rows in place, so the list keeps its scroll position and selection.
void ShowRows(QTreeWidget* list, const ReportRows& rows) {
    const int count = static_cast<int>(rows.size());
    while (list->topLevelItemCount() > count) delete list->takeTopLevelItem(list->topLevelItemCount() - 1);
    for (int r = 0; r < count; ++r) {
        QTreeWidgetItem* item = list->topLevelItem(r);
        if (item == nullptr) {
            item = new QTreeWidgetItem;
            list->addTopLevelItem(item);
        }
        const int columns = std::max(list->columnCount(), static_cast<int>(rows[r].size()));
        for (int c = 0; c < columns; ++c) {
            const QString cell = c < static_cast<int>(rows[r].size()) ? Q(rows[r][c]) : QString();
            if (item->text(c) != cell) item->setText(c, cell);
        }
    }
}

// A text a handler or a file put into a box replaces the old one as one edit, so that
// Ctrl+Z in the box brings the old text back as it undoes typing. The first showing of
// the table's texts is not an edit and leaves nothing to undo.
void ShowLineText(QLineEdit* edit, const QString& text, bool undoable) {
    if (!undoable) return edit->setText(text);
    edit->selectAll();
    edit->insert(text);
}

// `companions` (may be null) joins the same undo step: the tick and caption that go with
// the text.
void ShowBoxText(QPlainTextEdit* box, const QString& text, bool undoable, QAbstractUndoItem* companions) {
    if (!undoable) return box->setPlainText(text);
    QTextCursor cursor(box->document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
    if (companions != nullptr) box->document()->appendUndoItem(companions);
    cursor.endEditBlock();
}

// An empty label carries the property empty=true, so the skin can leave out the frame
// and colour that only make sense around a text.
void ShowLabelText(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
    const bool empty = text.isEmpty();
    if (label->property("empty").isValid() && label->property("empty").toBool() == empty) return;
    label->setProperty("empty", empty);
    label->style()->unpolish(label);
    label->style()->polish(label);
}

}  // namespace

StoreMirror::StoreMirror(ControlStore& store, ControlWidgets& widgets, QObject* parent)
    : QObject(parent), store_(store), widgets_(widgets) {
    shownVisible_.resize(store.table().size());
    for (std::size_t i = 0; i < store.table().size(); ++i) {
        shownVisible_[i] = store.table()[i].visible;
        listenTo(i);
    }
    companions_ = new CompanionUndo(store, this);
    observerId_ = store_.addObserver([this](std::size_t index) {
        companions_->changed(index);
        show(index);
    });
}

StoreMirror::~StoreMirror() { store_.removeObserver(observerId_); }

void StoreMirror::showAll() {
    const QScopedValueRollback<bool> initial(undoable_, false);
    for (std::size_t i = 0; i < store_.table().size(); ++i) show(i);
    companions_->settleAll();
}

void StoreMirror::listenTo(std::size_t index) {
    QObject* object = widgets_.object(index);
    if (auto* edit = qobject_cast<QLineEdit*>(object)) {
        connect(edit, &QLineEdit::textChanged, this,
                [this, index](const QString& text) { fromWidget(index, text.toStdString()); });
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(object)) {
        connect(box, &QPlainTextEdit::textChanged, this, [this, index, box] {
            if (!showing_) fromWidget(index, ToCrLf(box->toPlainText().toStdString()));
        });
    } else if (auto* check = qobject_cast<QCheckBox*>(object)) {
        connect(check, &QCheckBox::toggled, this, [this, index](bool on) { tickedFromWidget(index, on); });
    } else if (auto* combo = qobject_cast<TableComboBox*>(object)) {
        connect(combo, &QComboBox::editTextChanged, this,
                [this, index](const QString& text) { fromWidget(index, text.toStdString()); });
        connect(combo, &QComboBox::currentIndexChanged, this, [this, index](int item) {
            if (item >= 0) selectedFromWidget(index, item);
        });
    }
}

void StoreMirror::fromWidget(std::size_t index, const std::string& text) {
    if (showing_) return;
    const std::string& name = store_.table()[index].name;
    if (store_.text(name) == text) return;
    writingFromWidget_ = index;
    store_.setText(name, text);
    writingFromWidget_ = kNone;
}

void StoreMirror::tickedFromWidget(std::size_t index, bool ticked) {
    if (showing_) return;
    writingFromWidget_ = index;
    store_.setTicked(store_.table()[index].name, ticked);
    writingFromWidget_ = kNone;
}

void StoreMirror::selectedFromWidget(std::size_t index, int item) {
    if (showing_) return;
    writingFromWidget_ = index;
    store_.select(store_.table()[index].name, item);
    writingFromWidget_ = kNone;
}

void StoreMirror::show(std::size_t index) {
    if (index == writingFromWidget_) return;
    QObject* object = widgets_.object(index);
    if (object == nullptr) return;
    const ControlRow& spec = store_.table()[index];
    const QString text = Q(store_.text(spec.name));
    const QScopedValueRollback<bool> showing(showing_, true);
    if (auto* edit = qobject_cast<QLineEdit*>(object)) {
        if (edit->text() != text) ShowLineText(edit, text, undoable_);
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(object)) {
        const QString shown = Q(ToLf(store_.text(spec.name)));
        if (box->toPlainText() != shown) {
            ShowBoxText(box, shown, undoable_, undoable_ ? companions_->undoItemFor(index) : nullptr);
        }
    } else if (auto* check = qobject_cast<QCheckBox*>(object)) {
        check->setChecked(store_.ticked(spec.name));
        if (check->text() != text) check->setText(text);
    } else if (auto* combo = qobject_cast<TableComboBox*>(object)) {
        ShowComboState(combo, store_.selectedIndex(spec.name), text);
    } else if (auto* label = qobject_cast<QLabel*>(object)) {
        ShowLabelText(label, text);
    } else if (auto* button = qobject_cast<QPushButton*>(object)) {
        if (button->text() != text) button->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(object)) {
        group->setTitle(text);
    } else if (auto* list = qobject_cast<QTreeWidget*>(object)) {
        ShowRows(list, store_.rows(spec.name));
    } else if (auto* view = qobject_cast<QTextBrowser*>(object)) {
        view->setProperty("address", text);
    } else if (spec.kind == ControlKind::Window) {
        static_cast<QWidget*>(object)->setWindowTitle(text);
    } else if (spec.kind == ControlKind::TabPage) {
        auto* tabs = widgets_.get<QTabWidget>(spec.parent);
        const int page = tabs->indexOf(static_cast<QWidget*>(object));
        if (page >= 0) tabs->setTabText(page, text);
    }
    showVisibility(index);
}

void StoreMirror::showVisibility(std::size_t index) {
    auto* widget = qobject_cast<QWidget*>(widgets_.object(index));
    const bool visible = store_.visible(store_.table()[index].name);
    if (widget == nullptr || store_.table()[index].kind == ControlKind::Window) return;
    if (static_cast<bool>(shownVisible_[index]) == visible) return;
    shownVisible_[index] = visible;
    widget->setVisible(visible);
}

}  // namespace sanxing
