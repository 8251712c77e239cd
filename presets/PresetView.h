#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

#include "editor/DropdownCodeTables.h"
#include "editor/FormFieldTraits.h"
#include "editor/MapViewDelegate.h"
#include "editor/MapWindow.h"
#include "model/MetadataKeyTable.h"
#include "presets/PresetListController.h"

class AttachedPanel;
class DisableScrollView;
class EditingOptionSection;
class MetadataSection;
class OptionPopup;
class PresetDateRuleView;
class PresetListModel;
class PresetRowDelegate;
class PresetStore;
class PresetViewDelegate;
class QLabel;
class QListView;
class QPushButton;
class SubWindowState;

// The preset editor: the list of named presets on the left, the metadata form of the editing screen on the
// right, bound to a copy of the selected preset. A thin screen over PresetListController (the list, the
// copy, storing) and the editing form's section widgets under the preset editor's rules: 500 characters,
// no change flags, no borders, no "Multiple values". Every edit goes into the copy at once; the copy is
// written back, and the list stored, when the selection changes, on Apply and when the window closes.
class PresetView : public QWidget, public MapViewDelegate {
    Q_OBJECT
  public:
    // Waits the editor keeps; tests shorten them.
    struct Timing {
        int buttonsAfterPopupMs = 300;
    };

    PresetView(PresetStore& presets, SubWindowState& subWindow, QWidget* parent = nullptr);
    ~PresetView() override;

    void setDelegate(PresetViewDelegate* delegate) { m_delegate = delegate; }
    PresetViewDelegate* delegate() const { return m_delegate; }
    void setTiming(const Timing& timing) { m_timing = timing; }

    // ---- Set-up and showing a preset ----
    // Each time the presets window opens: the first preset selected, or the form disabled without presets.
    void initSetup();
    // The copy of preset (nullptr: none selected, the form empty) shown in the form.
    void setupUIForSelectedPresetObject(const MetaDataObject* preset);
    void updateTextFieldsValues(const MetaDataObject& record);
    void scrollViewToTop();

    // ---- The list ----
    void tableViewSelectionDidChange(int row);
    void btnAddPresetTapped();
    void btnRemovePresetTapped();
    // Opens the name of row for typing, when it is the selected preset.
    void doubleClickPresetTableCell(int row);
    void btnApplyPresetTapped();
    // The presets window closes: the edits of the selected preset are kept.
    void windowWillClose();

    // ---- The form's state ----
    void disableSubviews(bool disable);
    void isMetadataParamChanged(bool changed);
    void hideAllErrorLabels();
    void enableScrollView(bool enabled);
    void disableEnableAllButtonsWhenDropdownOpen(bool disable);

    // ---- Popups: coded lists, editing options, date rules ----
    void btnDropDownTapped(int tag, QWidget* sender);
    void btnEditingOptionTapped(QWidget* sender);
    void removeAttachedPopupWindow();
    void btnDatePickerTapped(int dateIndex, QWidget* sender);
    void updateDateTimeMetaDataConfiguration(const DateTimeConfiguration& rule);

    // ---- The map ----
    void btnShowMap();
    void changeLocationToTitle(const QString& title, double latitude, double longitude) override;
    void removeLocationCoordinates() override;

    // ---- What the editor holds and shows, for its window and for tests ----
    const PresetListController& presets() const { return m_presets; }
    const MetaDataObject& metaDataObject() const { return m_presets.metaDataObject(); }
    int selectedPresetIndex() const { return m_presets.selectedPresetIndex(); }
    bool isParamsChanged() const { return m_presets.isParamsChanged(); }
    QListView* tblPresets() const { return m_tblPresets; }
    PresetRowDelegate* presetRowDelegate() const { return m_rowDelegate; }
    QPushButton* btnAddPreset() const { return m_btnAddPreset; }
    QPushButton* btnRemovePreset() const { return m_btnRemovePreset; }
    QPushButton* btnApplyPreset() const { return m_btnApplyPreset; }
    QPushButton* btnShowMapButton() const { return m_btnShowMap; }
    QLabel* lblOnApply() const { return m_lblOnApply; }
    QLabel* lblOnRevert() const { return m_lblOnRevert; }
    EditingOptionSection* editingOptionSection() const { return m_editingOption; }
    const QList<MetadataSection*>& sections() const { return m_sections; }
    MetadataSection* sectionOf(const QString& fieldName) const;
    OptionPopup* optionPopup() const { return m_popup; }
    AttachedPanel* datePanel() const { return m_datePanel; }
    PresetDateRuleView* vwDatePicker() const { return m_vwDatePicker; }
    MapWindow* winMapview() const { return m_winMapview; }

  private:
    static QPushButton* formButton(const QString& name, const QString& title, QWidget* parent);
    static QLabel* hintLabel(const QString& name, const QString& text, QWidget* parent);
    QWidget* buildList();
    QWidget* buildForm();
    void connectParts();
    void storeEdit(const FormFieldTraits* field, const QString& value);
    void popupOptionTapped(int row);
    void clearSwitchTicked(MetadataClearSwitch which, bool on);
    void selectRow(int row);
    void showEditingOption();
    void enableAllButtonsAfterDelay();

    PresetListController m_presets;
    SubWindowState& m_subWindow;
    PresetViewDelegate* m_delegate = nullptr;
    DropdownCodeTables m_tables;
    Timing m_timing;
    int m_flagCurrentAttachPopupType = -1;
    int m_flagDatePickerPopupType = -1;
    bool m_showing = false;  // the form is being filled from a record, not edited

    PresetListModel* m_listModel = nullptr;
    PresetRowDelegate* m_rowDelegate = nullptr;
    QListView* m_tblPresets = nullptr;
    QPushButton* m_btnAddPreset = nullptr;
    QPushButton* m_btnRemovePreset = nullptr;
    QPushButton* m_btnApplyPreset = nullptr;
    QPushButton* m_btnShowMap = nullptr;
    QLabel* m_lblOnApply = nullptr;
    QLabel* m_lblOnRevert = nullptr;
    EditingOptionSection* m_editingOption = nullptr;
    DisableScrollView* m_scrollViewExifData = nullptr;
    QWidget* m_vwMetaContainer = nullptr;
    QList<MetadataSection*> m_sections;
    OptionPopup* m_popup = nullptr;
    AttachedPanel* m_datePanel = nullptr;
    PresetDateRuleView* m_vwDatePicker = nullptr;
    QPointer<MapWindow> m_winMapview;
};
