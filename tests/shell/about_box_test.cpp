#include "shell/about_box.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "shell/qt_colour.h"
#include "shell/star_field_widget.h"

namespace {

const QColor kLink = kp::toQColor(0xC0C000);
const QColor kHover = kp::toQColor(0xFFFF00);

void sendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button = Qt::NoButton) {
  const QPointF local(5, 5);
  QMouseEvent event(type, local, target->mapToGlobal(local), button,
                    type == QEvent::MouseMove ? Qt::MouseButtons() : Qt::MouseButtons(button), Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

}  // namespace

class AboutBoxTest : public QObject {
  Q_OBJECT

 private:
  QStringList opened_;
  QPointer<kp::AboutBox> box_;

  kp::AboutBox* makeBox() {
    auto n = std::make_shared<int>(0);  // a predictable stand-in for the random numbers
    box_ = new kp::AboutBox([n] { return double((*n)++ % 97) / 97.0; }, [this](const QString& url) { opened_ << url; });
    box_->show();
    return box_;
  }

 private slots:
  void init() { opened_.clear(); }
  void cleanup() { delete box_.data(); }

  void captionsShadowAndWindowKind() {
    kp::AboutBox* box = makeBox();
    QCOMPARE(box->windowTitle(), QStringLiteral("About Krunk Plexa"));
    QCOMPARE(box->titleLabel()->text(), QStringLiteral("Krunk Plexa    "));
    QCOMPARE(box->shadowLabel()->text(), box->titleLabel()->text());
    QCOMPARE(box->versionLabel()->text(), QStringLiteral("Version 1.0"));
    QCOMPARE(box->linkLabel()->text(), QStringLiteral("https://krunkplexa.example.org"));
    // The shadow is drawn first, two pixels down and right, and darker.
    QCOMPARE(box->shadowLabel()->pos() - box->titleLabel()->pos(), QPoint(2, 2));
    QVERIFY(box->children().indexOf(box->shadowLabel()) < box->children().indexOf(box->titleLabel()));
    QVERIFY(box->shadowLabel()->palette().color(QPalette::WindowText).lightness() <
            box->titleLabel()->palette().color(QPalette::WindowText).lightness());
    QVERIFY(!box->isModal());
    QCOMPARE(box->minimumSize(), box->maximumSize());
  }

  void linkColourFollowsTheMouse_data() {
    QTest::addColumn<QStringList>("path");  // labels the mouse moves over, in order
    QTest::addColumn<QColor>("expected");
    QTest::newRow("untouched") << QStringList{} << kLink;
    QTest::newRow("over the link") << QStringList{"linkLabel"} << kHover;
    QTest::newRow("link then a credit") << QStringList{"linkLabel", "creditLabel1"} << kLink;
    QTest::newRow("back to the link") << QStringList{"linkLabel", "versionLabel", "linkLabel"} << kHover;
    QTest::newRow("link, then the stars") << QStringList{"linkLabel", "stars"} << kHover;
  }

  void linkColourFollowsTheMouse() {
    QFETCH(QStringList, path);
    QFETCH(QColor, expected);
    kp::AboutBox* box = makeBox();
    for (const QString& name : path) {
      QWidget* target = name == "stars" ? static_cast<QWidget*>(box->stars()) : box->findChild<QLabel*>(name);
      QVERIFY2(target, qPrintable(name));
      sendMouse(target, QEvent::MouseMove);
    }
    QCOMPARE(box->linkLabel()->palette().color(QPalette::WindowText), expected);
  }

  void theLinkOpensTheSiteAndOkDeletesTheBox() {
    kp::AboutBox* box = makeBox();
    sendMouse(box->versionLabel(), QEvent::MouseButtonPress, Qt::LeftButton);
    QVERIFY(opened_.isEmpty());
    sendMouse(box->linkLabel(), QEvent::MouseButtonPress, Qt::RightButton);  // any button
    QCOMPARE(opened_, QStringList{"https://krunkplexa.example.org"});
    box->okButton()->click();
    QVERIFY(!box_->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(box_.isNull());
  }

  void starsFillTheBoxAndRunOnlyWhileItIsShown() {
    kp::AboutBox* box = makeBox();
    kp::StarFieldWidget* stars = box->stars();
    QCOMPARE(stars->geometry(), box->rect());
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
