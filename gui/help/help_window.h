#pragma once
// 使用说明 as a window to browse: the sections in a list, the chosen one beside it, and a
// search box that keeps the sections holding the words typed and marks them in the text.

#include <QDialog>
#include <string_view>

class QLineEdit;
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

}  // namespace sanxing
