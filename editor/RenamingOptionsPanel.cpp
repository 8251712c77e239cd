#include "editor/RenamingOptionsPanel.h"

#include "controls/DisableScrollView.h"
#include "controls/DisableSubviews.h"
#include "editor/AttachedPopup.h"
#include "editor/ImageToggleButton.h"
#include "editor/Logging.h"
#include "editor/PopupListView.h"
#include "editor/PopupLists.h"
#include "platform/OpenPanel.h"
#include "platform/StandardPaths.h"
#include "platform/Trash.h"

#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const kPartTitles[] = {"Replace file name with", "Add text", "Add EXIF date", "Add place name",
                                   "Add width and height"};
const char* const kPlaceTitles[] = {"Place", "City", "State/Province", "Country"};

QLineEdit* nameField(const QString& placeholder, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setPlaceholderText(placeholder);
    field->setMinimumWidth(120);
    return field;
}

QLabel* sectionTitle(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("sectionTitle"));
    return label;
}

}  // namespace

RenamingOptionsPanel::RenamingOptionsPanel(QWidget* parent) : QWidget(parent), m_popup(new AttachedPopup(this)) {
    setObjectName(QStringLiteral("vwExtentionView"));
    setAttribute(Qt::WA_StyledBackground);
    // The page takes the place of the form, so it wears the form's look.
    setStyleSheet(
        QStringLiteral("#vwExtentionView { background: #262626; }"
                       "QLabel { color: #d8d8d8; }"
                       "QLabel#sectionTitle { font-weight: bold; font-size: 14px; color: white; }"
                       "QLineEdit { background: white; border: 1px solid #8a8a8a; padding: 2px 5px; color: black; }"
                       "QLineEdit:read-only { background: #d9d9d9; color: #444444; }"
                       "QPushButton { color: white; background: #3d3d3d; border: 1px solid #555555; border-radius: 3px;"
                       " padding: 4px 12px; }"
                       "QPushButton:hover { background: #4a4a4a; }"
                       "QPushButton:disabled { color: #7a7a7a; background: #333333; border-color: #444444; }"
                       "QPushButton#dateButton { text-align: left; padding-right: 18px; }"));
    m_scroll = new DisableScrollView(this);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setStyleSheet(QStringLiteral("QScrollArea { background: transparent; }"));
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("pageContent"));
    content->setStyleSheet(QStringLiteral("#pageContent { background: transparent; }"));
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(20, 16, 20, 16);
    column->setSpacing(14);
    auto* header = new QHBoxLayout;
    header->addWidget(sectionTitle(QStringLiteral("Output File Name"), content));
    header->addStretch();
    m_back = new QPushButton(QStringLiteral("Back"), content);
    header->addWidget(m_back);
    column->addLayout(header);
    column->addWidget(buildNameSection());
    column->addWidget(buildFolderSection());
    column->addStretch();
    m_scroll->setWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_scroll);

    m_listHome = new QWidget(this);
    m_listHome->hide();
    m_list = new PopupListView(m_listHome);
    connect(m_list, &PopupListView::rowChosen, this, [this](int row) { chooseFromList(m_listType, row); });
    connect(m_popup, &AttachedPopup::closed, this, &RenamingOptionsPanel::dropdownClosed);
    connect(m_back, &QPushButton::clicked, this, &RenamingOptionsPanel::btnBackToPropertiesTapped);
    connect(m_refresh, &QPushButton::clicked, this, &RenamingOptionsPanel::btnRefreshTapped);
    connect(m_selectFolder, &QPushButton::clicked, this, &RenamingOptionsPanel::btnSelectFolderTapped);
    for (ImageToggleButton* button : findChildren<ImageToggleButton*>()) button->setTextColor(QColor(0xe8, 0xe8, 0xe8));
    syncFromPage();
    hide();
}

RenamingOptionsPanel::~RenamingOptionsPanel() {
    // Nothing is sent home into a page on its way out.
    m_popup->discard();
}

