#include "editor/SummaryWindow.h"

#include "controls/LinkButton.h"
#include "editor/DesktopActions.h"
#include "editor/ErrorFileDelegate.h"
#include "editor/ErrorSummaryModel.h"
#include "editor/Logging.h"
#include "platform/Workspace.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("caption"));
    return label;
}

QLabel* value(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("value"));
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

SummaryWindow::SummaryWindow(QWidget* parent)
    : QDialog(parent, Qt::Sheet),
      m_title(new QLabel(this)),
      m_batchCount(value(this)),
      m_processed(value(this)),
      m_skipped(value(this)),
      m_elapsed(value(this)),
      m_errors(new QLabel(this)),
      m_note(
          new QLabel(QStringLiteral("The processed photos were saved in the folders of their source photos."), this)),
      m_folderCaption(caption(QStringLiteral("Output Folder:"), this)),
      m_link(new LinkButton(QString(), this)),
      m_errorTable(new QWidget(this)),
      m_table(new QListView(m_errorTable)),
      m_model(new ErrorSummaryModel(this)),
      m_close(new QPushButton(QStringLiteral("Close"), this)) {
    setObjectName(QStringLiteral("winSummary"));
    setWindowTitle(QStringLiteral("Summary"));
    setWindowModality(Qt::WindowModal);
    // Qt shows tool tips only over the active window, and without a window manager nothing activates this one.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    // Only the window's own children: an alert opened over the summary keeps its own looks and stays readable.
    setStyleSheet(QStringLiteral(
        "#winSummary { background: #2d2d2d; }"
        "#winSummary > QLabel { color: #b8b8b8; }"
        "#winSummary > QLabel#title { color: white; font-size: 18px; font-weight: bold; }"
        "#winSummary > QLabel#value { color: white; }"
        "#winSummary > QLabel#errors { color: white; font-weight: bold; }"
        "QListView { background: #2b2b2b; border: 1px solid #444444; }"
        "#winSummary > QPushButton { background: #3397f7; color: white; border: none; border-radius: 4px;"
        " padding: 6px 24px; font-weight: bold; }"));
    m_title->setObjectName(QStringLiteral("title"));
    m_errors->setObjectName(QStringLiteral("errors"));
    m_note->setWordWrap(true);
    m_table->setModel(m_model);
    m_table->setItemDelegate(new ErrorFileDelegate(m_table));
    // A long message wraps and its row grows, so the rows differ in height and follow the list's width.
    m_table->setUniformItemSizes(false);
    // Each row's height takes a text layout: the list lays out its rows a batch per turn of the event loop, so
    // ten thousand failed photos never freeze the window.
    m_table->setLayoutMode(QListView::Batched);
    m_table->setBatchSize(200);
    m_table->setResizeMode(QListView::Adjust);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setMouseTracking(true);
    auto* tableLayout = new QVBoxLayout(m_errorTable);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    tableLayout->addWidget(m_table);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(6);
    const std::pair<const char*, QLabel*> rows[] = {{"Batch Count:", m_batchCount},
                                                    {"Photos Processed:", m_processed},
                                                    {"Photos Skipped:", m_skipped},
                                                    {"Time Elapsed:", m_elapsed}};
    int row = 0;
    for (const auto& [text, label] : rows) {
        grid->addWidget(caption(QString::fromLatin1(text), this), row, 0);
        grid->addWidget(label, row++, 1);
    }
    grid->addWidget(m_folderCaption, row, 0, Qt::AlignTop);
    // The link draws its title centred: left-aligned in its cell, it stands under the values above it.
    grid->addWidget(m_link, row, 1, Qt::AlignLeft);
    grid->addWidget(m_note, row, 1);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(10);
    layout->addWidget(m_title);
    layout->addLayout(grid);
    layout->addWidget(m_errors);
    layout->addWidget(m_errorTable, 1);
    layout->addStretch(0);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_close);
    layout->addLayout(buttons);
    connect(m_close, &QPushButton::clicked, this, &SummaryWindow::closeTapped);
    connect(m_link, &LinkButton::clicked, this, &SummaryWindow::btnOpenOutputFolderTapped);
    setFixedSize(kWidth, BatchSummary::kHeightWithoutList);
}

void SummaryWindow::reject() {
    emit closeTapped();
}

void SummaryWindow::setSummaryInfo(const BatchSummary& summary) {
    const bool listed = !summary.rows.empty();
    setFixedSize(kWidth, summary.windowHeight);
    m_errorTable->setVisible(listed);
    m_title->setText(summary.title);
    m_batchCount->setText(summary.batchCount);
    m_processed->setText(summary.processed);
    m_skipped->setText(summary.skipped);
    // The duration's words start with a blank; in a column of values it would stand out of line.
    m_elapsed->setText(summary.elapsed.trimmed());
    m_link->setTitle(summary.link.title, 13, false, Qt::white);
    m_link->setToolTip(summary.link.title);
    m_link->setVisible(summary.link.linkShown);
    m_note->setVisible(summary.link.noteShown);
    m_errors->setText(summary.errorsLabel);
    m_errors->setVisible(!summary.errorsHidden);
    m_table->setVisible(!summary.errorsHidden);
    m_model->setPhotos(summary.rows);
}

void SummaryWindow::btnOpenOutputFolderTapped() {
    const QString folder = m_link->text();
    qCInfo(lcEditor).noquote() << folder;
    DesktopActions::perform(DesktopActions::OpenFolder, folder, platform::Workspace::shared(), this);
}
