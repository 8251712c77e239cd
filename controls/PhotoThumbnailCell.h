#pragma once

#include "controls/ClickCounter.h"
#include "controls/OneShotTimer.h"

#include <QWidget>

#include <memory>

class QAbstractItemView;
class QLabel;
class QPushButton;
class PhotoThumbnailCellDelegate;

// A row of the photo list. Clicks on the row wait 0.2 s before they are reported, so that a double click
// reports only itself and never a single click first; the info button and right clicks report a position
// for the row's menu at once.
class PhotoThumbnailCell : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kClickWaitMs = 200;

    explicit PhotoThumbnailCell(QWidget* parent = nullptr);
    ~PhotoThumbnailCell() override;

    QLabel* txtName() const { return m_txtName; }
    QLabel* txtPath() const { return m_txtPath; }
    QLabel* image() const { return m_image; }
    QPushButton* checkButton() const { return m_checkButton; }
    QPushButton* btnMore() const { return m_btnMore; }
    QWidget* vwSelectedState() const { return m_vwSelectedState; }
    QLabel* bgPhoto() const { return m_bgPhoto; }
    int rowTag() const { return m_rowTag; }
    void setRowTag(int row) { m_rowTag = row; }
    PhotoThumbnailCellDelegate* delegate() const { return m_delegate; }
    void setDelegate(PhotoThumbnailCellDelegate* delegate) { m_delegate = delegate; }

    // Replaces the real-time wait (for driving it by hand).
    void setClickTimer(std::unique_ptr<OneShotTimer> timer);

    // A click of the row with its number in a series; only the last click of a series is reported.
    void btnCheckBoxSelect(int clickCount);
    void btnInfoTapped();

    // The list the row sits in, if any, the row it shows there, and the view positions are reported in.
    QAbstractItemView* tableView() const;
    qint64 row() const;
    QWidget* referenceView() const;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void press(QMouseEvent* event, bool toolkitDoubleClick);
    void btnClicked(int clickCount);

    QLabel* m_txtName;
    QLabel* m_txtPath;
    QLabel* m_image;
    QLabel* m_bgPhoto;
    QPushButton* m_checkButton;
    QPushButton* m_btnMore;
    QWidget* m_vwSelectedState;
    int m_rowTag = 0;
    PhotoThumbnailCellDelegate* m_delegate = nullptr;
    std::unique_ptr<OneShotTimer> m_timer;
    ClickCounter m_clicks;
};
