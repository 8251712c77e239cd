#pragma once

#include <QObject>
#include <QPointer>

#include "presets/PresetViewDelegate.h"
#include "presets/PresetsWindow.h"

class ExifEditorView;
class MetaDataPopupView;

// The preset editor's window and the metadata popup, mounted on the editing screen: the screen's presets
// popup opens the window, Apply closes it and merges the preset into the form, and the photo list's
// double click shows a photo in the popup. It lives as long as the screen.
class PresetScreens : public QObject, public PresetViewDelegate {
    Q_OBJECT
  public:
    explicit PresetScreens(ExifEditorView& view);
    ~PresetScreens() override;

    PresetsWindow* presetsWindow() const { return m_window; }
    MetaDataPopupView* metadataPopup() const { return m_popup; }

    void btnApplyPresetTapped(int index) override;

  private:
    ExifEditorView& m_view;
    // A child window of the main window once shown, which may outlive the screen at the end of the run.
    QPointer<PresetsWindow> m_window;
    MetaDataPopupView* m_popup;
};
