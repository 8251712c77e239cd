#pragma once

#include <QLineEdit>

// A text field whose insertion point is always black. The caret takes the field's text colour, so that
// colour is kept black whatever palette the field inherits.
class ColoredCursorTextField : public QLineEdit {
    Q_OBJECT
  public:
    explicit ColoredCursorTextField(QWidget* parent = nullptr);

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void keepCaretBlack();
};
