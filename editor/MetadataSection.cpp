#include "editor/MetadataSection.h"

#include "controls/BackgroundTextField.h"
#include "controls/MAAttachedWindow.h"
#include "controls/OnlyIntegerValueFormatter.h"
#include "editor/DropdownCodeTables.h"
#include "editor/EditorResources.h"
#include "editor/FieldDisplay.h"
#include "editor/FieldFrame.h"
#include "editor/FormTextView.h"
#include "editor/Logging.h"
#include "editor/SelectionPlaceholders.h"
#include "model/MetadataKeyTable.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

struct MetadataSection::Field {
    const FormFieldTraits* traits = nullptr;
    QLabel* label = nullptr;
    BackgroundTextField* line = nullptr;
    FormTextView* textView = nullptr;
    FieldFrame* frame = nullptr;
    QToolButton* button = nullptr;
    QLabel* error = nullptr;
    QLabel* placeholderLabel = nullptr;
};

namespace {

constexpr int kFieldHeight = 24;
constexpr int kDropDownButtonTagBase = 50;
constexpr int kCodedFieldTagBase = 1000;
constexpr int kDateButtonTagBase = 250;
// Dark enough to read as well on the grey of a field the form only shows (4.0:1) as grey 128 did on white.
const QColor kHintColour(0x72, 0x72, 0x72);
// Darker than the "Multiple values" hint, so a value the run only reads still reads as a value; on a grey
// ground, so an empty one does not look like a field to type into.
const QColor kShownOnlyColour(96, 96, 96);
const QColor kShownOnlyFill(0xea, 0xea, 0xea);

int dateIndexOf(const MetadataKeyRow& row) {
    const auto members = MetadataKeyTable::ruleMembers();
    for (size_t i = 0; i < members.size(); ++i) {
        if (members[i].member == row.dateRule) return static_cast<int>(i);
    }
    return -1;
}

QToolButton* fieldButton(QWidget* parent, const QString& image, const QString& toolTip) {
    auto* button = new QToolButton(parent);
    button->setIcon(EditorResources::icon(image, QSize(12, 12)));
    button->setIconSize(QSize(12, 12));
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(toolTip);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(kFieldHeight - 4, kFieldHeight - 4);
    return button;
}

}  // namespace

MetadataSection::MetadataSection(FormFieldTraits::Section section, const FormRules& rules,
                                 const DropdownCodeTables& tables, QWidget* parent)
    : QWidget(parent), m_section(section), m_rules(rules), m_tables(tables) {
    EditorResources::ensureRegistered();
    setObjectName(QStringLiteral("section") + FormFieldTraits::sectionTitle(section).remove(u' '));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 10);
    outer->setSpacing(6);
    auto* title = new QLabel(FormFieldTraits::sectionTitle(section), this);
    title->setObjectName(QStringLiteral("sectionTitle"));
    title->setStyleSheet(
        QStringLiteral("color: white; font-weight: bold; border-bottom: 1px solid #4a4a4a;"
                       " padding-bottom: 3px;"));
    outer->addWidget(title);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(6);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    outer->addLayout(grid);
    int row = 0;
    int column = 0;
    for (const FormFieldTraits* traits : FormFieldTraits::inSection(section)) {
        QWidget* cell = buildField(*traits);
        if (traits->control == FormFieldTraits::Control::TextView) {
            if (column != 0) ++row;
            grid->addWidget(cell, row++, 0, 1, 2);
            column = 0;
            continue;
        }
        grid->addWidget(cell, row, column, Qt::AlignTop);
        column = 1 - column;
        if (column == 0) ++row;
    }
    setTextFieldValidations();
}

MetadataSection::~MetadataSection() {
    qDeleteAll(m_fields);
}

