#pragma once

#include "controls/SubWindowState.h"
#include "editor/ExifEditorView.h"
#include "model/PresetStore.h"
#include "platform/UserDefaults.h"
#include "tests/common/ScriptedPlatform.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// The editing screen on its own, over its own batch, with alerts and panels answered from a script, merges
// run at once and no real waits.
class EditorFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A folder of n small JPEG files named photo<i>.jpg (and, with extras, a text file too).
    QString makeFolder(int n, bool withTextFile = false);
    // Photos as the intake would make them, without reading their files.
    static PhotoFile fakePhoto(const QString& path);
    // Lets hand-backs and merges already posted to the main thread run.
    void settle();
    // Adds paths through the screen and waits for the import to be handed back.
    void addAndWait(const QStringList& paths);
    void tick(const QList<int>& rows);

    QTemporaryDir dir;
    QList<PhotoFile> batch;
    QSet<QString> added;
    std::unique_ptr<platform::UserDefaults> defaults;
    std::unique_ptr<PresetStore> presets;
    MetaDataObject selection;
    SubWindowState subWindow;
    testsupport::ScriptedAlerts alerts;
    testsupport::ScriptedOpenPanel panels;
    testsupport::ScriptedWorkspace workspace;
    std::unique_ptr<ExifEditorView> view;
};
