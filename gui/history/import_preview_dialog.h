#pragma once
// The preview of an import, before anything is stored: the first lines of the file (or
// of the pasted table) with the detected columns named (期号, 号码 or 百位/十位/个位…, 日期,
// 忽略), the lottery the draws go into, and what the import will find: lines, draws,
// refused lines and why. The user may pick another column for each role or another
// lottery; each change asks for a new preview. 导入 accepts, 取消 changes nothing. A file
// whose draws are of another digit count than the lottery's says so and offers the
// lottery they fit.

#include <QDialog>
#include <functional>
#include <optional>

#include "history/draw_preview.h"
#include "history/lotteries.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace sanxing {

class ImportPreviewDialog final : public QDialog {
public:
    // Asked for a preview of the input for the lottery, with given columns or (nullopt)
    // columns detected; the answer comes through showPreview().
    using PreviewRequest = std::function<void(const history::Lottery&, std::optional<history::ColumnMap>)>;

    ImportPreviewDialog(const QString& source, const history::Lottery& lottery, PreviewRequest request,
                        QWidget* parent);

    // Shows what the import would do with the lottery chosen now; the column choices
    // follow the preview's columns.
    void showPreview(const Result<history::ImportPreview>& preview);
    // A preview was asked for and has not come yet.
    void showWaiting();

    const history::Lottery& lottery() const;
    // The columns the preview shows; complete when 导入 is possible.
    const history::ColumnMap& columns() const { return columns_; }

    QComboBox* lotteryBox() const { return lotteryBox_; }
    QComboBox* issueBox() const { return issueBox_; }
    QComboBox* numberBox() const { return numberBox_; }
    QComboBox* dateBox() const { return dateBox_; }
    QTableWidget* table() const { return table_; }
    QLabel* summary() const { return summary_; }
    QLabel* notice() const { return notice_; }
    QPushButton* importButton() const { return import_; }
    QPushButton* betterLotteryButton() const { return better_; }

private:
    void fillColumnBoxes(int width);
    void fillTable(const history::ImportPreview& preview);
    void showNotices(const history::ImportPreview& preview);
    void columnsPicked();
    void lotteryPicked();

    PreviewRequest request_;
    history::ColumnMap columns_;
    const history::Lottery* betterLottery_ = nullptr;
    QComboBox* lotteryBox_;
    QComboBox* issueBox_;
    QComboBox* numberBox_;
    QComboBox* dateBox_;
    QLabel* notice_;
    QPushButton* better_;
    QTableWidget* table_;
    QLabel* summary_;
    QPushButton* import_;
};

}  // namespace sanxing
