#include "presets/MetaDataPopupView.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include "controls/CustomScroll.h"
#include "controls/ImageLibrary.h"
#include "controls/VisualEffectBacking.h"
#include "model/Utils.h"
#include "platform/MapView.h"
#include "platform/NotificationCenter.h"
#include "presets/Logging.h"
#include "presets/MapCalloutPin.h"
#include "presets/MetaDataPopupRowsModel.h"
#include "presets/PresetsResources.h"

namespace {

const QColor kAccent(44, 160, 26);
const QColor kSegmentBorder(82, 82, 82);
constexpr QSize kThumbnailSize(200, 150);

QLabel* whiteLabel(QWidget* parent, const QString& objectName) {
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setStyleSheet(QStringLiteral("color: white;"));
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    return label;
}

void setElidedText(QLabel* label, const QString& text) {
    label->setToolTip(text);
    label->setText(label->fontMetrics().elidedText(text, Qt::ElideMiddle, label->width()));
    label->setProperty("fullText", text);
}

}  // namespace

MetaDataPopupView::MetaDataPopupView(QWidget* parent) : QWidget(parent), m_rows(new MetaDataPopupRowsModel(this)) {
    setObjectName(QStringLiteral("vwMetadataPopup"));
    setAttribute(Qt::WA_TranslucentBackground);
    m_mainBg = new QWidget(this);
    m_mainBg->setObjectName(QStringLiteral("mainBg"));
    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(0, 0, 0, 0);
    whole->addWidget(m_mainBg);
    // One dark backing under everything the popup shows, laid once however many set-ups follow.
    VisualEffectBacking::Look backing;
    backing.fill = QColor(47, 47, 47);
    backing.underViewOnly = true;
    VisualEffectBacking::addVisualEffectView(this, m_mainBg, backing);
    auto* layout = new QHBoxLayout(m_mainBg);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(14);
    auto* left = new QVBoxLayout;
    left->setSpacing(10);
    left->addWidget(buildLeftPanel());
    left->addWidget(buildMapPanel(), 1);
    layout->addLayout(left);

    m_rowsView = new QTableView(this);
    m_rowsView->setObjectName(QStringLiteral("scrollViewExifData"));
    m_rowsView->setModel(m_rows);
    m_rowsView->horizontalHeader()->hide();
    m_rowsView->verticalHeader()->hide();
    m_rowsView->verticalHeader()->setDefaultSectionSize(24);
    m_rowsView->horizontalHeader()->setSectionResizeMode(MetaDataPopupRowsModel::TitleColumn, QHeaderView::Fixed);
    m_rowsView->horizontalHeader()->resizeSection(MetaDataPopupRowsModel::TitleColumn, 190);
    m_rowsView->horizontalHeader()->setStretchLastSection(true);
    m_rowsView->setShowGrid(false);
    m_rowsView->setSelectionMode(QAbstractItemView::NoSelection);
    m_rowsView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_rowsView->setFocusPolicy(Qt::NoFocus);
    m_rowsView->setTextElideMode(Qt::ElideRight);
    m_rowsView->setWordWrap(false);
    m_rowsView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_rowsView->setStyleSheet(QStringLiteral("QTableView { background: transparent; color: white; border: none; }"));
    auto* scroller = new CustomScroll(Qt::Vertical, m_rowsView);
    scroller->setTag(101);
    m_rowsView->setVerticalScrollBar(scroller);
    layout->addWidget(m_rowsView, 1);

    platform::NotificationCenter::defaultCenter().addObserver(
        this, setupNotificationName(), [this](const platform::Notification& n) { setupViewNotification(n); });
    showPlaceholder();
    resize(720, 470);
}

MetaDataPopupView::~MetaDataPopupView() {
    platform::NotificationCenter::defaultCenter().removeObserver(this);
}

QWidget* MetaDataPopupView::buildLeftPanel() {
    auto* panel = new QWidget(this);
    panel->setFixedWidth(kThumbnailSize.width());
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    m_imgVwThumb = new QLabel(panel);
    m_imgVwThumb->setObjectName(QStringLiteral("imgVwThumb"));
    m_imgVwThumb->setFixedSize(kThumbnailSize);
    m_imgVwThumb->setAlignment(Qt::AlignCenter);
    m_lblImageName = whiteLabel(panel, QStringLiteral("lblImageName"));
    QFont bold = m_lblImageName->font();
    bold.setBold(true);
    m_lblImageName->setFont(bold);
    m_lblImageSizeOndisk = whiteLabel(panel, QStringLiteral("lblImageSizeOndisk"));
    m_lblImageDestinationPath = whiteLabel(panel, QStringLiteral("lblImageDestinationPath"));
    m_lblImageDestinationPath->setStyleSheet(QStringLiteral("color: rgb(190, 190, 190);"));
    column->addWidget(m_imgVwThumb);
    column->addSpacing(4);
    for (QLabel* label : {m_lblImageName, m_lblImageSizeOndisk, m_lblImageDestinationPath}) {
        label->setFixedWidth(kThumbnailSize.width());
        column->addWidget(label);
    }
    return panel;
}

