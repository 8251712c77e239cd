#include "platform/Alerts.h"
#include "platform/FileInfoDialog.h"
#include "platform/OpenPanel.h"
#include "platform/Workspace.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

QFileDialog* openDialog() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog && dialog->isVisible()) return dialog;
    }
    return nullptr;
}

}  // namespace

// An alert has the keys when it shows, and Escape presses the button the alert names for it; an alert of two
// buttons that names none stays for an answer.
TEST(TheAlert, takesTheKeysAndAnswersEscapeWithItsEscapeButton) {
    QWidget window;
    window.show();
    const struct {
        const char* name;
        int escapeButton;
        int answer;  // -1: no answer
    } rows[] = {{"named", 1, 1}, {"none", -1, -1}, {"outOfRange", 2, -1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        platform::Alert alert;
        alert.messageText = QStringLiteral("Enjoying it?");
        alert.buttons = {QStringLiteral("Rate Now"), QStringLiteral("No, Thanks")};
        alert.escapeButton = row.escapeButton;
        std::optional<int> answered;
        platform::AlertPresenter::shared().beginSheet(alert, &window,
                                                      [&](const platform::AlertAnswer& a) { answered = a.button; });
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        QCoreApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), box) << "the alert took the keys";
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : box, Qt::Key_Escape);
        QCoreApplication::processEvents();
        EXPECT_EQ(answered.value_or(-1), row.answer);
        if (!answered) static_cast<QDialog*>(box)->done(0);
        QCoreApplication::processEvents();
    }
}

// A folder selected in a folder chooser's list, or named in its name field, and Enter pressed is chosen, not
// opened.
TEST(TheFolderChooser, choosesTheFolderSelectedInItsListOnEnter) {
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("Holiday/Day 1"));
    platform::OpenPanelOptions options;
    options.canChooseFiles = false;
    options.canChooseDirectories = true;
    options.directory = dir.path();
    std::optional<platform::OpenPanelResult> result;
    // The list as icons, the list with details, and the name field.
    for (const char* way : {"listView", "treeView", "fileNameEdit"}) {
        SCOPED_TRACE(way);
        result.reset();
        platform::OpenPanelPresenter::shared().beginSheet(options, nullptr, [&](const auto& r) { result = r; });
        QFileDialog* dialog = openDialog();
        ASSERT_NE(dialog, nullptr);
        dialog->setViewMode(QLatin1String(way) == "treeView" ? QFileDialog::Detail : QFileDialog::List);
        QWidget* target = dialog->findChild<QWidget*>(QLatin1String(way));
        ASSERT_NE(target, nullptr);
        if (auto* view = qobject_cast<QAbstractItemView*>(target)) {
            auto* model = qobject_cast<QFileSystemModel*>(view->model());
            ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(model->index(dir.path())) == 1; }, 10000));
            view->selectionModel()->select(model->index(dir.filePath("Holiday")),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        } else {
            QTest::keyClicks(target, "Holiday");
        }
        QTest::keyClick(target, Qt::Key_Return);
        ASSERT_TRUE(result.has_value()) << "the chooser closed";
        EXPECT_TRUE(result->accepted);
        EXPECT_EQ(result->paths, QStringList{dir.filePath("Holiday")});
    }
}

