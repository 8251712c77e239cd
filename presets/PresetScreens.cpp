#include "presets/PresetScreens.h"

#include "editor/EditorFormActions.h"
#include "editor/ExifEditorView.h"
#include "presets/MetaDataPopupView.h"
#include "presets/PresetView.h"
#include "presets/PresetsWindow.h"

PresetScreens::PresetScreens(ExifEditorView& view)
    : QObject(&view),
      m_view(view),
      m_window(new PresetsWindow(view.shared().presets, view.shared().subWindow, &view)),
      m_popup(new MetaDataPopupView) {
    m_window->presetView()->setDelegate(this);
    connect(&view.formActions(), &EditorFormActions::presetEditorRequested, m_window,
            [this] { m_window->showCenteredOver(&m_view); });
    // Closing the window, by Apply or by its close button, gives the screen back.
    connect(m_window, &PresetsWindow::windowWillClose, this, [this] { m_view.windowWillClose(); });
    m_popup->setPhotoSource([this](int index) -> std::optional<PhotoFile> {
        const QList<PhotoFile>& batch = m_view.shared().arraySelectedImagesToProcess;
        if (index < 0 || index >= batch.size()) return std::nullopt;
        return batch.at(index);
    });
    view.setMetadataPopupContent(m_popup);
}

PresetScreens::~PresetScreens() {
    if (m_window) m_window->presetView()->setDelegate(nullptr);
}

void PresetScreens::btnApplyPresetTapped(int index) {
    m_window->close();
    m_view.formActions().btnApplyPresetTapped(index);
}
