// Renders the batch's sheets and panels and saves the pictures into the build folder for a reviewer to look
// at; the assertions check the geometry a user relies on.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include <QPainter>
#include "controls/DisableScrollView.h"
#include "controls/GRProgressIndicator.h"
#include "editor/DateTimeRulesPanel.h"
#include "editor/EditorBatchActions.h"
#include "editor/ErrorFileDelegate.h"
#include "editor/ErrorSummaryModel.h"
#include "editor/ImageToggleButton.h"
#include "editor/PopupListView.h"
#include "editor/ProgressSheet.h"
#include "editor/RenamingOptionsPanel.h"
#include "editor/SummaryWindow.h"
#include "tests/common/TestSupport.h"
#include "tests/editor/EditorFixture.h"

namespace {

QString screenshotDir() {
    const QString dir = QString::fromUtf8(LUMARIND_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    return dir;
}

void save(QWidget* widget, const QString& name) {
    QCoreApplication::processEvents();
    const QString path = screenshotDir() + '/' + name + ".png";
    ASSERT_TRUE(widget->grab().save(path)) << path.toStdString();
}

PhotoFile failed(const QString& path, int status, const QString& message) {
    PhotoFile p;
    p.filePath = path;
    p.fileExtension = path.section(u'.', -1);
    p.processStatus = status;
    p.processMsg = message;
    return p;
}

void click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// Whether a child lies wholly inside its window and clear of its siblings' text.
bool inside(const QWidget* child, const QWidget* window) {
    const QRect r(child->mapTo(window, QPoint(0, 0)), child->size());
    return window->rect().contains(r);
}

TEST(BatchScreenshots, progressSheet) {
    QWidget screen;
    screen.resize(1000, 700);
    screen.show();
    ProgressSheet sheet(&screen);
    const QString corpus = testsupport::corpusDir();
    const QString photo = corpus.isEmpty() ? QString() : corpus + "/Canon EOS 7D.jpg";
    sheet.show();
    sheet.setCurrentPhoto(photo);
    sheet.setCurrentFile("/home/anna/Pictures/2024 Lisbon trip/Day 3 - Belém/IMG_4182.JPG");
    sheet.setBatchInfo(BatchTexts::batchLine(300, 118));
    sheet.setProcessInfo(BatchTexts::processLine(120, 300, 1, 72));
    sheet.setProgress(40);
    sheet.progressIndicator()->setInternalDoubleValue(40);
    sheet.waitForThumbnail();
    if (!photo.isEmpty()) {
        EXPECT_TRUE(sheet.showsThumbnail());
    }
    for (QWidget* part : {static_cast<QWidget*>(sheet.lblProcessInfoBottom()), static_cast<QWidget*>(sheet.btnStop()),
                          static_cast<QWidget*>(sheet.progressIndicator())}) {
        EXPECT_TRUE(inside(part, &sheet));
    }
    EXPECT_LE(sheet.lblProcessInfoBottom()->sizeHint().width(), sheet.lblProcessInfoBottom()->width());
    save(&sheet, "batch-progress-sheet");
}

TEST(BatchScreenshots, summaryWithFailedAndWarnedPhotos) {
    QWidget screen;
    screen.resize(1000, 700);
    SummaryWindow summary(&screen);
    BatchRunState state;
    state.runCount = 12;
    state.counterTotalProgressedFiles = 12;
    // A raw file written with its camera make and model kept counts as processed, listed among the warnings.
    state.counterProcessedSuccessfully = 10;
    state.counterProcessedWithError = 2;
    state.arrProcessedWithError = {
        failed("/home/anna/Pictures/Lisbon/IMG_4181.JPG", ExifWriteFailed,
               "The file is damaged or its format is not supported."),
        failed("/home/anna/Pictures/Lisbon/IMG_4185.JPG", ExifWriteSourceMissing, "missing")};
    state.arrProcessedWithWarning = {
        failed("/home/anna/Pictures/Lisbon/IMG_4180.CR2", ExifWriteRawCameraKept, "written, camera kept"),
        failed("/home/anna/Pictures/Lisbon/IMG_4183.JPG", StatusDateNotFoundForRenaming,
               "EXIF Original Date/Time not found. Original file name is used.")};
    OutputLink link;
    link.title = "/home/anna/Pictures/Lumarind";
    summary.setSummaryInfo(BatchSummary::make(state, link, 83));
    summary.show();
    EXPECT_EQ(summary.height(), 450);
    EXPECT_TRUE(summary.tblErrorSummary()->isVisible());
    EXPECT_TRUE(inside(summary.tblErrorSummary(), &summary));
    EXPECT_GE(summary.tblErrorSummary()->height(), 4 * 57 - 60) << "the list shows most of its rows";
    save(&summary, "batch-summary-with-errors");
}

// A message longer than its line wraps, and its row grows until the whole message shows.
TEST(BatchScreenshots, summaryWithALongMessageReadInFull) {
    QWidget screen;
    screen.resize(1000, 700);
    SummaryWindow summary(&screen);
    BatchRunState state;
    state.runCount = 3;
    state.counterTotalProgressedFiles = 3;
    state.counterProcessedSuccessfully = 1;
    state.counterProcessedWithError = 2;
    const QString longMessage =
        "The metadata library stopped on this photo; it may be damaged. Its copy was removed, and the photo in "
        "/home/anna/Pictures/Lisbon/Day 3 - Belém/ was left as it was.";
    state.arrProcessedWithError = {failed("/home/anna/Pictures/Lisbon/IMG_4181.JPG", ExifWriteFailed, longMessage),
                                   failed("/home/anna/Pictures/Lisbon/IMG_4182.JPG", ExifWriteFailed, "Short.")};
    summary.setSummaryInfo(BatchSummary::make(state, OutputLink(), 4));
    summary.show();
    QCoreApplication::processEvents();
    QListView* list = summary.tblErrorSummary();
    const QRect longRow = list->visualRect(list->model()->index(0, 0));
    const QRect shortRow = list->visualRect(list->model()->index(1, 0));
    const QRect message = ErrorFileDelegate::messageRect(longRow);
    const int needed =
        ErrorFileDelegate::messageHeight(longMessage, ErrorFileDelegate::messageFont(list->font()), message.width());
    EXPECT_GT(needed, 2 * list->fontMetrics().height()) << "the message takes several lines";
    EXPECT_GE(message.height(), needed) << "every line of it shows";
    EXPECT_EQ(shortRow.height(), ErrorSummaryModel::kRowHeight) << "a short message keeps the row's height";
    EXPECT_EQ(list->model()->index(0, 0).data(ErrorSummaryModel::MessageToolTipRole).toString(), longMessage);
    EXPECT_TRUE(summary.testAttribute(Qt::WA_AlwaysShowToolTips)) << "tool tips without a window manager";
    save(&summary, "batch-summary-long-message");
}

TEST(BatchScreenshots, renamingPage) {
    QWidget screen;
    screen.resize(760, 620);
    screen.show();
    auto* panel = new RenamingOptionsPanel(&screen);
    panel->hideShowSettingViewWithAnimation(false);
    click(panel->btnEditOriginalName());
    click(panel->partBox(RenamingPage::AddStringPart));
    QTest::keyClicks(panel->txtAddPrefixString(), "Lisbon");
    click(panel->partBox(RenamingPage::ExifDatePart));
    click(panel->partBox(RenamingPage::LocationPart));
    click(panel->placeBox(RenamingPage::State));
    click(panel->partBox(RenamingPage::WidthHeightPart));
    for (QWidget* part : {static_cast<QWidget*>(panel->txtEXIFLocationShow()),
                          static_cast<QWidget*>(panel->dateButton(RenamingOptionsPanel::FormatButton)),
                          static_cast<QWidget*>(panel->btnBack())}) {
        EXPECT_TRUE(inside(part, panel));
    }
    save(panel, "batch-renaming-page");
}

TEST(BatchScreenshots, dateRulesPanel) {
    QWidget screen;
    screen.resize(1000, 700);
    auto* anchor = new QLabel("Date/Time Original", &screen);
    anchor->setGeometry(60, 60, 200, 24);
    screen.show();
    auto* panel = new DateTimeRulesPanel(&screen);
    panel->initSetup({"1905", "2024"}, 0);
    DateTimeConfiguration rule;
    rule.tagConfigureOption = DateTimeConfiguration::UpdateDate;
    rule.stringUpdateDay = "30";
    rule.stringUpdateMonth = "2";
    rule.stringUpdateYear = "2024";
    rule.isUpdateTimeKeepOriginal = true;
    panel->btnDatePickerTapped(anchor, 250, rule);
    ASSERT_TRUE(panel->isOpen());
    for (int part = 0; part < 3; ++part) EXPECT_TRUE(inside(panel->updateField(part), panel));
    EXPECT_TRUE(inside(panel->keepBox(DateRulePanel::IncDecSecond), panel));
    save(panel->window(), "batch-date-rules-panel");
    panel->openValueList(1);
    save(panel->valueList()->window(), "batch-date-month-list");
}

// The same pages where the user meets them: on the editing screen, over a batch of photos.
class TheEditingScreensBatchParts : public EditorFixture {};

TEST_F(TheEditingScreensBatchParts, renamingPageAndDatePanelInPlace) {
    addAndWait({makeFolder(3)});
    view->resize(1200, 760);
    settle();
    EditorBatchActions& batch = view->batchActions();
    QTest::mouseClick(view->btnNext(), Qt::LeftButton);
    RenamingOptionsPanel* page = batch.renamingPage();
    page->btnEditOriginalName()->click();
    page->partBox(RenamingPage::ReplaceFilenamePart)->click();
    QTest::keyClicks(page->txtEXIFCustomNameShow(), "Lisbon 2024");
    page->partBox(RenamingPage::ExifDatePart)->click();
    EXPECT_TRUE(inside(page, view.get()));
    save(view.get(), "batch-renaming-page-on-screen");
    page->btnBack()->click();
    EXPECT_TRUE(batch.vwRenameToast()->isVisible());

    QWidget* button = view->viewWithTag(250);
    view->scrollViewExifData()->ensureWidgetVisible(button, 0, 300);
    settle();
    emit view->dateFieldTapped(0, button);
    DateTimeRulesPanel* panel = batch.datePanel();
    panel->radio(DateTimeConfiguration::UpdateDate)->click();
    panel->updateField(0)->setText("30");
    panel->updateField(1)->setText("2");
    panel->updateDateTimeMetaDataConfiguration();
    settle();
    QImage image = view->grab().toImage();
    QPainter painter(&image);
    QWidget* popup = panel->window();
    painter.drawPixmap(view->mapFromGlobal(popup->mapToGlobal(QPoint(0, 0))), popup->grab());
    painter.end();
    const QString path = screenshotDir() + "/batch-date-panel-on-screen.png";
    EXPECT_TRUE(image.save(path));
}

}  // namespace