QWidget* MetadataSection::buildField(const FormFieldTraits& traits) {
    auto* field = new Field;
    field->traits = &traits;
    m_fields.append(field);
    const QString name = traits.fieldName();

    auto* cell = new QWidget(this);
    auto* column = new QVBoxLayout(cell);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    field->label = new QLabel(traits.label, cell);
    field->label->setStyleSheet(QStringLiteral("color: #bdbdbd;"));
    column->addWidget(field->label);

    if (traits.control == FormFieldTraits::Control::TextView) {
        field->frame = new FieldFrame(cell);
        auto* inside = new QVBoxLayout(field->frame);
        inside->setContentsMargins(3, 3, 3, 3);
        field->textView = new FormTextView(m_rules.textViewLimit, field->frame);
        field->textView->setObjectName(QStringLiteral("txtvw") + name);
        field->textView->setFrameShape(QFrame::NoFrame);
        field->textView->setFixedHeight(64);
        field->textView->setStyleSheet(
            QStringLiteral("background: ") + (traits.isShownOnly() ? kShownOnlyFill.name() : QStringLiteral("white")) +
            QStringLiteral("; color: ") + (traits.isShownOnly() ? kShownOnlyColour.name() : QStringLiteral("black")) +
            QStringLiteral(";"));
        inside->addWidget(field->textView);
        if (traits.isShownOnly()) {
            field->textView->setReadOnly(true);
            field->textView->setToolTip(shownOnlyToolTip(traits));
        }
        if (name == QLatin1String("UserComment") || name == QLatin1String("IPTC_Keywords")) {
            field->placeholderLabel = new QLabel(SelectionPlaceholders::multipleValues(), field->textView->viewport());
            field->placeholderLabel->setObjectName(QStringLiteral("lblPlaceholder_") + name);
            field->placeholderLabel->setStyleSheet(QStringLiteral("color: ") + kHintColour.name() +
                                                   QStringLiteral(";"));
            field->placeholderLabel->move(4, 2);
            field->placeholderLabel->adjustSize();
            field->placeholderLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
            field->placeholderLabel->hide();
        }
        if (!traits.isShownOnly()) {
            connect(field->textView, &FormTextView::textSaved, this, [this, field](const QString& text) {
                if (field->placeholderLabel) field->placeholderLabel->hide();
                m_edits.insert(field->traits->index, text);
                emit fieldEdited(field->traits, text);
            });
        }
        if (traits.borderTag) m_tagged.insert(traits.borderTag, field->frame);
        column->addWidget(field->frame);
        return cell;
    }

    field->line = new BackgroundTextField(cell);
    field->line->setObjectName(QStringLiteral("txt") + name);
    field->line->setFrame(false);
    field->line->setFixedHeight(kFieldHeight);
    QPalette palette = field->line->palette();
    // "Multiple values" is a hint, not a value: grey, so nobody mistakes it for what the photos hold.
    palette.setColor(QPalette::PlaceholderText, kHintColour);
    palette.setColor(QPalette::Text, traits.isShownOnly() ? kShownOnlyColour : QColor(Qt::black));
    field->line->setPalette(palette);
    if (traits.isShownOnly()) {
        field->line->setToolTip(shownOnlyToolTip(traits));
        field->line->setFillColor(kShownOnlyFill);
    }
    if (traits.borderTag) m_tagged.insert(traits.borderTag, field->line);
    const bool typedIn = traits.isTyped();
    field->line->setReadOnly(!typedIn);
    if (typedIn) {
        connect(field->line, &QLineEdit::textEdited, this, [this, field](const QString& text) { typed(*field, text); });
    }
    if (traits.control == FormFieldTraits::Control::Coded) {
        field->line->setProperty("tag", kCodedFieldTagBase + traits.dropdownTag);
        m_tagged.insert(kCodedFieldTagBase + traits.dropdownTag, field->line);
    }
    if (traits.control == FormFieldTraits::Control::Coded && !traits.isShownOnly()) {
        field->button = fieldButton(field->line, QStringLiteral("dropdown_arrow"), traits.label);
        field->button->setProperty("tag", kDropDownButtonTagBase + traits.dropdownTag);
        m_tagged.insert(kDropDownButtonTagBase + traits.dropdownTag, field->button);
        const int tag = traits.dropdownTag;
        connect(field->button, &QToolButton::clicked, this,
                [this, tag, field] { emit dropDownTapped(tag, field->button); });
        field->line->setCursor(Qt::PointingHandCursor);
        field->line->installEventFilter(this);
    } else if (traits.control == FormFieldTraits::Control::Date) {
        const int index = dateIndexOf(*traits.row);
        field->button = fieldButton(field->line, QStringLiteral("date_button"), traits.label);
        field->button->setProperty("tag", kDateButtonTagBase + index);
        m_tagged.insert(kDateButtonTagBase + index, field->button);
        connect(field->button, &QToolButton::clicked, this,
                [this, index, field] { emit dateFieldTapped(index, field->button); });
    }
    if (field->button) {
        field->line->setTextMargins(0, 0, kFieldHeight - 2, 0);
        field->button->move(field->line->width() - field->button->width() - 2, 2);
        field->line->installEventFilter(this);
    }
    column->addWidget(field->line);

    // A date field's label says when its rule names a future or an impossible date.
    if (traits.check != FormFieldTraits::Check::None || traits.control == FormFieldTraits::Control::Date) {
        field->error = new QLabel(FieldValidation::numericOnlyMessage(), cell);
        field->error->setObjectName(QStringLiteral("txt") + name + QStringLiteral("_error"));
        field->error->setStyleSheet(QStringLiteral("color: #ff6b5e; font-size: 10px;"));
        field->error->hide();
        column->addWidget(field->error);
    }
    return cell;
}

