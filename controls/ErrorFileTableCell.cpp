#include "controls/ErrorFileTableCell.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ErrorFileTableCell::ErrorFileTableCell(QWidget* parent)
    : QWidget(parent),
      m_fileName(new QLabel(this)),
      m_errorName(new QLabel(this)),
      m_btnDelete(new QPushButton(this)),
      m_errorImage(new QLabel(this)) {
    m_fileName->setTextFormat(Qt::PlainText);
    m_errorName->setTextFormat(Qt::PlainText);
    m_errorName->setWordWrap(true);
    m_errorImage->setFixedSize(20, 20);
    m_btnDelete->setFlat(true);
    m_btnDelete->setFixedSize(20, 20);
    auto* texts = new QVBoxLayout;
    texts->addWidget(m_fileName);
    texts->addWidget(m_errorName);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(m_errorImage);
    layout->addLayout(texts, 1);
    layout->addWidget(m_btnDelete);
}
