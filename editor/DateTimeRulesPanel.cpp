#include "editor/DateTimeRulesPanel.h"

#include "controls/OnlyIntegerValueFormatter.h"
#include "controls/SectionDateTimeEdit.h"
#include "editor/AttachedPopup.h"
#include "editor/ImageToggleButton.h"
#include "editor/MetadataSection.h"
#include "editor/PopupListView.h"
#include "editor/PopupLists.h"
#include "editor/StepperControl.h"

#include <QDateTimeEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {

using Panel = DateRulePanel;
using Config = DateTimeConfiguration;

const char* const kRadioTitles[] = {
    "Keep Original", "Empty Value", "Select Date", "Update", "Increase / Decrease Date", "Increase / Decrease Time"};
const char* const kDateParts[] = {"Day", "Month", "Year"};
const char* const kTimeParts[] = {"Hour", "Minute", "Second"};
constexpr int kUpdateLimits[] = {31, 12, 2050};
const int kListTypes[] = {PopupLists::Days, PopupLists::Months, PopupLists::Years};

// The pickers hold wall-clock readings, which live on the UTC line.
QDateTime pickerTime(platform::WallTime time) {
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(time), Qt::UTC);
}

platform::WallTime wallTime(const QDateTime& time) {
    return static_cast<platform::WallTime>(time.toMSecsSinceEpoch());
}

QLineEdit* numberField(QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setFixedWidth(52);
    field->setAlignment(Qt::AlignRight);
    return field;
}

QLabel* partLabel(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setMinimumWidth(46);
    return label;
}

}  // namespace

DateTimeRulesPanel::DateTimeRulesPanel(QWidget* parent)
    : QWidget(parent), m_popup(new AttachedPopup(this)), m_listPopup(new AttachedPopup(this)) {
    setObjectName(QStringLiteral("vwDatePicker"));
    // The time picker keeps the style's own look: a style sheet that draws a spin box's frame leaves its step
    // buttons without arrows.
    setStyleSheet(
        QStringLiteral("QLabel { color: #333333; }"
                       "QLineEdit, QDateTimeEdit#datePicker { background: white; border: 1px solid #c4c4c4;"
                       " border-radius: 3px; padding: 2px 4px; color: #222222; }"
                       "QLineEdit:disabled, QDateTimeEdit#datePicker:disabled { background: #f0f0f0; color: #a0a0a0; }"
                       "QPushButton#listButton { background: white; border: 1px solid #c4c4c4; border-radius: 3px;"
                       " color: #444444; padding: 0; }"
                       "QPushButton#listButton:disabled { color: #b8b8b8; background: #f0f0f0; }"));
    buildControls();
    m_popup->setChild(m_listPopup);
    connect(m_popup, &AttachedPopup::closed, this, [this] {
        m_listPopup->close();
        emit closed();
    });
    m_home = new QWidget(this);
    m_home->hide();
    m_list = new PopupListView(m_home);
    connect(m_list, &PopupListView::rowChosen, this, &DateTimeRulesPanel::chooseValue);
    hide();
}

DateTimeRulesPanel::~DateTimeRulesPanel() {
    // Nothing is sent home into a panel on its way out.
    m_listPopup->discard();
    m_popup->discard();
}

