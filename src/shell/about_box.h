#pragma once
#include <QColor>
#include <QDialog>
#include <QString>
#include <functional>

#include "core/colours.h"

class QLabel;
class QPushButton;

namespace kp {

class StarFieldWidget;

// The small "About" window: the program title with a drop shadow, the version, credits and
// the maker's web site over the moving stars. It is modeless and deletes itself on close.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    static constexpr Colour kLinkColour = 0xC0C000;
    static constexpr Colour kLinkHoverColour = 0xFFFF00;

    static const QString& programTitle();  // "Krunk Plexa"
    static const QString& siteAddress();   // the maker's web site behind the link label

    // random feeds the stars; openUrl is asked to open the web site when the link is pressed.
    AboutBox(std::function<double()> random, std::function<void(const QString&)> openUrl,
             QWidget* parent = nullptr);

    QColor linkColour() const;
    QLabel* titleLabel() const { return title_; }
    QLabel* shadowLabel() const { return shadow_; }
    QLabel* versionLabel() const { return version_; }
    QLabel* linkLabel() const { return link_; }
    QPushButton* okButton() const { return ok_; }
    StarFieldWidget* stars() const { return stars_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* addLabel(const QString& text, const QRect& geometry, Colour colour);
    void setLinkColour(Colour colour);

    std::function<void(const QString&)> openUrl_;
    StarFieldWidget* stars_ = nullptr;
    QLabel* shadow_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* version_ = nullptr;
    QLabel* link_ = nullptr;
    QPushButton* ok_ = nullptr;
    Colour linkColour_ = kLinkColour;
};

}  // namespace kp
