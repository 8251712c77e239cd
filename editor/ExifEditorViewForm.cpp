// The form side of the editing screen: showing a record, borders, edits, dropdown lists and the popups.

#include "controls/DisableScrollView.h"
#include "controls/DisableSubviews.h"
#include "editor/EditingOptionSection.h"
#include "editor/EditorBatchActions.h"
#include "editor/ExifEditorView.h"
#include "editor/FieldValidation.h"
#include "editor/MetadataSection.h"
#include "editor/OptionPopup.h"
#include "editor/PopupLists.h"
#include "editor/SelectionPlaceholders.h"
#include "model/PresetStore.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

void ExifEditorView::updateTextFieldsValues(const MetaDataObject& record) {
    for (MetadataSection* section : std::as_const(m_sections)) section->loadFrom(record);
    // The option and the switches always follow the form's own record, whatever record the fields show.
    m_editingOption->loadFrom(m_metaDataObject);
    if (m_batchActions) m_batchActions->showDateWarningIfGreaterThanToday();
}

void ExifEditorView::updateTextFieldsValues(const MetaDataObject& record,
                                            const std::function<bool(const FormFieldTraits&)>& which) {
    for (MetadataSection* section : std::as_const(m_sections)) section->loadFrom(record, which);
}

void ExifEditorView::highlightBorder(const MetaDataObject& record) {
    for (MetadataSection* section : std::as_const(m_sections)) section->highlightBorder(record);
}

void ExifEditorView::setTextFieldsPlaceholder(int photoCount, const SelectionMerge::FieldSet& heldByAny) {
    m_mergedPhotoCount = photoCount;
    m_heldByAny = heldByAny;
    const SelectionPlaceholders placeholders(photoCount, heldByAny, m_metaDataObject);
    for (MetadataSection* section : std::as_const(m_sections)) section->setPlaceholders(placeholders);
}

void ExifEditorView::refreshPlaceholders() {
    setTextFieldsPlaceholder(m_mergedPhotoCount, m_heldByAny);
}

void ExifEditorView::setTextFieldValidations() {
    for (MetadataSection* section : std::as_const(m_sections)) section->setTextFieldValidations();
}

void ExifEditorView::hideAllErrorLabels() {
    for (MetadataSection* section : std::as_const(m_sections)) section->hideAllErrorLabels();
}

bool ExifEditorView::isValidText(const QString& text, const QString& fieldName) const {
    const FormFieldTraits* field = FormFieldTraits::forField(fieldName);
    return !field || FieldValidation::isValidText(text, field->check).valid;
}

MetadataSection* ExifEditorView::sectionOf(const QString& fieldName) const {
    const FormFieldTraits* field = FormFieldTraits::forField(fieldName);
    if (!field) return nullptr;
    for (MetadataSection* section : m_sections) {
        if (section->section() == field->section) return section;
    }
    return nullptr;
}

QLineEdit* ExifEditorView::textField(const QString& fieldName) const {
    MetadataSection* section = sectionOf(fieldName);
    return section ? section->textField(fieldName) : nullptr;
}

QLabel* ExifEditorView::errorLabel(const QString& fieldName) const {
    MetadataSection* section = sectionOf(fieldName);
    return section ? section->errorLabel(fieldName) : nullptr;
}

QWidget* ExifEditorView::viewWithTag(int tag) const {
    for (MetadataSection* section : m_sections) {
        if (QWidget* view = section->viewWithTag(tag)) return view;
    }
    return nullptr;
}

void ExifEditorView::storeEdit(const FormFieldTraits* field, const QString& value) {
    // Every edit takes one road: the value with its change flag into the form's record and into the pending
    // edits, which outlive the selection.
    const FormRules rules = FormRules::editingForm();
    rules.store(m_metaDataObject, *field->row, value);
    rules.store(m_editedMetaDataObject, *field->row, m_metaDataObject.*(field->row->field));
    highlightBorder(m_metaDataObject);
    m_isEditedMetadataObject = true;
    isMetadataParamChanged(true);
}

// ---- Dropdown lists ----

QStringList ExifEditorView::getArrayForDropDownOptionsForTag(int tag) const {
    if (tag == PopupLists::Presets) {
        QStringList names;
        for (const MetaDataObject& preset : m_shared.presets.arrayPresets()) names.append(preset.name);
        return names;
    }
    return m_tables.labels(tag);
}

QStringList ExifEditorView::getArrayForDropDownOptionsValuesForTag(int tag) const {
    return m_tables.codes(tag);
}