QWidget* RenamingOptionsPanel::buildNameSection() {
    auto* section = new QWidget;
    auto* layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    auto* modes = new QHBoxLayout;
    m_keep = ImageToggleButton::radio(QStringLiteral("Keep original file names"), section);
    m_edit = ImageToggleButton::radio(QStringLiteral("Rename files"), section);
    m_refresh = new QPushButton(QStringLiteral("Reset"), section);
    m_refresh->setToolTip(QStringLiteral("Clear every renaming choice"));
    modes->addWidget(m_keep);
    modes->addSpacing(24);
    modes->addWidget(m_edit);
    modes->addStretch();
    modes->addWidget(m_refresh);
    layout->addLayout(modes);
    for (ImageToggleButton* radio : {m_keep, m_edit}) {
        connect(radio, &QAbstractButton::clicked, this, [this, radio] { btnOutputRenamingOptionTapped(radio); });
    }

    m_customEdit = new QWidget(section);
    m_customEdit->setObjectName(QStringLiteral("vwCustomEditOriginalName"));
    auto* grid = new QGridLayout(m_customEdit);
    grid->setContentsMargins(22, 4, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(10);
    for (int part = 0; part < 5; ++part) {
        m_parts[part] = ImageToggleButton::checkBox(QString::fromLatin1(kPartTitles[part]), m_customEdit);
        ImageToggleButton* box = m_parts[part];
        connect(box, &QAbstractButton::clicked, this, [this, box] { btnEditingNameOptionTapped(box); });
    }
    m_customName = nameField(QStringLiteral("New file name"), m_customEdit);
    m_prefix = nameField(QStringLiteral("Prefix"), m_customEdit);
    m_suffix = nameField(QStringLiteral("Suffix"), m_customEdit);
    m_location = nameField(RenamingPage::fullPlacePattern(), m_customEdit);
    m_widthHeight = nameField(RenamingPage::widthHeightPattern(), m_customEdit);
    m_location->setReadOnly(true);
    m_widthHeight->setReadOnly(true);
    connect(m_customName, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_customName->setText(m_page.typeCustomName(text)); });
    connect(m_prefix, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_prefix->setText(m_page.typePrefix(text)); });
    connect(m_suffix, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_suffix->setText(m_page.typeSuffix(text)); });

    grid->addWidget(m_parts[RenamingPage::ReplaceFilenamePart], 0, 0);
    grid->addWidget(m_customName, 0, 1, 1, 3);
    grid->addWidget(m_parts[RenamingPage::AddStringPart], 1, 0);
    grid->addWidget(m_prefix, 1, 1);
    grid->addWidget(m_suffix, 1, 2);
    grid->addWidget(m_parts[RenamingPage::ExifDatePart], 2, 0, 1, 4);
    // The three date lists take a row of their own under their box: beside it they would make the page wider
    // than the form it covers at the window's smallest size.
    auto* dateRow = new QHBoxLayout;
    dateRow->setContentsMargins(24, 0, 0, 0);
    dateRow->setSpacing(10);
    const DateButtonTag tags[] = {PositionButton, SourceButton, FormatButton};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(m_customEdit);
        button->setObjectName(QStringLiteral("dateButton"));
        button->setProperty("tag", tags[i]);
        button->setMinimumWidth(i == 2 ? 190 : (i == 1 ? 160 : 100));
        // The button reads as a list: its arrow stands at its right end.
        auto* arrow = new QLabel(QStringLiteral("\u25BE"), button);
        arrow->setAttribute(Qt::WA_TransparentForMouseEvents);
        auto* arrowLayout = new QHBoxLayout(button);
        arrowLayout->setContentsMargins(0, 0, 8, 0);
        arrowLayout->addStretch();
        arrowLayout->addWidget(arrow);
        m_dateButtons[i] = button;
        connect(button, &QPushButton::clicked, this, [this, button] { btnEXIFDateAsTapped(button); });
        dateRow->addWidget(button);
    }
    dateRow->addStretch();
    grid->addLayout(dateRow, 3, 0, 1, 4);
    grid->addWidget(m_parts[RenamingPage::LocationPart], 4, 0);
    grid->addWidget(m_location, 4, 1, 1, 3);
    auto* places = new QHBoxLayout;
    for (int place = 0; place < 4; ++place) {
        m_places[place] = ImageToggleButton::checkBox(QString::fromLatin1(kPlaceTitles[place]), m_customEdit);
        ImageToggleButton* box = m_places[place];
        connect(box, &QAbstractButton::clicked, this, [this, box] { btnEXIFLocationTypeTapped(box); });
        places->addWidget(box);
        places->addSpacing(12);
    }
    places->addStretch();
    grid->addLayout(places, 5, 1, 1, 3);
    grid->addWidget(m_parts[RenamingPage::WidthHeightPart], 6, 0);
    grid->addWidget(m_widthHeight, 6, 1, 1, 3);
    grid->setColumnStretch(3, 1);
    layout->addWidget(m_customEdit);
    return section;
}

