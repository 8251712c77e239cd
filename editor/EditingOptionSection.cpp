#include "editor/EditingOptionSection.h"

#include "controls/BackgroundTextField.h"
#include "editor/EditorResources.h"
#include "editor/FieldDisplay.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

EditingOptionSection::EditingOptionSection(bool withXmpSwitch, QWidget* parent) : QWidget(parent) {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(6);

    // bgEditingOption: the option sits in a box with a dark grey outline and rounded corners.
    auto* box = new QWidget(this);
    box->setObjectName(QStringLiteral("bgEditingOption"));
    box->setAttribute(Qt::WA_StyledBackground);
    box->setStyleSheet(QStringLiteral("#bgEditingOption { border: 1px solid #5a5a5a; border-radius: 5px; }"));
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(8, 4, 4, 4);
    auto* caption = new QLabel(QStringLiteral("Editing option"), box);
    caption->setStyleSheet(QStringLiteral("color: #bdbdbd;"));
    m_option = new BackgroundTextField(box);
    m_option->setObjectName(QStringLiteral("txtMetaDataEditingOption"));
    m_option->setReadOnly(true);
    m_option->setFrame(false);
    m_option->setFixedHeight(24);
    m_option->setCursor(Qt::PointingHandCursor);
    m_option->installEventFilter(this);
    m_button = new QToolButton(box);
    m_button->setObjectName(QStringLiteral("btnEditingOption"));
    m_button->setIcon(EditorResources::icon(QStringLiteral("dropdown_arrow"), QSize(12, 12)));
    m_button->setAutoRaise(true);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setStyleSheet(QStringLiteral("QToolButton { background: white; border-radius: 2px; }"));
    m_button->setFixedSize(24, 24);
    connect(m_button, &QToolButton::clicked, this, [this] { emit editingOptionTapped(m_button); });
    row->addWidget(caption);
    row->addWidget(m_option, 1);
    row->addWidget(m_button);
    outer->addWidget(box);

    m_clearOptions = new QWidget(this);
    m_clearOptions->setObjectName(QStringLiteral("vwClearOptions"));
    auto* ticks = new QHBoxLayout(m_clearOptions);
    ticks->setContentsMargins(8, 0, 0, 0);
    ticks->setSpacing(14);
    auto* intro = new QLabel(QStringLiteral("Clear:"), m_clearOptions);
    intro->setStyleSheet(QStringLiteral("color: #bdbdbd;"));
    ticks->addWidget(intro);
    const std::pair<MetadataClearSwitch, const char*> switches[] = {
        {MetadataClearSwitch::Exif, "EXIF"},       {MetadataClearSwitch::IPTC, "IPTC"},
        {MetadataClearSwitch::Comment, "Comment"}, {MetadataClearSwitch::GpsInfo, "GPS Info"},
        {MetadataClearSwitch::XMP, "XMP"},
    };
    const char* const names[] = {"checkClearExif", "checkClearIptc", "checkClearComment", "checkClearGps",
                                 "checkClearXmp"};
    int i = 0;
    for (const auto& [which, text] : switches) {
        const char* name = names[i++];
        if (which == MetadataClearSwitch::XMP && !withXmpSwitch) continue;
        auto* check = new QCheckBox(QLatin1String(text), m_clearOptions);
        check->setObjectName(QLatin1String(name));
        check->setStyleSheet(QStringLiteral("color: white;"));
        connect(check, &QCheckBox::clicked, this, [this, which](bool on) { emit clearSwitchTicked(which, on); });
        m_checks.append({which, check});
        ticks->addWidget(check);
    }
    ticks->addStretch(1);
    outer->addWidget(m_clearOptions);
    m_clearOptions->hide();
}

QRectF EditingOptionSection::optionFrameIn(const QWidget* in) const {
    const QPointF left = m_option->mapTo(in, QPointF(0, 0));
    const double right = m_button->mapTo(in, QPointF(m_button->width(), 0)).x();
    return QRectF(left, QPointF(right, left.y() + m_option->height()));
}

bool EditingOptionSection::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_option && event->type() == QEvent::MouseButtonPress && m_button->isEnabled()) {
        m_button->click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void EditingOptionSection::loadFrom(const MetaDataObject& record) {
    m_option->setText(FieldDisplay::editingOptionText(record.editingOption));
    m_option->setCursorPosition(0);
    for (const auto& [which, check] : std::as_const(m_checks))
        check->setChecked(record.*MetadataKeyTable::switchMember(which));
}

void EditingOptionSection::applyTo(MetaDataObject& record) const {
    for (const auto& [which, check] : m_checks) record.*MetadataKeyTable::switchMember(which) = check->isChecked();
}

QCheckBox* EditingOptionSection::clearCheck(MetadataClearSwitch which) const {
    for (const auto& [w, check] : m_checks) {
        if (w == which) return check;
    }
    return nullptr;
}