QWidget* MetaDataPopupView::buildMapPanel() {
    auto* panel = new QWidget(this);
    panel->setFixedWidth(kThumbnailSize.width());
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    m_mapView = new platform::MapView(panel);
    m_mapView->setObjectName(QStringLiteral("mapView"));
    m_mapView->setMinimumHeight(150);
    PresetsResources::ensureRegistered();
    m_noLocationPin = new MapCalloutPin(QStringLiteral("pin_no_location.png"), m_mapView);
    m_noLocationPin->hide();
    connect(m_mapView, &platform::MapView::regionDidChange, this, [this] { placeNoLocationPin(); });
    column->addWidget(m_mapView, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(0);
    m_btnRoad = mapTypeButton(QStringLiteral("Road"), MapStandard);
    m_btnSatellite = mapTypeButton(QStringLiteral("Satellite"), MapSatellite);
    m_btnHybrid = mapTypeButton(QStringLiteral("Hybrid"), MapHybrid);
    for (QPushButton* button : {m_btnRoad, m_btnSatellite, m_btnHybrid}) buttons->addWidget(button);
    column->addLayout(buttons);
    btnMapTypeTapped(m_btnRoad);
    return panel;
}

QPushButton* MetaDataPopupView::mapTypeButton(const QString& title, int tag) {
    auto* button = new QPushButton(title, this);
    button->setProperty("tag", tag);
    button->setFixedHeight(24);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this, [this, button] { btnMapTypeTapped(button); });
    return button;
}

void MetaDataPopupView::setupViewNotification(const platform::Notification& notification) {
    btnMapTypeTapped(m_btnRoad);
    const int index = notification.userInfo.value(QStringLiteral("selectedIndex")).toInt();
    const std::optional<PhotoFile> photo = m_photoSource ? m_photoSource(index) : std::nullopt;
    if (photo) {
        const quint64 request = ++m_request;
        showPlaceholder();
        m_rows->setRows({});
        setImageInfoInLeftView(*photo, request);
        readOffMain<Reading>(
            [path = photo->filePath] {
                Reading reading;
                reading.record = MetaDataObject::initWithFile(path);
                reading.bytesOnDisk = static_cast<double>(QFileInfo(path).size());
                return reading;
            },
            [this, photo = *photo, request](const Reading& reading) {
                if (request == m_request) showReading(photo, reading);
            });
    } else {
        qCDebug(lcPresets).noquote() << QStringLiteral("metadata popup: no photo at index %1").arg(index);
    }
    scrollViewToTop();
}

void MetaDataPopupView::setImageInfoInLeftView(const PhotoFile& photo, quint64 request) {
    setElidedText(m_lblImageName, photo.fileName);
    setElidedText(m_lblImageSizeOndisk, QString());
    setElidedText(m_lblImageDestinationPath, photo.fileURL);
    const QSizeF size = m_imgVwThumb->size();
    readOffMain<QImage>(
        [path = photo.fileURL, size] { return Utils::sharedUtils().getThumbnailImageAtFilePath(path, size); },
        [this, request](const QImage& image) {
            // A thumbnail that arrives after the next photo was asked for belongs to a photo no longer shown.
            if (request == m_request) showThumbnail(image);
        });
}

template <typename Result>
void MetaDataPopupView::readOffMain(std::function<Result()> work, std::function<void(const Result&)> done) {
    auto reading = [this, work = std::move(work), done = std::move(done)] {
        Result result = work();
        QMetaObject::invokeMethod(
            this, [done, result = std::move(result)] { done(result); }, Qt::QueuedConnection);
    };
    if (m_readExecutor) {
        m_readExecutor(std::move(reading));
    } else {
        m_readers.start(std::move(reading));
    }
}

void MetaDataPopupView::waitForReads() {
    m_readers.waitForDone();
}

void MetaDataPopupView::showReading(const PhotoFile& photo, const Reading& reading) {
    setElidedText(m_lblImageSizeOndisk, MetaDataPopupContent::sizeText(reading.bytesOnDisk, photo.width, photo.height));
    createArrayToUpdateMetaDataWithNode(reading.record);
    setupMapView(reading.record);
    emit metadataShown();
}

