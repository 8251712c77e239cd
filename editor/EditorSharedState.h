#pragma once

#include <QList>
#include <QSet>
#include <QString>

#include "model/MetaDataObject.h"
#include "model/PhotoFile.h"

class PhotoIntake;
class PresetStore;
class SubWindowState;

// What the application shares with the editing screen and its halves; every member must outlive them.
struct EditorSharedState {
    QList<PhotoFile>& arraySelectedImagesToProcess;  // the batch
    QSet<QString>& dictFileAdded;                    // the paths in the batch
    PresetStore& presets;
    // The merged record of the ticked photos; the screen's edit session is its only writer.
    MetaDataObject& selectedMetaDataSettingObj;
    SubWindowState& subWindow;  // isSubWindowOpened
    // The application's intake over the batch and the added paths; none: the screen makes its own.
    PhotoIntake* intake = nullptr;
    // The copy of the changes the last Apply took, written by the edit session; none: the session keeps its own.
    MetaDataObject* selectedMetaDataSettingObjOnlyUpdatedFields = nullptr;
};
