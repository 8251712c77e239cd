#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QStringList>

#include "controls/OutsideClickWatch.h"

class MAAttachedWindow;

class QListView;
class QStringListModel;
class QWidget;

// One of the editing screen's attached list popups: a list view (vwPopupWithTableOptions with
// tblPopupOptions) shown in an arrowed popup window next to a point of the screen. A click on a row is a
// choice, even on the row chosen last time. A click anywhere outside closes it and still reaches its target;
// one application-wide filter watches for such clicks (and for Escape, which closes it too), installed when
// the popup opens and removed however it closes.
class OptionPopup : public QObject {
    Q_OBJECT
  public:
    struct Look {
        int side = 1;  // AttachedWindowSide
        bool hasArrow = false;
        float cornerRadius = 0;
        float arrowHeight = 0;
        QRectF opener;  // what opened the list, in host coordinates: the list never covers it
    };

    // host: the editing screen, whose coordinates points are given in.
    OptionPopup(QWidget* host, const QString& viewName, const QString& tableName);
    ~OptionPopup() override;

    QWidget* view() const { return m_view; }
    QListView* table() const { return m_table; }
    QStringList rows() const;
    void setRows(const QStringList& rows);
    void setViewSize(int width, int height);
    // The width the list needs to show every row's text whole.
    int rowsWidth() const;

    // addAttachedPopupTableAtPoint: closes what is open, then opens at point (host coordinates).
    void open(const QPointF& point, const Look& look);
    // removeAttachedPopupWindow: nothing when closed.
    void close();
    bool isOpen() const;
    MAAttachedWindow* window() const;
    // Whether the outside-click filter is installed (for tests: one at most, none once closed).
    bool isWatchingClicks() const { return m_clicks->isWatching(); }

    // While the other popup (a list opened from this one's content) is open, clicks belong to it.
    void setDependentPopup(OptionPopup* other) { m_dependent = other; }

  signals:
    void rowChosen(int row);
    // The popup closed, by a choice, an outside click or close().
    void closed();
    // An outside click or Escape closed it (dismissPanel).
    void dismissed();

  protected:
  private:
    void closeOnOutsidePress();

    QWidget* m_host;
    QWidget* m_view;
    QListView* m_table;
    QStringListModel* m_model;
    QPointer<MAAttachedWindow> m_window;
    QPointer<MAAttachedWindow> m_closing;  // closed, but its deletion waits for the event loop
    QPointer<OptionPopup> m_dependent;
    OutsideClickWatch* m_clicks = nullptr;
};
