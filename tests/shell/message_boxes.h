#pragma once

#include <QtTest>
#include <QtWidgets>
#include <memory>

// Presses OK on the message box the last event opened; returns its title and text, or
// nothing when no box opened.
inline QStringList answerNextMessage() {
  auto seen = std::make_shared<QStringList>();
  QTimer::singleShot(0, [seen] {
    for (QWidget* top : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) {
        *seen = {box->windowTitle(), box->text()};
        box->button(QMessageBox::Ok)->click();
      }
  });
  QTest::qWait(50);
  return *seen;
}
