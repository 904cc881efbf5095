#include "gui/help/help_window.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>
#include <string>

#include "gui/help/help_texts.h"

namespace sanxing {

namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The section's words as the search sees them: its title and its text without markup.
QString PlainText(const HelpSection& section) {
    QTextDocument document;
    document.setHtml(Q(section.html));
    return Q(section.title) + QLatin1Char('\n') + document.toPlainText();
}

QPointer<HelpWindow> shown;  // the one help window, while it is open

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("使用说明"));
    search_ = new QLineEdit;
    search_->setPlaceholderText(QStringLiteral("搜索说明…"));
    search_->setClearButtonEnabled(true);
    list_ = new QListWidget;
    for (std::size_t i = 0; i < HelpSections().size(); ++i) {
        auto* item = new QListWidgetItem(Q(HelpSections()[i].title), list_);
        item->setData(Qt::UserRole, static_cast<int>(i));
    }
    list_->setMaximumWidth(list_->sizeHintForColumn(0) + 4 * list_->frameWidth() + 16);
    text_ = new QTextBrowser;
    text_->setOpenExternalLinks(false);

    auto* body = new QHBoxLayout;
    body->addWidget(list_);
    body->addWidget(text_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(search_);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(search_, &QLineEdit::textChanged, this, &HelpWindow::filter);
    connect(list_, &QListWidget::currentRowChanged, this, &HelpWindow::showRow);
    list_->setCurrentRow(0);
    resize(fontMetrics().averageCharWidth() * 90, fontMetrics().height() * 32);
}

void HelpWindow::showSection(std::string_view id) {
    search_->clear();
    int row = 0;
    for (int i = 0; i < list_->count(); ++i) {
        if (HelpSections()[static_cast<std::size_t>(list_->item(i)->data(Qt::UserRole).toInt())].id == id) row = i;
    }
    list_->setCurrentRow(row);
}

void HelpWindow::filter(const QString& words) {
    const QString wanted = words.trimmed();
    int first = -1;
    for (int i = 0; i < list_->count(); ++i) {
        const HelpSection& section =
            HelpSections()[static_cast<std::size_t>(list_->item(i)->data(Qt::UserRole).toInt())];
        const bool match = wanted.isEmpty() || PlainText(section).contains(wanted, Qt::CaseInsensitive);
        list_->item(i)->setHidden(!match);
        if (match && first < 0) first = i;
    }
    if (first < 0) {
        text_->setHtml(QStringLiteral("<p>没有找到“%1”。</p>").arg(wanted.toHtmlEscaped()));
        return;
    }
    if (list_->currentItem() == nullptr || list_->currentItem()->isHidden()) {
        list_->setCurrentRow(first);
    } else {
        showRow(list_->currentRow());
    }
}

void HelpWindow::showRow(int row) {
    if (row < 0) return;
    const HelpSection& section = HelpSections()[static_cast<std::size_t>(list_->item(row)->data(Qt::UserRole).toInt())];
    text_->setHtml(QStringLiteral("<h3>%1</h3>").arg(Q(section.title)) + Q(section.html));
    const QString wanted = search_->text().trimmed();
    if (!wanted.isEmpty()) text_->find(wanted);  // selects the first place it stands
}

void ShowHelp(QWidget* window, std::string_view section) {
    const bool opened = shown == nullptr || shown->parentWidget() != window;
    if (opened) {
        shown = new HelpWindow(window);
        shown->setAttribute(Qt::WA_DeleteOnClose);
    }
    // F1 again brings the window back as the user left it.
    if (opened || !section.empty()) shown->showSection(section);
    shown->show();
    shown->raise();
    shown->activateWindow();
}

void ShowHelpFor(QWidget& widget, std::string_view section) {
    QWidget* owner = widget.window();
    if (owner->parentWidget() != nullptr) owner = owner->parentWidget()->window();
    ShowHelp(owner, section);
}

QPushButton* HelpButton(QWidget& dialog, std::string_view section) {
    auto* button = new QPushButton(QStringLiteral("帮助"));
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, &dialog,
                     [&dialog, id = std::string(section)] { ShowHelpFor(dialog, id); });
    return button;
}

HelpWindow* OpenHelpWindow() { return shown; }

}  // namespace sanxing
