// The preset editor's form: its sections, the coded lists, the editing option, the date rules and the map.
#include "presets/PresetView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/DisableScrollView.h"
#include "editor/EditingOptionSection.h"
#include "editor/EditingOptions.h"
#include "editor/FieldValidation.h"
#include "editor/FormRules.h"
#include "editor/FormSectionsPage.h"
#include "editor/GpsFields.h"
#include "editor/MapViewForExtension.h"
#include "editor/MapWindow.h"
#include "editor/MetadataSection.h"
#include "editor/OptionPopup.h"
#include "editor/PopupLists.h"
#include "presets/AttachedPanel.h"
#include "presets/Logging.h"
#include "presets/PresetDateRulePanel.h"
#include "presets/PresetDateRuleView.h"
#include "presets/PresetMapPosition.h"

QWidget* PresetView::buildForm() {
    auto* form = new QWidget(this);
    auto* column = new QVBoxLayout(form);
    column->setContentsMargins(16, 12, 6, 12);
    column->setSpacing(10);
    m_editingOption = new EditingOptionSection(false, form);
    column->addWidget(m_editingOption);

    FormSectionsPage page = FormSectionsPage::build(form, FormRules::presetEditor(), m_tables);
    m_scrollViewExifData = page.scrollView;
    m_vwMetaContainer = page.container;
    m_sections = page.sections;
    column->addWidget(m_scrollViewExifData, 1);

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(10);
    m_btnShowMap = formButton(QStringLiteral("btnShowMap"), QStringLiteral("Map"), form);
    m_btnShowMap->setToolTip(QStringLiteral("Set the preset's position on a map"));
    m_lblOnRevert =
        hintLabel(QStringLiteral("lblOnRevert"),
                  QStringLiteral("A preset keeps every change as you make it; Apply uses it on the form."), form);
    m_lblOnRevert->setWordWrap(false);
    m_btnApplyPreset = formButton(QStringLiteral("btnApplyPreset"), QStringLiteral("Apply"), form);
    m_btnApplyPreset->setToolTip(QStringLiteral("Use the selected preset on the editing form"));
    m_btnApplyPreset->setStyleSheet(FormSectionsPage::primaryButtonStyle());
    bottom->addWidget(m_btnShowMap);
    bottom->addWidget(m_lblOnRevert);
    bottom->addStretch(1);
    bottom->addWidget(m_btnApplyPreset);
    column->addLayout(bottom);
    return form;
}

MetadataSection* PresetView::sectionOf(const QString& fieldName) const {
    const FormFieldTraits* field = FormFieldTraits::forField(fieldName);
    if (!field) return nullptr;
    for (MetadataSection* section : m_sections) {
        if (section->section() == field->section) return section;
    }
    return nullptr;
}

void PresetView::storeEdit(const FormFieldTraits* field, const QString& value) {
    if (m_showing || !m_presets.isEditing()) return;
    // A value that fails its check is kept all the same: the preset is the user's to fill.
    if (field->control == FormFieldTraits::Control::TextView) {
        qCDebug(lcPresets).noquote() << QStringLiteral("textview value == ") + value;
    } else {
        const bool valid = FieldValidation::isValidText(value, field->check).valid;
        qCDebug(lcPresets).noquote() << (valid ? QStringLiteral("textisValied") : QStringLiteral("not valied text"));
    }
    FormRules::presetEditor().store(m_presets.metaDataObject(), *field->row, value);
    isMetadataParamChanged(true);
}

void PresetView::showEditingOption() {
    const MetaDataObject& copy = m_presets.metaDataObject();
    m_editingOption->loadFrom(copy);
    m_editingOption->vwClearOptions()->setVisible(copy.editingOption == CleanMetadataInfo);
}

void PresetView::clearSwitchTicked(MetadataClearSwitch which, bool on) {
    if (!m_presets.isEditing()) return;
    m_presets.metaDataObject().*MetadataKeyTable::switchMember(which) = on;
    const char* name = which == MetadataClearSwitch::Comment ? "comment"
                       : which == MetadataClearSwitch::Exif  ? "exif"
                       : which == MetadataClearSwitch::IPTC  ? "iptc"
                                                             : nullptr;
    if (name) qCDebug(lcPresets).noquote() << QStringLiteral("clear %1 = %2").arg(QLatin1String(name)).arg(on ? 1 : 0);
    isMetadataParamChanged(true);
}

// ---- Popups ----

