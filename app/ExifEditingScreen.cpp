#include "app/ExifEditingScreen.h"

#include "app/AppDelegate.h"
#include "editor/ExifEditorView.h"

ExifEditingScreen* ExifEditingScreen::create(AppDelegate& delegate) {
    auto* view =
        new ExifEditorView({delegate.arraySelectedImagesToProcess, delegate.dictFileAdded, delegate.presetStore(),
                            delegate.selectedMetaDataSettingObj, delegate.subWindowState(), &delegate.photoIntake(),
                            &delegate.selectedMetaDataSettingObjOnlyUpdatedFields});
    QObject::connect(view, &ExifEditorView::addPanelOpened, &delegate, &AppDelegate::enableSelectAll);
    return new ExifEditingScreen(view);
}

ExifEditingScreen::ExifEditingScreen(ExifEditorView* view) : QObject(view), m_view(view) {}

QWidget* ExifEditingScreen::view() {
    return m_view;
}

void ExifEditingScreen::addPhotosFromPathUrls(const QStringList& paths, bool isiPhoto) {
    m_view->addPhotosFromPathUrls(paths, isiPhoto);
}

bool ExifEditingScreen::isParamsChanged() const {
    return m_view->isParamsChanged();
}
