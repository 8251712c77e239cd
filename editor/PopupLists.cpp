#include "editor/PopupLists.h"

#include "editor/DropdownCodeTables.h"
#include "editor/FieldDisplay.h"

namespace {

QStringList numbers(int first, int last) {
    QStringList list;
    for (int n = first; n <= last; ++n) list.append(QString::number(n));
    return list;
}

QStringList dateFormatLabels() {
    QStringList labels;
    for (const char* date : {"DDMMYYYY", "DD-MM-YYYY", "MM-DD-YYYY", "YYYY-MM-DD"}) {
        for (const char* time : {"", "_HHMM", "_HH-MM", "_HHMMSS", "_HH-MM-SS"})
            labels.append(QLatin1String(date) + QLatin1String(time));
    }
    return labels;
}

}  // namespace

QStringList PopupLists::rows(int type, const Context& context) {
    if (type >= 0 && type <= LastCodedList) return context.tables ? context.tables->labels(type) : QStringList();
    switch (type) {
        case EditingOptions:
            return {FieldDisplay::editingOptionText(0), FieldDisplay::editingOptionText(1),
                    FieldDisplay::editingOptionText(2)};
        case Presets:
            return context.presetNames + QStringList{context.presetNames.isEmpty() ? QStringLiteral("Add Presets...")
                                                                                   : QStringLiteral("Edit Presets...")};
        case AddPhotosMenu:
            return {QStringLiteral("Add Photos"), QStringLiteral("Add Folder"), QStringLiteral("Add Photos Library")};
        case PhotoMenu:
            // The two desktop rows name what a Linux desktop has, not applications of another system.
            return {QStringLiteral("Show in File Manager"),
                    QStringLiteral("Open in Image Viewer"),
                    QStringLiteral("Get Info"),
                    QStringLiteral("Show MetaData"),
                    QStringLiteral("Mark/Unmark All"),
                    QStringLiteral("Remove Photo")};
        case MetadataMenu:
            return {QStringLiteral("Reset"), QStringLiteral("Clean Metadata")};
        case Days:
            return numbers(1, 31);
        case Months:
            return numbers(1, 12);
        case Years:
            return context.years;
        case RenamePosition:
            return {QStringLiteral("Prefix"), QStringLiteral("Suffix")};
        case RenameDateSource:
            return {QStringLiteral("Original Date/Time"), QStringLiteral("Creation Date"),
                    QStringLiteral("Modify Date")};
        case RenameDateFormat:
            return dateFormatLabels();
        default:
            return {};
    }
}

QStringList PopupLists::yearsList(int currentYear) {
    return currentYear >= 1905 ? numbers(1905, currentYear) : QStringList();
}

QString PopupLists::initialUpdateYear(const QStringList& years) {
    return years.isEmpty() ? QStringLiteral("1905") : years.first();
}
