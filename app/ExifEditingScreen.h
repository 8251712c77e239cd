#pragma once

#include "app/EditingScreen.h"

#include <QObject>

class AppDelegate;
class ExifEditorView;

// The editing screen as the shell mounts it: the screen over the application's shared state, driving the
// application's intake. It lives as long as the screen's widget.
class ExifEditingScreen : public QObject, public EditingScreen {
    Q_OBJECT
  public:
    static ExifEditingScreen* create(AppDelegate& delegate);

    QWidget* view() override;
    void addPhotosFromPathUrls(const QStringList& paths, bool isiPhoto) override;
    bool isParamsChanged() const override;

    ExifEditorView* editorView() const { return m_view; }

  private:
    explicit ExifEditingScreen(ExifEditorView* view);

    ExifEditorView* m_view;
};
