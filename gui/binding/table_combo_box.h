#pragma once
// The drop-down combo box of the control table: editable text plus a list of items. Its
// size fits the widest item and the widest caption word it shows outside the list
// ("百 十", "和值"), so neither is cut off whatever the font.

#include <QComboBox>
#include <QStringList>

namespace sanxing {

class TableComboBox final : public QComboBox {
    Q_OBJECT
public:
    explicit TableComboBox(QWidget* parent = nullptr);

    // Texts outside the item list that the box must be wide enough to show.
    void setExtraTexts(QStringList texts);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void changeEvent(QEvent* event) override;
    // The wheel picks items only in a box the user is working in, not in one the pointer
    // passes over while scrolling.
    void wheelEvent(QWheelEvent* event) override;

private:
    QStringList extraTexts_;
    mutable QSize fitted_;
};

}  // namespace sanxing
