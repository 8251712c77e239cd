#include "controls/PresetCell.h"

#include "controls/PresetCellDelegate.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

PresetCell::PresetCell(QWidget* parent)
    : QWidget(parent), m_txtName(new QLineEdit(this)), m_vwSelectedState(new QWidget(this)), m_image(new QLabel(this)) {
    m_txtName->setFrame(false);
    m_vwSelectedState->setFixedWidth(3);
    m_vwSelectedState->hide();
    m_image->setFixedSize(16, 16);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(m_vwSelectedState);
    layout->addWidget(m_image);
    layout->addWidget(m_txtName, 1);
    connect(m_txtName, &QLineEdit::editingFinished, this, [this] { controlTextDidEndEditing(m_txtName); });
}

void PresetCell::controlTextDidEndEditing(QObject* field) {
    if (field != m_txtName) return;
    if (m_txtName->text().isEmpty()) m_txtName->setText(m_initialName);
    if (m_delegate) m_delegate->presetNameUpdated(m_txtName->text());
}
