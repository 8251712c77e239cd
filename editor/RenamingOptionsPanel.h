#pragma once

#include <QPointer>
#include <QWidget>

#include "batch/RenamingPage.h"
#include "editor/PopupLists.h"

class AttachedPopup;
class DisableScrollView;
class ImageToggleButton;
class PopupListView;
class QLabel;
class QLineEdit;
class QPushButton;

// The renaming page (vwExtentionView): keep or build new file names from the ticked parts, the date's
// position, source and format, the place parts, and the output folder. It covers the metadata form while
// it is open. Every rule lives in RenamingPage; this view shows it and passes the user's actions on.
class RenamingOptionsPanel : public QWidget {
    Q_OBJECT
  public:
    // AttachedPopupType of the page's three lists, and the tags of their buttons.
    enum ListType {
        PositionList = PopupLists::RenamePosition,
        SourceList = PopupLists::RenameDateSource,
        FormatList = PopupLists::RenameDateFormat
    };
    enum DateButtonTag { PositionButton = 602, SourceButton = 603, FormatButton = 604 };

    explicit RenamingOptionsPanel(QWidget* parent = nullptr);
    ~RenamingOptionsPanel() override;

    const RenamingPage& page() const { return m_page; }
    int onImageRenameOptionPage() const { return m_onPage; }

    // ---- Operations of the page ----
    void btnOutputRenamingOptionTapped(ImageToggleButton* sender);
    void btnEditingNameOptionTapped(ImageToggleButton* sender);
    void btnEXIFLocationTypeTapped(ImageToggleButton* sender);
    // The three date buttons: a tap on the position button while a list is open only closes it.
    void btnEXIFDateAsTapped(QPushButton* sender);
    void btnBackToPropertiesTapped();
    void btnRefreshTapped() { refreshOutputRenamingOptionOnTapped(); }
    void btnSelectFolderTapped();
    void refreshOutputRenamingOptionOnTapped();
    // Opens (hide false) or closes the page over its parent's right edge.
    void hideShowSettingViewWithAnimation(bool hide);
    void disableEnableAllButtonsWhenDropdownOpen(bool disable);
    // Closes the page at once with every renaming choice back at its start (the reset question's Yes).
    void closeAndReset();
    // A choice in the open list of this type.
    void chooseFromList(int type, int row);
    void removeAttachedPopupWindow2();
    bool isListOpen() const;
    int listType() const { return m_listType; }

    // The widget the open page lies over (a sibling of the page), followed as it moves and resizes; without
    // one the page covers its whole parent.
    void setCoverArea(QWidget* area);
    void setOutputFolderText(const QString& folder);
    QString outputFolderText() const;

    // ---- Controls, for the screen and for tests ----
    ImageToggleButton* btnKeepOriginalFileName() const { return m_keep; }
    ImageToggleButton* btnEditOriginalName() const { return m_edit; }
    ImageToggleButton* partBox(RenamingPage::NamePart part) const { return m_parts[part]; }
    ImageToggleButton* placeBox(RenamingPage::PlacePart part) const { return m_places[part]; }
    QPushButton* dateButton(DateButtonTag tag) const;
    QLineEdit* txtEXIFCustomNameShow() const { return m_customName; }
    QLineEdit* txtAddPrefixString() const { return m_prefix; }
    QLineEdit* txtAddSuffixString() const { return m_suffix; }
    QLineEdit* txtEXIFLocationShow() const { return m_location; }
    QLineEdit* txtEXIFWidthHeightShow() const { return m_widthHeight; }
    QPushButton* btnRefresh() const { return m_refresh; }
    QPushButton* btnBack() const { return m_back; }
    PopupListView* tblPopupOptions2() const { return m_list; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    // Back was refused with this alert (114, 115).
    void alertRequested(int tag);
    // The page was left by Back; showNotice: custom renaming is on.
    void pageLeft(bool showNotice);
    void pageShown();
    void pageHidden();
    void outputFolderChosen(const QString& folder);
    void dropdownOpened();
    void dropdownClosed();

  private:
    QWidget* buildNameSection();
    QWidget* buildFolderSection();
    void openList(int type, QPushButton* anchor);
    void showPage();
    void setDateButtonsEnabled(bool enabled);

    RenamingPage m_page;
    int m_onPage = 0;
    bool m_dropdownOpen = false;
    int m_listType = 0;
    DisableScrollView* m_scroll = nullptr;
    QWidget* m_customEdit = nullptr;  // vwCustomEditOriginalName
    ImageToggleButton* m_keep = nullptr;
    ImageToggleButton* m_edit = nullptr;
    ImageToggleButton* m_parts[5] = {};
    ImageToggleButton* m_places[4] = {};
    QPushButton* m_dateButtons[3] = {};
    QLineEdit* m_customName = nullptr;
    QLineEdit* m_prefix = nullptr;
    QLineEdit* m_suffix = nullptr;
    QLineEdit* m_location = nullptr;
    QLineEdit* m_widthHeight = nullptr;
    QLineEdit* m_pathImg = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_selectFolder = nullptr;
    PopupListView* m_list = nullptr;
    QWidget* m_listHome = nullptr;
    AttachedPopup* m_popup = nullptr;
    QPointer<QWidget> m_coverArea;

    void syncFromPage();
};
