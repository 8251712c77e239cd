#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QToolButton>

#include <memory>

#include "controls/PresetCell.h"
#include "controls/SubWindowState.h"
#include "editor/EditingOptionSection.h"
#include "editor/FormTextView.h"
#include "editor/MapViewForExtension.h"
#include "editor/MetadataSection.h"
#include "editor/OptionPopup.h"
#include "model/PresetStore.h"
#include "platform/MapView.h"
#include "platform/UserDefaults.h"
#include "presets/AttachedPanel.h"
#include "presets/PresetDateRuleView.h"
#include "presets/PresetRowDelegate.h"
#include "presets/PresetView.h"
#include "presets/PresetViewDelegate.h"
#include "presets/PresetsWindow.h"
#include "tests/common/EditRecords.h"
#include "tests/common/TestSupport.h"

namespace {

struct AppliedPresets : PresetViewDelegate {
    void btnApplyPresetTapped(int index) override { applied.append(index); }
    QList<int> applied;
};

class APresetEditor : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_defaults = std::make_unique<platform::UserDefaults>(m_dir.filePath("defaults.conf"));
        m_store = std::make_unique<PresetStore>(*m_defaults);
    }
    void open(const QStringList& names) {
        for (const QString& name : names) {
            MetaDataObject preset;
            preset.name = name;
            m_store->arrayPresets().append(preset);
        }
        m_window = std::make_unique<PresetsWindow>(*m_store, m_subWindow);
        view().setTiming({0});
        view().setDelegate(&m_applied);
        view().winMapview()->mapviewRef()->mapView()->setTileServers({}, {});
        m_window->showCenteredOver(nullptr);
        settle();
    }
    void TearDown() override { m_window.reset(); }

    PresetView& view() { return *m_window->presetView(); }
    QLineEdit* field(const char* name) { return view().sectionOf(name)->textField(name); }
    QToolButton* buttonWithTag(const char* fieldName, int tag) {
        return static_cast<QToolButton*>(view().sectionOf(fieldName)->viewWithTag(tag));
    }
    void select(int row) {
        QListView* list = view().tblPresets();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(row, 0)).center());
        settle();
    }
    void chooseInPopup(int row) {
        QListView* table = view().optionPopup()->table();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(table->model()->index(row, 0)).center());
        settle();
    }
    static void settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }
    // What the next launch finds.
    QList<MetaDataObject> stored() {
        platform::UserDefaults defaults(m_dir.filePath("defaults.conf"));
        PresetStore store(defaults);
        store.loadPresets();
        return store.arrayPresets();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<platform::UserDefaults> m_defaults;
    std::unique_ptr<PresetStore> m_store;
    SubWindowState m_subWindow;
    AppliedPresets m_applied;
    std::unique_ptr<PresetsWindow> m_window;
};

}  // namespace

TEST_F(APresetEditor, startsDisabledWithoutPresetsAndAddsOneReadyToBeNamed) {
    open({});
    EXPECT_EQ(view().selectedPresetIndex(), -1);
    EXPECT_FALSE(field("Artist")->isEnabled());
    EXPECT_FALSE(view().btnRemovePreset()->isEnabled());
    EXPECT_TRUE(view().lblOnApply()->isVisible());
    EXPECT_TRUE(m_subWindow.isSubWindowOpened());
    view().btnApplyPreset()->click();
    EXPECT_TRUE(m_applied.applied.isEmpty());

    view().btnAddPreset()->click();
    settle();
    EXPECT_EQ(view().selectedPresetIndex(), 0);
    EXPECT_TRUE(field("Artist")->isEnabled());
    PresetCell* cell = view().presetRowDelegate()->openCell();
    ASSERT_NE(cell, nullptr) << "the new preset's name is open for typing";
    // The name under the field does not show through beside it.
    const QRect beside(cell->x(), cell->y() + cell->txtName()->y(), cell->txtName()->x(), cell->txtName()->height());
    EXPECT_EQ(testsupport::darkPoints(view().tblPresets()->viewport()->grab().toImage(), beside),
              beside.width() * beside.height());
    cell->txtName()->setText("Beach");
    QTest::keyClick(cell->txtName(), Qt::Key_Return);
    settle();
    EXPECT_EQ(view().presetRowDelegate()->openCell(), nullptr);
    EXPECT_EQ(view().tblPresets()->model()->index(0, 0).data().toString(), "Beach");
    ASSERT_EQ(stored().size(), 1);
    EXPECT_EQ(stored()[0].name, "Beach");

    view().doubleClickPresetTableCell(0);
    cell = view().presetRowDelegate()->openCell();
    ASSERT_NE(cell, nullptr);
    cell->txtName()->clear();
    QTest::keyClick(cell->txtName(), Qt::Key_Return);
    settle();
    EXPECT_EQ(stored()[0].name, "New Configuration");
}