void DateTimeRulesPanel::buildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(8);
    for (int kind = 0; kind < 6; ++kind) {
        m_radios[kind] = ImageToggleButton::radio(QString::fromLatin1(kRadioTitles[kind]), this);
        ImageToggleButton* radio = m_radios[kind];
        connect(radio, &QAbstractButton::clicked, this, [this, radio] { radioTapped(radio); });
    }
    for (int box = 0; box < Panel::kKeepBoxCount; ++box) {
        m_keep[box] = ImageToggleButton::checkBox(QStringLiteral("Keep"), this);
        connect(m_keep[box], &QAbstractButton::clicked, this, [this] {
            setupControlsOnDatePickerView();
            updateDateTimeMetaDataConfiguration();
        });
    }
    auto* simple = new QHBoxLayout;
    simple->addWidget(m_radios[Config::KeepOriginal]);
    simple->addSpacing(30);
    simple->addWidget(m_radios[Config::EmptyValue]);
    simple->addStretch();
    layout->addLayout(simple);

    auto* picked = new QHBoxLayout;
    m_datePicker = new SectionDateTimeEdit(this);
    m_datePicker->setObjectName(QStringLiteral("datePicker"));
    m_datePicker->setTimeSpec(Qt::UTC);
    m_datePicker->setDisplayFormat(QStringLiteral("MMM dd, yyyy  hh:mm:ss AP"));
    m_datePicker->setCalendarPopup(true);
    connect(m_datePicker, &QDateTimeEdit::dateTimeChanged, this, [this] { updateDateTimeMetaDataConfiguration(); });
    picked->addWidget(m_radios[Config::SelectDate]);
    picked->addSpacing(12);
    picked->addWidget(m_datePicker);
    picked->addStretch();
    layout->addLayout(picked);

    layout->addWidget(m_radios[Config::UpdateDate]);
    layout->addWidget(buildUpdateRows());
    layout->addWidget(m_radios[Config::IncDecDate]);
    layout->addWidget(buildShiftRows(Panel::ShiftDay, Panel::IncDecDay, kDateParts));
    layout->addWidget(m_radios[Config::IncDecTime]);
    layout->addWidget(buildShiftRows(Panel::ShiftHour, Panel::IncDecHour, kTimeParts));
    adjustSize();
}

