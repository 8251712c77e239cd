#pragma once

#include <QImage>
#include <QThreadPool>
#include <QWidget>

#include <functional>
#include <optional>

#include "editor/DropdownCodeTables.h"
#include "model/PhotoFile.h"
#include "platform/Notification.h"
#include "presets/MetaDataPopupContent.h"

class MapCalloutPin;
class QAbstractButton;
class QLabel;
class QPushButton;
class QTableView;
class MetaDataPopupRowsModel;

namespace platform {
class MapView;
}

// The read-only popup with one photo's metadata as its file holds it now: a left panel with the thumbnail,
// name, size and path, the list of 67 values and a map with the photo's pin. It fills itself when
// "notificationSetupMetaDataPopup" names a photo of the batch; the file is read again off the main thread,
// and an answer about a photo that is no longer the one asked for is dropped.
class MetaDataPopupView : public QWidget {
    Q_OBJECT
  public:
    static QString setupNotificationName() { return QStringLiteral("notificationSetupMetaDataPopup"); }

    // The photo at an index of the batch, or nothing for an index outside it.
    using PhotoSource = std::function<std::optional<PhotoFile>(int index)>;

    enum MapType { MapStandard = 1, MapSatellite = 2, MapHybrid = 3 };

    explicit MetaDataPopupView(QWidget* parent = nullptr);
    ~MetaDataPopupView() override;

    // Runs one reading of a file; by default on the popup's own reading threads. Tests run them in the order
    // they choose.
    using ReadExecutor = std::function<void(std::function<void()> reading)>;

    void setPhotoSource(PhotoSource source) { m_photoSource = std::move(source); }
    void setReadExecutor(ReadExecutor executor) { m_readExecutor = std::move(executor); }
    // Blocks until every reading started on the popup's threads has finished (their answers then wait in the
    // event queue).
    void waitForReads();

    // The set-up for the photo the notification names ("selectedIndex"; 0 when absent). An index outside
    // the batch leaves the photo shown before.
    void setupViewNotification(const platform::Notification& notification);
    void scrollViewToTop();
    void btnMapTypeTapped(QAbstractButton* button);

    // What the popup shows, for its owner and for tests.
    const QList<MetaDataPopupContent::Row>& rows() const;
    const MetaDataPopupContent::Pin& pin() const { return m_pin; }
    MapType mapType() const { return m_mapType; }
    QImage thumbnail() const { return m_thumbnail; }
    bool showsPlaceholder() const { return m_showsPlaceholder; }
    QLabel* lblImageName() const { return m_lblImageName; }
    QLabel* lblImageSizeOndisk() const { return m_lblImageSizeOndisk; }
    QLabel* lblImageDestinationPath() const { return m_lblImageDestinationPath; }
    QTableView* tableView() const { return m_rowsView; }
    platform::MapView* mapView() const { return m_mapView; }
    // The pin for a missing or unusable position, or nullptr while the photo's own pin shows.
    const MapCalloutPin* noLocationPin() const;

  signals:
    // The values of the photo last asked for have arrived (the thumbnail may follow).
    void metadataShown();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct Reading {
        MetaDataObject record;
        double bytesOnDisk = 0;
    };

    QWidget* buildLeftPanel();
    QWidget* buildMapPanel();
    QPushButton* mapTypeButton(const QString& title, int tag);
    // Runs work off the main thread and hands its result to done on the main thread.
    template <typename Result>
    void readOffMain(std::function<Result()> work, std::function<void(const Result&)> done);
    void setImageInfoInLeftView(const PhotoFile& photo, quint64 request);
    void showReading(const PhotoFile& photo, const Reading& reading);
    void createArrayToUpdateMetaDataWithNode(const MetaDataObject& record);
    void setupMapView(const MetaDataObject& record);
    void addAnnotationToLocation();
    void placeNoLocationPin();
    void changeSegmentUiForButton(QPushButton* button, bool selected, bool rounded);
    void showThumbnail(const QImage& image);
    void showPlaceholder();

    DropdownCodeTables m_tables;
    PhotoSource m_photoSource;
    quint64 m_request = 0;  // the set-up whose answers are still wanted

    QWidget* m_mainBg = nullptr;
    QLabel* m_imgVwThumb = nullptr;
    QLabel* m_lblImageName = nullptr;
    QLabel* m_lblImageSizeOndisk = nullptr;
    QLabel* m_lblImageDestinationPath = nullptr;
    QTableView* m_rowsView = nullptr;
    MetaDataPopupRowsModel* m_rows = nullptr;
    platform::MapView* m_mapView = nullptr;
    MapCalloutPin* m_noLocationPin = nullptr;
    QPushButton *m_btnRoad = nullptr, *m_btnSatellite = nullptr, *m_btnHybrid = nullptr;

    MetaDataPopupContent::Pin m_pin;
    MapType m_mapType = MapStandard;
    QImage m_thumbnail;
    bool m_showsPlaceholder = true;
    ReadExecutor m_readExecutor;
    // Last member: it is destroyed first and waits for running readings, which hand their answers to this
    // object and must therefore finish while it still exists.
    QThreadPool m_readers;
};
