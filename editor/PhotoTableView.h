#pragma once

#include "controls/ClickCounter.h"
#include "controls/OneShotTimer.h"

#include <QListView>

#include <memory>

class PhotoTableModel;

// tblPhotos: the batch's photo list, one row of uniform height per photo of the table model, so resetting
// or scrolling 100,000 rows costs no more than 10. Rows are painted by PhotoRowDelegate; clicks on a row wait
// 0.2 s before they are reported, so a double click reports only itself; the more button and right clicks
// report a position for the row's menu at once. The list keeps no selection of its own: the ticks are the
// selection. A click gives it the keyboard focus, so that the application's Select All reaches it.
class PhotoTableView : public QListView {
    Q_OBJECT
  public:
    static constexpr int kClickWaitMs = 200;

    explicit PhotoTableView(QWidget* parent = nullptr);
    ~PhotoTableView() override;

    void setPhotoModel(PhotoTableModel* model);
    PhotoTableModel* photoModel() const { return m_model; }
    // Replaces the real-time wait of click reports (for driving it by hand).
    void setClickTimer(std::unique_ptr<OneShotTimer> timer);

    // The rows at least partly in view, in ascending order (empty for an empty list).
    QList<int> visibleRows() const;

  public slots:
    // The application's Select All while the list has the focus: the ticks are the selection.
    void selectAll() override;

  signals:
    // btnCheckBoxSelect: a single click on row.
    void rowClicked(int row);
    // cellDoubleClicked / doubleClick: a double (or longer) click; -1 on the empty area below the rows.
    void rowDoubleClicked(int row);
    // btnInfoTappedAtLocationInTableView: where the row's menu points (the more button, or the pointer of a
    // right click), in the coordinates of the view holding the table.
    void infoTapped(const QPointF& location, qint64 row, bool isFromRightMouseDown);
    // The visible rectangle moved or changed size (the clip view's bounds-changed notification).
    void boundsChanged();
    // Select All reached the list.
    void selectAllRequested();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    void press(QMouseEvent* event, bool toolkitDoubleClick);
    QWidget* referenceView() const;

    PhotoTableModel* m_model = nullptr;
    std::unique_ptr<OneShotTimer> m_timer;
    ClickCounter m_clicks;
};
