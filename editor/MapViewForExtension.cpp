#include "editor/MapViewForExtension.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include "controls/MAAttachedWindow.h"
#include "controls/VisualEffectBacking.h"
#include "editor/Logging.h"
#include "editor/MapViewDelegate.h"

using platform::GeoCoordinate;

namespace {

constexpr int kRowHeight = 30;
const QColor kAccent(44, 160, 26);
const QColor kPlainGrey(67, 67, 67);
const QColor kBorderGrey(82, 82, 82);
const QColor kPopupGrey(230, 230, 230);

QString rgb(const QColor& color) {
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(color.alphaF());
}

// Latitude and longitude both non-zero and in range: (0, 0) is what a set-up without a position sends.
bool isPosition(const GeoCoordinate& c) {
    return c.latitude != 0 && c.longitude != 0 && c.isValid();
}

}  // namespace

MapViewForExtension::MapViewForExtension(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    m_mapView = new platform::MapView(this);
    connect(m_mapView, &platform::MapView::didSelectAnnotation, this, [this](int index) { mapView(index); });
    connect(m_mapView, &platform::MapView::annotationDragStateChanged, this,
            [this](int index, platform::AnnotationDragState now, platform::AnnotationDragState) {
                annotationDragStateChanged(index, now);
            });
    buildControls();
    layoutControls();
}

MapViewForExtension::~MapViewForExtension() {
    removeMouseEventMonitoring();
    if (m_attachedPopUpWindow) {
        // The popup would hand its view back to this half-destroyed picker; the view goes first.
        delete m_vwPopupWithTableOptions;
        delete m_attachedPopUpWindow.data();
    }
}

void MapViewForExtension::buildControls() {
    m_mainBg = new QWidget(this);
    m_mainBg->setObjectName("mainBg");
    m_vwSearchText = new QWidget(m_mainBg);
    m_vwSearchText->setObjectName("vwSeachText");
    m_txtSearched = new QLineEdit(m_vwSearchText);
    m_txtSearched->setFrame(false);
    m_txtSearched->setClearButtonEnabled(false);
    connect(m_txtSearched, &QLineEdit::textChanged, this, &MapViewForExtension::controlTextDidChange);
    connect(m_txtSearched, &QLineEdit::returnPressed, this, [this] { controlTextDidEndEditing(true); });
    m_btnCrossOnSearch = new QPushButton(QStringLiteral("\u2715"), m_vwSearchText);
    m_btnCrossOnSearch->setFlat(true);
    m_btnCrossOnSearch->setCursor(Qt::PointingHandCursor);
    m_btnCrossOnSearch->setStyleSheet("QPushButton { color: white; border: none; background: transparent; }");
    m_btnCrossOnSearch->hide();
    connect(m_btnCrossOnSearch, &QPushButton::clicked, this, &MapViewForExtension::btnCrossOnSearchTapped);

    const auto makeButton = [this](const QString& title, int tag) {
        auto* button = new QPushButton(title, m_mainBg);
        button->setProperty("tag", tag);
        button->setCursor(Qt::PointingHandCursor);
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    };
    m_btnRoad = makeButton(QStringLiteral("Road"), 1);
    m_btnSatellite = makeButton(QStringLiteral("Satellite"), 2);
    m_btnHybrid = makeButton(QStringLiteral("Hybrid"), 3);
    for (QPushButton* button : {m_btnRoad, m_btnSatellite, m_btnHybrid})
        connect(button, &QPushButton::clicked, this, [this, button] { btnMapTypeTapped(button); });
    m_btnAddPin = makeButton(QStringLiteral("Add Pin"), 0);
    m_btnRemovePin = makeButton(QStringLiteral("Remove Pin"), 0);
    connect(m_btnAddPin, &QPushButton::clicked, this, &MapViewForExtension::btnAddPinTapped);
    connect(m_btnRemovePin, &QPushButton::clicked, this, &MapViewForExtension::btnRemovePinTapped);

    m_vwPopupWithTableOptions = new QWidget(this);
    m_vwPopupWithTableOptions->hide();
    m_tblPopupOptions = new QTableView(m_vwPopupWithTableOptions);
    m_tblPopupOptions->setObjectName("TableColumn");
    m_tblPopupOptions->setModel(&m_rows);
    m_tblPopupOptions->horizontalHeader()->hide();
    m_tblPopupOptions->horizontalHeader()->setStretchLastSection(true);
    m_tblPopupOptions->verticalHeader()->hide();
    m_tblPopupOptions->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_tblPopupOptions->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_tblPopupOptions->setShowGrid(false);
    m_tblPopupOptions->setWordWrap(false);
    m_tblPopupOptions->setTextElideMode(Qt::ElideRight);
    m_tblPopupOptions->setFrameShape(QFrame::NoFrame);
    m_tblPopupOptions->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tblPopupOptions->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_tblPopupOptions->setStyleSheet(
        "QTableView { background: transparent; color: rgb(30, 30, 30); }"
        "QTableView::item { padding-left: 8px; border-bottom: 1px solid rgb(210, 210, 210); }"
        "QTableView::item:hover { background: rgb(214, 214, 214); }");
    // A click acts even on the row chosen last time.
    connect(m_tblPopupOptions, &QTableView::clicked, this,
            [this](const QModelIndex& index) { tableViewSelectionDidChange(index.row()); });
    connect(m_tblPopupOptions, &QTableView::activated, this,
            [this](const QModelIndex& index) { tableViewSelectionDidChange(index.row()); });
}

