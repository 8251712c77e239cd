#include "controls/SectionDateTimeEdit.h"

#include <QLineEdit>
#include <QMouseEvent>

SectionDateTimeEdit::SectionDateTimeEdit(QWidget* parent) : QDateTimeEdit(parent) {
    lineEdit()->installEventFilter(this);
}

bool SectionDateTimeEdit::eventFilter(QObject* watched, QEvent* event) {
    // The press has placed the cursor and made its part the current one; a drag that selected text keeps it.
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !lineEdit()->hasSelectedText() &&
        currentSection() != NoSection) {
        setSelectedSection(currentSection());
    }
    return QDateTimeEdit::eventFilter(watched, event);
}
