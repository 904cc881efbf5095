#pragma once
// 使用说明 as a window to browse: the sections in a list, the chosen one beside it, and a
// search box that keeps the sections holding the words typed and marks them in the text.

#include <QDialog>
#include <string_view>

class QLineEdit;
class QPushButton;
class QListWidget;
class QTextBrowser;

namespace sanxing {

class HelpWindow final : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the section with this id (see help_texts.h); an unknown id shows the first.
    void showSection(std::string_view id);

    QLineEdit* search() const { return search_; }
    QListWidget* sections() const { return list_; }
    QTextBrowser* text() const { return text_; }

private:
    void filter(const QString& words);
    void showRow(int row);

    QLineEdit* search_;
    QListWidget* list_;
    QTextBrowser* text_;
};

// Opens the one help window over `window` (or brings it forward) at a section.
void ShowHelp(QWidget* window, std::string_view section = {});
// The same over the main window of a dialog (the dialog itself when it has none), so that
// every dialog's 帮助 shares the window F1 opens.
void ShowHelpFor(QWidget& widget, std::string_view section);
// A 帮助 button for `dialog` that opens the help at `section`.
QPushButton* HelpButton(QWidget& dialog, std::string_view section);
// The help window while it is open, else nullptr.
HelpWindow* OpenHelpWindow();

}  // namespace sanxing
