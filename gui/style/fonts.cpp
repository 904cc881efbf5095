#include "gui/style/fonts.h"

#include <QFontDatabase>

namespace sanxing {

QString ChooseWindowFontFamily(const QStringList& families, const QStringList& chineseFamilies) {
    for (const char* preferred : {"宋体", "SimSun", "NSimSun", "新宋体"}) {
        const QString name = QString::fromUtf8(preferred);
        if (families.contains(name, Qt::CaseInsensitive)) return name;
    }
    // Next the CJK font that the set-up installs and the layout is checked with, so that a
    // wider fallback font the machine happens to have does not widen the window.
    for (const char* installed : {"WenQuanYi Micro Hei", "Noto Sans CJK SC"}) {
        const QString name = QString::fromUtf8(installed);
        if (chineseFamilies.contains(name, Qt::CaseInsensitive)) return name;
    }
    // A proportional font reads better in captions than its monospaced sibling.
    for (const QString& family : chineseFamilies) {
        if (!family.contains(QStringLiteral("Mono"), Qt::CaseInsensitive)) return family;
    }
    return chineseFamilies.isEmpty() ? QString() : chineseFamilies.front();
}

QFont WindowFont() {
    QFont font;
    const QString family =
        ChooseWindowFontFamily(QFontDatabase::families(), QFontDatabase::families(QFontDatabase::SimplifiedChinese));
    if (!family.isEmpty()) font.setFamilies({family});
    font.setPointSize(kWindowFontPointSize);
    return font;
}

}  // namespace sanxing

namespace sanxing {

QString MissingChineseFontWarning(const QStringList& chineseFamilies) {
    if (!chineseFamilies.isEmpty()) return {};
    return QStringLiteral(
        "没有找到能显示中文的字体，窗口里的文字会显示成方框。\n"
        "请安装中文字体：sudo apt-get install fonts-wqy-microhei\n\n"
        "No font for Chinese characters is installed, so the window's texts show as empty boxes.\n"
        "Install one: sudo apt-get install fonts-wqy-microhei");
}

QString MissingChineseFontWarning() {
    return MissingChineseFontWarning(QFontDatabase::families(QFontDatabase::SimplifiedChinese));
}

}  // namespace sanxing
