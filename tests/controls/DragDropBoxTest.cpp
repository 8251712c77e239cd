#include "controls/DragDropBox.h"
#include "controls/DropDecision.h"
#include "platform/NotificationCenter.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

QMimeData* filesDrag(const QStringList& paths) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    data->setUrls(urls);
    return data;
}

struct DropTarget {
    QWidget window;
    DragDropBox* box = new DragDropBox(&window);
    QObject observer;
    QList<QStringList> posted;
    QStringList alerts;
    DropTarget() {
        box->setGeometry(0, 0, 300, 200);
        box->registerForDraggedTypes();
        box->setAlertPresenter([this](const QString& title, const QString& text) { alerts << title << text; });
        platform::NotificationCenter::defaultCenter().addObserver(
            &observer, "FileDragDropNotification", [this](const platform::Notification& n) {
                EXPECT_EQ(n.object, nullptr);
                posted << n.userInfo.value("paths").toStringList();
            });
        window.resize(300, 200);
        window.show();
    }
    bool enter(const QMimeData* data, Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction) {
        QDragEnterEvent event(QPoint(50, 50), actions, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box, &event);
        return event.isAccepted();
    }
    bool drop(const QMimeData* data) {
        QDropEvent event(QPointF(50, 50), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box, &event);
        return event.isAccepted();
    }
};

}  // namespace

TEST(ADropBox, postsTheDroppedPathsInDragOrderOnce) {
    DropTarget t;
    std::unique_ptr<QMimeData> data(filesDrag({"/photos/b.jpg", "/photos/a.jpg", "/photos/c.nef"}));
    EXPECT_TRUE(t.enter(data.get()));
    EXPECT_TRUE(t.drop(data.get()));
    ASSERT_EQ(t.posted.size(), 1);
    EXPECT_EQ(t.posted.front(), (QStringList{"/photos/b.jpg", "/photos/a.jpg", "/photos/c.nef"}));
    EXPECT_TRUE(t.alerts.isEmpty());
}

TEST(ADropBox, postsAFolderAsItsPath) {
    DropTarget t;
    std::unique_ptr<QMimeData> data(filesDrag({"/photos/2019"}));
    EXPECT_TRUE(t.enter(data.get()));
    EXPECT_TRUE(t.drop(data.get()));
    EXPECT_EQ(t.posted.value(0), QStringList{"/photos/2019"});
}

TEST(ADropBox, prefersFileNamesOverImageDataInTheSameDrag) {
    DropTarget t;
    std::unique_ptr<QMimeData> data(filesDrag({"/photos/a.tif"}));
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    data->setImageData(image);
    EXPECT_TRUE(t.enter(data.get()));
    EXPECT_TRUE(t.drop(data.get()));
    EXPECT_EQ(t.posted.value(0), QStringList{"/photos/a.tif"});
}

TEST(ADropBox, refusesImageDataWithoutFileNamesSilently) {
    DropTarget t;
    QMimeData data;
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    data.setImageData(image);
    EXPECT_FALSE(t.enter(&data));
    EXPECT_FALSE(t.drop(&data));
    EXPECT_TRUE(t.posted.isEmpty());
    EXPECT_TRUE(t.alerts.isEmpty());
}

TEST(ADropBox, neverLetsInADragWithoutFileNames) {
    DropTarget t;
    QMimeData data;
    data.setText("hello");
    EXPECT_FALSE(t.enter(&data));
    EXPECT_TRUE(t.posted.isEmpty());
}

TEST(ADropBox, refusesADragWhoseSourceDoesNotAllowCopying) {
    DropTarget t;
    std::unique_ptr<QMimeData> data(filesDrag({"/photos/a.jpg"}));
    EXPECT_FALSE(t.enter(data.get(), Qt::MoveAction));
}

TEST(ADropDecision, callsADropWithNeitherFilesNorImageAPasteError) {
    QMimeData data;
    data.setText("hello");
    EXPECT_EQ(DropDecision::decide(&data).action, DropDecision::Action::ShowPasteError);
    QImage image(2, 2, QImage::Format_RGB32);
    data.setImageData(image);
    EXPECT_EQ(DropDecision::decide(&data).action, DropDecision::Action::RefuseSilently);
    data.setUrls({QUrl::fromLocalFile("/a.jpg")});
    const DropDecision withFiles = DropDecision::decide(&data);
    EXPECT_EQ(withFiles.action, DropDecision::Action::PostPaths);
    EXPECT_EQ(withFiles.paths, QStringList{"/a.jpg"});
}

TEST(ADropDecision, ignoresUrlsThatAreNotFiles) {
    QMimeData data;
    data.setUrls({QUrl("https://example.org/a.jpg")});
    EXPECT_FALSE(DropDecision::carriesFileNames(&data));
    EXPECT_EQ(DropDecision::decide(&data).action, DropDecision::Action::ShowPasteError);
    EXPECT_EQ(DropDecision::decide(nullptr).action, DropDecision::Action::ShowPasteError);
}
