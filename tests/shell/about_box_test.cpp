#include "shell/about_box.h"

#include <QtTest>
#include <QtWidgets>
#include <memory>

#include "shell/qt_colour.h"
#include "shell/star_field_widget.h"

namespace {

void sendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button = Qt::NoButton) {
  const QPointF local(5, 5);
  QMouseEvent event(type, local, target->mapToGlobal(local), button, Qt::MouseButtons(button), Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

}  // namespace

class AboutBoxTest : public QObject {
  Q_OBJECT

  QStringList opened_;
  QPointer<kp::AboutBox> box_;

  kp::AboutBox* makeBox() {
    delete box_.data();
    auto n = std::make_shared<int>(0);  // a predictable stand-in for the random numbers
    box_ = new kp::AboutBox([n] { return double((*n)++ % 97) / 97.0; }, [this](const QString& url) { opened_ << url; });
    box_->show();
    return box_;
  }

 private slots:
  void cleanup() { delete box_.data(); }

  // The title's shadow is drawn first, two pixels down and right, and darker. The link
  // lights up under the mouse until it moves over another label; any button on it opens
  // the site. OK closes the box for good.
  void theTitleAndTheLink() {
    kp::AboutBox* box = makeBox();
    QCOMPARE(box->shadowLabel()->text(), box->titleLabel()->text());
    QCOMPARE(box->shadowLabel()->pos() - box->titleLabel()->pos(), QPoint(2, 2));
    QVERIFY(box->children().indexOf(box->shadowLabel()) < box->children().indexOf(box->titleLabel()));
    QVERIFY(box->shadowLabel()->palette().color(QPalette::WindowText).lightness() <
            box->titleLabel()->palette().color(QPalette::WindowText).lightness());

    const std::pair<QStringList, bool> paths[] = {
        {{}, false},
        {{"linkLabel", "creditLabel1"}, false},
        {{"linkLabel", "versionLabel", "linkLabel"}, true},
        {{"linkLabel", "stars"}, true},  // the stars are no label
    };
    for (const auto& [path, lit] : paths) {
      box = makeBox();
      for (const QString& name : path) {
        QWidget* target = name == "stars" ? static_cast<QWidget*>(box->stars()) : box->findChild<QLabel*>(name);
        QVERIFY2(target, qPrintable(name));
        sendMouse(target, QEvent::MouseMove);
      }
      QCOMPARE(box->linkLabel()->palette().color(QPalette::WindowText), kp::toQColor(lit ? 0xFFFF00 : 0xC0C000));
    }

    sendMouse(box->versionLabel(), QEvent::MouseButtonPress, Qt::LeftButton);
    QVERIFY(opened_.isEmpty());
    sendMouse(box->linkLabel(), QEvent::MouseButtonPress, Qt::RightButton);
    QCOMPARE(opened_, QStringList{"https://krunkplexa.example.org"});
    box->okButton()->click();
    QVERIFY(!box_->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(box_.isNull());
  }

  void theStarsFillTheBoxAndRunOnlyWhileItIsShown() {
    kp::AboutBox* box = makeBox();
    kp::StarFieldWidget* stars = box->stars();
    const auto before = stars->field().stars();
    QTRY_VERIFY_WITH_TIMEOUT(stars->field().stars() != before, 2000);
    box->hide();
    QVERIFY(!stars->isAnimating());
    box->show();
    QVERIFY(stars->isAnimating());
  }
};

QTEST_MAIN(AboutBoxTest)
#include "about_box_test.moc"
