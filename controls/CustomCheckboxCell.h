#pragma once

#include <QCheckBox>

// A check box drawn only as one of two pictures, 15 points square at (2, 0): ticked for any state but
// unchecked (the mixed state included).
class CustomCheckboxCell : public QCheckBox {
    Q_OBJECT
  public:
    explicit CustomCheckboxCell(QWidget* parent = nullptr);

    static QString imageNameFor(Qt::CheckState state);
    static QRectF imageRect();

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};
