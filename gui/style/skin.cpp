#include "gui/style/skin.h"

#include <QFile>
#include <QWidget>

// The skin's resources live in a static library, whose initialiser the linker would drop
// unless something names it; it is declared outside any namespace.
static void RegisterSkinResources() { Q_INIT_RESOURCE(skin); }

namespace sanxing {

QString ReadSkinStyleSheet(const QString& path) {
    static const bool registered = (RegisterSkinResources(), true);
    (void)registered;
    if (path.isEmpty()) return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

void AttachSkin(QWidget& window, const QString& path) {
    const QString sheet = ReadSkinStyleSheet(path);
    if (!sheet.isEmpty()) window.setStyleSheet(sheet);
}

}  // namespace sanxing
