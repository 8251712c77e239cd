#include "editor/FormTextView.h"

#include "editor/FieldValidation.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

FormTextView::FormTextView(int limit, QWidget* parent) : TextViewWithPlaceHolder(parent), m_limit(limit) {
    m_save.setSingleShot(true);
    m_save.setInterval(100);
    connect(&m_save, &QTimer::timeout, this, [this] { emit textSaved(toPlainText()); });
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showing) m_save.start();
    });
}

void FormTextView::showText(const QString& text) {
    m_showing = true;
    setPlainText(text);
    m_showing = false;
}

std::optional<QString> FormTextView::fitting(const QString& text) const {
    const QTextCursor cursor = textCursor();
    const int selected = cursor.selectionEnd() - cursor.selectionStart();
    return FieldValidation::acceptedTextViewChange(static_cast<int>(toPlainText().size()), selected, text, m_limit);
}

void FormTextView::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool inserts = !typed.isEmpty() && (typed.at(0).isPrint() || typed == QLatin1String("\r"));
    if (inserts && !event->matches(QKeySequence::Paste)) {
        const QString text = typed == QLatin1String("\r") ? QStringLiteral("\n") : typed;
        const std::optional<QString> fit = fitting(text);
        if (!fit || fit->isEmpty()) {
            event->accept();
            return;
        }
        if (*fit != text) {
            insertPlainText(*fit);
            event->accept();
            return;
        }
    }
    TextViewWithPlaceHolder::keyPressEvent(event);
}

void FormTextView::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText()) return;
    const std::optional<QString> fit = fitting(source->text());
    if (fit && !fit->isEmpty()) insertPlainText(*fit);
}
