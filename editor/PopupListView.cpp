#include "editor/PopupListView.h"

#include <QStringListModel>

PopupListView::PopupListView(QWidget* parent) : QListView(parent), m_model(new QStringListModel(this)) {
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setUniformItemSizes(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setStyleSheet(
        QStringLiteral("QListView { background: transparent; color: #222222; outline: 0; }"
                       "QListView::item { height: 30px; padding-left: 8px; }"
                       "QListView::item:hover { background: #cfe3fb; }"));
    connect(this, &QListView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) emit rowChosen(index.row());
    });
}

void PopupListView::setRows(const QStringList& rows) {
    m_model->setStringList(rows);
    scrollToTop();
}

QStringList PopupListView::rows() const {
    return m_model->stringList();
}
