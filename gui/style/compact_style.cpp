#include "gui/style/compact_style.h"

#include <QStyleFactory>
#include <QStyleOption>

namespace sanxing {

namespace {

constexpr int kIndicator = 13;
constexpr int kLabelSpacing = 2;
constexpr int kLayoutGap = 2;
constexpr int kComboArrow = 24;

}  // namespace

CompactStyle::CompactStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

int CompactStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    switch (metric) {
        case PM_CheckBoxLabelSpacing:
        case PM_RadioButtonLabelSpacing: return kLabelSpacing;
        case PM_IndicatorWidth:
        case PM_IndicatorHeight: return kIndicator;
        case PM_TabBarTabHSpace: return 12;
        case PM_TabBarTabVSpace: return 6;
        case PM_LayoutHorizontalSpacing:
        case PM_LayoutVerticalSpacing:
        case PM_LayoutLeftMargin:
        case PM_LayoutRightMargin:
        case PM_LayoutTopMargin:
        case PM_LayoutBottomMargin: return kLayoutGap;
        default: return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QSize CompactStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contents,
                                     const QWidget* widget) const {
    switch (type) {
        case CT_PushButton:
            // Text plus a small frame; no minimum width of a dialog button.
            return {contents.width() + 10, contents.height() + 6};
        case CT_CheckBox:
        case CT_RadioButton: {
            const int textWidth = contents.width();
            const int gap = textWidth > 0 ? kLabelSpacing + textWidth + 1 : 0;
            return {kIndicator + gap, std::max(contents.height(), kIndicator) + 2};
        }
        case CT_LineEdit: {
            QSize size = QProxyStyle::sizeFromContents(type, option, contents, widget);
            size.setHeight(contents.height() + 3);
            return size;
        }
        case CT_ComboBox:
            // The text, the drop-down arrow and the frame.
            return {contents.width() + kComboArrow, contents.height() + 3};
        default: return QProxyStyle::sizeFromContents(type, option, contents, widget);
    }
}

}  // namespace sanxing