TEST_F(APresetEditor, keepsTypedTextAndTextViewChangesInThePresetWithoutChangeFlags) {
    open({"A", "B"});
    EXPECT_EQ(view().selectedPresetIndex(), 0);
    QTest::keyClicks(field("Artist"), QString(600, u'a'));
    EXPECT_EQ(field("Artist")->text().size(), 500);
    EXPECT_EQ(view().metaDataObject().Artist.size(), 500);
    EXPECT_FALSE(view().metaDataObject().isupdated_Artist);
    EXPECT_TRUE(view().isParamsChanged());
    EXPECT_FALSE(view().lblOnRevert()->isVisible());

    FormTextView* comment = view().sectionOf("UserComment")->textView("UserComment");
    QTest::keyClicks(comment, "last keys");
    select(1);  // at once, before any delayed save could run
    EXPECT_EQ(view().selectedPresetIndex(), 1);
    EXPECT_FALSE(view().isParamsChanged());
    EXPECT_EQ(m_store->arrayPresets()[0].UserComment, "last keys");
    EXPECT_EQ(stored()[0].Artist.size(), 500);
    EXPECT_EQ(field("Artist")->text(), "");

    // Closing the window keeps the edits of the preset still selected.
    QTest::keyClicks(field("Cam_Make"), "Lumarind");
    m_window->close();
    EXPECT_EQ(stored()[1].Cam_Make, "Lumarind");
    EXPECT_FALSE(m_subWindow.isSubWindowOpened());
}

TEST_F(APresetEditor, letsAnOverlongTextViewBeShortenedButNotLengthened) {
    m_store->arrayPresets().append(MetaDataObject());
    m_store->arrayPresets()[0].IPTC_Keywords = QString(501, u'k');
    open({});
    FormTextView* keywords = view().sectionOf("IPTC_Keywords")->textView("IPTC_Keywords");
    keywords->moveCursor(QTextCursor::End);
    QTest::keyClick(keywords, Qt::Key_Backspace);
    EXPECT_EQ(view().metaDataObject().IPTC_Keywords.size(), 500);
    QTest::keyClicks(keywords, "more");
    EXPECT_EQ(keywords->toPlainText().size(), 500);
    EXPECT_EQ(view().metaDataObject().IPTC_Keywords.size(), 500);
}

TEST_F(APresetEditor, storesListPicksEvenOfTheRowPickedLastAndClosesListsOnOutsideClicks) {
    open({"A"});
    buttonWithTag("CamSetting_Flash", 50)->click();
    ASSERT_TRUE(view().optionPopup()->isOpen());
    // Six rows in sight and the list's edges, as in the editing form.
    EXPECT_EQ(view().optionPopup()->view()->height(), 186);
    chooseInPopup(1);
    EXPECT_EQ(view().metaDataObject().CamSetting_Flash, "24");
    EXPECT_EQ(field("CamSetting_Flash")->text(), "Auto, Did not fire");
    EXPECT_FALSE(view().optionPopup()->isOpen());
    EXPECT_FALSE(view().optionPopup()->isWatchingClicks());
    for (int round = 0; round < 2; ++round) {
        buttonWithTag("CamSetting_Flash", 50)->click();
        chooseInPopup(0);
        EXPECT_EQ(view().metaDataObject().CamSetting_Flash, "Leave Blank") << round;
        EXPECT_EQ(field("CamSetting_Flash")->text(), "");
    }
    EXPECT_FALSE(view().metaDataObject().isupdated_CamSetting_Flash);

    buttonWithTag("CamSetting_Orientation", 51)->click();
    ASSERT_TRUE(view().optionPopup()->isOpen());
    QTest::mouseClick(view().lblOnRevert(), Qt::LeftButton);
    EXPECT_FALSE(view().optionPopup()->isOpen());
    EXPECT_FALSE(view().optionPopup()->isWatchingClicks());

    settle();
    buttonWithTag("GPS_LattitudeRef", 60)->click();
    ASSERT_TRUE(view().optionPopup()->isOpen());
    settle();
    EXPECT_FALSE(view().optionPopup()->table()->verticalScrollBar()->isVisible()) << "its three rows in sight";
    view().removeAttachedPopupWindow();
    settle();

    view().editingOptionSection()->btnEditingOption()->click();
    ASSERT_TRUE(view().optionPopup()->isOpen());
    settle();
    EXPECT_FALSE(view().optionPopup()->table()->verticalScrollBar()->isVisible()) << "its three rows in sight";
    chooseInPopup(2);
    EXPECT_EQ(view().metaDataObject().editingOption, CleanMetadataInfo);
    EXPECT_EQ(view().editingOptionSection()->txtMetaDataEditingOption()->text(), "Clean Metadata info");
    EXPECT_TRUE(view().editingOptionSection()->vwClearOptions()->isVisibleTo(&view()));
    EXPECT_EQ(view().editingOptionSection()->clearCheck(MetadataClearSwitch::XMP), nullptr);
    view().editingOptionSection()->clearCheck(MetadataClearSwitch::IPTC)->click();
    EXPECT_TRUE(view().metaDataObject().clearIPTC);
    view().btnApplyPreset()->click();
    ASSERT_EQ(m_applied.applied, QList<int>{0});
    EXPECT_EQ(stored()[0].editingOption, CleanMetadataInfo);
    EXPECT_TRUE(stored()[0].clearIPTC);
}

