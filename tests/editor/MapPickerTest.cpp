#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include "controls/WindowCloseButton.h"
#include "editor/GpsFields.h"
#include "editor/GpsMapController.h"
#include "editor/MapViewDelegate.h"
#include "editor/MapViewForExtension.h"
#include "editor/MapWindow.h"
#include "tests/common/LoopbackTileServer.h"
#include "tests/common/TestSupport.h"

using platform::GeoCoordinate;
using testsupport::LoopbackTileServer;

namespace {

struct Report {
    QString title;
    double latitude;
    double longitude;
    bool removed = false;
};

class RecordingDelegate : public MapViewDelegate {
  public:
    void changeLocationToTitle(const QString& title, double latitude, double longitude) override {
        reports.append({title, latitude, longitude});
    }
    void removeLocationCoordinates() override { reports.append({QString(), 0, 0, true}); }
    QList<Report> reports;
};

// A picker in a shown window that asks no tile server but the one given.
struct ShownPicker {
    MapWindow window;
    MapViewForExtension& picker = *window.mapviewRef();
    RecordingDelegate delegate;
    explicit ShownPicker(const QString& tiles = QString(), const QString& imagery = QString()) {
        picker.mapView()->setTileServers({tiles, "loopback tiles"}, {imagery, "loopback imagery"});
        picker.setDelegate(&delegate);
        window.show();
        platform::OfflineEarth::shared().waitForFinished();
        EXPECT_TRUE(QTest::qWaitFor([&] { return picker.mapView()->hasOfflineBase(); }, 10000));
    }
};

void typeSearch(MapViewForExtension& picker, const QString& text) {
    picker.txtSearched()->setText(text);
    QTest::keyClick(picker.txtSearched(), Qt::Key_Return);
}

void clickRow(MapViewForExtension& picker, int row) {
    QTableView* table = picker.tblPopupOptions();
    const QRect cell = table->visualRect(table->model()->index(row, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
}

void expectPinButtons(MapViewForExtension& picker, bool pinShown) {
    EXPECT_EQ(picker.btnAddPin()->isEnabled(), !pinShown);
    EXPECT_EQ(picker.btnRemovePin()->isEnabled(), pinShown);
    EXPECT_EQ(picker.mapView()->annotations().size(), pinShown ? 1 : 0);
}

}  // namespace

TEST(TheLocationPicker, showsTheWholeWorldWithoutAPositionAndReportsAddedAndRemovedPins) {
    ShownPicker shown;
    MapViewForExtension& picker = shown.picker;
    for (const GeoCoordinate& none : {GeoCoordinate{0, 0}, GeoCoordinate{0, 12}, GeoCoordinate{91, 10}}) {
        picker.setupViewNotification(none);
        expectPinButtons(picker, false);
        EXPECT_DOUBLE_EQ(picker.mapView()->region().span.longitudeDelta, 360);
        EXPECT_EQ(picker.updatedLocationCord(), GeoCoordinate{});
    }

    picker.btnAddPin()->click();
    expectPinButtons(picker, true);
    ASSERT_EQ(shown.delegate.reports.size(), 1);
    EXPECT_TRUE(shown.delegate.reports[0].title.isNull());
    EXPECT_DOUBLE_EQ(shown.delegate.reports[0].latitude, 37.77);
    EXPECT_DOUBLE_EQ(shown.delegate.reports[0].longitude, -122.4701);
    const auto region = picker.mapView()->region();
    EXPECT_NEAR(region.center.latitude, 37.77, 1e-6);
    EXPECT_GE(std::min(region.span.latitudeDelta, region.span.longitudeDelta), 0.55);
    EXPECT_TRUE(picker.mapView()->showsZoomControls());

    picker.btnRemovePin()->click();
    expectPinButtons(picker, false);
    EXPECT_TRUE(shown.delegate.reports.last().removed);
    EXPECT_DOUBLE_EQ(picker.updatedLocationCord().latitude, 37.77) << "removal keeps the last position";
    picker.btnAddPin()->click();
    expectPinButtons(picker, true);
}

TEST(TheLocationPicker, findsParisOfflineAndPlacesThePinOnTheChosenRow) {
    ShownPicker shown;
    MapViewForExtension& picker = shown.picker;
    picker.setupViewNotification({});
    typeSearch(picker, "");
    EXPECT_EQ(picker.attachedPopUpWindow(), nullptr) << "Return in an empty field searches nothing";

    typeSearch(picker, "Paris");
    ASSERT_NE(picker.attachedPopUpWindow(), nullptr);
    ASSERT_GE(picker.arrayPlacemarks().size(), 2);
    EXPECT_TRUE(picker.btnCrossOnSearch()->isVisible());
    const QString first = picker.tblPopupOptions()->model()->index(0, 0).data().toString();
    EXPECT_TRUE(first.startsWith("Paris,") && first.endsWith("France")) << first.toStdString();
    const int n = static_cast<int>(picker.arrayPlacemarks().size());
    EXPECT_EQ(picker.vwPopupWithTableOptions()->height(), n <= 4 ? 30 * n + 2 : 150);
    EXPECT_EQ(picker.vwPopupWithTableOptions()->width(), picker.vwSearchText()->width());

    clickRow(picker, 0);
    EXPECT_EQ(picker.attachedPopUpWindow(), nullptr);
    expectPinButtons(picker, true);
    ASSERT_EQ(shown.delegate.reports.size(), 1);
    EXPECT_NEAR(shown.delegate.reports[0].latitude, 48.85, 0.05);
    EXPECT_NEAR(shown.delegate.reports[0].longitude, 2.35, 0.05);

    // The cross clears the field and hides itself; the popup, when open, closes.
    typeSearch(picker, "Paris");
    picker.btnCrossOnSearch()->click();
    EXPECT_TRUE(picker.txtSearched()->text().isEmpty());
    EXPECT_FALSE(picker.btnCrossOnSearch()->isVisible());
    EXPECT_EQ(picker.attachedPopUpWindow(), nullptr);
}

TEST(TheLocationPicker, sizesItsResultsPopupByTheNumberOfResultsAndClosesOnAClickElsewhere) {
    std::vector<platform::GeoPlace> places;
    for (int i = 1; i <= 6; ++i)
        places.push_back({"Place " + QString::number(i), "", "Land", 10.0 + i, 20.0 + i, 1000 - i});
    places.push_back({"Lone", "", "", 5, 5, 1});
    const platform::ReverseGeocoder geocoder(places);
    ShownPicker shown;
    MapViewForExtension& picker = shown.picker;
    picker.setGeocoder(&geocoder);
    picker.setupViewNotification({});
    struct Case {
        QString query;
        int rows;
        int height;
    };
    for (const Case& c : {Case{"Nowhere", 0, 2}, Case{"Lone", 1, 32}, Case{"Place", 6, 150}}) {
        typeSearch(picker, c.query);
        EXPECT_EQ(picker.tblPopupOptions()->model()->rowCount(), c.rows) << c.query.toStdString();
        EXPECT_EQ(picker.vwPopupWithTableOptions()->height(), c.height) << c.query.toStdString();
    }
    // A click inside the popup keeps it; one anywhere else closes it and still reaches its target.
    ASSERT_NE(picker.attachedPopUpWindow(), nullptr);
    QTest::mousePress(picker.tblPopupOptions()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_NE(picker.attachedPopUpWindow(), nullptr);
    QSignalSpy pressed(picker.btnRoad(), &QPushButton::pressed);
    QTest::mousePress(picker.btnRoad(), Qt::LeftButton);
    EXPECT_EQ(picker.attachedPopUpWindow(), nullptr);
    EXPECT_EQ(pressed.size(), 1);
    QTest::mouseRelease(picker.btnRoad(), Qt::LeftButton);
}

TEST(TheMapWindow, closesByItsOwnButtonAndByEscapeOnceTheResultsAreAway) {
    std::vector<platform::GeoPlace> places{{"Lone", "", "", 5, 5, 1}};
    const platform::ReverseGeocoder geocoder(places);
    ShownPicker shown;
    shown.picker.setGeocoder(&geocoder);
    QSignalSpy closing(&shown.window, &MapWindow::windowWillClose);
    WindowCloseButton* close = shown.window.btnClose();
    EXPECT_TRUE(close->isVisible());

    typeSearch(shown.picker, "Lone");
    ASSERT_NE(shown.picker.attachedPopUpWindow(), nullptr);
    QTest::keyClick(shown.picker.txtSearched(), Qt::Key_Escape);
    EXPECT_EQ(shown.picker.attachedPopUpWindow(), nullptr);
    EXPECT_TRUE(shown.window.isVisible()) << "the first Escape puts the results away";
    QTest::keyClick(shown.picker.txtSearched(), Qt::Key_Escape);
    EXPECT_FALSE(shown.window.isVisible());
    EXPECT_EQ(closing.size(), 1);

    shown.window.show();
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(shown.window.isVisible());
    EXPECT_EQ(closing.size(), 2);
}

TEST(TheLocationPicker, reportsADraggedPinInSignedDegreesBeforeTheGeocoderAnswers) {
    ShownPicker shown;
    MapViewForExtension& picker = shown.picker;
    picker.mapView()->setRegion({{0, 0}, {0, 0}}, false);
    picker.setupViewNotification({-10, -10});
    LUMARIND_WAIT_FOR(!picker.mapView()->isAnimating(), 5000);
    platform::MapView* map = picker.mapView();
    const QPoint pin = map->pinRect(0).center().toPoint();
    QTest::mousePress(map, Qt::LeftButton, {}, pin);  // selecting makes it draggable
    QTest::mouseRelease(map, Qt::LeftButton, {}, pin);
    QTest::mousePress(map, Qt::LeftButton, {}, pin);
    QTest::mouseMove(map, pin + QPoint(-30, 30));
    QTest::mouseMove(map, pin + QPoint(-60, 60));
    QTest::mouseRelease(map, Qt::LeftButton, {}, pin + QPoint(-60, 60));
    ASSERT_EQ(shown.delegate.reports.size(), 1);
    EXPECT_LT(shown.delegate.reports[0].latitude, -10.05);
    EXPECT_LT(shown.delegate.reports[0].longitude, -10.05);
    EXPECT_EQ(picker.updatedLocationCord().latitude, shown.delegate.reports[0].latitude);
}

TEST(ThePlaceText, joinsStreetNumberAreaAndCountryOrTakesTheFormattedLines) {
    platform::Placemark street;
    street.thoroughfare = "Rue de Rivoli";
    street.locality = "Paris";
    street.country = "France";
    EXPECT_EQ(MapViewForExtension::placeText(street), "Rue de Rivoli, Paris, France");
    street.subAdministrativeArea = "Paris 1er";
    street.subThoroughfare = "99";
    EXPECT_EQ(MapViewForExtension::placeText(street), "Rue de Rivoli, 99, Paris 1er, France");
    platform::Placemark country;
    country.country = "Chile";
    EXPECT_EQ(MapViewForExtension::placeText(country), "Chile");
    country.addressDictionary.insert("FormattedAddressLines", QStringList{"Santiago", "Chile"});
    EXPECT_EQ(MapViewForExtension::placeText(country), "Santiago, Chile");
}

TEST(TheFormsGpsFields, takeThePickersPositionsAsEditsAndGiveTheFormsPositionToTheMap) {
    EditSession session;
    session.setSelection(MetaDataObject(), true);
    struct Case {
        QString lat, latRef, lon, lonRef;
        GeoCoordinate expected;
    };
    const Case cases[] = {
        {"48.85", "N", "2.35", "E", {48.85, 2.35}},
        {"48.85", "S", "2.35", "W", {-48.85, -2.35}},
        {"", "N", "2.35", "E", {0, 0}},
        {"48.85", "South", "2.35", "West", {48.85, 2.35}},
        {"abc", "N", "2.35", "", {0, 2.35}},
        {"12.5x", "", "7", "W", {12.5, -7}},
    };
    for (const Case& c : cases) {
        MetaDataObject record;
        record.GPS_Lattitude = c.lat;
        record.GPS_LattitudeRef = c.latRef;
        record.GPS_Longitude = c.lon;
        record.GPS_LongitudeRef = c.lonRef;
        EXPECT_EQ(GpsFields::positionOf(record), c.expected) << c.lat.toStdString() << c.latRef.toStdString();
    }

    const auto dragged = GpsFields::changeLocation(session, -33.8688, 151.2093);
    EXPECT_EQ(dragged.latitude, "33.86880000");
    EXPECT_EQ(dragged.latitudeRef, "South");
    EXPECT_EQ(dragged.longitude, "151.20930000");
    EXPECT_EQ(dragged.longitudeRef, "East");
    for (const MetaDataObject* record : {&std::as_const(session).metaDataObject(), &session.editedMetaDataObject()}) {
        EXPECT_EQ(record->GPS_LattitudeRef, "S");
        EXPECT_EQ(record->GPS_LongitudeRef, "E");
        EXPECT_EQ(record->GPS_Longitude, "151.20930000");
        EXPECT_TRUE(record->isupdated_GPS_Lattitude && record->isupdated_GPS_LattitudeRef &&
                    record->isupdated_GPS_Longitude && record->isupdated_GPS_LongitudeRef);
    }
    EXPECT_TRUE(session.isEditedMetadataObject());
    EXPECT_TRUE(session.isParamsChanged());
    const auto west = GpsFields::changeLocation(session, 37.77, -122.4701);
    EXPECT_EQ(west.latitude + west.latitudeRef + west.longitude + west.longitudeRef,
              "37.77000000North122.47010000West");

    session.isMetadataParamChanged(false);
    const auto removed = GpsFields::removeLocation(session);
    EXPECT_EQ(removed.latitude + removed.longitude, "");
    EXPECT_EQ(removed.latitudeRef, "Leave Blank");
    EXPECT_EQ(removed.longitudeRef, "Leave Blank");
    EXPECT_EQ(session.editedMetaDataObject().GPS_LattitudeRef, "");
    EXPECT_TRUE(session.editedMetaDataObject().isupdated_GPS_Longitude);
    EXPECT_TRUE(session.isParamsChanged());
    // The emptied position is an edit: the changed-fields record carries the empty values.
    session.createUpdatedChangesOnly();
    EXPECT_TRUE(session.metaDataObjectWithUpdatedChange().GPS_Lattitude.isEmpty());
}

namespace {

// Under X the screen is grabbed, so popup windows show; offscreen only the window itself can be.
void saveScreenshot(QWidget& window, const QString& name) {
    QDir().mkpath(LUMARIND_SCREENSHOT_DIR);
    QCoreApplication::processEvents();
    QPixmap shot;
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        QTest::qWait(200);  // let the X server show what was drawn
        const QRect frame = window.frameGeometry();
        shot = window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    } else {
        shot = window.grab();
    }
    shot.save(QString::fromUtf8(LUMARIND_SCREENSHOT_DIR) + "/" + name + ".png");
}

void waitForTiles(platform::MapView& map) {
    LUMARIND_WAIT_FOR(!map.isAnimating(), 5000);
    LUMARIND_WAIT_FOR((map.repaint(), map.showsAllTiles()), 10000);
}

}  // namespace

TEST(TheMapWindow, drawsTheOfflineEarthAndLoopbackTilesInItsLooks) {
    const GeoCoordinate paris{48.8566, 2.3522};
    {
        ShownPicker shown(LoopbackTileServer::unreachableTemplate());
        shown.window.move(40, 40);
        shown.picker.setupViewNotification({});
        saveScreenshot(shown.window, "map-window-offline-road-world");
        shown.picker.btnSatellite()->click();
        saveScreenshot(shown.window, "map-window-offline-satellite-world");
        shown.picker.setupViewNotification(paris);
        LUMARIND_WAIT_FOR(!shown.picker.mapView()->isAnimating(), 5000);
        EXPECT_FALSE(shown.picker.mapView()->showsAllTiles());
        saveScreenshot(shown.window, "map-window-offline-road-pin");
        shown.picker.btnHybrid()->click();
        saveScreenshot(shown.window, "map-window-offline-hybrid-pin");
        typeSearch(shown.picker, "Paris");
        saveScreenshot(shown.window, "map-window-search-results");
    }
    LoopbackTileServer road;
    LoopbackTileServer imagery(QColor(52, 84, 58));
    ShownPicker shown(road.urlTemplate(), imagery.urlTemplate());
    shown.window.move(40, 40);
    shown.picker.setupViewNotification(paris);
    waitForTiles(*shown.picker.mapView());
    saveScreenshot(shown.window, "map-window-tiles-road-pin");
    shown.picker.btnSatellite()->click();
    waitForTiles(*shown.picker.mapView());
    saveScreenshot(shown.window, "map-window-tiles-satellite-pin");
    EXPECT_TRUE(road.requestedPaths.size() > 0 && imagery.requestedPaths.size() > 0);
}
