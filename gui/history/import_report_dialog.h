#pragma once
// The report of one import of a draw file: what was stored, already present, in conflict
// (with line numbers) and the first 20 rejected lines with their reasons.

#include <QDialog>
#include <string>

#include "history/draw_import.h"
#include "history/lotteries.h"

class QLabel;
class QPlainTextEdit;

namespace sanxing {

class ImportReportDialog final : public QDialog {
public:
    ImportReportDialog(const std::string& file, const history::Lottery& lottery, const history::ImportReport& report,
                       QWidget* parent);

    QLabel* summary() const { return summary_; }
    QPlainTextEdit* details() const { return details_; }

    static constexpr std::size_t kRejectedShown = 20;

private:
    QLabel* summary_;
    QPlainTextEdit* details_;
};

// The conflicts and the first kRejectedShown rejected lines, one per line.
QString ImportDetails(const history::ImportReport& report);

}  // namespace sanxing
