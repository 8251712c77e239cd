#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

#include "editor/EditSession.h"
#include "editor/GpsFields.h"
#include "editor/MapViewDelegate.h"

class MapWindow;
class SubWindowState;

// The editing form's side of the map: opens the map window with the form's position and writes every
// position the picker reports, and the removal of its pin, into the form record and its pending edits
// at once. The screen shows the four fields from gpsFieldsChanged and gives itself back when the window
// closes. While the window is open it counts as a child window, so the screen's alerts and the feedback
// item wait for it.
class GpsMapController : public QObject, public MapViewDelegate {
    Q_OBJECT
  public:
    GpsMapController(EditSession& session, SubWindowState& subWindow, QWidget* form, QObject* parent = nullptr);
    ~GpsMapController() override;

    // Turns the editor off (false) or on (true) around the map window; the screen's enableView.
    std::function<void(bool)> enableView;

    MapWindow* winMapview();
    // The map button's action; only while the button is enabled.
    void btnShowMap();
    void setupMapView(const MetaDataObject& record);

    void changeLocationToTitle(const QString& title, double latitude, double longitude) override;
    void removeLocationCoordinates() override;

  signals:
    // The four GPS fields show these texts; after a removal their placeholders are cleared too.
    void gpsFieldsChanged(const GpsFields::Shown& shown, bool clearPlaceholders);
    void windowWillClose();

  private:
    EditSession& m_session;
    SubWindowState& m_subWindow;
    QPointer<QWidget> m_form;
    QPointer<MapWindow> m_window;
};
