#include "shell/help_window.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextFrame>
#include <QVBoxLayout>

#include "core/standard_menus.h"
#include "shell/screen_fit.h"

namespace kp {

HelpWindow::HelpWindow(const QString& page) {
  setWindowTitle(QStringLiteral("Rules and Help - %1").arg(QString::fromUtf8(kProgramTitle)));
  browser_ = new QTextBrowser(this);
  // Anchors and pages beside the help page open here; a web address goes to the desktop.
  browser_->setOpenExternalLinks(true);

  auto* back = new QPushButton(tr("< &Back"), this);
  auto* forward = new QPushButton(tr("&Forward >"), this);
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);

  auto* findLabel = new QLabel(tr("F&ind:"), this);
  search_ = new QLineEdit(this);
  search_->setClearButtonEnabled(true);
  search_->setPlaceholderText(tr("text in the page"));
  findLabel->setBuddy(search_);
  auto* next = new QPushButton(tr("&Next"), this);
  auto* previous = new QPushButton(tr("&Previous"), this);
  notFound_ = new QLabel(tr("Not found"), this);
  QPalette red = notFound_->palette();
  red.setColor(QPalette::WindowText, QColor(200, 0, 0));
  notFound_->setPalette(red);
  notFound_->hide();
  connect(search_, &QLineEdit::textEdited, this, &HelpWindow::searchEdited);
  connect(search_, &QLineEdit::returnPressed, this, [this] { findNext(); });
  connect(next, &QPushButton::clicked, this, [this] { findNext(); });
  connect(previous, &QPushButton::clicked, this, [this] { findNext(true); });
  for (const auto& [key, backward] : {std::pair{QKeySequence(QKeySequence::FindNext), false},
                                      {QKeySequence(QKeySequence::FindPrevious), true},
                                      {QKeySequence(Qt::SHIFT | Qt::Key_Return), true}})
    connect(new QShortcut(key, this), &QShortcut::activated, this, [this, backward] { findNext(backward); });
  connect(new QShortcut(QKeySequence::Back, this), &QShortcut::activated, browser_, &QTextBrowser::backward);
  connect(new QShortcut(QKeySequence::Forward, this), &QShortcut::activated, browser_, &QTextBrowser::forward);
  connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
    search_->setFocus();
    search_->selectAll();
  });
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);

  auto* top = new QHBoxLayout;
  top->addWidget(back);
  top->addWidget(forward);
  top->addStretch();
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(findLabel);
  bottom->addWidget(search_, 1);
  bottom->addWidget(next);
  bottom->addWidget(previous);
  bottom->addWidget(notFound_);
  auto* col = new QVBoxLayout(this);
  col->addLayout(top);
  col->addWidget(browser_, 1);
  col->addLayout(bottom);
  // The page's shaded margin and white sheet meet in blocks here: one white sheet reads better.
  connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
    QTextFrame* root = browser_->document()->rootFrame();
    QTextFrameFormat sheet = root->frameFormat();
    sheet.setBackground(Qt::white);
    root->setFrameFormat(sheet);
  });
  fitToScreen(*this, QSize(760, 680));
  showPage(page);
}

void HelpWindow::showPage(const QString& page) {
  const QUrl url = QUrl::fromLocalFile(page);
  if (browser_->source().adjusted(QUrl::RemoveFragment) != url) browser_->setSource(url);
  show();
  raise();
  activateWindow();
}

bool HelpWindow::notFoundShown() const { return !notFound_->isHidden(); }

bool HelpWindow::findNext(bool backward) {
  const QString text = search_->text();
  if (text.isEmpty()) {
    showFound(true);
    return true;
  }
  const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
  bool found = browser_->find(text, flags);
  if (!found) {
    // Round the end of the page; the selection stays where it was when the text is nowhere.
    const QTextCursor was = browser_->textCursor();
    QTextCursor from(browser_->document());
    from.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    browser_->setTextCursor(from);
    found = browser_->find(text, flags);
    if (!found) browser_->setTextCursor(was);
  }
  showFound(found);
  return found;
}

void HelpWindow::searchEdited() {
  QTextCursor at = browser_->textCursor();
  at.setPosition(at.selectionStart());
  browser_->setTextCursor(at);
  findNext();
}

void HelpWindow::showFound(bool found) {
  notFound_->setVisible(!found);
  QPalette p = search_->palette();
  p.setColor(QPalette::Base, found ? palette().color(QPalette::Base) : QColor(255, 220, 220));
  search_->setPalette(p);
}

}  // namespace kp
