#include "batch/RenamingPage.h"

#include "batch/OutputNameBuilder.h"
#include "model/AddEXIFDateTime.h"
#include "model/EditorAlertTag.h"

namespace {

constexpr int kPrefixSuffixLimit = 50;
constexpr int kCustomNameLimit = 150;

// A text cut to its limit when it has gone past it.
QString cut(const QString& text, int limit) {
    return text.size() > limit ? text.left(limit) : text;
}

QString nameFieldText(const QString& typed) {
    QString text = cut(typed, kPrefixSuffixLimit);
    text.remove(u' ');
    text.remove(u'/');
    return text;
}

}  // namespace

int& RenamingPage::tick(NamePart part) {
    switch (part) {
        case ReplaceFilenamePart:
            return filenameCheck;
        case AddStringPart:
            return stringCheck;
        case ExifDatePart:
            return dateTimeCheck;
        case LocationPart:
            return locationCheck;
        case WidthHeightPart:
            break;
    }
    return widthHeightCheck;
}

int& RenamingPage::placeTick(PlacePart part) {
    switch (part) {
        case Place:
            return placeCheck;
        case City:
            return cityCheck;
        case State:
            return stateCheck;
        case Country:
            break;
    }
    return countryCheck;
}

bool RenamingPage::isTicked(NamePart part) const {
    return const_cast<RenamingPage*>(this)->tick(part) == 1;
}

bool RenamingPage::isPlaceTicked(PlacePart part) const {
    return const_cast<RenamingPage*>(this)->placeTick(part) == 1;
}

void RenamingPage::chooseRenamingMode(int mode) {
    if (mode == OutputRenamingOptions::NewFileName) {
        imageRenamingOptions = OutputRenamingOptions::NewFileName;
        namePartsEnabled = true;
        placePartsEnabled = false;
        dateButtonsEnabled = false;
        refreshEnabled = true;
        return;
    }
    refreshOutputRenamingOptionOnTapped();
}

void RenamingPage::setNamePartTicked(NamePart part, bool on) {
    tick(part) = on ? 1 : 0;
    switch (part) {
        case ExifDatePart:
            dateButtonsEnabled = on;
            if (!on) {
                asLabel = AddEXIFDateTime::positionLabel(0);
                typeLabel = AddEXIFDateTime::sourceLabel(0);
                formatLabel = AddEXIFDateTime::formatLabel(0);
            }
            selectedAsOptionIndex = selectedDateType = selectedDateFormat = 0;
            break;
        case LocationPart:
            placeCheck = cityCheck = stateCheck = countryCheck = on ? 1 : 0;
            placePartsEnabled = on;
            locationText = on ? fullPlacePattern() : QString();
            break;
        case WidthHeightPart:
            widthHeightText = on ? widthHeightPattern() : QString();
            break;
        case ReplaceFilenamePart:
            customNameEditable = on;
            if (!on) customName.clear();
            break;
        case AddStringPart:
            prefixSuffixEditable = on;
            if (!on) prefix.clear(), suffix.clear();
            break;
    }
}

void RenamingPage::setPlacePartTicked(PlacePart part, bool on) {
    if (locationCheck == 0) return;
    placeTick(part) = on ? 1 : 0;
    rebuildPlacePattern();
}

void RenamingPage::rebuildPlacePattern() {
    QString pattern;
    if (placeCheck == 1) pattern += QStringLiteral("_{Place}");
    if (cityCheck == 1) pattern += QStringLiteral("_{City}");
    if (stateCheck == 1) pattern += QStringLiteral("_{State}");
    if (countryCheck == 1) pattern += QStringLiteral("_{Country}");
    if (!pattern.isEmpty()) pattern.remove(0, 1);
    locationText = locationPlaceholder = pattern;
    if (pattern.isEmpty()) {
        // With no part left the place part itself goes off.
        locationCheck = 0;
        placePartsEnabled = false;
        locationPlaceholder = fullPlacePattern();
    }
}

void RenamingPage::filenameSelectionChangedWithIndex(int index) {
    const QString label = AddEXIFDateTime::positionLabel(index);
    if (label.isEmpty()) return;
    asLabel = label;
    selectedAsOptionIndex = index;
}

