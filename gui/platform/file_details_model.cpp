#include "gui/platform/file_details_model.h"

#include <QDateTime>
#include <QFileSystemModel>
#include <QLocale>
#include <iterator>

namespace sanxing {

namespace {

// The columns of QFileSystemModel.
constexpr int kSizeColumn = 1;
constexpr int kTypeColumn = 2;
constexpr int kDateColumn = 3;

const QLocale& Chinese() {
    static const QLocale chinese(QLocale::Chinese, QLocale::China);
    return chinese;
}

}  // namespace

QVariant ChineseFileDetails::data(const QModelIndex& index, int role) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || files == nullptr) return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    switch (index.column()) {
        case kSizeColumn: return files->isDir(source) ? QString() : FileSizeText(files->size(source));
        case kTypeColumn:
            return files->isDir(source) ? QStringLiteral("文件夹") : QIdentityProxyModel::data(index, role);
        case kDateColumn: return Chinese().toString(files->lastModified(source), QLocale::ShortFormat);
        default: return QIdentityProxyModel::data(index, role);
    }
}

QString FileSizeText(qint64 bytes) {
    if (bytes < 1024) return QStringLiteral("%1 字节").arg(bytes);
    // Binary multiples named as Chinese Windows names them.
    static constexpr const char* kUnits[] = {"KB", "MB", "GB", "TB", "PB"};
    double size = static_cast<double>(bytes) / 1024;
    std::size_t unit = 0;
    while (size >= 1024 && unit + 1 < std::size(kUnits)) {
        size /= 1024;
        ++unit;
    }
    return QStringLiteral("%1 %2").arg(size, 0, 'f', 1).arg(QLatin1String(kUnits[unit]));
}

}  // namespace sanxing
