#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStringListModel>
#include <QTableView>
#include <QWidget>

#include <optional>

#include "platform/GeoCoordinate.h"
#include "platform/MapView.h"
#include "platform/ReverseGeocoder.h"

#include "controls/MAAttachedWindow.h"
class MapViewDelegate;

// The view in which the user chooses one GPS position: a map with at most one pin that can be dragged,
// dropped at a default place or removed, a place search whose results open in a popup list, and the road,
// satellite and hybrid looks. It never touches a metadata record: every new position, and the removal of
// the pin, goes to its delegate.
class MapViewForExtension : public QWidget {
    Q_OBJECT
  public:
    explicit MapViewForExtension(QWidget* parent = nullptr);
    ~MapViewForExtension() override;

    // Where the add-pin button drops a pin and where the map looks when there is none.
    static constexpr platform::GeoCoordinate kDefaultLocation{37.77, -122.4701};
    // The span shown around a pin, as the single-precision 0.55 that map views are given.
    static constexpr double kPinSpan = double(0.55f);

    MapViewDelegate* delegate() const { return m_delegate; }
    void setDelegate(MapViewDelegate* delegate) { m_delegate = delegate; }
    platform::MapView* mapView() const { return m_mapView; }
    // The place search; the system gazetteer unless a test gives its own.
    void setGeocoder(const platform::ReverseGeocoder* geocoder) { m_geocoder = geocoder; }

    // Shows the position, or no pin and the whole world when it is not a position (0 in either part, or
    // out of range). Sent by the owner each time it shows the picker.
    void setupViewNotification(const platform::GeoCoordinate& coordinate);
    void addAnnotationToLocation(const platform::GeoCoordinate& coordinate);
    void sendUpdatedLocation();
    void searchForPlaceTitle(const QString& text);
    void showSearchResults();
    void addAttachedPopupTableAtPoint(const QPointF& point);
    void removeAttachedPopupWindow();
    void dismissPanel();
    // The text of a result row: street, number, area and country, or the placemark's formatted lines.
    static QString placeText(const platform::Placemark& placemark);

    // Actions.
    void btnAddPinTapped();
    void btnRemovePinTapped();
    void btnMapTypeTapped(QPushButton* button);
    void btnCrossOnSearchTapped();
    void controlTextDidChange();
    void controlTextDidEndEditing(bool returnPressed);
    void tableViewSelectionDidChange(int row);

    // State, as the owner and tests read it.
    platform::GeoCoordinate updatedLocationCord() const { return m_updatedLocationCord; }
    QString locationTitle() const { return m_locationTitle; }
    const std::optional<platform::Placemark>& placemark() const { return m_placemark; }
    const QList<platform::Placemark>& arrayPlacemarks() const { return m_arrayPlacemarks; }
    MAAttachedWindow* attachedPopUpWindow() const { return m_attachedPopUpWindow; }
    QLineEdit* txtSearched() const { return m_txtSearched; }
    QWidget* vwSearchText() const { return m_vwSearchText; }
    QWidget* vwPopupWithTableOptions() const { return m_vwPopupWithTableOptions; }
    QTableView* tblPopupOptions() const { return m_tblPopupOptions; }
    QPushButton* btnAddPin() const { return m_btnAddPin; }
    QPushButton* btnRemovePin() const { return m_btnRemovePin; }
    QPushButton* btnRoad() const { return m_btnRoad; }
    QPushButton* btnSatellite() const { return m_btnSatellite; }
    QPushButton* btnHybrid() const { return m_btnHybrid; }
    QPushButton* btnCrossOnSearch() const { return m_btnCrossOnSearch; }
    // A control of the window around the picker (its close button) at the start of the picker's bar.
    void setLeadingControl(QWidget* control);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildControls();
    void layoutControls();
    void mapView(int selectedAnnotation);
    void annotationDragStateChanged(int index, platform::AnnotationDragState newState);
    void showPinButtons(bool pinShown);
    void addMouseEventMonitoring();
    void removeMouseEventMonitoring();
    static void setButtonHighlighted(bool highlighted, QPushButton* button);
    static void changeSegmentUiForButton(QPushButton* button, bool selected, bool rounded);
    void addVisualEffectView(QWidget* view, QWidget* relativeView);
    const platform::ReverseGeocoder& geocoder();

    MapViewDelegate* m_delegate = nullptr;
    const platform::ReverseGeocoder* m_geocoder = nullptr;
    std::optional<platform::Placemark> m_placemark;
    platform::GeoCoordinate m_updatedLocationCord;
    QString m_locationTitle;
    QList<platform::Placemark> m_arrayPlacemarks;
    QPointer<MAAttachedWindow> m_attachedPopUpWindow;
    bool m_monitoring = false;

    platform::MapView* m_mapView = nullptr;
    QWidget* m_mainBg = nullptr;
    QPointer<QWidget> m_leadingControl;
    QWidget* m_vwSearchText = nullptr;
    QLineEdit* m_txtSearched = nullptr;
    QPushButton* m_btnCrossOnSearch = nullptr;
    QPushButton* m_btnAddPin = nullptr;
    QPushButton* m_btnRemovePin = nullptr;
    QPushButton* m_btnRoad = nullptr;
    QPushButton* m_btnSatellite = nullptr;
    QPushButton* m_btnHybrid = nullptr;
    QWidget* m_vwPopupWithTableOptions = nullptr;
    QTableView* m_tblPopupOptions = nullptr;
    QStringListModel m_rows;
};