void RenamingPage::dateTypeWithIndex(int index) {
    const QString label = AddEXIFDateTime::sourceLabel(index);
    if (label.isEmpty()) return;
    typeLabel = label;
    selectedDateType = index;
}

void RenamingPage::dateFormatWithIndex(int index) {
    const QString label = AddEXIFDateTime::formatLabel(index);
    if (label.isEmpty()) return;
    formatLabel = label;
    selectedDateFormat = index;
}

void RenamingPage::refreshOutputRenamingOptionOnTapped() {
    imageRenamingOptions = OutputRenamingOptions::KeepFileName;
    namePartsEnabled = refreshEnabled = false;
    filenameCheck = stringCheck = dateTimeCheck = locationCheck = widthHeightCheck = 0;
    placeCheck = cityCheck = stateCheck = countryCheck = 0;
    prefix.clear();
    suffix.clear();
    customName.clear();
    locationText.clear();
    widthHeightText.clear();
    customNameEditable = prefixSuffixEditable = false;
    placePartsEnabled = dateButtonsEnabled = false;
    asLabel = AddEXIFDateTime::positionLabel(0);
    typeLabel = AddEXIFDateTime::sourceLabel(0);
    formatLabel = AddEXIFDateTime::formatLabel(0);
}

QString RenamingPage::typeCustomName(const QString& typed) {
    QString text = cut(typed, kCustomNameLimit);
    text.remove(u'/');
    if (text.trimmed().isEmpty()) {
        text.remove(u' ');
    } else {
        qsizetype lead = 0;
        while (lead < text.size() && text.at(lead) == u' ') ++lead;
        text.remove(0, lead);
    }
    customName = text;
    return text;
}

QString RenamingPage::typePrefix(const QString& typed) {
    prefix = nameFieldText(typed);
    return prefix;
}

QString RenamingPage::typeSuffix(const QString& typed) {
    suffix = nameFieldText(typed);
    return suffix;
}

OutputRenamingOptions RenamingPage::getOutputFileRenamingSetting(int destinationFolderCheck,
                                                                 const QString& outputFolder) const {
    OutputRenamingOptions page;
    page.renamingOptionIndex = imageRenamingOptions;
    page.addStringCheck = stringCheck;
    page.addEXIFDateTimeCheck = dateTimeCheck;
    page.addEXIFLocationCheck = locationCheck;
    page.appendWidthHeightCheck = widthHeightCheck;
    page.replaceFilenameCheck = filenameCheck;
    page.sourceFolderSelected = destinationFolderCheck;
    page.outputFolderPathName = outputFolder;
    page.addString.addStringPrefixValue = prefix;
    page.addString.addStringSuffixValue = suffix;
    page.addEXIFDateTime.asValue = selectedAsOptionIndex;
    page.addEXIFDateTime.typeValue = selectedDateType;
    page.addEXIFDateTime.formatValue = selectedDateFormat;
    page.addEXIFLocation.placeTick = placeCheck;
    page.addEXIFLocation.cityTick = cityCheck;
    page.addEXIFLocation.stateTick = stateCheck;
    page.addEXIFLocation.countryTick = countryCheck;
    page.replaceFilename.customNameValue = customName;
    return OutputNameBuilder::getOutputFileRenamingSetting(page);
}

int RenamingPage::backCheck() const {
    if (imageRenamingOptions != OutputRenamingOptions::NewFileName) return 0;
    if (filenameCheck == 1 && customName.isEmpty()) return AlertFilenameBlank;
    if (stringCheck == 1 && prefix.isEmpty() && suffix.isEmpty()) return AlertPrefixOrSuffixBlank;
    return 0;
}

bool RenamingPage::anyNamePartTicked() const {
    return filenameCheck == 1 || stringCheck == 1 || dateTimeCheck == 1 || locationCheck == 1 || widthHeightCheck == 1;
}

bool RenamingPage::showsRenameNotice() const {
    return imageRenamingOptions != OutputRenamingOptions::KeepFileName && anyNamePartTicked();
}
