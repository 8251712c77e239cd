#pragma once

#include <QPlainTextEdit>

// The multi-line field of comments and keywords. It takes a placeholder but never shows one, and redraws
// itself when it loses the focus.
class TextViewWithPlaceHolder : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit TextViewWithPlaceHolder(QWidget* parent = nullptr);

    QString placeholderString() const { return QString(); }
    void setPlaceholderString(const QString& placeholder) { (void)placeholder; }

  protected:
    void focusOutEvent(QFocusEvent* event) override;
};