bool MetadataSection::eventFilter(QObject* watched, QEvent* event) {
    for (Field* field : std::as_const(m_fields)) {
        if (field->line != watched || !field->button) continue;
        // The field's button sits inside its right end, wherever the layout makes the field end.
        if (event->type() == QEvent::Resize) field->button->move(field->line->width() - field->button->width() - 2, 2);
        // A coded field is only ever chosen from its list: a click anywhere on it opens the list.
        if (event->type() == QEvent::MouseButtonPress && field->traits->control == FormFieldTraits::Control::Coded &&
            field->line->isEnabled()) {
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) field->button->click();
            return true;
        }
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void MetadataSection::typed(Field& field, const QString& text) {
    QString kept = text;
    if (text.size() > m_rules.textLimit) {
        kept = FieldValidation::cutToLimit(text, m_rules.textLimit);
        const int cursor = std::min(field.line->cursorPosition(), static_cast<int>(kept.size()));
        field.line->setText(kept);
        field.line->setCursorPosition(cursor);
    }
    const FieldValidation::Verdict verdict = FieldValidation::isValidText(kept, field.traits->check);
    if (field.error) {
        if (!verdict.message.isEmpty()) field.error->setText(verdict.message);
        field.error->setVisible(!verdict.valid);
    }
    qCDebug(lcEditor).noquote() << (verdict.valid ? "textisValid" : "not valid text");
    emit fieldChecked(field.traits, verdict.valid);
    field.line->setPlaceholderText(QString());
    m_edits.insert(field.traits->index, kept);
    emit fieldEdited(field.traits, kept);
}

void MetadataSection::chooseCode(int tag, int row) {
    Field* field = nullptr;
    for (Field* f : std::as_const(m_fields)) {
        if (f->traits->dropdownTag == tag) field = f;
    }
    const QStringList labels = m_tables.labels(tag);
    if (!field || row < 0 || row >= labels.size()) return;
    QString value;
    if (row == 0) {
        value = DropdownCodeTables::leaveBlank();
        field->line->setPlaceholderText(QString());
        field->line->setText(QString());
    } else {
        value = m_tables.codes(tag).at(row);
        field->line->setText(labels.at(row));
    }
    m_edits.insert(field->traits->index, value);
    emit fieldEdited(field->traits, value);
}

QList<const FormFieldTraits*> MetadataSection::fields() const {
    QList<const FormFieldTraits*> list;
    for (const Field* field : m_fields) list.append(field->traits);
    return list;
}

void MetadataSection::loadFrom(const MetaDataObject& record, const std::function<bool(const FormFieldTraits&)>& which) {
    for (Field* field : std::as_const(m_fields)) {
        if (which && !which(*field->traits)) continue;
        m_edits.remove(field->traits->index);
        const QString shown = FieldDisplay::value(*field->traits, record, m_tables, m_rules.dateSummaryStyle);
        if (field->textView) {
            field->textView->showText(shown);
            field->textView->viewport()->update();
            if (!shown.isEmpty() && field->placeholderLabel) field->placeholderLabel->hide();
        } else if (field->line->text() != shown) {
            field->line->setText(shown);
            field->line->setCursorPosition(0);
        }
    }
}

void MetadataSection::applyTo(MetaDataObject& record) const {
    for (auto it = m_edits.constBegin(); it != m_edits.constEnd(); ++it)
        m_rules.store(record, MetadataKeyTable::rows()[static_cast<size_t>(it.key())], it.value());
}

void MetadataSection::setBorder(Field& field, const QColor& color) {
    if (field.frame) {
        field.frame->setBorderColor(color);
    } else if (field.line->borderColor() != color) {
        field.line->setBorderColor(color);
        field.line->update();
    }
}

void MetadataSection::highlightBorder(const MetaDataObject& record) {
    if (!m_rules.drawsBorders) return;
    for (Field* field : std::as_const(m_fields)) {
        if (!field->traits->borderTag) continue;
        setBorder(*field, record.*(field->traits->row->updated) ? changedFieldOutline() : QColor(Qt::transparent));
    }
}

QColor MetadataSection::borderColor(const QString& fieldName) const {
    const Field* field = fieldOf(fieldName);
    if (!field || !field->traits->borderTag) return {};
    return field->frame ? field->frame->borderColor() : field->line->borderColor();
}

MetadataSection::ButtonAim MetadataSection::aimOf(const QWidget* button, const QWidget* in) {
    const QWidget* field = button->parentWidget() ? button->parentWidget() : button;
    ButtonAim aim;
    aim.field = QRectF(field->mapTo(in, QPointF(0, 0)), field->size());
    aim.point = {button->mapTo(in, QPointF(button->width() / 2.0, 0)).x(), aim.field.bottom()};
    const QRectF form = MAAttachedWindow::formAreaAround(button);  // in the button's window
    if (form.isValid()) aim.form = QRectF(in->mapFrom(button->window(), form.topLeft()), form.size());
    return aim;
}

QString MetadataSection::shownOnlyToolTip(const FormFieldTraits& field) {
    return field.writtenByRun ? QStringLiteral("Shown as the photos hold it; it cannot be edited here.")
                              : QStringLiteral("Shown as the photos hold it; Lumarind does not write this value.");
}

void MetadataSection::setTextViewsEditable(bool editable) {
    for (Field* field : std::as_const(m_fields)) {
        if (field->textView) field->textView->setReadOnly(!editable || field->traits->isShownOnly());
    }
}

void MetadataSection::setPlaceholders(const SelectionPlaceholders& placeholders) {
    if (!m_rules.showsMultipleValues) return;
    for (Field* field : std::as_const(m_fields)) {
        if (field->line) {
            field->line->setPlaceholderText(placeholders.placeholderFor(*field->traits));
        } else if (field->placeholderLabel) {
            const QString text = placeholders.labelFor(*field->traits);
            if (!text.isEmpty()) {
                field->placeholderLabel->setText(text);
                field->placeholderLabel->adjustSize();
            }
            field->placeholderLabel->setVisible(!text.isEmpty());
        }
    }
}

void MetadataSection::hideAllErrorLabels() {
    for (Field* field : std::as_const(m_fields)) {
        // The XMP coordinates keep their message: nothing on the form fills them again.
        if (field->error && field->traits->check != FormFieldTraits::Check::Coordinate) field->error->hide();
    }
}

void MetadataSection::setTextFieldValidations() {
    for (Field* field : std::as_const(m_fields)) {
        if (field->traits->check != FormFieldTraits::Check::Integer) continue;
        // White balance, saturation and sharpness take 0 as a setting of their own; an ISO of 0 means nothing.
        const QString name = field->traits->fieldName();
        const bool takesZero = name == QLatin1String("AdvCamSetting_WhiteBalance") ||
                               name == QLatin1String("AdvCamSetting_Saturation") ||
                               name == QLatin1String("AdvCamSetting_Sharpness");
        auto* formatter = new OnlyIntegerValueFormatter(takesZero ? OnlyIntegerValueFormatter::ZeroRule::AcceptLoneZero
                                                                  : OnlyIntegerValueFormatter::ZeroRule::Refuse,
                                                        field->line);
        formatter->setMaximumValue(FieldValidation::kIntegerFormatterMaximum);
        const QValidator* old = field->line->validator();
        field->line->setValidator(formatter);
        if (old && old->parent() == field->line) delete old;
    }
}

MetadataSection::Field* MetadataSection::fieldOf(const QString& fieldName) const {
    for (Field* field : m_fields) {
        if (field->traits->fieldName() == fieldName) return field;
    }
    return nullptr;
}

QLineEdit* MetadataSection::textField(const QString& fieldName) const {
    const Field* field = fieldOf(fieldName);
    return field ? field->line : nullptr;
}

FormTextView* MetadataSection::textView(const QString& fieldName) const {
    const Field* field = fieldOf(fieldName);
    return field ? field->textView : nullptr;
}

QLabel* MetadataSection::errorLabel(const QString& fieldName) const {
    const Field* field = fieldOf(fieldName);
    return field ? field->error : nullptr;
}

QLabel* MetadataSection::placeholderLabel(const QString& fieldName) const {
    const Field* field = fieldOf(fieldName);
    return field ? field->placeholderLabel : nullptr;
}

QWidget* MetadataSection::viewWithTag(int tag) const {
    return m_tagged.value(tag);
}

void MetadataSection::setTextViewSaveDelay(int milliseconds) {
    for (Field* field : std::as_const(m_fields)) {
        if (field->textView) field->textView->setSaveDelay(milliseconds);
    }
}
