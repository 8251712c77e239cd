#pragma once

#include "model/MetadataKeyTable.h"

#include <QRectF>
#include <QWidget>

class QCheckBox;
class QLineEdit;
class QToolButton;
class MetaDataObject;

// The editing option (how a run writes: keep other fields, clear them, or clean the groups ticked below)
// and the clear switches that the clean option empties. Its look follows the record it loads; what a choice
// does to the form is the owner's business.
class EditingOptionSection : public QWidget {
    Q_OBJECT
  public:
    // withXmpSwitch: the preset editor has no XMP switch.
    explicit EditingOptionSection(bool withXmpSwitch = true, QWidget* parent = nullptr);

    // The option's text and the five ticks from record (the form's own record, whatever record the fields show).
    void loadFrom(const MetaDataObject& record);
    // The ticks' states into record's switches.
    void applyTo(MetaDataObject& record) const;

    QLineEdit* txtMetaDataEditingOption() const { return m_option; }
    QToolButton* btnEditingOption() const { return m_button; }
    // The option's text and its button together, in the coordinates of in (an ancestor): the option list
    // belongs to both.
    QRectF optionFrameIn(const QWidget* in) const;
    // The box of the ticks (vwClearOptions); shown by the owner for the clean option.
    QWidget* vwClearOptions() const { return m_clearOptions; }
    // checkClearExif, checkClearIptc, checkClearComment, checkClearGps, checkClearXmp (nullptr without).
    QCheckBox* clearCheck(MetadataClearSwitch which) const;

  signals:
    void editingOptionTapped(QWidget* button);
    void clearSwitchTicked(MetadataClearSwitch which, bool on);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* m_option;
    QToolButton* m_button;
    QWidget* m_clearOptions;
    QList<std::pair<MetadataClearSwitch, QCheckBox*>> m_checks;
};
