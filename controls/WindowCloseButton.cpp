#include "controls/WindowCloseButton.h"

#include "controls/ImageLibrary.h"

#include <QKeyEvent>
#include <QPainter>

namespace {

// The picture is small; the button around it gives the pointer a little more to hit.
constexpr int kPadding = 3;

}  // namespace

WindowCloseButton::WindowCloseButton(QWidget* parent) : QAbstractButton(parent) {
    setObjectName(QStringLiteral("btnCloseWindow"));
    setToolTip(QStringLiteral("Close"));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    setFixedSize(sizeHint());
    connect(this, &QAbstractButton::clicked, this, [this] { window()->close(); });
    window()->installEventFilter(this);
}

QSize WindowCloseButton::sizeHint() const {
    return ImageLibrary::naturalSize(QStringLiteral("close-normal")).toSize() + QSize(2 * kPadding, 2 * kPadding);
}

void WindowCloseButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QString look = isDown()       ? QStringLiteral("close-press")
                         : underMouse() ? QStringLiteral("close-hover")
                                        : QStringLiteral("close-normal");
    ImageLibrary::draw(painter, look, QRectF(rect()).adjusted(kPadding, kPadding, -kPadding, -kPadding));
}

bool WindowCloseButton::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            window()->close();
            return true;
        }
    }
    return QAbstractButton::eventFilter(watched, event);
}
