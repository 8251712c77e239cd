#pragma once

#include <QString>
#include <QStringList>

class DropdownCodeTables;

// The short lists the editing screen shows in its attached popups, keyed by what opened them
// (AttachedPopupType), with the sizes of their popups.
class PopupLists {
  public:
    // AttachedPopupType: 0 to 14 are the coded fields' lists (MetadataDropdownTag).
    enum Type {
        NoList = -1,
        LastCodedList = 14,
        EditingOptions = 15,
        Presets = 16,
        AddPhotosMenu = 17,
        PhotoMenu = 18,
        MetadataMenu = 19,
        Days = 20,
        Months = 21,
        Years = 22,
        RenamePosition = 25,
        RenameDateSource = 26,
        RenameDateFormat = 27,
    };
    // AddPhotosMenuIndex
    enum AddPhotosMenuIndex { AddPhotos = 0, AddFolder = 1, AddPhotosLibrary = 2 };

    struct Context {
        const DropdownCodeTables* tables = nullptr;
        QStringList presetNames;
        QStringList years;  // arrYearsValues
    };

    // The rows of a list; an empty list for a type without one.
    static QStringList rows(int type, const Context& context);
    // Lists 25 to 27 belong to the renaming page's second popup table; every other list to the first.
    static bool isSecondTable(int type) { return type >= RenamePosition && type <= RenameDateFormat; }

    // A coded field's list, in the editing form and the preset editor alike: 30 points a row plus the list's
    // edges of 3 above and below up to five rows, else 186 (six rows show; longer lists scroll).
    static int codedListHeight(int rows) { return rows <= 5 ? 30 * rows + 6 : 186; }
    // The add-photos menu: 170 wide, 30 points a row plus 6 (90 from five rows on).
    static int addMenuHeight(int rows) { return rows >= 5 ? 90 : 30 * rows + 6; }
    static constexpr int kAddMenuWidth = 170;

    // loadYearsArrayValues: "1905" up to the current year; none when the clock is earlier.
    static QStringList yearsList(int currentYear);
    // The update-year field's first value: the first year, or "1905" when the list is empty.
    static QString initialUpdateYear(const QStringList& years);
};
