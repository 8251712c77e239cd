#include "app/ArtworkViews.h"

#include "controls/ControlState.h"
#include "controls/IMGButton.h"
#include "controls/ImageLibrary.h"

#include <QLabel>
#include <QPainter>

namespace {

class Picture : public QWidget {
  public:
    Picture(const QString& name, QWidget* parent) : QWidget(parent), m_name(name) {
        setFixedSize(ImageLibrary::naturalSize(name).toSize());
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        ImageLibrary::draw(painter, m_name, rect());
    }

  private:
    QString m_name;
};

}  // namespace

namespace ArtworkViews {

QWidget* picture(const QString& name, QWidget* parent) {
    return new Picture(name, parent);
}

QLabel* label(const QString& text, int pointSize, bool bold, QWidget* parent, const QColor& colour) {
    auto* l = new QLabel(text, parent);
    QFont font = l->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    l->setFont(font);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    return l;
}

IMGButton* imageButton(const QString& stem, QWidget* parent) {
    auto* button = new IMGButton(parent);
    const QString normal = stem + QStringLiteral("-normal");
    const QString press = stem + QStringLiteral("-press");
    for (auto look : {IMGButton::Look::OffState, IMGButton::Look::OnState})
        button->setImageName(look, IMGButton::Slice::En, normal);
    for (auto look : {IMGButton::Look::OffStateDwn, IMGButton::Look::OnStateDwn, IMGButton::Look::OffStateDis,
                      IMGButton::Look::OnStateDis})
        button->setImageName(look, IMGButton::Slice::En, press);
    button->setImgMouseHover(stem + QStringLiteral("-hover"));
    button->setFixedSize(button->sizeHint());
    // An image button flips its state after each click; these act, they do not toggle.
    QObject::connect(button, &QAbstractButton::clicked, button, [button] {
        QMetaObject::invokeMethod(
            button, [button] { button->setState(ControlStateOff); }, Qt::QueuedConnection);
    });
    return button;
}

}  // namespace ArtworkViews
