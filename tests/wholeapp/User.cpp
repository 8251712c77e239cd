#include "tests/wholeapp/User.h"

#include "app/AddPhotosWindow.h"
#include "controls/IMGButton.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCompleter>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace wholeapp {
namespace {

QString describe(const QWidget* widget) {
    if (!widget) return QStringLiteral("(none)");
    QString name = widget->objectName();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget); button && !button->text().isEmpty())
        name += QStringLiteral(" \"") + button->text() + QStringLiteral("\"");
    return QString::fromLatin1(widget->metaObject()->className()) + QLatin1Char(' ') + name;
}

// A person scrolls a field into view before using it.
void bringIntoView(QWidget* widget) {
    for (QWidget* parent = widget->parentWidget(); parent; parent = parent->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(parent)) area->ensureWidgetVisible(widget, 10, 10);
    }
}

// A person can only reach a widget that shows, is enabled and is not under another window's modal dialog.
bool reachable(QWidget* widget) {
    if (!widget) {
        ADD_FAILURE() << "the widget to use is missing";
        return false;
    }
    if (!widget->isVisible()) {
        ADD_FAILURE() << describe(widget).toStdString() << " does not show";
        return false;
    }
    if (!widget->isEnabled()) {
        ADD_FAILURE() << describe(widget).toStdString() << " is disabled";
        return false;
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != widget->window() && !modal->isAncestorOf(widget)) {
        const auto* box = qobject_cast<QMessageBox*>(modal);
        ADD_FAILURE() << describe(widget).toStdString() << " lies under the modal "
                      << (box ? box->text() : describe(modal)).toStdString();
        return false;
    }
    bringIntoView(widget);
    return true;
}

QPushButton* confirmButton(QFileDialog* panel) {
    auto* box = panel->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    return box ? box->button(box->buttons().contains(box->button(QDialogButtonBox::Open)) ? QDialogButtonBox::Open
                                                                                          : QDialogButtonBox::Save)
               : nullptr;
}

}  // namespace

bool User::waitFor(const std::function<bool()>& condition, const QString& what, int timeoutMs) {
    // The loop wakes for every event and at the deadline; nothing here sleeps.
    QDeadlineTimer deadline(timeoutMs);
    QTimer wake;
    wake.setSingleShot(true);
    wake.start(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) {
            ADD_FAILURE() << "waited in vain for " << what.toStdString();
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

void User::settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

void User::click(QWidget* widget, QPoint at) {
    if (!reachable(widget)) return;
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at.isNull() ? widget->rect().center() : at);
    settle();
}

void User::type(QLineEdit* field, const QString& text) {
    if (!reachable(field)) return;
    if (field->isReadOnly()) {
        ADD_FAILURE() << describe(field).toStdString() << " cannot be typed into";
        return;
    }
    field->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
    settle();
}

void User::tryToType(QWidget* field, const QString& text) {
    if (!reachable(field)) return;
    QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, field->rect().center());
    QTest::keyClicks(field, text);
    settle();
}

void User::pressEnter(QWidget* widget) {
    if (!reachable(widget)) return;
    QTest::keyClick(widget, Qt::Key_Return);
    settle();
}

void User::clickRow(QAbstractItemView* view, int row) {
    if (!reachable(view)) return;
    const QModelIndex index = view->model()->index(row, 0, view->rootIndex());
    if (!index.isValid()) {
        ADD_FAILURE() << describe(view).toStdString() << " has no row " << row;
        return;
    }
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(index).center());
    settle();
}

int User::rowContaining(QAbstractItemView* view, const QString& text) {
    if (!view || !view->model()) return -1;
    for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
        if (view->model()->index(row, 0, view->rootIndex()).data().toString().contains(text)) return row;
    }
    return -1;
}

QMessageBox* User::alert() {
    QMessageBox* box = nullptr;
    waitFor([&box] { return (box = shownWindow<QMessageBox>()) != nullptr; }, QStringLiteral("an alert"));
    return box;
}

