#include "presets/PresetView.h"

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "controls/DisableScrollView.h"
#include "controls/DisableSubviews.h"
#include "controls/SubWindowState.h"
#include "editor/EditingOptionSection.h"
#include "editor/FormTextView.h"
#include "editor/MapWindow.h"
#include "editor/MetadataSection.h"
#include "editor/OptionPopup.h"
#include "presets/AttachedPanel.h"
#include "presets/Logging.h"
#include "presets/PresetDateRuleView.h"
#include "presets/PresetListModel.h"
#include "presets/PresetRowDelegate.h"
#include "presets/PresetViewDelegate.h"

QPushButton* PresetView::formButton(const QString& name, const QString& title, QWidget* parent) {
    auto* button = new QPushButton(title, parent);
    button->setObjectName(name);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    button->setStyleSheet(
        QStringLiteral("QPushButton { color: white; background: #3d3d3d; border: 1px solid #555555; border-radius: 3px;"
                       " padding: 4px 12px; }"
                       "QPushButton:hover { background: #4a4a4a; }"
                       "QPushButton:disabled { color: #7a7a7a; background: #333333; border-color: #444444; }"));
    return button;
}

QLabel* PresetView::hintLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: #9a9a9a; font-size: 11px;"));
    return label;
}

PresetView::PresetView(PresetStore& presets, SubWindowState& subWindow, QWidget* parent)
    : QWidget(parent), m_presets(presets), m_subWindow(subWindow) {
    setObjectName(QStringLiteral("PresetView"));
    // See-through onto the window's backing. The style sheet also puts the editor's controls, the date panel's
    // lists and fields among them, under the style-sheet style that sizes and draws them.
    setStyleSheet(QStringLiteral("#PresetView { background: transparent; }"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildList());
    layout->addWidget(buildForm(), 1);
    m_popup = new OptionPopup(this, QStringLiteral("vwPopupWithTableOptions"), QStringLiteral("tblPopupOptions"));
    m_datePanel = new AttachedPanel(this);
    m_vwDatePicker = new PresetDateRuleView(this);
    m_vwDatePicker->adjustSize();
    m_vwDatePicker->hide();
    m_winMapview = new MapWindow(this);
    connectParts();
    disableSubviews(true);
    isMetadataParamChanged(false);
}

PresetView::~PresetView() {
    // The popups give their views back to this view as they go, so they go first.
    delete m_popup;
    delete m_datePanel;
}

QWidget* PresetView::buildList() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("vwPresetList"));
    panel->setFixedWidth(230);
    panel->setAttribute(Qt::WA_StyledBackground);
    panel->setStyleSheet(QStringLiteral("#vwPresetList { background: #2f2f2f; border-right: 1px solid #3a3a3a; }"));
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 12, 0, 12);
    column->setSpacing(8);
    auto* title = new QLabel(QStringLiteral("Presets"), panel);
    // The window's close button sits before the title.
    title->setStyleSheet(QStringLiteral("color: white; font-weight: bold; padding-left: 34px;"));
    column->addWidget(title);

    m_tblPresets = new QListView(panel);
    m_tblPresets->setObjectName(QStringLiteral("tblPresets"));
    m_listModel = new PresetListModel(m_presets, this);
    m_tblPresets->setModel(m_listModel);
    m_rowDelegate = new PresetRowDelegate(m_tblPresets, [this](int row, const QString& name) {
        m_presets.presetNameUpdated(row, name);
        m_listModel->presetChanged(row);
    });
    m_tblPresets->setItemDelegate(m_rowDelegate);
    m_tblPresets->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tblPresets->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tblPresets->setFrameShape(QFrame::NoFrame);
    m_tblPresets->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_tblPresets->setStyleSheet(QStringLiteral("QListView { background: transparent; }"));
    column->addWidget(m_tblPresets, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(12, 0, 12, 0);
    buttons->setSpacing(6);
    m_btnAddPreset = formButton(QStringLiteral("btnAddPreset"), QStringLiteral("+"), panel);
    m_btnAddPreset->setToolTip(QStringLiteral("Add a preset"));
    m_btnRemovePreset = formButton(QStringLiteral("btnRemovePreset"), QStringLiteral("\u2212"), panel);
    m_btnRemovePreset->setToolTip(QStringLiteral("Remove the selected preset"));
    buttons->addWidget(m_btnAddPreset);
    buttons->addWidget(m_btnRemovePreset);
    buttons->addStretch(1);
    column->addLayout(buttons);
    m_lblOnApply = hintLabel(QStringLiteral("lblOnApply"),
                             QStringLiteral("Add a preset with + or choose one from the list to edit it."), panel);
    m_lblOnApply->setContentsMargins(14, 0, 12, 0);
    column->addWidget(m_lblOnApply);
    return panel;
}

