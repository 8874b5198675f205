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

// A predictable stand-in for the program's random numbers.
std::function<double()> fixedRandom() {
    auto n = std::make_shared<int>(0);
    return [n] { return double((*n)++ % 97) / 97.0; };
}

void sendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button = Qt::NoButton) {
    const QPointF local(5, 5);
    QMouseEvent event(type, local, target->mapToGlobal(local), button,
                      type == QEvent::MouseMove ? Qt::MouseButtons() : Qt::MouseButtons(button),
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

}  // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT

private:
    QStringList opened_;
    QPointer<kp::AboutBox> box_;

    kp::AboutBox* makeBox() {
        box_ = new kp::AboutBox(fixedRandom(), [this](const QString& url) { opened_ << url; });
        box_->show();
        return box_;
    }

private slots:
    void init() { opened_.clear(); }
    void cleanup() { delete box_.data(); }

    void captionsAndWindowKind() {
        kp::AboutBox* box = makeBox();
        QCOMPARE(box->windowTitle(), QStringLiteral("About Krunk Plexa"));
        QCOMPARE(box->titleLabel()->text(), QStringLiteral("Krunk Plexa    "));
        QCOMPARE(box->shadowLabel()->text(), QStringLiteral("Krunk Plexa    "));
        QCOMPARE(box->versionLabel()->text(), QStringLiteral("Version 1.0"));
        QCOMPARE(box->linkLabel()->text(), QStringLiteral("https://krunkplexa.example.org"));
        QCOMPARE(box->okButton()->text(), QStringLiteral("OK"));
        QVERIFY(!box->isModal());
        QVERIFY(box->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(box->minimumSize(), box->maximumSize());
    }

    void shadowSitsBehindTheTitleAndOffset() {
        kp::AboutBox* box = makeBox();
        QLabel* title = box->titleLabel();
        QLabel* shadow = box->shadowLabel();
        QCOMPARE(shadow->pos() - title->pos(), QPoint(2, 2));
        QVERIFY(box->children().indexOf(shadow) < box->children().indexOf(title));
        QVERIFY(title->font().bold());
        QVERIFY(title->font().pointSize() > box->versionLabel()->font().pointSize());
        QVERIFY(shadow->palette().color(QPalette::WindowText).lightness() <
                title->palette().color(QPalette::WindowText).lightness());
    }

    void linkColourFollowsTheMouse_data() {
        QTest::addColumn<QStringList>("path");  // labels the mouse moves over, in order
        QTest::addColumn<QColor>("expected");
        QTest::newRow("untouched") << QStringList{} << kLink;
        QTest::newRow("over the link") << QStringList{"linkLabel"} << kHover;
        QTest::newRow("link then title") << QStringList{"linkLabel", "titleLabel"} << kLink;
        QTest::newRow("link then version") << QStringList{"linkLabel", "versionLabel"} << kLink;
        QTest::newRow("link then credit") << QStringList{"linkLabel", "creditLabel1"} << kLink;
        QTest::newRow("back to the link") << QStringList{"linkLabel", "versionLabel", "linkLabel"}
                                          << kHover;
        QTest::newRow("link, then the stars") << QStringList{"linkLabel", "stars"} << kHover;
    }

    void linkColourFollowsTheMouse() {
        QFETCH(QStringList, path);
        QFETCH(QColor, expected);
        kp::AboutBox* box = makeBox();
        for (const QString& name : path) {
            QWidget* target = name == "stars" ? static_cast<QWidget*>(box->stars())
                                              : box->findChild<QLabel*>(name);
            QVERIFY2(target, qPrintable(name));
            sendMouse(target, QEvent::MouseMove);
        }
        QCOMPARE(box->linkColour(), expected);
        QCOMPARE(box->linkLabel()->palette().color(QPalette::WindowText), expected);
    }

    void pressingTheLinkOpensTheSite() {
        kp::AboutBox* box = makeBox();
        sendMouse(box->versionLabel(), QEvent::MouseButtonPress, Qt::LeftButton);
        QVERIFY(opened_.isEmpty());
        sendMouse(box->linkLabel(), QEvent::MouseButtonPress, Qt::RightButton);
        QCOMPARE(opened_, QStringList{"https://krunkplexa.example.org"});
        QVERIFY(box->isVisible());
    }

    void okClosesAndDeletesTheBox() {
        makeBox()->okButton()->click();
        QVERIFY(!box_->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(box_.isNull());
        QVERIFY(opened_.isEmpty());
    }

    void starsRunOnlyWhileTheBoxIsShown() {
        kp::AboutBox* box = makeBox();
        kp::StarFieldWidget* stars = box->stars();
        QCOMPARE(stars->geometry(), box->rect());
        QVERIFY(stars->isAnimating());
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