void MapViewForExtension::layoutControls() {
    m_mapView->setGeometry(rect());
    const int margin = 10;
    m_mainBg->setGeometry(margin, margin, std::max(0, width() - 2 * margin), 50);
    int searchLeft = 12;
    if (m_leadingControl) {
        m_leadingControl->move(12, (50 - m_leadingControl->height()) / 2);
        searchLeft += m_leadingControl->width() + 10;
    }
    m_vwSearchText->setGeometry(searchLeft, 10, 250, 30);
    m_txtSearched->setGeometry(6, 1, 250 - 34, 28);
    m_btnCrossOnSearch->setGeometry(250 - 28, 1, 26, 28);
    int x = m_vwSearchText->geometry().right() + 18;
    for (QPushButton* button : {m_btnRoad, m_btnSatellite, m_btnHybrid}) {
        button->setGeometry(x, 12, 78, 26);
        x += 78;
    }
    const int right = m_mainBg->width() - 12;
    m_btnRemovePin->setGeometry(right - 96, 12, 96, 26);
    m_btnAddPin->setGeometry(right - 96 - 8 - 96, 12, 96, 26);
    m_tblPopupOptions->setGeometry(m_vwPopupWithTableOptions->rect());
}

void MapViewForExtension::setLeadingControl(QWidget* control) {
    m_leadingControl = control;
    if (control) {
        control->setParent(m_mainBg);
        control->show();
    }
    layoutControls();
}

void MapViewForExtension::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
}

const platform::ReverseGeocoder& MapViewForExtension::geocoder() {
    if (!m_geocoder) m_geocoder = &platform::ReverseGeocoder::shared();
    return *m_geocoder;
}

void MapViewForExtension::setupViewNotification(const GeoCoordinate& coordinate) {
    m_tblPopupOptions->setSelectionMode(QAbstractItemView::NoSelection);
    if (isPosition(coordinate)) {
        addAnnotationToLocation(coordinate);
        showPinButtons(true);
    } else {
        m_updatedLocationCord = {};
        m_mapView->removeAllAnnotations();
        showPinButtons(false);
        m_mapView->setRegion({kDefaultLocation, {180, 360}}, false);
    }
    // White text and caret on the dark panel.
    QPalette palette = m_txtSearched->palette();
    palette.setColor(QPalette::PlaceholderText, QColor(255, 255, 255, 170));
    m_txtSearched->setPalette(palette);
    m_txtSearched->setStyleSheet(QStringLiteral("QLineEdit { color: white; background: transparent; border: none; }"));
    m_txtSearched->setPlaceholderText(QStringLiteral("Search your location"));
    m_vwSearchText->setAttribute(Qt::WA_StyledBackground);
    m_vwSearchText->setStyleSheet(QStringLiteral("#vwSeachText { border: 1px solid ") + rgb(kBorderGrey) +
                                  QStringLiteral("; border-radius: 1px; }"));
    btnMapTypeTapped(m_btnRoad);
    addVisualEffectView(this, m_mainBg);
}

void MapViewForExtension::addAnnotationToLocation(const GeoCoordinate& coordinate) {
    m_mapView->removeAllAnnotations();
    if (!coordinate.isValid()) return;
    m_mapView->setRegion({coordinate, {kPinSpan, kPinSpan}}, true);
    m_mapView->addAnnotation({coordinate, QString()});
    m_mapView->setShowsZoomControls(true);
    m_updatedLocationCord = coordinate;
    m_mapView->setShowsCompass(true);
}

void MapViewForExtension::mapView(int selectedAnnotation) {
    // Selecting the pin is what makes it draggable.
    m_mapView->setAnnotationDraggable(selectedAnnotation, true);
}

