#pragma once
// The report of one import: what was stored, already present, in conflict (with line
// numbers, against the history or between two lines of the input), the draws replaced by
// 以文件为准, and the first 20 rejected lines with their reasons (at least 12 lines in
// view; the dialog resizes). When draws of the input differ from stored ones, 以文件为准
// imports the input again, replacing them. When lines were rejected because the draws are
// of another digit count, it names the lottery they fit and offers to import into it.

#include <QDialog>
#include <functional>
#include <string>

#include "history/draw_import.h"
#include "history/lotteries.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

namespace sanxing {

class ImportReportDialog final : public QDialog {
public:
    // `replace` (may be empty: no 以文件为准) runs when the user takes the input's numbers;
    // `importInto` when the user takes the lottery the draws fit.
    ImportReportDialog(const QString& source, const history::Lottery& lottery, const history::ImportReport& report,
                       std::function<void()> replace, std::function<void(const history::Lottery&)> importInto,
                       QWidget* parent);

    QLabel* summary() const { return summary_; }
    QPlainTextEdit* details() const { return details_; }
    QPushButton* replaceButton() const { return replace_; }            // nullptr when not offered
    QLabel* notice() const { return notice_; }                         // nullptr when no other lottery fits
    QPushButton* otherLotteryButton() const { return otherLottery_; }  // nullptr when no other lottery fits

    static constexpr std::size_t kRejectedShown = 20;
    static constexpr int kLinesInView = 12;

private:
    void addOtherLotteryOffer(const history::Lottery& better, const history::Lottery& chosen,
                              std::function<void(const history::Lottery&)> importInto, QVBoxLayout& layout);

    QLabel* summary_;
    QPlainTextEdit* details_;
    QPushButton* replace_ = nullptr;
    QLabel* notice_ = nullptr;
    QPushButton* otherLottery_ = nullptr;
};

// The conflicts, the replaced draws and the first kRejectedShown rejected lines, one per line.
QString ImportDetails(const history::ImportReport& report);

}  // namespace sanxing
