#pragma once

#include <QString>
#include <QWidget>

// The main window's busy overlay (vwLoading): it covers the whole window, takes every click, and shows a
// message in a rounded dark box (bgLoader) in its middle.
class LoadingOverlay : public QWidget {
    Q_OBJECT
  public:
    explicit LoadingOverlay(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);
    // Where the dark box is drawn, in the overlay's coordinates.
    QRect boxRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString m_text;
};