void MapViewForExtension::annotationDragStateChanged(int index, platform::AnnotationDragState newState) {
    if (newState != platform::AnnotationDragState::Ending) return;
    const platform::MapPointAnnotation pin = m_mapView->annotations().value(index);
    m_locationTitle = pin.title;
    m_updatedLocationCord = pin.coordinate;
    geocoder().reverseGeocodePlacemarks(pin.coordinate.latitude, pin.coordinate.longitude,
                                        [this](const QList<platform::Placemark>& marks, const QString& error) {
                                            QStringList names;
                                            for (const auto& mark : marks) names.append(placeText(mark));
                                            qCInfo(lcEditor).noquote()
                                                << "Found placemarks:" << names.join("; ") << ", error:" << error;
                                            if (error.isEmpty() && !marks.isEmpty()) m_placemark = marks.last();
                                        });
    // The position is reported at once, whatever the place search answers.
    sendUpdatedLocation();
}

void MapViewForExtension::sendUpdatedLocation() {
    if (m_delegate)
        m_delegate->changeLocationToTitle(m_locationTitle, m_updatedLocationCord.latitude,
                                          m_updatedLocationCord.longitude);
}

void MapViewForExtension::showPinButtons(bool pinShown) {
    m_btnAddPin->setEnabled(!pinShown);
    m_btnRemovePin->setEnabled(pinShown);
    setButtonHighlighted(!pinShown, m_btnAddPin);
    setButtonHighlighted(pinShown, m_btnRemovePin);
}

void MapViewForExtension::btnAddPinTapped() {
    setupViewNotification(kDefaultLocation);
    sendUpdatedLocation();
}

void MapViewForExtension::btnRemovePinTapped() {
    m_mapView->removeAllAnnotations();
    showPinButtons(false);
    if (m_delegate) m_delegate->removeLocationCoordinates();
}

void MapViewForExtension::btnMapTypeTapped(QPushButton* button) {
    const int tag = button->property("tag").toInt();
    m_mapView->setMapType(tag == 1   ? platform::MapType::Standard
                          : tag == 2 ? platform::MapType::Satellite
                                     : platform::MapType::Hybrid);
    changeSegmentUiForButton(m_btnRoad, button == m_btnRoad, true);
    changeSegmentUiForButton(m_btnSatellite, button == m_btnSatellite, false);
    changeSegmentUiForButton(m_btnHybrid, button == m_btnHybrid, true);
}

void MapViewForExtension::changeSegmentUiForButton(QPushButton* button, bool selected, bool rounded) {
    QString style = QStringLiteral("QPushButton { color: white; background: ") +
                    (selected ? rgb(kAccent) : QStringLiteral("transparent")) + QStringLiteral("; border: 1px solid ") +
                    rgb(kBorderGrey) + QStringLiteral("; font-size: ") +
                    QString::number(QApplication::font().pointSizeF()) + QStringLiteral("pt;");
    if (rounded) style += QStringLiteral(" border-radius: 3px;");
    button->setStyleSheet(style + QStringLiteral(" }"));
}

void MapViewForExtension::setButtonHighlighted(bool highlighted, QPushButton* button) {
    // A plain button's title is a point smaller.
    const double size = QApplication::font().pointSizeF() - (highlighted ? 0 : 1);
    button->setStyleSheet(QStringLiteral("QPushButton { color: white; border: none; border-radius: 0px; background: ") +
                          rgb(highlighted ? kAccent : kPlainGrey) + QStringLiteral("; font-size: ") +
                          QString::number(size) + QStringLiteral("pt; }") +
                          QStringLiteral("QPushButton:disabled { color: rgba(255, 255, 255, 0.55); }"));
}

void MapViewForExtension::addVisualEffectView(QWidget* view, QWidget* relativeView) {
    // The translucent dark backing behind the controls, under the bar alone: the map around it stays clear.
    // A second set-up finds the backing already there.
    VisualEffectBacking::Look look;
    look.fill = QColor(28, 28, 30, 219);
    look.underViewOnly = true;
    VisualEffectBacking::addVisualEffectView(view, relativeView, look);
}

void MapViewForExtension::controlTextDidChange() {
    m_btnCrossOnSearch->setVisible(!m_txtSearched->text().isEmpty());
}

void MapViewForExtension::controlTextDidEndEditing(bool returnPressed) {
    if (returnPressed && !m_txtSearched->text().isEmpty()) searchForPlaceTitle(m_txtSearched->text());
}

