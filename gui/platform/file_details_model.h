#pragma once
// What the file dialogs show of each file, in Chinese whatever the system's language:
// sizes as "4.9 KB" or "120 字节" (multiples of 1024), dates in the Chinese short form ("2024/3/5 14:07"),
// folders as "文件夹". Qt's file list formats these by the system's locale, which the
// program's Chinese default locale does not reach, and leaves "Folder" untranslated.

#include <QIdentityProxyModel>

namespace sanxing {

// Placed between a QFileDialog and its QFileSystemModel (QFileDialog::setProxyModel).
class ChineseFileDetails final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override;
};

// "120 字节", "4.9 KB", "3.2 MB".
QString FileSizeText(qint64 bytes);

}  // namespace sanxing