void PresetView::btnDropDownTapped(int tag, QWidget* sender) {
    m_datePanel->close();
    m_flagCurrentAttachPopupType = tag;
    const QStringList labels = m_tables.labels(tag);
    m_popup->setRows(labels);
    // The list hangs below the whole field, as wide as it.
    const QRectF field = MetadataSection::aimOf(sender, this).field;
    m_popup->setViewSize(static_cast<int>(field.width()) - 2,
                         PopupLists::codedListHeight(static_cast<int>(labels.size())));
    enableScrollView(false);
    OptionPopup::Look look;
    look.opener = field;
    m_popup->open({field.center().x(), field.bottom()}, look);
    disableEnableAllButtonsWhenDropdownOpen(true);
}

void PresetView::btnEditingOptionTapped(QWidget*) {
    m_datePanel->close();
    m_flagCurrentAttachPopupType = PopupLists::EditingOptions;
    const QStringList rows = PopupLists::rows(PopupLists::EditingOptions, {});
    m_popup->setRows(rows);
    const QRectF span = m_editingOption->optionFrameIn(this);
    const QRectF frame = EditingOptions::listFrame(span.width(), m_popup->rowsWidth(), static_cast<int>(rows.size()));
    m_popup->setViewSize(static_cast<int>(frame.width()), static_cast<int>(frame.height()));
    enableScrollView(false);
    OptionPopup::Look look;
    look.opener = span;
    m_popup->open(EditingOptions::listAnchor(span), look);
    disableEnableAllButtonsWhenDropdownOpen(true);
}

void PresetView::removeAttachedPopupWindow() {
    m_popup->close();
}

void PresetView::popupOptionTapped(int row) {
    const int type = m_flagCurrentAttachPopupType;
    removeAttachedPopupWindow();
    if (type == PopupLists::EditingOptions) {
        // The option is part of the preset: applied, it decides how the batch writes.
        if (m_presets.isEditing() && m_presets.setEditingOption(row)) {
            showEditingOption();
            isMetadataParamChanged(true);
        }
        return;
    }
    if (type < 0 || type > PopupLists::LastCodedList) return;
    const MetadataKeyRow* row0 = DropdownCodeTables::fieldRow(type);
    if (MetadataSection* section = sectionOf(row0->fieldName())) section->chooseCode(type, row);
}

// ---- Date rules ----

void PresetView::btnDatePickerTapped(int dateIndex, QWidget* sender) {
    m_popup->close();
    m_flagDatePickerPopupType = dateIndex;
    m_vwDatePicker->resetDateTimeConfigView(PresetDateRulePanel::ruleOf(m_presets.metaDataObject(), dateIndex));
    m_vwDatePicker->adjustSize();
    enableScrollView(false);
    // Over the form, clear of the field whose rule it shows (and of the preset list beside the form): the arrow
    // points at the button from below the field, or from above it when the panel goes there.
    const MetadataSection::ButtonAim aim = MetadataSection::aimOf(sender, this);
    m_datePanel->open(m_vwDatePicker, aim.point, 5, aim.field, aim.form);
    disableEnableAllButtonsWhenDropdownOpen(true);
}

void PresetView::updateDateTimeMetaDataConfiguration(const DateTimeConfiguration& rule) {
    if (!m_presets.isEditing()) return;
    const int index = m_flagDatePickerPopupType;
    const std::optional<QString> summary = PresetDateRulePanel::storeRule(m_presets.metaDataObject(), index, rule);
    if (!summary) return;
    const QString fieldName = PresetDateRulePanel::fieldName(index);
    if (MetadataSection* section = sectionOf(fieldName)) {
        m_showing = true;
        section->textField(fieldName)->setText(*summary);
        section->textField(fieldName)->setCursorPosition(0);
        m_showing = false;
    }
    isMetadataParamChanged(true);
}

// ---- The map ----

void PresetView::btnShowMap() {
    if (!m_btnShowMap->isEnabled() || !m_presets.isEditing()) return;
    MapViewForExtension* picker = m_winMapview->mapviewRef();
    picker->setDelegate(this);
    m_winMapview->showCenteredOver(this);
    picker->setupViewNotification(GpsFields::positionOf(m_presets.metaDataObject()));
}

void PresetView::changeLocationToTitle(const QString&, double latitude, double longitude) {
    if (!m_presets.isEditing()) return;
    PresetMapPosition::changeLocation(m_presets.metaDataObject(), latitude, longitude);
    updateTextFieldsValues(m_presets.metaDataObject());
    isMetadataParamChanged(true);
}

void PresetView::removeLocationCoordinates() {
    if (!m_presets.isEditing()) return;
    PresetMapPosition::removeLocation(m_presets.metaDataObject());
    updateTextFieldsValues(m_presets.metaDataObject());
    // The references read as the list's first entry, which clears them when the preset is applied.
    for (const char* field : {"GPS_LattitudeRef", "GPS_LongitudeRef"}) {
        if (MetadataSection* section = sectionOf(QLatin1String(field)))
            section->textField(QLatin1String(field))->setText(DropdownCodeTables::leaveBlank());
    }
}
