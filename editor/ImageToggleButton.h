#pragma once

#include <QAbstractButton>

// A radio button or check box drawn with the application's own pictures: one for the chosen state and
// one for the other, followed by its title. Disabled, it is drawn faded.
class ImageToggleButton : public QAbstractButton {
    Q_OBJECT
  public:
    ImageToggleButton(const QString& title, const QString& onImage, const QString& offImage, QWidget* parent = nullptr);

    // "radio_btn_sel copy" and "radio_btn_normal copy"; a radio only turns itself on.
    static ImageToggleButton* radio(const QString& title, QWidget* parent = nullptr);
    // "chckbox_sel copy" and "chckbox_normal copy".
    static ImageToggleButton* checkBox(const QString& title, QWidget* parent = nullptr);

    // The picture the button shows now.
    QString imageName() const { return isChecked() ? m_onImage : m_offImage; }
    void setTextColor(const QColor& color);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override;

  private:
    QString m_onImage;
    QString m_offImage;
    QColor m_textColor;
    bool m_radio = false;
};
