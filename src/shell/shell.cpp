#include "shell/shell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QDir>
#include <QIcon>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include "boards/registry.h"
#include "shell/about_box.h"
#include "shell/game_window.h"
#include "shell/help_window.h"
#include "shell/launcher_window.h"
#include "shell/screen_fit.h"

namespace kp {

namespace {

// The desktop's opener, run by the program itself where it has one (xdg-open):
// QDesktopServices starts it and forgets it, so a desktop with no program for the page
// showed nothing at all. The run goes on beside the game, and its end tells whether the
// page was shown. A desktop with no opener at all reports failure too: the program's own
// help window is then the way to read the page.
bool openOnDesktop(QObject* owner, const QUrl& url, std::function<void()> failed) {
  if (!failed) failed = [] {};
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  if (const QString opener = QStandardPaths::findExecutable("xdg-open"); !opener.isEmpty()) {
    auto* run = new QProcess(owner);
    // Its messages go where the program's go; the program it starts keeps nothing of ours.
    run->setProcessChannelMode(QProcess::ForwardedChannels);
    run->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(run, &QProcess::finished, owner, [run, failed](int code, QProcess::ExitStatus how) {
      run->deleteLater();
      if (code != 0 || how != QProcess::NormalExit) failed();
    });
    QObject::connect(run, &QProcess::errorOccurred, owner, [run, failed](QProcess::ProcessError error) {
      if (error != QProcess::FailedToStart) return;
      run->deleteLater();
      failed();
    });
    run->start(opener, {QString::fromUtf8(url.toEncoded())});
    return true;
  }
#endif
  if (!QDesktopServices::openUrl(url)) QTimer::singleShot(0, owner, failed);
  return true;
}

}  // namespace

Shell::Shell(QObject* parent)
    : QObject(parent), urlOpener_([this](const QUrl& u, std::function<void()> failed) {
        return openOnDesktop(this, u, std::move(failed));
      }),
      fileChooser_([this](QWidget* parent, bool save, const QString& suggested) {
        // The first dialog opens in the person's documents (or home, where there are none); the
        // next where the last one ended.
        if (recordFolder_.isEmpty()) recordFolder_ = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QDir(recordFolder_).exists()) recordFolder_ = QDir::homePath();
        const QString filter = QStringLiteral("Krunk Plexa games (*.krunk)");
        const QString start = save ? QDir(recordFolder_).filePath(suggested) : recordFolder_;
        QFileDialog dialog(parent, save ? QStringLiteral("Save game") : QStringLiteral("Open game"), start, filter);
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        // The dialog adds the extension itself, so it asks before replacing the file really written.
        if (save) dialog.setDefaultSuffix(QStringLiteral("krunk"));
        const QString path = dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
        if (!path.isEmpty()) recordFolder_ = QFileInfo(path).absolutePath();
        return path;
      }) {
  clock_.start();
  // Every window of the program shows its icon (the desktop entry names the same one).
  QIcon icon;
  for (const int size : {48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icons/%1x%1/org.krunkplexa.KrunkPlexa.png").arg(size), QSize(size, size));
  QApplication::setWindowIcon(icon);
  // The program always goes on: the Expert's jobs are its only workers, one at a time but
  // for a cancelled one winding down.
  aside_.setMaxThreadCount(2);
  // The Expert thinks for the time the player chose.
  program_.expertOnClock = true;
}

Shell::~Shell() {
  delete help_;
  // An opener still running has handed the page to a program that outlives the game (a
  // browser it waits for): only the opener ends here.
  for (QProcess* run : findChildren<QProcess*>()) {
    run->disconnect();
    run->kill();
    run->waitForFinished(1000);
  }
  for (const auto& weak : asideStops_)
    if (const auto stop = weak.lock()) *stop = true;
  aside_.waitForDone();
}

void Shell::runAside(std::shared_ptr<std::atomic<bool>> stop, std::function<void()> job) {
  std::erase_if(asideStops_, [](const auto& weak) { return weak.expired(); });
  asideStops_.push_back(stop);
  aside_.start(std::move(job));
}

GameWindow* Shell::openWindow(WindowKind kind) {
  if (!windowBuilt(kind)) return nullptr;
  auto* w = new GameWindow(*this, kind);
  w->show();
  QTimer::singleShot(0, w, [w] { keepOnScreen(*w); });
  emit windowOpened(w);
  return w;
}

LauncherWindow* Shell::openLauncher() {
  auto* w = new LauncherWindow(*this);
  w->show();
  QTimer::singleShot(0, w, [w] { keepOnScreen(*w); });
  return w;
}

void Shell::showAbout() {
  auto* box = new AboutBox([this] { return program_.random.next(); }, [this](const QString& url) { openUrl(QUrl(url)); });
  box->show();
}

HelpWindow* Shell::showHelp(const QString& page) {
  if (!help_) {
    help_ = new HelpWindow(page);
    help_->setAttribute(Qt::WA_DeleteOnClose);
    // The program ends with its last game window, whether the help is open or not.
    help_->setAttribute(Qt::WA_QuitOnClose, false);
  }
  help_->showPage(page);
  return help_;
}

void Shell::quit() {
  for (QWidget* w : QApplication::topLevelWidgets()) w->close();
  QCoreApplication::quit();
}

}  // namespace kp
