#include "editor/FormSectionsPage.h"

#include "controls/DisableScrollView.h"
#include "editor/FormFieldTraits.h"
#include "editor/MetadataSection.h"

#include <QVBoxLayout>

FormSectionsPage FormSectionsPage::build(QWidget* parent, const FormRules& rules, DropdownCodeTables& tables) {
    FormSectionsPage page;
    page.scrollView = new DisableScrollView(parent);
    page.scrollView->setObjectName(QStringLiteral("scrollViewExifData"));
    page.scrollView->setWidgetResizable(true);
    page.scrollView->setFrameShape(QFrame::NoFrame);
    page.scrollView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    page.scrollView->setStyleSheet(QStringLiteral("QScrollArea { background: transparent; }"));
    page.container = new QWidget;
    page.container->setObjectName(QStringLiteral("vwMetaContainer"));
    page.container->setStyleSheet(QStringLiteral("#vwMetaContainer { background: #262626; }"));
    auto* containerLayout = new QVBoxLayout(page.container);
    containerLayout->setContentsMargins(0, 0, 10, 0);
    page.sectionsView = new QWidget(page.container);
    page.sectionsView->setObjectName(QStringLiteral("vwExif"));
    auto* sections = new QVBoxLayout(page.sectionsView);
    sections->setContentsMargins(0, 0, 0, 0);
    sections->setSpacing(8);
    using S = FormFieldTraits::Section;
    for (S section : {S::Camera, S::Dates, S::Exposure, S::Advanced, S::Lens, S::Resolution, S::GPS, S::IPTC, S::XMP}) {
        auto* widget = new MetadataSection(section, rules, tables, page.sectionsView);
        page.sections.append(widget);
        sections->addWidget(widget);
    }
    containerLayout->addWidget(page.sectionsView);
    containerLayout->addStretch(1);
    page.scrollView->setWidget(page.container);
    return page;
}

QString FormSectionsPage::primaryButtonStyle() {
    return QStringLiteral(
        "QPushButton { color: white; background: #2ca01a; border: 1px solid #1f7a12; border-radius: 3px;"
        " padding: 4px 18px; font-weight: bold; }"
        "QPushButton:disabled { color: #9ab894; background: #35502f; border-color: #2f4429; }");
}