void MetaDataPopupView::createArrayToUpdateMetaDataWithNode(const MetaDataObject& record) {
    m_rows->setRows(MetaDataPopupContent::rows(record, m_tables));
    m_rowsView->resizeColumnToContents(MetaDataPopupRowsModel::TitleColumn);
    m_rowsView->setColumnWidth(MetaDataPopupRowsModel::TitleColumn,
                               m_rowsView->columnWidth(MetaDataPopupRowsModel::TitleColumn) + 16);
}

void MetaDataPopupView::setupMapView(const MetaDataObject& record) {
    m_pin = MetaDataPopupContent::pin(record);
    addAnnotationToLocation();
}

void MetaDataPopupView::addAnnotationToLocation() {
    m_mapView->removeAllAnnotations();
    m_mapView->setShowsZoomControls(true);
    m_mapView->setShowsCompass(true);
    const platform::CoordinateRegion region{{m_pin.centerLatitude, m_pin.centerLongitude},
                                            {m_pin.latitudeSpan, m_pin.longitudeSpan}};
    if (m_pin.isNoLocationFound) {
        // Not the map's own pin: this one says, with its callout open, why the photo has no place.
        m_noLocationPin->setTitle(m_pin.title);
        m_noLocationPin->show();
        m_noLocationPin->raise();
    } else {
        m_noLocationPin->hide();
        m_mapView->addAnnotation({{m_pin.latitude, m_pin.longitude}, QString()});
    }
    m_mapView->setRegion(region, m_pin.animated);
    placeNoLocationPin();
}

void MetaDataPopupView::placeNoLocationPin() {
    if (!m_noLocationPin->isVisible()) return;
    m_noLocationPin->placeTipAt(m_mapView->pointForCoordinate({m_pin.latitude, m_pin.longitude}));
}

const MapCalloutPin* MetaDataPopupView::noLocationPin() const {
    return m_noLocationPin->isVisibleTo(m_mapView) ? m_noLocationPin : nullptr;
}

const QList<MetaDataPopupContent::Row>& MetaDataPopupView::rows() const {
    return m_rows->rows();
}

void MetaDataPopupView::scrollViewToTop() {
    m_rowsView->verticalScrollBar()->setValue(0);
}

void MetaDataPopupView::btnMapTypeTapped(QAbstractButton* button) {
    const int tag = button ? button->property("tag").toInt() : 0;
    m_mapType = tag == MapStandard ? MapStandard : tag == MapSatellite ? MapSatellite : MapHybrid;
    m_mapView->setMapType(m_mapType == MapStandard    ? platform::MapType::Standard
                          : m_mapType == MapSatellite ? platform::MapType::Satellite
                                                      : platform::MapType::Hybrid);
    changeSegmentUiForButton(m_btnRoad, button == m_btnRoad, true);
    changeSegmentUiForButton(m_btnSatellite, button == m_btnSatellite, false);
    changeSegmentUiForButton(m_btnHybrid, button == m_btnHybrid, true);
}

void MetaDataPopupView::changeSegmentUiForButton(QPushButton* button, bool selected, bool rounded) {
    button->setProperty("selectedSegment", selected);
    button->setStyleSheet(QStringLiteral("QPushButton { color: white; background: %1; border: 1px solid %2;"
                                         " border-radius: %3px; padding: 0 10px; }")
                              .arg(selected ? kAccent.name() : QStringLiteral("transparent"), kSegmentBorder.name(),
                                   QString::number(rounded ? 3 : 0)));
}

void MetaDataPopupView::showThumbnail(const QImage& image) {
    m_thumbnail = image;
    m_showsPlaceholder = false;
    m_imgVwThumb->setPixmap(
        QPixmap::fromImage(image.scaled(m_imgVwThumb->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void MetaDataPopupView::showPlaceholder() {
    m_thumbnail = QImage();
    m_showsPlaceholder = true;
    QPixmap pixmap(m_imgVwThumb->size());
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QSizeF natural = ImageLibrary::naturalSize(QStringLiteral("place_holder.png"));
    QSizeF fitted = natural.isEmpty() ? QSizeF(pixmap.size()) : natural.scaled(pixmap.size(), Qt::KeepAspectRatio);
    const QRectF target(QPointF((pixmap.width() - fitted.width()) / 2, (pixmap.height() - fitted.height()) / 2),
                        fitted);
    ImageLibrary::draw(painter, QStringLiteral("place_holder.png"), target);
    painter.end();
    m_imgVwThumb->setPixmap(pixmap);
}

void MetaDataPopupView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    for (QLabel* label : {m_lblImageName, m_lblImageSizeOndisk, m_lblImageDestinationPath})
        setElidedText(label, label->property("fullText").toString());
}