TEST(TheOpenPanel, choosesFilesAndFoldersTogetherAndHidesFilesThatAreNoPhotos) {
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("Holiday"));
    for (const char* name : {"a.jpg", "b.CR2", "notes.txt"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    platform::OpenPanelOptions options;
    options.canChooseFiles = true;
    options.canChooseDirectories = true;
    options.allowsMultipleSelection = true;
    options.allowsImageFiles = true;
    options.prompt = "Add Photos";
    options.directory = dir.path();
    options.accessoryCheckBox = "Keep Source Folder Path";
    std::optional<platform::OpenPanelResult> result;
    platform::OpenPanelPresenter::shared().beginSheet(options, nullptr, [&](const auto& r) { result = r; });

    QFileDialog* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    auto* list = dialog->findChild<QListView*>("listView");
    auto* model = qobject_cast<QFileSystemModel*>(list->model());
    ASSERT_NE(model, nullptr);
    const QModelIndex root = model->index(dir.path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(root) == 3; }, 10000)) << model->rowCount(root);
    QStringList shown;
    for (int row = 0; row < model->rowCount(root); ++row) shown.append(model->index(row, 0, root).data().toString());
    shown.sort();
    EXPECT_EQ(shown, (QStringList{"Holiday", "a.jpg", "b.CR2"}));

    list->selectionModel()->select(model->index(dir.filePath("Holiday")),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list->selectionModel()->select(model->index(dir.filePath("a.jpg")),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    dialog->findChild<QCheckBox*>()->setChecked(true);
    auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
    QPushButton* confirm = buttons->button(QDialogButtonBox::Open);
    ASSERT_NE(confirm, nullptr);
    EXPECT_EQ(confirm->text(), "Add Photos");
    EXPECT_TRUE(confirm->isEnabled());
    confirm->click();

    ASSERT_TRUE(result.has_value());
    EXPECT_TRUE(result->accepted);
    QStringList chosen = result->paths;
    chosen.sort();
    EXPECT_EQ(chosen, (QStringList{dir.filePath("Holiday"), dir.filePath("a.jpg")}));
    EXPECT_TRUE(result->accessoryChecked);
}

TEST(TheFileManagerCall, carriesEveryPathAsOneQuotedFileUri) {
    const struct {
        QString path;
        QString argument;
    } rows[] = {
        {"/photos/a.jpg", "['file:///photos/a.jpg']"},
        {"/photos/summer 2024/a b.jpg", "['file:///photos/summer%202024/a%20b.jpg']"},
        {"/photos/it's/x.jpg", "['file:///photos/it%27s/x.jpg']"},
        {"/photos/back\\slash.jpg", "['file:///photos/back%5Cslash.jpg']"},
        {"/photos/Zürich/ñ.jpg", "['file:///photos/Z%C3%BCrich/%C3%B1.jpg']"},
        {"/photos/a.jpg\nb", "['file:///photos/a.jpg%0Ab']"},
    };
    for (const auto& row : rows) {
        const QStringList args = platform::fileManagerShowItemsArguments({row.path});
        ASSERT_GE(args.size(), 2);
        EXPECT_EQ(args.at(args.size() - 2), row.argument) << row.path.toStdString();
        EXPECT_EQ(args.last(), "''");
    }
    const QStringList two = platform::fileManagerShowItemsArguments({"/a.jpg", "/b.jpg"});
    EXPECT_EQ(two.at(two.size() - 2), "['file:///a.jpg','file:///b.jpg']");
    EXPECT_TRUE(two.contains("org.freedesktop.FileManager1.ShowItems"));
}

// The opener (xdg-open) is a script that records what it was asked to open and exits as the row says; no file
// manager answers on the bus, since gdbus is not on the path either.
TEST(TheDesktop, answersWhetherItActedOnceItsOpenerHasAnswered) {
    const struct {
        const char* name;
        bool reveal;            // else open
        int openerExit;         // of the desktop's opener
        const char* openerGot;  // below the photos' folder
    } rows[] = {{"opensThePhoto", false, 0, "/a b.jpg"},
                {"hasNoApplicationForIt", false, 3, "/a b.jpg"},
                {"opensTheFolderWithoutAFileManager", true, 0, ""},
                {"cannotOpenTheFolderEither", true, 4, ""}};
    const QByteArray path = qgetenv("PATH");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath("photos"));
        QFile opener(dir.filePath("xdg-open"));
        ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
        opener.write("#!/bin/sh\nprintf '%s' \"$1\" > '" + dir.filePath("asked").toUtf8() + "'\nexit " +
                     QByteArray::number(row.openerExit) + "\n");
        opener.close();
        opener.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        qputenv("PATH", dir.path().toUtf8());
        std::optional<bool> acted;
        auto answer = [&acted](bool a) { acted = a; };
        if (row.reveal)
            platform::Workspace::shared().revealInFileManager({dir.filePath("photos/a b.jpg")}, answer);
        else
            platform::Workspace::shared().openFile(dir.filePath("photos/a b.jpg"), answer);
        EXPECT_FALSE(acted.has_value()) << "the opener is not waited for";
        EXPECT_TRUE(QTest::qWaitFor([&] { return acted.has_value(); }, 10000));
        qputenv("PATH", path);
        EXPECT_EQ(acted, row.openerExit == 0);
        QFile asked(dir.filePath("asked"));
        ASSERT_TRUE(asked.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(asked.readAll()), dir.filePath("photos") + row.openerGot);
    }
}

TEST(TheFileInformation, tellsNameKindSizeAndPlaceOrThatTheFileIsGone) {
    QTemporaryDir dir;
    QFile f(dir.filePath("a.jpg"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(2500, 'x'));
    f.close();
    QMap<QString, QString> rows;
    for (const auto& [label, value] : FileInfoDialog::rowsFor(f.fileName())) rows.insert(label, value);
    EXPECT_EQ(rows.value("Name:"), "a.jpg");
    EXPECT_EQ(rows.value("Where:"), dir.path());
    EXPECT_TRUE(rows.value("Size:").contains("2,500 bytes") || rows.value("Size:").contains("2500 bytes"))
        << rows.value("Size:").toStdString();
    EXPECT_FALSE(rows.value("Kind:").isEmpty());
    EXPECT_TRUE(rows.value("Access:").startsWith("You can read and write"));

    const auto gone = FileInfoDialog::rowsFor(dir.filePath("gone.jpg"));
    ASSERT_EQ(gone.size(), 2);
    EXPECT_EQ(gone.last().second, "The file is no longer there.");
}
