#include "gui/platform/program_identity.h"

#include <QApplication>

#include "app/version.h"

// The icons live in a static library, whose resource initialiser the linker would drop
// unless something names it; it is declared outside any namespace.
static void RegisterIconResources() { Q_INIT_RESOURCE(icons); }

namespace sanxing {

QIcon ProgramIcon() {
    static const bool registered = (RegisterIconResources(), true);
    (void)registered;
    QIcon icon;
    for (const int size : {48, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/sanxing-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

void SetProgramIdentity() {
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
    QApplication::setWindowIcon(ProgramIcon());
}

}  // namespace sanxing
