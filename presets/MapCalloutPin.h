#pragma once

#include <QString>
#include <QWidget>

// A pin drawn from an image, with its callout open above it: the map's mark for a place that stands for
// something else (no position, an unusable one). Its tip is the bottom centre; the owner places it there.
class MapCalloutPin : public QWidget {
    Q_OBJECT
  public:
    MapCalloutPin(const QString& imageName, QWidget* parent = nullptr);

    QString title() const { return m_title; }
    void setTitle(const QString& title);
    // Moves the pin so that its tip stands on point (in the parent's coordinates).
    void placeTipAt(const QPointF& point);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QSize calloutSize() const;

    QString m_imageName;
    QString m_title;
};