QWidget* DateTimeRulesPanel::buildUpdateRows() {
    auto* rows = new QWidget(this);
    auto* grid = new QGridLayout(rows);
    grid->setContentsMargins(22, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    for (int part = 0; part < 3; ++part) {
        m_update[part] = numberField(rows);
        auto* formatter = new OnlyIntegerValueFormatter(OnlyIntegerValueFormatter::ZeroRule::Refuse, m_update[part]);
        formatter->setMaximumValue(kUpdateLimits[part]);
        m_update[part]->setValidator(formatter);
        connect(m_update[part], &QLineEdit::textEdited, this, [this] { updateDateTimeMetaDataConfiguration(); });
        m_listButtons[part] = new QPushButton(QStringLiteral("\u25BE"), rows);
        m_listButtons[part]->setObjectName(QStringLiteral("listButton"));
        m_listButtons[part]->setFixedSize(20, m_update[part]->sizeHint().height());
        connect(m_listButtons[part], &QPushButton::clicked, this, [this, part] { openValueList(part); });
        const int column = part * 4;
        grid->addWidget(partLabel(kDateParts[part], rows), 0, column);
        auto* field = new QHBoxLayout;
        field->setSpacing(0);
        field->addWidget(m_update[part]);
        field->addWidget(m_listButtons[part]);
        field->addStretch();
        grid->addLayout(field, 0, column + 1);
        grid->addWidget(m_keep[Panel::UpdateDay + part], 0, column + 2);
        grid->setColumnMinimumWidth(column + 3, 10);
    }
    m_timePicker = new SectionDateTimeEdit(rows);
    m_timePicker->setTimeSpec(Qt::UTC);
    m_timePicker->setDisplayFormat(QStringLiteral("hh:mm:ss AP"));
    connect(m_timePicker, &QDateTimeEdit::dateTimeChanged, this, [this] { updateDateTimeMetaDataConfiguration(); });
    // The picker is wider than a number field; it gets a row of its own so the columns above stay narrow.
    grid->addWidget(partLabel("Time", rows), 1, 0);
    auto* time = new QHBoxLayout;
    time->setSpacing(12);
    time->addWidget(m_timePicker);
    time->addWidget(m_keep[Panel::UpdateTime]);
    time->addStretch();
    grid->addLayout(time, 1, 1, 1, 6);
    grid->setColumnStretch(12, 1);
    return rows;
}

QWidget* DateTimeRulesPanel::buildShiftRows(int firstField, int firstBox, const char* const titles[3]) {
    auto* rows = new QWidget(this);
    auto* grid = new QGridLayout(rows);
    grid->setContentsMargins(22, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    for (int i = 0; i < 3; ++i) {
        const int field = firstField + i;
        m_shift[field] = numberField(rows);
        m_steppers[field] = new StepperControl((field + 1) * 10, rows);
        connect(m_shift[field], &QLineEdit::textEdited, this,
                [this, field](const QString& text) { shiftTyped(field, text); });
        StepperControl* stepper = m_steppers[field];
        connect(stepper, &StepperControl::valueChanged, this, [this, stepper] { stepperValueDidChange(stepper); });
        const int column = i * 4;
        grid->addWidget(partLabel(titles[i], rows), 0, column);
        auto* box = new QHBoxLayout;
        box->setSpacing(2);
        box->addWidget(m_shift[field]);
        box->addWidget(m_steppers[field]);
        box->addStretch();
        grid->addLayout(box, 0, column + 1);
        grid->addWidget(m_keep[firstBox + i], 0, column + 2);
        grid->setColumnMinimumWidth(column + 3, 10);
    }
    grid->setColumnStretch(12, 1);
    return rows;
}

void DateTimeRulesPanel::initSetup(const QStringList& years, platform::WallTime now) {
    m_years = years;
    showControls(Panel::initialControls(PopupLists::initialUpdateYear(years), now));
}

void DateTimeRulesPanel::showControls(const Panel::Controls& c) {
    // Loading the controls applies nothing: only the user's changes make a rule.
    m_loading = true;
    m_datePicker->setDateTime(pickerTime(c.pickedDate));
    m_timePicker->setDateTime(pickerTime(c.updateTime));
    m_update[0]->setText(c.updateDay);
    m_update[1]->setText(c.updateMonth);
    m_update[2]->setText(c.updateYear);
    for (int field = 0; field < Panel::kShiftFieldCount; ++field) {
        m_shift[field]->setText(c.shift[field]);
        m_steppers[field]->setValue(c.shift[field].toInt());
    }
    for (int box = 0; box < Panel::kKeepBoxCount; ++box) m_keep[box]->setChecked(c.keep[box]);
    for (int kind = 0; kind < 6; ++kind) m_radios[kind]->setChecked(kind == c.radio);
    m_loading = false;
    setupControlsOnDatePickerView();
}

Panel::Controls DateTimeRulesPanel::controls() const {
    Panel::Controls c;
    c.radio = -1;
    for (int kind = 0; kind < 6; ++kind) {
        if (m_radios[kind]->isChecked()) {
            c.radio = kind;
            break;
        }
    }
    c.pickedDate = wallTime(m_datePicker->dateTime());
    c.updateTime = wallTime(m_timePicker->dateTime());
    c.updateDay = m_update[0]->text();
    c.updateMonth = m_update[1]->text();
    c.updateYear = m_update[2]->text();
    for (int field = 0; field < Panel::kShiftFieldCount; ++field) c.shift[field] = m_shift[field]->text();
    for (int box = 0; box < Panel::kKeepBoxCount; ++box) c.keep[box] = m_keep[box]->isChecked();
    return c;
}

void DateTimeRulesPanel::resetDateTimeConfigView(const DateTimeConfiguration& rule) {
    showControls(Panel::resetDateTimeConfigView(rule, controls()));
}

void DateTimeRulesPanel::setupControlsOnDatePickerView() {
    const Panel::Enabled e = Panel::setupControlsOnDatePickerView(controls());
    m_datePicker->setEnabled(e.datePicker);
    m_timePicker->setEnabled(e.updateTimePicker);
    for (int box = 0; box < Panel::kKeepBoxCount; ++box) m_keep[box]->setEnabled(e.keepBox[box]);
    const bool update[] = {e.updateDay, e.updateMonth, e.updateYear};
    for (int part = 0; part < 3; ++part) {
        m_update[part]->setEnabled(update[part]);
        m_listButtons[part]->setEnabled(update[part]);
    }
    for (int field = 0; field < Panel::kShiftFieldCount; ++field) {
        m_shift[field]->setEnabled(e.shift[field]);
        m_steppers[field]->setEnabled(e.shift[field]);
    }
}

void DateTimeRulesPanel::radioTapped(ImageToggleButton* sender) {
    for (ImageToggleButton* radio : m_radios) radio->setChecked(radio == sender);
    setupControlsOnDatePickerView();
    updateDateTimeMetaDataConfiguration();
}

void DateTimeRulesPanel::shiftTyped(int field, const QString& text) {
    StepperControl* stepper = m_steppers[field];
    const std::optional<QString> kept = Panel::typedShiftText(text, stepper->minimum(), stepper->maximum());
    if (!kept) {
        m_shift[field]->setText(QStringLiteral("-"));
        return;
    }
    m_shift[field]->setText(*kept);
    stepper->setValue(kept->toInt());
    updateDateTimeMetaDataConfiguration();
}

void DateTimeRulesPanel::stepperValueDidChange(StepperControl* sender) {
    const int field = sender->tag() / 10 - 1;
    if (field < 0 || field >= Panel::kShiftFieldCount) return;
    m_shift[field]->setText(QString::number(sender->value()));
    updateDateTimeMetaDataConfiguration();
}

void DateTimeRulesPanel::updateDateTimeMetaDataConfiguration() {
    if (m_loading) return;
    auto rule = std::make_shared<const DateTimeConfiguration>(Panel::ruleFromControls(controls()));
    emit ruleApplied(m_fieldIndex, rule, DateRuleChecks::ruleSummary(*rule));
}

void DateTimeRulesPanel::btnDatePickerTapped(QWidget* sender, int tag, const DateTimeConfiguration& rule) {
    m_fieldIndex = tag - Panel::kFirstFieldTag;
    resetDateTimeConfigView(rule);
    QWidget* window = sender->window();
    // Over the form, clear of the field whose rule it shows (and of the photo list beside the form): the
    // arrow points at the button from below the field, or from above it when the panel goes there.
    const MetadataSection::ButtonAim aim = MetadataSection::aimOf(sender, window);
    AttachedPopup::Look look;
    look.opener = aim.field;
    look.area = aim.form;
    m_popup->open(this, aim.point, window, look);
    emit opened();
}

void DateTimeRulesPanel::removeAttachedPopupWindow() {
    m_popup->close();
}

void DateTimeRulesPanel::removeAttachedPopupWindowForDate() {
    m_listPopup->close();
}

bool DateTimeRulesPanel::isOpen() const {
    return m_popup->isOpen();
}

bool DateTimeRulesPanel::isValueListOpen() const {
    return m_listPopup->isOpen();
}

void DateTimeRulesPanel::openValueList(int part) {
    if (!isOpen() || part < 0 || part > 2) return;
    m_listType = kListTypes[part];
    PopupLists::Context context;
    context.years = m_years;
    const QStringList rows = PopupLists::rows(m_listType, context);
    m_list->setRows(rows);
    QWidget* field = m_update[part];
    QWidget* button = m_listButtons[part];
    m_list->resize(field->width() + button->width(), Panel::valueListHeight(static_cast<int>(rows.size())));
    QWidget* window = m_popup->window();
    const QPointF point = field->mapTo(window, QPointF((field->width() + button->width()) / 2.0, field->height()));
    AttachedPopup::Look look;
    look.arrow = false;
    look.cornerRadius = 0;
    look.side = 1;
    look.distance = 0;
    look.opener =
        QRectF(field->mapTo(window, QPointF(0, 0)), QSizeF(field->width() + button->width(), field->height()));
    m_listPopup->open(m_list, point, window, look);
}

void DateTimeRulesPanel::chooseValue(int row) {
    const int part = m_listType - PopupLists::Days;
    if (part < 0 || part > 2 || row < 0 || row >= m_list->rows().size()) return;
    m_update[part]->setText(m_list->rows().at(row));
    updateDateTimeMetaDataConfiguration();
    removeAttachedPopupWindowForDate();
}

namespace {

// The label's own look stays; only its text colour changes.
void setTextColor(QLabel* label, const QColor& color) {
    static const QRegularExpression colour(QStringLiteral("(^|;)\\s*color:[^;]*;?"));
    QString style = label->styleSheet();
    style.replace(colour, QStringLiteral("\\1"));
    label->setStyleSheet(QStringLiteral("color: ") + color.name() + QStringLiteral(";") + style);
}

}  // namespace

void DateTimeRulesPanel::showDateLabel(QLabel* label, DateRuleChecks::Label state) {
    switch (state) {
        case DateRuleChecks::Label::Unchanged:
            return;
        case DateRuleChecks::Label::Hidden:
            label->hide();
            return;
        case DateRuleChecks::Label::FutureDateWarning:
            label->setText(DateRuleChecks::futureDateWarningText());
            setTextColor(label, warningColor());
            break;
        case DateRuleChecks::Label::NonExistingDateError:
            label->setText(DateRuleChecks::nonExistingDateErrorText());
            setTextColor(label, errorColor());
            break;
    }
    label->show();
}