TEST_F(APresetEditor, setsADateRuleAndThePositionFromTheMap) {
    open({"A"});
    buttonWithTag("Date_Modify", 252)->click();
    settle();
    ASSERT_TRUE(view().datePanel()->isOpen());
    QTest::mouseClick(view().vwDatePicker(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(view().datePanel()->isOpen()) << "a press inside the panel keeps it";
    view().vwDatePicker()->radioButtons()->button(DateTimeConfiguration::EmptyValue)->click();
    EXPECT_EQ(field("Date_Modify")->text(), "Empty Value");
    EXPECT_EQ(view().metaDataObject().Date_Modify, "Empty Value");
    EXPECT_EQ(view().metaDataObject().dateTimeConfigModifyDate->option(), DateTimeConfiguration::EmptyValue);
    EXPECT_TRUE(view().metaDataObject().isupdated_Date_Modify);
    QTest::mouseClick(view().lblOnApply(), Qt::LeftButton);
    EXPECT_FALSE(view().datePanel()->isOpen());
    EXPECT_FALSE(view().datePanel()->isWatchingClicks());

    view().changeLocationToTitle(QString(), -33.8688, 151.2093);
    EXPECT_EQ(field("GPS_LattitudeRef")->text(), "South");
    EXPECT_EQ(field("GPS_Lattitude")->text(), "33.86880000");
    EXPECT_EQ(field("GPS_LongitudeRef")->text(), "East");
    EXPECT_EQ(view().metaDataObject().GPS_Longitude, "151.20930000");
    view().isMetadataParamChanged(false);
    view().removeLocationCoordinates();
    EXPECT_EQ(field("GPS_Lattitude")->text(), "");
    EXPECT_EQ(field("GPS_LongitudeRef")->text(), "Leave Blank");
    EXPECT_EQ(view().metaDataObject().GPS_LattitudeRef, "");
    EXPECT_FALSE(view().isParamsChanged());
}

TEST_F(APresetEditor, removesTheSelectedPresetWithoutItsUnsavedEdits) {
    open({"A", "B"});
    select(1);
    QTest::keyClicks(field("Artist"), "lost");
    view().btnRemovePreset()->click();
    settle();
    EXPECT_EQ(view().selectedPresetIndex(), -1);
    EXPECT_TRUE(view().tblPresets()->selectionModel()->selectedRows().isEmpty());
    EXPECT_FALSE(field("Artist")->isEnabled());
    EXPECT_EQ(field("Artist")->text(), "");
    ASSERT_EQ(stored().size(), 1);
    EXPECT_EQ(stored()[0].name, "A");
    m_window->close();
    EXPECT_EQ(stored()[0].Artist, "");
}

// A preset cannot hold what the form takes no edit of: the fields the form only shows take none here either.
TEST_F(APresetEditor, takesNoEditInAFieldTheFormOnlyShows) {
    open({"A"});
    view().disableSubviews(true);
    view().disableSubviews(false);
    int shownOnly = 0;
    for (const FormFieldTraits& traits : FormFieldTraits::all()) shownOnly += traits.isShownOnly();
    EXPECT_EQ(shownOnly, editrecords::fieldsTheFormOnlyShows().size()) << "every one of them is on the list";
    for (const QString& name : editrecords::fieldsTheFormOnlyShows()) {
        SCOPED_TRACE(name.toStdString());
        const FormFieldTraits& traits = *FormFieldTraits::forField(name);
        EXPECT_TRUE(traits.isShownOnly());
        QWidget* control = view().sectionOf(name)->textField(name);
        if (!control) control = view().sectionOf(name)->textView(name);
        EXPECT_EQ(control->toolTip(), MetadataSection::shownOnlyToolTip(traits));
        QTest::mouseClick(control, Qt::LeftButton);
        QTest::keyClicks(control, "9");
        settle();
        EXPECT_FALSE(view().optionPopup()->isOpen());
        EXPECT_EQ(view().metaDataObject().*(traits.row->field), QString());
    }
    EXPECT_FALSE(view().isParamsChanged());
}
