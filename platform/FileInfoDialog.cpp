#include "platform/FileInfoDialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QMimeDatabase>
#include <QVBoxLayout>

namespace {

QString dateText(const QDateTime& date) {
    return date.isValid() ? QLocale().toString(date.toLocalTime(), QLocale::LongFormat) : QStringLiteral("Unknown");
}

QString accessText(const QFileInfo& info) {
    QStringList can;
    if (info.isReadable()) can.append(QStringLiteral("read"));
    if (info.isWritable()) can.append(QStringLiteral("write"));
    const QString you =
        can.isEmpty() ? QStringLiteral("No access") : QStringLiteral("You can ") + can.join(QStringLiteral(" and "));
    auto bits = [&info](QFile::Permission r, QFile::Permission w, QFile::Permission x) {
        const QFile::Permissions p = info.permissions();
        return QString(p & r ? QLatin1Char('r') : QLatin1Char('-')) + (p & w ? QLatin1Char('w') : QLatin1Char('-')) +
               (p & x ? QLatin1Char('x') : QLatin1Char('-'));
    };
    return you + QStringLiteral(" (") + bits(QFile::ReadOwner, QFile::WriteOwner, QFile::ExeOwner) +
           bits(QFile::ReadGroup, QFile::WriteGroup, QFile::ExeGroup) +
           bits(QFile::ReadOther, QFile::WriteOther, QFile::ExeOther) + QLatin1Char(')');
}

}  // namespace

QList<QPair<QString, QString>> FileInfoDialog::rowsFor(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return {{QStringLiteral("Name:"), info.fileName()},
                {QStringLiteral("Status:"), QStringLiteral("The file is no longer there.")}};
    const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
    const QString owner = info.owner().isEmpty() ? QString::number(info.ownerId()) : info.owner();
    return {
        {QStringLiteral("Name:"), info.fileName()},
        {QStringLiteral("Kind:"), info.isDir() ? QStringLiteral("Folder") : type.comment()},
        {QStringLiteral("Size:"), QLocale().formattedDataSize(info.size(), 2, QLocale::DataSizeSIFormat) +
                                      QStringLiteral(" (") + QLocale().toString(info.size()) +
                                      QStringLiteral(" bytes)")},
        {QStringLiteral("Where:"), info.absolutePath()},
        {QStringLiteral("Created:"), dateText(info.birthTime())},
        {QStringLiteral("Modified:"), dateText(info.lastModified())},
        {QStringLiteral("Owner:"), owner},
        {QStringLiteral("Access:"), accessText(info)},
    };
}

FileInfoDialog::FileInfoDialog(const QString& path, QWidget* parent) : QDialog(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QFileInfo(path).fileName() + QStringLiteral(" Info"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    for (const auto& [label, value] : rowsFor(path)) {
        auto* text = new QLabel(value, this);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        text->setWordWrap(true);
        text->setMinimumWidth(280);
        form->addRow(label, text);
    }
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);
}

FileInfoDialog* FileInfoDialog::showForFile(const QString& path, QWidget* parent) {
    auto* dialog = new FileInfoDialog(path, parent);
    dialog->QDialog::show();
    // Without a window manager to give it the keys, Escape would go to the window beneath.
    dialog->activateWindow();
    return dialog;
}
