// The form side of the editing screen: following the edit session, borders, edits, dropdown lists and the
// popups.

#include "controls/DisableScrollView.h"
#include "controls/DisableSubviews.h"
#include "editor/EditingOptionSection.h"
#include "editor/EditingOptions.h"
#include "editor/EditorBatchActions.h"
#include "editor/EditorFormActions.h"
#include "editor/ExifEditorView.h"
#include "editor/FieldValidation.h"
#include "editor/MetadataSection.h"
#include "editor/OptionPopup.h"
#include "editor/PhotoTableActions.h"
#include "editor/PhotoTableView.h"
#include "editor/PopupLists.h"
#include "editor/PresetPopup.h"
#include "editor/SelectionPlaceholders.h"
#include "model/PresetStore.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

// ---- Following the edit session ----

void ExifEditorView::showRecord(const MetaDataObject& shown) {
    refreshPlaceholders();
    updateTextFieldsValues(shown);
    setTextFieldValidations();
    highlightBorder(m_session.metaDataObject());
    // The panel follows the option whenever the record brings another one: a reset form is back at the
    // fields even if its dropped edits had chosen to clean the metadata.
    const auto layout = EditingOptions::panelLayout(m_session.metaDataObject().editingOption);
    if (m_editingOption->vwClearOptions()->isHidden() == layout.showsClearOptions)
        resizeEditingOptionsViewWithAnimation();
}

void ExifEditorView::showField(const MetadataKeyRow& row) {
    // The field that reported the edit shows it already, and may still be taking typing.
    if (&row != m_fieldBeingStored) {
        updateTextFieldsValues(m_session.metaDataObject(),
                               [&row](const FormFieldTraits& field) { return field.row == &row; });
    }
    // An edit taken back brings "Multiple values" again; a field emptied on purpose says it will be cleared.
    refreshPlaceholders();
    highlightBorder(m_session.metaDataObject());
}

void ExifEditorView::followUnsavedState(bool changed) {
    m_btnReset->setEnabled(changed);
    if (!m_formActions) return;
    m_btnApply->setEnabled(m_formActions->isApplyOffered());
    m_btnRevert->setEnabled(m_formActions->isRevertOffered());
}

void ExifEditorView::storeEdit(const FormFieldTraits* field, const QString& value) {
    m_fieldBeingStored = field->row;
    m_session.editField(*field->row, value);
    m_fieldBeingStored = nullptr;
}

void ExifEditorView::resizeEditingOptionsViewWithAnimation() {
    const auto layout = EditingOptions::panelLayout(m_session.metaDataObject().editingOption);
    m_editingOption->vwClearOptions()->setVisible(layout.showsClearOptions);
    m_vwExif->setVisible(!layout.showsClearOptions);
    if (layout.showsClearOptions) scrollViewToTop();
    enableScrollView(layout.scrollingEnabled);
    m_scrollViewExifData->setVerticalScrollBarPolicy(layout.scrollingEnabled ? Qt::ScrollBarAsNeeded
                                                                             : Qt::ScrollBarAlwaysOff);
}

// ---- Display ----

void ExifEditorView::updateTextFieldsValues(const MetaDataObject& record) {
    for (MetadataSection* section : std::as_const(m_sections)) section->loadFrom(record);
    // The option and the switches always follow the form's own record, whatever record the fields show.
    m_editingOption->loadFrom(m_session.metaDataObject());
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
    const SelectionPlaceholders placeholders(photoCount, heldByAny, m_session.metaDataObject());
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
    // The list hangs below the whole field, as wide as it.
    const QRectF field = MetadataSection::aimOf(sender, this).field;
    m_popup->setViewSize(static_cast<int>(field.width()) - 2,
                         PopupLists::codedListHeight(static_cast<int>(labels.size())));
    addAttachedPopupTableAtPoint({field.center().x(), field.bottom()}, field);
}

void ExifEditorView::btnEditingOptionTapped(QWidget*) {
    m_flagCurrentAttachPopupType = PopupLists::EditingOptions;
    const QStringList rows = PopupLists::rows(PopupLists::EditingOptions, {});
    const QRectF span = m_editingOption->optionFrameIn(this);
    m_popup->setRows(rows);
    const QRectF frame = EditingOptions::listFrame(span.width(), m_popup->rowsWidth(), static_cast<int>(rows.size()));
    m_popup->setViewSize(static_cast<int>(frame.width()), static_cast<int>(frame.height()));
    addAttachedPopupTableAtPoint(EditingOptions::listAnchor(span), span);
}

void ExifEditorView::btnPresetTapped() {
    if (!m_btnPresets->isEnabled()) return;
    m_flagCurrentAttachPopupType = PopupLists::Presets;
    const QStringList names = getArrayForDropDownOptionsForTag(PopupLists::Presets);
    const QStringList rows = PopupLists::rows(PopupLists::Presets, {nullptr, names, {}});
    const QRectF button(m_btnPresets->mapTo(this, QPoint(0, 0)), m_btnPresets->size());
    const QRectF frame = PresetPopup::frame(static_cast<int>(names.size()));
    m_popup->setRows(rows);
    m_popup->setViewSize(static_cast<int>(frame.width()), static_cast<int>(frame.height()));
    addAttachedPopupTableAtPoint(PresetPopup::anchor(button), button);
}

void ExifEditorView::btnMetaMoreOptionsTapped() {
    m_flagCurrentAttachPopupType = PopupLists::MetadataMenu;
    const QStringList rows = PopupLists::rows(PopupLists::MetadataMenu, {});
    const QRectF frame = PhotoTableActions::metadataMenuFrame(static_cast<int>(rows.size()));
    m_popup->setRows(rows);
    m_popup->setViewSize(static_cast<int>(frame.width()), static_cast<int>(frame.height()));
    const QPointF top = m_btnMetadataMoreOptions->mapTo(this, QPointF(0, 0));
    addAttachedPopupTableAtPoint(top +
                                 QPointF(m_btnMetadataMoreOptions->width() / 2.0, m_btnMetadataMoreOptions->height()));
}

void ExifEditorView::openPhotoMenu(const QPointF& location, bool isFromRightMouseDown) {
    m_isPhotoMenuFromRightMouseDown = isFromRightMouseDown;
    m_flagCurrentAttachPopupType = PopupLists::PhotoMenu;
    const QStringList rows = PopupLists::rows(PopupLists::PhotoMenu, {});
    const QRectF frame = PhotoTableActions::photoMenuFrame(static_cast<int>(rows.size()));
    m_popup->setRows(rows);
    m_popup->setViewSize(static_cast<int>(frame.width()), static_cast<int>(frame.height()));
    // The row reports where the menu points, in the coordinates of the table's holder.
    QWidget* holder = m_tblPhotos->parentWidget();
    addAttachedPopupTableAtPoint(holder ? holder->mapTo(this, location) : location);
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
    m_btnReset->setEnabled(m_session.isMetaDataResetEnable());
    // The buttons that depend on pending edits go back to what the edits say, not simply on.
    if (!disable) followUnsavedState(m_session.isParamsChanged());
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
