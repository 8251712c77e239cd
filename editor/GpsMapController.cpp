#include "editor/GpsMapController.h"

#include "controls/SubWindowState.h"

#include "editor/MapViewForExtension.h"
#include "editor/MapWindow.h"

GpsMapController::GpsMapController(EditSession& session, SubWindowState& subWindow, QWidget* form, QObject* parent)
    : QObject(parent), m_session(session), m_subWindow(subWindow), m_form(form) {}

GpsMapController::~GpsMapController() {
    delete m_window.data();
}

MapWindow* GpsMapController::winMapview() {
    if (!m_window) {
        m_window = new MapWindow(m_form ? m_form->window() : nullptr);
        connect(m_window, &MapWindow::windowWillClose, this, &GpsMapController::windowWillClose);
    }
    return m_window;
}

void GpsMapController::btnShowMap() {
    if (enableView) enableView(false);
    m_subWindow.setIsSubWindowOpened(true);
    MapWindow* window = winMapview();
    window->mapviewRef()->setDelegate(this);
    window->showCenteredOver(m_form);
    setupMapView(m_session.metaDataObject());
}

void GpsMapController::setupMapView(const MetaDataObject& record) {
    MapViewForExtension* picker = winMapview()->mapviewRef();
    picker->setDelegate(this);
    picker->setupViewNotification(GpsFields::positionOf(record));
}

void GpsMapController::changeLocationToTitle(const QString&, double latitude, double longitude) {
    emit gpsFieldsChanged(GpsFields::changeLocation(m_session, latitude, longitude), false);
}

void GpsMapController::removeLocationCoordinates() {
    emit gpsFieldsChanged(GpsFields::removeLocation(m_session), true);
}
