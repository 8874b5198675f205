#include "shell/about_box.h"

#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <utility>

#include "shell/qt_colour.h"
#include "shell/star_field_widget.h"

namespace kp {

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 260;

// The stars of the about box: a smaller field than the launcher's.
constexpr int kStarCentre = 1250;
constexpr int kStarRangeA = 2600;
constexpr int kStarRangeB = 5900;

constexpr Colour kTitleColour = 0x00FFFF;    // yellow
constexpr Colour kShadowColour = 0x804010;   // dark blue
constexpr Colour kTextColour = 0xF0F0F0;
constexpr Colour kCreditColour = 0xC0C0C0;

}  // namespace

const QString& AboutBox::programTitle() {
    static const QString title = QStringLiteral("Krunk Plexa");
    return title;
}

const QString& AboutBox::siteAddress() {
    static const QString site = QStringLiteral("https://krunkplexa.example.org");
    return site;
}

AboutBox::AboutBox(std::function<double()> random, std::function<void(const QString&)> openUrl,
                   QWidget* parent)
    : QDialog(parent), openUrl_(std::move(openUrl)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("About ") + programTitle());
    setFixedSize(kWidth, kHeight);

    stars_ = new StarFieldWidget(kStarCentre, kStarRangeA, kStarRangeB, std::move(random), this);
    stars_->setGeometry(0, 0, kWidth, kHeight);

    const QString titleText = programTitle() + QStringLiteral("    ");
    QFont big = font();
    big.setPointSize(24);
    big.setBold(true);
    shadow_ = addLabel(titleText, QRect(22, 22, 380, 48), kShadowColour);
    shadow_->setObjectName(QStringLiteral("shadowLabel"));
    shadow_->setFont(big);
    title_ = addLabel(titleText, QRect(20, 20, 380, 48), kTitleColour);
    title_->setObjectName(QStringLiteral("titleLabel"));
    title_->setFont(big);

    version_ = addLabel(QStringLiteral("Version 1.0"), QRect(24, 78, 300, 22), kTextColour);
    version_->setObjectName(QStringLiteral("versionLabel"));
    QLabel* credit1 = addLabel(QStringLiteral("A collection of line-and-cell games"),
                               QRect(24, 112, 370, 22), kCreditColour);
    credit1->setObjectName(QStringLiteral("creditLabel1"));
    QLabel* credit2 = addLabel(QStringLiteral("in two, three and four dimensions"),
                               QRect(24, 134, 370, 22), kCreditColour);
    credit2->setObjectName(QStringLiteral("creditLabel2"));

    link_ = addLabel(siteAddress(), QRect(24, 172, 300, 22), kLinkColour);
    link_->setObjectName(QStringLiteral("linkLabel"));
    link_->setCursor(Qt::PointingHandCursor);
    QFont underlined = link_->font();
    underlined.setUnderline(true);
    link_->setFont(underlined);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("okButton"));
    ok_->setGeometry(kWidth - 100, kHeight - 44, 80, 28);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);  // accept() closes, and so deletes
}

QLabel* AboutBox::addLabel(const QString& text, const QRect& geometry, Colour colour) {
    auto* label = new QLabel(text, this);
    label->setGeometry(geometry);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, toQColor(colour));
    label->setPalette(pal);
    label->setMouseTracking(true);  // hover is judged on plain mouse moves, no button held
    label->installEventFilter(this);
    return label;
}

QColor AboutBox::linkColour() const { return toQColor(linkColour_); }

void AboutBox::setLinkColour(Colour colour) {
    if (colour == linkColour_) return;
    linkColour_ = colour;
    QPalette pal = link_->palette();
    pal.setColor(QPalette::WindowText, toQColor(colour));
    link_->setPalette(pal);
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        if (watched == link_)
            setLinkColour(kLinkHoverColour);
        else if (qobject_cast<QLabel*>(watched))
            setLinkColour(kLinkColour);
    } else if (event->type() == QEvent::MouseButtonPress && watched == link_) {
        if (openUrl_) openUrl_(siteAddress());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace kp