void ExifEditorView::btnDropDownTapped(int tag, QWidget* sender) {
    m_flagCurrentAttachPopupType = tag;
    const QStringList labels = getArrayForDropDownOptionsForTag(tag);
    m_popup->setRows(labels);
    // The button sits inside its field; the list hangs below the whole field, as wide as it.
    QWidget* field = sender->parentWidget() ? sender->parentWidget() : sender;
    m_popup->setViewSize(field->width() - 2, PopupLists::codedListHeight(static_cast<int>(labels.size())));
    addAttachedPopupTableAtPoint(field->mapTo(this, QPointF(field->width() / 2.0, field->height())),
                                 QRectF(field->mapTo(this, QPointF(0, 0)), field->size()));
}

void ExifEditorView::addAttachedPopupTableAtPoint(const QPointF& point, const QRectF& opener) {
    enableScrollView(false);
    OptionPopup::Look look;
    switch (m_flagCurrentAttachPopupType) {
        case PopupLists::Presets:
            // The button sits in the top bar: the list hangs from it into the window.
            look = {1, true, 5, 10, {}};
            break;
        case PopupLists::AddPhotosMenu:
            look = {6, true, 5, 10, {}};
            break;
        case PopupLists::PhotoMenu:
            look = {m_isPhotoMenuFromRightMouseDown ? 7 : 5, true, 5, 10, {}};
            break;
        case PopupLists::MetadataMenu:
            look = {10, true, 5, 10, {}};
            break;
        default:
            look = {1, false, 0, 0, {}};
            break;
    }
    look.opener = opener;
    m_popup2->close();
    m_popup->open(point, look);
    disableEnableAllButtonsWhenDropdownOpen(true);
}

void ExifEditorView::addAttachedPopupTableAtPoint2(const QPointF& point) {
    enableScrollView(false);
    m_popup->close();
    m_popup2->setRows(PopupLists::rows(m_flagCurrentAttachPopupType, {&m_tables, {}, m_arrYearsValues}));
    m_popup2->open(point, {1, false, 0, 0, {}});
    disableEnableAllButtonsWhenDropdownOpen(true);
}

void ExifEditorView::removeAttachedPopupWindow() {
    m_popup->close();
}

void ExifEditorView::removeAttachedPopupWindow2() {
    m_popup2->close();
}

void ExifEditorView::dismissPanel() {
    enableScrollView(true);
}

void ExifEditorView::enableAllButtonsAfterDelay() {
    QTimer::singleShot(m_timing.buttonsAfterPopupMs, this, [this] {
        if (!m_popup->isOpen() && !m_popup2->isOpen()) disableEnableAllButtonsWhenDropdownOpen(false);
    });
}

void ExifEditorView::disableEnableAllButtonsWhenDropdownOpen(bool disable) {
    // A form switched off (no photo ticked, or covered) keeps its buttons off when a list closes.
    if (!disable && !m_formEnabled) return;
    DisableSubviews::disableSubviews(m_vwMetaContainer, disable, [this](QWidget* view) {
        return qobject_cast<QAbstractButton*>(view) && view != m_btnShowMap;
    });
    m_btnReset->setEnabled(m_isMetaDataResetEnable);
    // The buttons that depend on pending edits go back to what the edits say, not simply on.
    if (!disable) emit paramsChangedStateChanged(m_isParamsChanged);
}

void ExifEditorView::popupOptionTapped(int row) {
    const int type = m_flagCurrentAttachPopupType;
    if (type >= PopupLists::Days && type <= PopupLists::Years) {
        emit popupChoice(type, row);
        return;
    }
    if (row < 0 || row >= m_popup->rows().size()) return;
    removeAttachedPopupWindow();
    if (type == PopupLists::AddPhotosMenu) {
        m_flagCurrentAttachPopupType = PopupLists::NoList;
        popupAddPhotosTappedWithIndex(row);
    } else if (type >= 0 && type <= PopupLists::LastCodedList) {
        const FormFieldTraits& field = FormFieldTraits::forRow(*DropdownCodeTables::fieldRow(type));
        if (MetadataSection* section = sectionOf(field.fieldName())) section->chooseCode(type, row);
    } else {
        emit popupChoice(type, row);
    }
}

void ExifEditorView::popupOption2Tapped(int row) {
    if (row < 0 || row >= m_popup2->rows().size()) return;
    removeAttachedPopupWindow2();
    emit popupChoice(m_flagCurrentAttachPopupType, row);
}
