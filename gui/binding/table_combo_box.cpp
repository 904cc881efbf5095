#include "gui/binding/table_combo_box.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QWheelEvent>

namespace sanxing {

TableComboBox::TableComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);  // typed text never becomes an item
    setCompleter(nullptr);                 // and is never completed to one
    setMaxVisibleItems(20);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
}

void TableComboBox::setExtraTexts(QStringList texts) {
    extraTexts_ = std::move(texts);
    fitted_ = QSize();
    updateGeometry();
}

QSize TableComboBox::sizeHint() const {
    if (fitted_.isValid()) return fitted_;
    const QFontMetrics metrics = fontMetrics();
    int textWidth = metrics.horizontalAdvance(QLatin1Char('0')) * 2;
    for (int i = 0; i < count(); ++i) textWidth = std::max(textWidth, metrics.horizontalAdvance(itemText(i)));
    for (const QString& text : extraTexts_) textWidth = std::max(textWidth, metrics.horizontalAdvance(text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    // The line edit keeps a few pixels of margin around its text.
    const QSize contents(textWidth + 6, std::max(metrics.height(), 14) + 2);
    fitted_ = style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, this);
    return fitted_;
}

QSize TableComboBox::minimumSizeHint() const { return sizeHint(); }

void TableComboBox::wheelEvent(QWheelEvent* event) {
    if (hasFocus()) {
        QComboBox::wheelEvent(event);
    } else {
        event->ignore();
    }
}

void TableComboBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) fitted_ = QSize();
    QComboBox::changeEvent(event);
}

}  // namespace sanxing
