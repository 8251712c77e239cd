#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>

#include "batch/DateRulePanel.h"

class AttachedPopup;
class ImageToggleButton;
class PopupListView;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class StepperControl;

// The date-time rules panel (vwDatePicker): opened by a date field's button in an attached popup, it shows
// the field's rule, lets the user choose one of the six kinds and fill in its values, and applies every
// change at once. The rules of its controls live in DateRulePanel; the screen stores what it applies.
class DateTimeRulesPanel : public QWidget {
    Q_OBJECT
  public:
    explicit DateTimeRulesPanel(QWidget* parent = nullptr);
    ~DateTimeRulesPanel() override;

    // The values of a field the user never touched, and the years the year list offers.
    void initSetup(const QStringList& years, platform::WallTime now);
    // btnDatePickerTapped: opens the panel for the field of the sender's tag (250 + DateTimeFieldIndex),
    // showing rule, pointing at the sender.
    void btnDatePickerTapped(QWidget* sender, int tag, const DateTimeConfiguration& rule);
    void removeAttachedPopupWindow();
    void removeAttachedPopupWindowForDate();
    bool isOpen() const;
    bool isValueListOpen() const;
    int fieldIndex() const { return m_fieldIndex; }
    int valueListType() const { return m_listType; }

    // One date field's message label as the checks leave it: the orange future-date warning, the red
    // impossible-date error, hidden, or untouched.
    static void showDateLabel(QLabel* label, DateRuleChecks::Label state);
    static QColor warningColor() { return QColor::fromRgbF(1.0, 0.6549019607843137, 0.07058823529411765, 1.0); }
    static QColor errorColor() { return QColor(0xff, 0x3b, 0x30); }

    // The controls as values, and loading them (resetDateTimeConfigView).
    DateRulePanel::Controls controls() const;
    void resetDateTimeConfigView(const DateTimeConfiguration& rule);
    // updateDateTimeMetaDataConfiguration: the rule of the controls with its summary, sent to the screen.
    void updateDateTimeMetaDataConfiguration();

    // ---- Controls, for tests ----
    ImageToggleButton* radio(int kind) const { return m_radios[kind]; }
    ImageToggleButton* keepBox(int box) const { return m_keep[box]; }
    QDateTimeEdit* datePicker() const { return m_datePicker; }
    QDateTimeEdit* updateTimePicker() const { return m_timePicker; }
    QLineEdit* updateField(int part) const { return m_update[part]; }
    QPushButton* listButton(int part) const { return m_listButtons[part]; }
    QLineEdit* shiftField(int field) const { return m_shift[field]; }
    StepperControl* stepper(int field) const { return m_steppers[field]; }
    PopupListView* valueList() const { return m_list; }
    // Opens the day (0), month (1) or year (2) list below its button.
    void openValueList(int part);
    void chooseValue(int row);

  signals:
    // A rule was applied to the field with this DateTimeFieldIndex.
    void ruleApplied(int fieldIndex, DateTimeConfigurationRef rule, const QString& summary);
    void opened();
    void closed();

  private:
    void buildControls();
    QWidget* buildUpdateRows();
    QWidget* buildShiftRows(int firstField, int firstBox, const char* const titles[3]);
    void showControls(const DateRulePanel::Controls& controls);
    void setupControlsOnDatePickerView();
    void radioTapped(ImageToggleButton* sender);
    void shiftTyped(int field, const QString& text);
    void stepperValueDidChange(StepperControl* sender);

    int m_fieldIndex = 0;
    int m_listType = 0;
    bool m_loading = false;
    QStringList m_years;
    std::array<ImageToggleButton*, 6> m_radios{};
    std::array<ImageToggleButton*, DateRulePanel::kKeepBoxCount> m_keep{};
    QDateTimeEdit* m_datePicker = nullptr;
    QDateTimeEdit* m_timePicker = nullptr;
    std::array<QLineEdit*, 3> m_update{};
    std::array<QPushButton*, 3> m_listButtons{};
    std::array<QLineEdit*, DateRulePanel::kShiftFieldCount> m_shift{};
    std::array<StepperControl*, DateRulePanel::kShiftFieldCount> m_steppers{};
    QWidget* m_home = nullptr;
    PopupListView* m_list = nullptr;
    AttachedPopup* m_popup = nullptr;
    AttachedPopup* m_listPopup = nullptr;
};
