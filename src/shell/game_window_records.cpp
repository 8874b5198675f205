// A game window's records: saving the game shown as a .krunk file, and opening one.
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cctype>

#include "boards/registry.h"
#include "core/game_record.h"
#include "core/window_kind.h"
#include "shell/game_window.h"
#include "shell/shell.h"

namespace kp {

namespace {

// "tolva-game.krunk" for Tolva: the game's own name, as a file name.
QString suggestedName(const GameRecord& record) {
  const std::string& path = record.game.empty() ? record.window : record.game;
  const auto cut = path.rfind('>');
  QString name;
  for (const QChar c : QString::fromStdString(path.substr(cut == std::string::npos ? 0 : cut + 1)).toLower()) {
    if (c.isLetterOrNumber()) name += c;
    else if (!name.isEmpty() && !name.endsWith('-')) name += '-';
  }
  while (name.endsWith('-')) name.chop(1);
  return (name.isEmpty() ? QStringLiteral("krunk-plexa") : name) + QStringLiteral("-game.krunk");
}

}  // namespace

void GameWindow::saveRecord(const std::string& text) {
  QString path = shell_.chooseRecordFile(this, true, suggestedName(controller_->record()));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".krunk");
  QSaveFile file(path);
  const QByteArray bytes = QByteArray::fromStdString(text);  // the record's text is UTF-8 already
  if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return;
  showMessage("Save game", "Sorry, the game could not be saved as \"" + QFileInfo(path).fileName().toStdString() +
                               "\": " + file.errorString().toStdString() + ".", {});
}

void GameWindow::openRecord() {
  const QString path = shell_.chooseRecordFile(this, false, {});
  if (path.isEmpty()) return;
  const std::string name = QFileInfo(path).fileName().toStdString();
  auto refused = [&](const RecordError& error) {
    std::string why = error.message();
    if (!why.empty()) why[0] = char(std::toupper(static_cast<unsigned char>(why[0])));
    showMessage("Open game", "Sorry, the game in \"" + name + "\" cannot be opened.\n" + why, {});
  };
  const auto checked = checkedRecord(QFile::encodeName(path).toStdString(), shell_.program());
  if (const auto* error = std::get_if<RecordError>(&checked)) return refused(*error);
  const GameRecord& record = std::get<GameRecord>(checked);
  // As Other Games opens a window: the new one first, then this one closes (also when it
  // is of the same kind). The record was played through already, so it plays here too.
  GameWindow* opened = shell_.openWindow(*windowFromName(record.window));
  if (!opened) return refused(RecordError{record.windowLine, "this version has no window \"" + record.window + "\"."});
  if (auto error = opened->controller().playRecord(record)) {
    opened->close();
    return refused(*error);
  }
  close();
}

}  // namespace kp
