#pragma once

#include <QLabel>

// A label whose text is always drawn white.
class CustomTextcoloredTextField : public QLabel {
    Q_OBJECT
  public:
    explicit CustomTextcoloredTextField(QWidget* parent = nullptr);

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void keepWhite();
};
