#include "ManualTimer.h"
#include "controls/ClickCounter.h"
#include "controls/PhotoThumbnailCell.h"
#include "controls/PhotoThumbnailCellDelegate.h"
#include "controls/PresetCell.h"
#include "controls/PresetCellDelegate.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

struct PresetNames : PresetCellDelegate {
    QStringList names;
    void presetNameUpdated(const QString& name) override { names << name; }
};

struct PhotoReports : PhotoThumbnailCellDelegate {
    int singles = 0, doubles = 0;
    QList<std::tuple<QPointF, qint64, bool>> infos;
    void btnCheckBoxSelect(PhotoThumbnailCell*) override { ++singles; }
    void cellDoubleClicked(PhotoThumbnailCell*) override { ++doubles; }
    void btnInfoTappedAtLocationInTableView(const QPointF& location, qint64 row, bool right) override {
        infos.append({location, row, right});
    }
};

struct PhotoRow {
    QWidget window;
    PhotoThumbnailCell* cell = new PhotoThumbnailCell(&window);
    ManualTimer* timer = new ManualTimer;
    PhotoReports reports;
    PhotoRow() {
        cell->setClickTimer(std::unique_ptr<OneShotTimer>(timer));
        cell->setDelegate(&reports);
        cell->setRowTag(3);
        cell->setGeometry(0, 0, 500, 80);
        window.resize(500, 80);
        window.show();
    }
    QPoint surface() const { return QPoint(300, 8); }  // on the row, off its labels' text
};

}  // namespace

TEST(APresetCell, reportsTheNewNameAtTheEndOfEditing) {
    PresetCell cell;
    PresetNames names;
    cell.setDelegate(&names);
    cell.setInitialName("Holiday");
    cell.txtName()->setText("Summer");
    cell.controlTextDidEndEditing(cell.txtName());
    EXPECT_EQ(names.names, QStringList{"Summer"});
}

TEST(APresetCell, fallsBackToTheEarlierNameWhenEmptied) {
    PresetCell cell;
    PresetNames names;
    cell.setDelegate(&names);
    cell.setInitialName("Holiday");
    cell.txtName()->setText("");
    cell.controlTextDidEndEditing(cell.txtName());
    EXPECT_EQ(cell.txtName()->text(), "Holiday");
    EXPECT_EQ(names.names, QStringList{"Holiday"});
}

TEST(APresetCell, ignoresTheEndOfEditingOfAnotherField) {
    PresetCell cell;
    PresetNames names;
    cell.setDelegate(&names);
    QLineEdit other;
    cell.controlTextDidEndEditing(&other);
    EXPECT_TRUE(names.names.isEmpty());
}

TEST(APhotoCell, reportsASingleClickOnlyAfterTheWait) {
    PhotoRow row;
    QTest::mouseClick(row.cell, Qt::LeftButton, {}, row.surface());
    EXPECT_EQ(row.reports.singles, 0) << "nothing before 0.2 s";
    EXPECT_EQ(row.timer->lastInterval, 200);
    row.timer->fire();
    EXPECT_EQ(row.reports.singles, 1);
    EXPECT_EQ(row.reports.doubles, 0);
}

TEST(APhotoCell, reportsADoubleClickOnceAndNoSingleClick) {
    PhotoRow row;
    QTest::mouseClick(row.cell, Qt::LeftButton, {}, row.surface());
    QTest::mouseDClick(row.cell, Qt::LeftButton, {}, row.surface());
    QTest::mouseRelease(row.cell, Qt::LeftButton, {}, row.surface());
    row.timer->fire();
    EXPECT_EQ(row.reports.doubles, 1);
    EXPECT_EQ(row.reports.singles, 0);
}

TEST(APhotoCell, reportsATripleClickAsADoubleClick) {
    PhotoRow row;
    QTest::mouseClick(row.cell, Qt::LeftButton, {}, row.surface());
    QTest::mouseDClick(row.cell, Qt::LeftButton, {}, row.surface());
    QTest::mousePress(row.cell, Qt::LeftButton, {}, row.surface(), 10);
    QTest::mouseRelease(row.cell, Qt::LeftButton, {}, row.surface());
    row.timer->fire();
    EXPECT_EQ(row.reports.doubles, 1);
    EXPECT_EQ(row.reports.singles, 0);
}

TEST(APhotoCell, reportsTwoSlowClicksAsTwoSingles) {
    PhotoRow row;
    QTest::mouseClick(row.cell, Qt::LeftButton, {}, row.surface());
    row.timer->fire();
    QTest::mouseClick(row.cell, Qt::LeftButton, {}, row.surface());
    row.timer->fire();
    EXPECT_EQ(row.reports.singles, 2);
}

TEST(APhotoCell, withANegativeRowReportsNoClicksButItsInfoButton) {
    PhotoRow row;
    row.cell->setRowTag(-1);
    QTest::mouseClick(row.cell, Qt::LeftButton, {}, row.surface());
    row.timer->fire();
    EXPECT_EQ(row.reports.singles + row.reports.doubles, 0);
    QTest::mouseClick(row.cell->btnMore(), Qt::LeftButton);
    EXPECT_EQ(row.reports.infos.size(), 1);
}

TEST(APhotoCell, placesTheInfoMenuInTheViewAroundItsTable) {
    QWidget container;
    auto* layout = new QVBoxLayout(&container);
    layout->setContentsMargins(10, 20, 10, 10);
    auto* table = new QTableWidget(4, 1);
    table->verticalHeader()->setDefaultSectionSize(80);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->setColumnWidth(0, 500);
    layout->addWidget(table);
    PhotoReports reports;
    auto* cell = new PhotoThumbnailCell;
    cell->setDelegate(&reports);
    cell->setRowTag(2);
    table->setCellWidget(2, 0, cell);
    container.resize(560, 400);
    container.show();
    QApplication::processEvents();

    QTest::mouseClick(cell->btnMore(), Qt::LeftButton);
    ASSERT_EQ(reports.infos.size(), 1);
    const auto [location, tableRow, right] = reports.infos.front();
    EXPECT_EQ(tableRow, 2);
    EXPECT_FALSE(right);
    EXPECT_EQ(location, QPointF(cell->btnMore()->mapTo(&container, QPoint(0, 0))));

    QTest::mouseClick(cell, Qt::RightButton, {}, QPoint(300, 10));
    ASSERT_EQ(reports.infos.size(), 2);
    const auto [rightLocation, rightRow, fromRight] = reports.infos.back();
    EXPECT_TRUE(fromRight);
    EXPECT_EQ(rightRow, 2);
    EXPECT_EQ(rightLocation, QPointF(cell->mapTo(&container, QPoint(300, 10))));
}

TEST(AClickCounter, continuesASeriesOnlyCloseInTimeAndPlace) {
    ClickCounter counter(400, 4);
    EXPECT_EQ(counter.press(1000, {10, 10}, false), 1);
    EXPECT_EQ(counter.press(1200, {10, 10}, true), 2);
    EXPECT_EQ(counter.press(1300, {11, 10}, false), 3);
    EXPECT_EQ(counter.press(1900, {11, 10}, false), 1) << "too late";
    EXPECT_EQ(counter.press(2000, {11, 10}, true), 2);
    EXPECT_EQ(counter.press(2100, {40, 10}, false), 1) << "too far";
}
