#pragma once

#include <QString>

#include "model/OutputRenamingOptions.h"

// The renaming page as a value: the choices the user made, the texts its fields show and which of its
// controls can be used. The page view only mirrors it, so every rule of the page is tested here.
class RenamingPage {
  public:
    // The five parts a new name can be made of, as the page's boxes list them.
    enum NamePart { ReplaceFilenamePart, AddStringPart, ExifDatePart, LocationPart, WidthHeightPart };
    enum PlacePart { Place, City, State, Country };

    static QString fullPlacePattern() { return QStringLiteral("{Place}_{City}_{State}_{Country}"); }
    static QString widthHeightPattern() { return QStringLiteral("Filename_{Width}X{Height}"); }

    RenamingPage() { refreshOutputRenamingOptionOnTapped(); }

    // btnOutputRenamingOptionTapped: the keep-names (KeepFileName) or edit-names radio button turned on.
    void chooseRenamingMode(int mode);
    // btnEditingNameOptionTapped: one of the five part boxes changed.
    void setNamePartTicked(NamePart part, bool on);
    // btnEXIFLocationTypeTapped: one of the four place boxes changed; ignored while the place part is off.
    void setPlacePartTicked(PlacePart part, bool on);
    // The three date lists' choices (filenameSelectionChangedWithIndex, dateTypeWithIndex,
    // dateFormatWithIndex); an index outside its list changes nothing.
    void filenameSelectionChangedWithIndex(int index);
    void dateTypeWithIndex(int index);
    void dateFormatWithIndex(int index);
    // Every renaming choice back to its start; the date codes, the source-folder switch and the output folder
    // are left as they are.
    void refreshOutputRenamingOptionOnTapped();

    // Typing in the three name fields; each returns the text the field keeps. Slashes never reach a file name.
    QString typeCustomName(const QString& text);
    QString typePrefix(const QString& text);
    QString typeSuffix(const QString& text);

    // The page's choices as a renaming record (values of unticked parts are not taken).
    OutputRenamingOptions getOutputFileRenamingSetting(int destinationFolderCheck, const QString& outputFolder) const;
    // The alert that keeps the page open when Back is pressed (114, 115), else 0.
    int backCheck() const;
    // Whether the renaming notice shows once the page is left: new names with at least one part ticked.
    bool showsRenameNotice() const;
    bool anyNamePartTicked() const;
    bool isTicked(NamePart part) const;
    bool isPlaceTicked(PlacePart part) const;

    // ---- The choices (the screen members the name builder reads) ----
    int imageRenamingOptions = OutputRenamingOptions::KeepFileName;
    int filenameCheck = 0, stringCheck = 0, dateTimeCheck = 0, locationCheck = 0, widthHeightCheck = 0;
    int placeCheck = 0, cityCheck = 0, stateCheck = 0, countryCheck = 0;
    int selectedAsOptionIndex = 0, selectedDateType = 0, selectedDateFormat = 0;

    // ---- What the fields show ----
    QString customName, prefix, suffix;
    QString locationText, locationPlaceholder;
    QString widthHeightText;
    QString asLabel, typeLabel, formatLabel;

    // ---- Which controls can be used (before any open dropdown switches them off) ----
    bool namePartsEnabled = false;  // the five part boxes
    bool placePartsEnabled = false;
    bool dateButtonsEnabled = false;
    bool refreshEnabled = false;
    bool customNameEditable = false;
    bool prefixSuffixEditable = false;

  private:
    void rebuildPlacePattern();
    int& tick(NamePart part);
    int& placeTick(PlacePart part);
};
