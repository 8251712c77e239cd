#pragma once

#include <QFutureWatcher>
#include <QList>
#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

#include <memory>
#include <optional>

#include "platform/GeoCoordinate.h"
#include "platform/OfflineEarth.h"
#include "platform/TileLoader.h"
#include "platform/TileServer.h"

namespace platform {

enum class MapType { Standard, Satellite, Hybrid };

// The states a dragged pin goes through, numbered as map views number them.
enum class AnnotationDragState { None = 0, Starting = 1, Dragging = 2, Canceling = 3, Ending = 4 };

struct MapPointAnnotation {
    GeoCoordinate coordinate;
    QString title;
};

// A slippy map: the offline Earth underneath, web-map tiles over it where a tile server answers, a
// graticule and city names where the offline base shows, point annotations drawn as pins. The user pans by
// dragging or with the arrow keys, zooms with the wheel, a double click, the + and - keys or the zoom
// controls. A selected, draggable pin follows the mouse and reports its drag states.
class MapView : public QWidget {
    Q_OBJECT
  public:
    explicit MapView(QWidget* parent = nullptr);
    ~MapView() override;

    // What the map shows: its centre and the span of the visible area. A region set before the view has a
    // size is fitted once it gets one.
    CoordinateRegion region() const;
    void setRegion(const CoordinateRegion& region, bool animated);
    GeoCoordinate centerCoordinate() const;
    double zoomLevel() const;
    bool isAnimating() const;

    MapType mapType() const { return m_mapType; }
    void setMapType(MapType type);
    // Road tiles for the standard map, imagery tiles for the satellite and hybrid maps; an empty server
    // leaves that look to the offline base. By default both come from the user defaults.
    void setTileServers(const TileServer& road, const TileServer& imagery);
    TileServer tileServerForCurrentType() const;
    TileLoader& tileLoader() { return *m_tiles; }
    // Whether every tile the view needs is drawn from the server (false: the offline base shows through).
    bool showsAllTiles() const { return m_allTilesDrawn; }
    bool hasOfflineBase() const { return m_base && !m_base->satellite.isNull(); }

    QList<MapPointAnnotation> annotations() const { return m_annotations; }
    void addAnnotation(const MapPointAnnotation& annotation);
    void removeAllAnnotations();
    int selectedAnnotation() const { return m_selected; }
    void setAnnotationSelected(int index, bool selected);
    bool isAnnotationDraggable(int index) const;
    void setAnnotationDraggable(int index, bool draggable);

    bool showsZoomControls() const { return m_showsZoomControls; }
    void setShowsZoomControls(bool shows);
    bool showsCompass() const { return m_showsCompass; }
    void setShowsCompass(bool shows);

    QPointF pointForCoordinate(const GeoCoordinate& coordinate) const;
    GeoCoordinate coordinateForPoint(const QPointF& point) const;
    // Where the tip of annotation index stands and the area its pin covers, in the view's coordinates.
    QRectF pinRect(int index) const;
    QRectF zoomInRect() const;
    QRectF zoomOutRect() const;

  signals:
    void regionDidChange();
    void didSelectAnnotation(int index);
    void didDeselectAnnotation(int index);
    void annotationDragStateChanged(int index, platform::AnnotationDragState newState,
                                    platform::AnnotationDragState oldState);
    void offlineBaseReady();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    struct View {
        GeoCoordinate center;
        double zoom = 0;
    };
    void moveTo(View view, bool animated);
    void zoomBy(double steps, const QPointF& anchor, bool animated);
    void panBy(const QPointF& delta);
    View constrained(View view) const;
    void setDragState(AnnotationDragState state);
    int annotationAt(const QPointF& point) const;
    // The drawing steps (MapViewPainting.cpp).
    void paintBase(QPainter& painter) const;
    bool paintTiles(QPainter& painter);
    void paintGraticule(QPainter& painter) const;
    void paintCities(QPainter& painter) const;
    void paintPins(QPainter& painter) const;
    void paintControls(QPainter& painter) const;
    void paintAttribution(QPainter& painter, const QString& text) const;
    // The world's left edge nearest the view's left edge, in view coordinates, and its size.
    double worldLeft() const;

    View m_view;
    std::optional<View> m_animationTarget;
    std::optional<CoordinateRegion> m_regionToFit;
    QVariantAnimation m_animation;
    MapType m_mapType = MapType::Standard;
    TileServer m_roadServer;
    TileServer m_imageryServer;
    std::unique_ptr<TileLoader> m_tiles;
    bool m_allTilesDrawn = false;
    std::shared_ptr<const OfflineEarth::Base> m_base;
    QFutureWatcher<std::shared_ptr<const OfflineEarth::Base>> m_baseWatcher;

    QList<MapPointAnnotation> m_annotations;
    QList<bool> m_draggable;
    int m_selected = -1;
    bool m_showsZoomControls = false;
    bool m_showsCompass = false;

    // Mouse gestures.
    enum class Gesture { None, Pan, PinPressed, PinDrag };
    Gesture m_gesture = Gesture::None;
    QPointF m_pressPoint;
    QPointF m_lastPoint;
    int m_dragIndex = -1;
    GeoCoordinate m_dragOrigin;
    QPointF m_dragGrabOffset;
    AnnotationDragState m_dragState = AnnotationDragState::None;
};

}  // namespace platform
