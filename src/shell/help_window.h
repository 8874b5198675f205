#pragma once
#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;

namespace kp {

// The program's own reader of the help page, for a desktop whose opener cannot show it:
// the page read-only with its links (within the page and to files beside it), Back and
// Forward, and a search box that finds text after or before the selection, round the end
// of the page, and says so when the text is nowhere.
class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit HelpWindow(const QString& page);

  // Shows page (the place read is kept when it is the page shown) and brings the window up.
  void showPage(const QString& page);
  QTextBrowser* browser() const { return browser_; }
  QLineEdit* searchBox() const { return search_; }
  // Selects the search box's text at its next (or previous) place; false when it is not
  // in the page.
  bool findNext(bool backward = false);
  bool notFoundShown() const;

 private:
  // Typing finds the text from where the last match starts, so the match grows with it.
  void searchEdited();
  void showFound(bool found);

  QTextBrowser* browser_ = nullptr;
  QLineEdit* search_ = nullptr;
  QLabel* notFound_ = nullptr;
};

}  // namespace kp