QWidget* RenamingOptionsPanel::buildFolderSection() {
    auto* section = new QWidget;
    auto* layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 6, 0, 0);
    layout->addWidget(sectionTitle(QStringLiteral("Output Folder"), section));
    auto* row = new QHBoxLayout;
    m_pathImg = new QLineEdit(platform::StandardPaths::defaultOutputFolder(), section);
    m_pathImg->setReadOnly(true);
    m_selectFolder = new QPushButton(QStringLiteral("Choose..."), section);
    row->addWidget(m_pathImg, 1);
    row->addWidget(m_selectFolder);
    layout->addLayout(row);
    return section;
}

QPushButton* RenamingOptionsPanel::dateButton(DateButtonTag tag) const {
    return m_dateButtons[tag - PositionButton];
}

void RenamingOptionsPanel::syncFromPage() {
    const RenamingPage& p = m_page;
    const bool free = !m_dropdownOpen;
    m_keep->setChecked(p.imageRenamingOptions == OutputRenamingOptions::KeepFileName);
    m_edit->setChecked(p.imageRenamingOptions == OutputRenamingOptions::NewFileName);
    m_keep->setEnabled(free);
    m_edit->setEnabled(free);
    m_refresh->setEnabled(free && p.refreshEnabled);
    for (int part = 0; part < 5; ++part) {
        m_parts[part]->setChecked(p.isTicked(RenamingPage::NamePart(part)));
        m_parts[part]->setEnabled(free && p.namePartsEnabled);
    }
    // The place boxes stay usable while a list is open: they belong to no list.
    for (int place = 0; place < 4; ++place) {
        m_places[place]->setChecked(p.isPlaceTicked(RenamingPage::PlacePart(place)));
        m_places[place]->setEnabled(p.placePartsEnabled);
    }
    setDateButtonsEnabled(free && p.dateButtonsEnabled);
    m_dateButtons[0]->setText(p.asLabel);
    m_dateButtons[1]->setText(p.typeLabel);
    m_dateButtons[2]->setText(p.formatLabel);
    const auto setField = [](QLineEdit* field, const QString& text, bool editable) {
        if (field->text() != text) field->setText(text);
        field->setReadOnly(!editable);
    };
    setField(m_customName, p.customName, p.customNameEditable && free);
    setField(m_prefix, p.prefix, p.prefixSuffixEditable && free);
    setField(m_suffix, p.suffix, p.prefixSuffixEditable && free);
    m_location->setText(p.locationText);
    m_location->setPlaceholderText(p.locationPlaceholder.isEmpty() ? RenamingPage::fullPlacePattern()
                                                                   : p.locationPlaceholder);
    m_widthHeight->setText(p.widthHeightText);
    m_back->setEnabled(free);
    m_selectFolder->setEnabled(free);
}

void RenamingOptionsPanel::setDateButtonsEnabled(bool enabled) {
    for (QPushButton* button : m_dateButtons) button->setEnabled(enabled);
}

void RenamingOptionsPanel::btnOutputRenamingOptionTapped(ImageToggleButton* sender) {
    if (!sender->isChecked()) return;
    m_page.chooseRenamingMode(sender == m_edit ? OutputRenamingOptions::NewFileName
                                               : OutputRenamingOptions::KeepFileName);
    syncFromPage();
}

void RenamingOptionsPanel::btnEditingNameOptionTapped(ImageToggleButton* sender) {
    for (int part = 0; part < 5; ++part) {
        if (m_parts[part] == sender) m_page.setNamePartTicked(RenamingPage::NamePart(part), sender->isChecked());
    }
    syncFromPage();
}

void RenamingOptionsPanel::btnEXIFLocationTypeTapped(ImageToggleButton* sender) {
    for (int place = 0; place < 4; ++place) {
        if (m_places[place] == sender) m_page.setPlacePartTicked(RenamingPage::PlacePart(place), sender->isChecked());
    }
    syncFromPage();
}

void RenamingOptionsPanel::refreshOutputRenamingOptionOnTapped() {
    m_page.refreshOutputRenamingOptionOnTapped();
    syncFromPage();
}

void RenamingOptionsPanel::btnEXIFDateAsTapped(QPushButton* sender) {
    const int tag = sender->property("tag").toInt();
    if (tag == PositionButton && isListOpen()) {
        removeAttachedPopupWindow2();
        return;
    }
    if (tag == PositionButton) openList(PositionList, sender);
    if (tag == SourceButton) openList(SourceList, sender);
    if (tag == FormatButton) openList(FormatList, sender);
}

