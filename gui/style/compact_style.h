#pragma once
// A denser variant of the Fusion style: the condition pages pack several hundred check
// boxes, combo boxes and buttons into a 355-pixel-wide panel, so controls carry only the
// padding their text needs.

#include <QProxyStyle>

namespace sanxing {

class CompactStyle final : public QProxyStyle {
public:
    CompactStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contents,
                           const QWidget* widget) const override;
};

}  // namespace sanxing
