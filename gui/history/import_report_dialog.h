#pragma once
// The report of one import: what was stored, already present, in conflict (with line
// numbers, against the history or between two lines of the input), the draws replaced by
// 以文件为准, and the first 20 rejected lines with their reasons. When draws of the input
// differ from stored ones, 以文件为准 imports the input again, replacing them.

#include <QDialog>
#include <functional>
#include <string>

#include "history/draw_import.h"
#include "history/lotteries.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace sanxing {

class ImportReportDialog final : public QDialog {
public:
    // `replace` (may be empty: no 以文件为准) runs when the user takes the input's numbers.
    ImportReportDialog(const QString& source, const history::Lottery& lottery, const history::ImportReport& report,
                       std::function<void()> replace, QWidget* parent);

    QLabel* summary() const { return summary_; }
    QPlainTextEdit* details() const { return details_; }
    QPushButton* replaceButton() const { return replace_; }  // nullptr when not offered

    static constexpr std::size_t kRejectedShown = 20;

private:
    QLabel* summary_;
    QPlainTextEdit* details_;
    QPushButton* replace_ = nullptr;
};

// The conflicts, the replaced draws and the first kRejectedShown rejected lines, one per line.
QString ImportDetails(const history::ImportReport& report);

}  // namespace sanxing
