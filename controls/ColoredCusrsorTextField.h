#pragma once

#include <QLineEdit>

// A text field whose insertion point is always black. The caret takes the field's text colour, so that
// colour is kept black whatever palette the field inherits.
class ColoredCusrsorTextField : public QLineEdit {
    Q_OBJECT
  public:
    explicit ColoredCusrsorTextField(QWidget* parent = nullptr);

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void keepCaretBlack();
};