void PresetView::connectParts() {
    connect(m_tblPresets->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList rows = m_tblPresets->selectionModel()->selectedRows();
        tableViewSelectionDidChange(rows.isEmpty() ? -1 : rows.first().row());
    });
    connect(m_tblPresets, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { doubleClickPresetTableCell(index.row()); });
    connect(m_btnAddPreset, &QPushButton::clicked, this, &PresetView::btnAddPresetTapped);
    connect(m_btnRemovePreset, &QPushButton::clicked, this, &PresetView::btnRemovePresetTapped);
    connect(m_btnApplyPreset, &QPushButton::clicked, this, &PresetView::btnApplyPresetTapped);
    connect(m_btnShowMap, &QPushButton::clicked, this, &PresetView::btnShowMap);
    connect(m_popup, &OptionPopup::rowChosen, this, &PresetView::popupOptionTapped);
    connect(m_popup, &OptionPopup::closed, this, [this] {
        enableScrollView(true);
        enableAllButtonsAfterDelay();
    });
    connect(m_datePanel, &AttachedPanel::closed, this, [this] {
        enableScrollView(true);
        enableAllButtonsAfterDelay();
    });
    connect(m_vwDatePicker, &PresetDateRuleView::ruleChanged, this, &PresetView::updateDateTimeMetaDataConfiguration);
    connect(m_editingOption, &EditingOptionSection::editingOptionTapped, this, &PresetView::btnEditingOptionTapped);
    connect(m_editingOption, &EditingOptionSection::clearSwitchTicked, this, &PresetView::clearSwitchTicked);
    for (MetadataSection* section : std::as_const(m_sections)) {
        connect(section, &MetadataSection::fieldEdited, this,
                [this](const FormFieldTraits* field, const QString& value) {
                    // The text views' own delayed reports come late, after the form may show another preset.
                    if (field->control != FormFieldTraits::Control::TextView) storeEdit(field, value);
                });
        connect(section, &MetadataSection::dropDownTapped, this, &PresetView::btnDropDownTapped);
        connect(section, &MetadataSection::dateFieldTapped, this, &PresetView::btnDatePickerTapped);
        for (const FormFieldTraits* field : section->fields()) {
            if (field->control != FormFieldTraits::Control::TextView) continue;
            // Every change is kept at once: a selection change right after typing must not lose the last keys.
            FormTextView* view = section->textView(field->fieldName());
            connect(view, &QPlainTextEdit::textChanged, this,
                    [this, field, view] { storeEdit(field, view->toPlainText()); });
        }
    }
}

// ---- Set-up ----

void PresetView::initSetup() {
    m_tblPresets->setFocus();
    scrollViewToTop();
    for (MetadataSection* section : std::as_const(m_sections)) section->setTextFieldValidations();
    enableScrollView(true);
    // Whatever was left in the copy when the window last closed is written back before the list shows again.
    m_presets.presetSelectionDidChange(-1);
    m_listModel->reload();
    if (!m_presets.arrayPresets().isEmpty()) {
        selectRow(0);
    } else {
        selectRow(-1);
    }
    m_vwDatePicker->resetToStartValues();
}

void PresetView::selectRow(int row) {
    // The list's own selection signal would run the selection handler a second time.
    const QSignalBlocker blocker(m_tblPresets->selectionModel());
    m_tblPresets->selectionModel()->clearSelection();
    if (row >= 0) {
        const QModelIndex index = m_listModel->index(row);
        m_tblPresets->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    }
    m_tblPresets->viewport()->update();
    tableViewSelectionDidChange(row);
}

void PresetView::setupUIForSelectedPresetObject(const MetaDataObject* preset) {
    hideAllErrorLabels();
    isMetadataParamChanged(false);
    updateTextFieldsValues(preset ? m_presets.metaDataObject() : MetaDataObject());
    m_btnRemovePreset->setEnabled(preset != nullptr);
    m_lblOnApply->setVisible(preset == nullptr);
}

