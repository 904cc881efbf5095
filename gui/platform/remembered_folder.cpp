#include "gui/platform/remembered_folder.h"

#include <QFileInfo>

#include "gui/platform/window_settings.h"
#include "runtime/home_folder.h"

namespace sanxing {

RememberedFolder::RememberedFolder(WindowSettings* settings, const char* key)
    : settings_(settings), key_(QString::fromLatin1(key)) {}

std::string RememberedFolder::start() const {
    const QString folder = settings_ ? settings_->text(key_) : folder_;
    return folder.isEmpty() ? HomeFolder() : folder.toStdString();
}

void RememberedFolder::rememberFolderOf(const std::string& file) {
    const QString folder = QFileInfo(QString::fromStdString(file)).absolutePath();
    if (settings_) {
        settings_->setText(key_, folder);
    } else {
        folder_ = folder;
    }
}

}  // namespace sanxing