void MapViewForExtension::searchForPlaceTitle(const QString& text) {
    geocoder().geocodeAddressString(text, [this](const QList<platform::Placemark>& marks, const QString& error) {
        if (!error.isEmpty()) {
            qCInfo(lcEditor).noquote() << error;
            return;
        }
        m_arrayPlacemarks = marks;
        showSearchResults();
    });
}

void MapViewForExtension::btnCrossOnSearchTapped() {
    m_txtSearched->setText(QString());
    removeAttachedPopupWindow();
    m_btnCrossOnSearch->hide();
}

QString MapViewForExtension::placeText(const platform::Placemark& placemark) {
    const QVariant lines = placemark.addressDictionary.value(QStringLiteral("FormattedAddressLines"));
    if (lines.isValid()) return lines.toStringList().join(QStringLiteral(", "));
    const QString area =
        placemark.subAdministrativeArea.isEmpty() ? placemark.locality : placemark.subAdministrativeArea;
    QString text = placemark.thoroughfare;
    for (const QString& part : {placemark.subThoroughfare, area, placemark.country}) {
        if (part.isEmpty()) continue;
        text += text.isEmpty() ? part : QStringLiteral(", ") + part;
    }
    return text;
}

void MapViewForExtension::showSearchResults() {
    QStringList texts;
    for (const platform::Placemark& mark : std::as_const(m_arrayPlacemarks)) texts.append(placeText(mark));
    m_rows.setStringList(texts);
    const int n = static_cast<int>(texts.size());
    const int width = m_vwSearchText->width();
    const int height = n <= 4 ? kRowHeight * n + 2 : 150;
    m_vwPopupWithTableOptions->setGeometry(0, 0, width, height);
    m_tblPopupOptions->setGeometry(0, 0, width, height);
    const QRect box(m_vwSearchText->mapTo(this, QPoint(0, 0)), m_vwSearchText->size());
    addAttachedPopupTableAtPoint(QPointF(box.x() + width / 2.0, box.y() + box.height() + 5));
}

void MapViewForExtension::addAttachedPopupTableAtPoint(const QPointF& point) {
    removeAttachedPopupWindow();
    MAAttachedWindow* popup = MAAttachedWindow::create(m_vwPopupWithTableOptions, point, this, AttachedBelow, 5.0f);
    popup->setBorderColor(kPopupGrey);
    popup->setBackgroundColor(kPopupGrey);
    popup->setHasArrow(0);
    popup->setCornerRadius(0);
    popup->setArrowBaseWidth(0);
    popup->setArrowHeight(0);
    popup->setBorderWidth(0);
    popup->setViewMargin(0);
    m_attachedPopUpWindow = popup;
    popup->show();
    addMouseEventMonitoring();
}

void MapViewForExtension::removeAttachedPopupWindow() {
    removeMouseEventMonitoring();
    if (!m_attachedPopUpWindow) return;
    MAAttachedWindow* popup = m_attachedPopUpWindow;
    m_attachedPopUpWindow.clear();
    popup->hide();
    delete popup;
}

void MapViewForExtension::dismissPanel() {
    if (!m_monitoring) return;
    removeAttachedPopupWindow();
}

void MapViewForExtension::addMouseEventMonitoring() {
    // One filter while a popup is open, removed on every way it closes.
    if (m_monitoring) return;
    qApp->installEventFilter(this);
    m_monitoring = true;
}

void MapViewForExtension::removeMouseEventMonitoring() {
    if (!m_monitoring) return;
    qApp->removeEventFilter(this);
    m_monitoring = false;
}

bool MapViewForExtension::eventFilter(QObject* watched, QEvent* event) {
    // Escape puts the results away first; only the next one reaches the window.
    if (m_attachedPopUpWindow && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        dismissPanel();
        return true;
    }
    if (m_attachedPopUpWindow && event->type() == QEvent::MouseButtonPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() != m_attachedPopUpWindow) dismissPanel();
    }
    return QWidget::eventFilter(watched, event);  // the click always goes on
}

void MapViewForExtension::tableViewSelectionDidChange(int row) {
    if (!m_attachedPopUpWindow || row < 0 || row >= m_arrayPlacemarks.size()) return;
    removeAttachedPopupWindow();
    const platform::Placemark chosen = m_arrayPlacemarks.at(row);
    m_updatedLocationCord = {chosen.latitude, chosen.longitude};
    if (chosen.longitude == 0 || chosen.latitude == 0) return;
    addAnnotationToLocation(m_updatedLocationCord);
    sendUpdatedLocation();
    showPinButtons(true);
}
