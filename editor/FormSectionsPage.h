#pragma once

#include <QList>
#include <QString>

#include "editor/FormRules.h"

class DisableScrollView;
class DropdownCodeTables;
class MetadataSection;
class QWidget;

// The scrolling page that holds the form's nine sections, built alike for the editing form and the preset
// editor; only the rules (and so the sections' limits and borders) differ.
struct FormSectionsPage {
    DisableScrollView* scrollView = nullptr;  // scrollViewExifData
    QWidget* container = nullptr;             // vwMetaContainer: the scrolled page
    QWidget* sectionsView = nullptr;          // vwExif: the sections, one under the other
    QList<MetadataSection*> sections;

    static FormSectionsPage build(QWidget* parent, const FormRules& rules, DropdownCodeTables& tables);

    // The look of the one green button that acts on the whole form (Start, Apply).
    static QString primaryButtonStyle();
};