bool RenamingOptionsPanel::isListOpen() const {
    return m_popup->isOpen();
}

void RenamingOptionsPanel::openList(int type, QPushButton* anchor) {
    m_listType = type;
    const QStringList rows = PopupLists::rows(type, {});
    m_list->setRows(rows);
    const int n = static_cast<int>(rows.size());
    m_list->resize(anchor->width() - 2, n <= 5 ? PopupListView::kRowHeight * n + 8 : 186);
    const QPointF point = anchor->mapTo(window(), QPointF(anchor->width() / 2.0, anchor->height()));
    AttachedPopup::Look look;
    look.side = 1;  // below the button
    look.distance = 2;
    look.opener = QRectF(anchor->mapTo(window(), QPointF(0, 0)), anchor->size());
    m_popup->open(m_list, point, window(), look);
    emit dropdownOpened();
}

void RenamingOptionsPanel::removeAttachedPopupWindow2() {
    m_popup->close();
}

void RenamingOptionsPanel::chooseFromList(int type, int row) {
    removeAttachedPopupWindow2();
    if (type == PositionList) m_page.filenameSelectionChangedWithIndex(row);
    if (type == SourceList) m_page.dateTypeWithIndex(row);
    if (type == FormatList) m_page.dateFormatWithIndex(row);
    syncFromPage();
}

void RenamingOptionsPanel::btnBackToPropertiesTapped() {
    if (const int alert = m_page.backCheck()) {
        emit alertRequested(alert);
        return;
    }
    m_onPage = 0;
    hideShowSettingViewWithAnimation(true);
    emit pageLeft(m_page.showsRenameNotice());
}

void RenamingOptionsPanel::hideShowSettingViewWithAnimation(bool hide) {
    if (hide) {
        setVisible(false);
        emit pageHidden();
        return;
    }
    showPage();
}

void RenamingOptionsPanel::setCoverArea(QWidget* area) {
    if (m_coverArea) m_coverArea->removeEventFilter(this);
    m_coverArea = area;
    if (area) area->installEventFilter(this);
}

bool RenamingOptionsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_coverArea && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        setGeometry(m_coverArea->geometry());
    return QWidget::eventFilter(watched, event);
}

void RenamingOptionsPanel::showPage() {
    m_onPage = 1;
    if (m_coverArea) {
        setGeometry(m_coverArea->geometry());
    } else if (QWidget* host = parentWidget()) {
        setGeometry(host->rect());
    }
    setVisible(true);
    raise();
    emit pageShown();
}

void RenamingOptionsPanel::closeAndReset() {
    removeAttachedPopupWindow2();
    m_onPage = 0;
    setVisible(false);
    m_page.refreshOutputRenamingOptionOnTapped();
    syncFromPage();
    emit pageHidden();
}

void RenamingOptionsPanel::disableEnableAllButtonsWhenDropdownOpen(bool disable) {
    m_dropdownOpen = disable;
    m_scroll->setScrollingEnabled(!disable);
    syncFromPage();
}

void RenamingOptionsPanel::setOutputFolderText(const QString& folder) {
    m_pathImg->setText(folder);
}

QString RenamingOptionsPanel::outputFolderText() const {
    return m_pathImg->text();
}

void RenamingOptionsPanel::btnSelectFolderTapped() {
    const QString folder = platform::StandardPaths::defaultOutputFolder();
    if (!QDir().mkpath(folder)) {
        qCWarning(lcEditor).noquote() << QStringLiteral("Failed to create directory \"") + folder +
                                             QStringLiteral("\". Error: cannot create the folder");
    }
    platform::OpenPanelOptions options;
    options.canChooseFiles = false;
    options.canChooseDirectories = true;
    options.canCreateDirectories = true;
    options.prompt = QStringLiteral("Select Destination Folder");
    options.directory = folder;
    platform::OpenPanelPresenter::shared().beginSheet(options, this, [this](const platform::OpenPanelResult& result) {
        if (!result.accepted || result.paths.isEmpty()) return;
        const QString chosen = result.paths.first();
        // Copies are never written into the trash.
        if (platform::Trash::contains(chosen)) return;
        setOutputFolderText(chosen);
        emit outputFolderChosen(chosen);
    });
}