QString User::answerAlert(const QString& button, bool tickBox) {
    QMessageBox* box = alert();
    if (!box) return QString();
    const QString title = box->text();
    if (tickBox) {
        if (!box->checkBox()) {
            ADD_FAILURE() << "the alert \"" << title.toStdString() << "\" has no box to tick";
            return title;
        }
        click(box->checkBox());
    }
    for (QAbstractButton* candidate : box->buttons()) {
        if (candidate->text() != button) continue;
        const QPointer<QMessageBox> shown(box);
        click(candidate);
        waitFor([shown] { return !shown || !shown->isVisible(); }, QStringLiteral("the alert to close"));
        return title;
    }
    ADD_FAILURE() << "the alert \"" << title.toStdString() << "\" has no button " << button.toStdString();
    return title;
}

QFileDialog* User::openPanel() {
    QFileDialog* panel = nullptr;
    waitFor([&panel] { return (panel = shownWindow<QFileDialog>()) != nullptr; }, QStringLiteral("a file panel"));
    return panel;
}

bool User::typePath(QFileDialog* panel, QLineEdit* nameField, const QString& path) {
    // The name field offers completions in a list that the panel fills from a thread of its own: one that lands
    // while the path is typed can change the field, and the list stands over the panel. A person reads the
    // field and puts the list away before going on; a panel that keeps another path is not confirmed.
    for (int attempt = 0; attempt < 3; ++attempt) {
        type(nameField, path);
        if (QCompleter* completer = nameField->completer(); completer && completer->popup()) completer->popup()->hide();
        settle();
        if (nameField->text() == path) return true;
    }
    ADD_FAILURE() << "the panel's name field holds \"" << nameField->text().toStdString() << "\", not the typed \""
                  << path.toStdString() << '"';
    panel->reject();
    return false;
}

void User::chooseInPanel(const QString& folder, const QStringList& names) {
    QFileDialog* panel = openPanel();
    if (!panel) return;
    auto* nameField = panel->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* list = panel->findChild<QListView*>(QStringLiteral("listView"));
    if (!nameField || !list) {
        ADD_FAILURE() << "the file panel has no name field or list";
        return;
    }
    if (!typePath(panel, nameField, folder)) return;
    pressEnter(nameField);
    auto* model = qobject_cast<QFileSystemModel*>(list->model());
    const auto listed = [&](const QString& name) {
        const QModelIndex index = model->index(QDir(folder).filePath(name));
        return index.isValid() && list->rootIndex() == index.parent();
    };
    for (const QString& name : names) {
        if (!waitFor([&] { return listed(name); }, QStringLiteral("the panel to list ") + name)) return;
    }
    for (int i = 0; i < names.size(); ++i) {
        const QModelIndex index = model->index(QDir(folder).filePath(names.at(i)));
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, i == 0 ? Qt::NoModifier : Qt::ControlModifier,
                          list->visualRect(index).center());
    }
    settle();
    const QPointer<QFileDialog> shown(panel);
    click(confirmButton(panel));
    waitFor([shown] { return !shown || !shown->isVisible(); }, QStringLiteral("the file panel to close"));
}

void User::chooseFolderInPanel(const QString& folder) {
    QFileDialog* panel = openPanel();
    if (!panel) return;
    if (!typePath(panel, panel->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")), folder)) return;
    const QPointer<QFileDialog> shown(panel);
    click(confirmButton(panel));
    waitFor([shown] { return !shown || !shown->isVisible(); }, QStringLiteral("the folder panel to close"));
}

void User::addFolder(AddPhotosWindow* window, const QString& parent, const QString& name, const QString& shot) {
    click(window->btnAddFolders());
    QFileDialog* panel = openPanel();
    if (!panel) return;
    // A panel of files and folders would open the typed folder instead of choosing it.
    if (panel->fileMode() != QFileDialog::Directory) {
        ADD_FAILURE() << "Add Folders opened a file picker, not a folder chooser";
        panel->reject();
        return;
    }
    if (!shot.isEmpty()) screenshot(panel, shot);
    chooseFolderInPanel(QDir(parent).filePath(name));
}

QString User::screenshot(QWidget* window, const QString& name) {
    settle();
    QPixmap shot;
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) shot = screen->grabWindow(0);
    }
    if (shot.isNull() && window) shot = window->window()->grab();
    const QString folder = QStringLiteral(LUMARIND_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    EXPECT_TRUE(shot.save(path)) << path.toStdString();
    return path;
}

}  // namespace wholeapp
