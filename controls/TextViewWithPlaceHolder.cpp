#include "controls/TextViewWithPlaceHolder.h"

TextViewWithPlaceHolder::TextViewWithPlaceHolder(QWidget* parent) : QPlainTextEdit(parent) {}

void TextViewWithPlaceHolder::focusOutEvent(QFocusEvent* event) {
    viewport()->update();
    QPlainTextEdit::focusOutEvent(event);
}
