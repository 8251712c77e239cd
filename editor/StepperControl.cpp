#include "editor/StepperControl.h"

#include <QToolButton>
#include <QVBoxLayout>

StepperControl::StepperControl(int tag, QWidget* parent)
    : QWidget(parent), m_tag(tag), m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    setProperty("lumarindControl", true);
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* arrow : {m_up, m_down}) {
        arrow->setFixedSize(16, 11);
        arrow->setAutoRepeat(true);
        layout->addWidget(arrow);
    }
    connect(m_up, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void StepperControl::setValue(int value) {
    m_value = std::clamp(value, m_minimum, m_maximum);
}

void StepperControl::setRange(int minimum, int maximum) {
    m_minimum = minimum;
    m_maximum = maximum;
    setValue(m_value);
}

void StepperControl::stepBy(int steps) {
    const int before = m_value;
    setValue(m_value + steps);
    if (m_value != before) emit valueChanged(m_value);
}
