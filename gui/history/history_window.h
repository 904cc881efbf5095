#pragma once
// The 开奖历史 window: the draws of one lottery, newest first, with their count, the first
// and last issue and the gaps. Selected draws can be deleted (删除选中 or Delete) after a
// question; 跳到期号 takes any spelling of an issue the import reads and selects that
// draw; 导入… starts the import of a draw file into the lottery shown; Esc closes.

#include <QDialog>
#include <functional>

#include "history/lotteries.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace sanxing {

inline constexpr const char* kHistoryCaption = "开奖历史";

class DrawTableModel;
class HistorySession;
class Platform;

class HistoryWindow final : public QDialog {
public:
    HistoryWindow(HistorySession& session, Platform& platform, QWidget* parent);

    void showLottery(const history::Lottery& lottery);
    // Reads the chosen lottery's draws anew (after an import, say).
    void refresh();
    void deleteSelected();
    // Selects and shows the draw of an issue typed in any spelling the import reads; a text
    // that is no issue of the lottery, or an issue not stored, is said under the box.
    void jumpTo(const QString& typed);
    // `listener` hears of every delete that removed draws.
    void onDrawsDeleted(std::function<void(const history::Lottery&)> listener) { deleted_ = std::move(listener); }
    // `import` runs for 导入… with the lottery shown.
    void onImport(std::function<void(const history::Lottery&)> import) { import_ = std::move(import); }

    const history::Lottery& lottery() const;
    QTableView* table() const { return table_; }
    QLabel* summary() const { return summary_; }
    QLineEdit* jumpBox() const { return jumpBox_; }
    QLabel* jumpNote() const { return jumpNote_; }
    QPushButton* importButton() const { return importButton_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateSummary();
    void showJumpNote(const QString& text);

    HistorySession& session_;
    Platform& platform_;
    QComboBox* lotteries_;
    QLabel* summary_;
    QTableView* table_;
    QPushButton* delete_;
    QPushButton* importButton_;
    QLineEdit* jumpBox_;
    QLabel* jumpNote_;
    DrawTableModel* model_;
    std::function<void(const history::Lottery&)> deleted_;
    std::function<void(const history::Lottery&)> import_;
};

// "共 N 期，第一期 X，最后一期 Y" and the gaps, for the summary line.
QString HistorySummary(const std::vector<std::string>& issuesNewestFirst, const history::Lottery& lottery);

}  // namespace sanxing