void PresetView::updateTextFieldsValues(const MetaDataObject& record) {
    m_showing = true;
    for (MetadataSection* section : std::as_const(m_sections)) section->loadFrom(record);
    showEditingOption();
    m_showing = false;
}

void PresetView::scrollViewToTop() {
    m_scrollViewExifData->verticalScrollBar()->setValue(0);
}

// ---- The list ----

void PresetView::tableViewSelectionDidChange(int row) {
    const int previous = m_presets.selectedPresetIndex();
    m_presets.presetSelectionDidChange(row);
    if (previous >= 0 && previous < m_presets.arrayPresets().size()) m_listModel->presetChanged(previous);
    if (m_presets.isEditing()) {
        setupUIForSelectedPresetObject(&m_presets.arrayPresets().at(m_presets.selectedPresetIndex()));
        disableSubviews(false);
    } else {
        setupUIForSelectedPresetObject(nullptr);
        disableSubviews(true);
    }
}

void PresetView::btnAddPresetTapped() {
    m_presets.addPreset();
    m_listModel->presetInserted(0);
    selectRow(0);
    m_tblPresets->scrollToTop();
    // The new preset's name is open for typing at once.
    m_tblPresets->edit(m_listModel->index(0));
}

void PresetView::btnRemovePresetTapped() {
    const QModelIndexList rows = m_tblPresets->selectionModel()->selectedRows();
    if (rows.isEmpty()) return;
    const int row = rows.first().row();
    if (!m_presets.removePreset(row)) return;
    {
        const QSignalBlocker blocker(m_tblPresets->selectionModel());
        m_listModel->presetRemoved(row);
    }
    selectRow(-1);
}

void PresetView::doubleClickPresetTableCell(int row) {
    if (row < 0 || row >= m_presets.arrayPresets().size()) return;
    if (row != m_presets.selectedPresetIndex() || !m_presets.isEditing()) return;
    m_tblPresets->edit(m_listModel->index(row));
}

void PresetView::btnApplyPresetTapped() {
    const int index = m_presets.applyPreset();
    if (index < 0) return;
    m_listModel->presetChanged(index);
    qCInfo(lcPresets).noquote() << QStringLiteral("preset %1 applied").arg(index);
    if (m_delegate) m_delegate->btnApplyPresetTapped(index);
}

void PresetView::windowWillClose() {
    m_popup->close();
    m_datePanel->close();
    m_presets.windowWillClose();
    if (m_presets.isEditing()) m_listModel->presetChanged(m_presets.selectedPresetIndex());
    m_subWindow.setIsSubWindowOpened(false);
}

// ---- The form's state ----

void PresetView::disableSubviews(bool disable) {
    DisableSubviews::disableSubviews(m_scrollViewExifData, disable);
    // White fields look the same switched off; the whole form steps back instead.
    QGraphicsOpacityEffect* dim = nullptr;
    if (disable) {
        dim = new QGraphicsOpacityEffect;
        dim->setOpacity(0.45);
    }
    m_vwMetaContainer->setGraphicsEffect(dim);
    DisableSubviews::disableSubviews(m_editingOption, disable);
    for (MetadataSection* section : std::as_const(m_sections)) section->setTextViewsEditable(!disable);
    m_btnShowMap->setEnabled(!disable);
    m_lblOnApply->setVisible(disable);
    m_btnRemovePreset->setEnabled(!disable);
}

void PresetView::isMetadataParamChanged(bool changed) {
    m_presets.isMetadataParamChanged(changed);
    m_lblOnApply->setVisible(!changed);
    m_lblOnRevert->setVisible(!changed);
}

void PresetView::hideAllErrorLabels() {
    for (MetadataSection* section : std::as_const(m_sections)) section->hideAllErrorLabels();
}

void PresetView::enableScrollView(bool enabled) {
    m_scrollViewExifData->setScrollingEnabled(enabled);
}

void PresetView::disableEnableAllButtonsWhenDropdownOpen(bool disable) {
    DisableSubviews::disableSubviews(m_vwMetaContainer, disable, [this](QWidget* view) {
        return qobject_cast<QAbstractButton*>(view) && view != m_btnShowMap;
    });
}

void PresetView::enableAllButtonsAfterDelay() {
    QTimer::singleShot(m_timing.buttonsAfterPopupMs, this, [this] {
        if (!m_popup->isOpen() && !m_datePanel->isOpen()) disableEnableAllButtonsWhenDropdownOpen(false);
    });
}
