#include "Helper/WriteCleanMode.h"

#include "Helper/ExifWriteResult.h"
#include "Helper/WriteSession.h"
#include "model/MetaDataObject.h"
#include "model/MetadataKeyTable.h"

namespace {

// Removes every key the table files under the switch; answers whether a raw file's camera keys were kept.
bool eraseUnder(WriteSession& session, MetadataClearSwitch clearSwitch) {
    bool keptRawCamera = false;
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (row.key && hasSwitch(row.cleanSwitches, clearSwitch)) {
            if (row.rawFileGuard && session.isRawFile()) {
                keptRawCamera = true;
            } else {
                session.erase(row.keyText());
            }
        }
        if (row.xmpMirrorKey && hasSwitch(row.mirrorCleanSwitches, clearSwitch)) {
            session.erase(QString::fromLatin1(row.xmpMirrorKey));
        }
    }
    for (const MetadataCleanOnlyKey& key : MetadataKeyTable::cleanOnlyKeys()) {
        if (hasSwitch(key.cleanSwitches, clearSwitch)) session.erase(QString::fromLatin1(key.key));
    }
    return keptRawCamera;
}

}  // namespace

bool WriteCleanMode::apply(WriteSession& session) {
    const MetaDataObject& settings = session.settings();
    session.setResultFlag(ExifWriteSucceeded);
    if (settings.clearComment) eraseUnder(session, MetadataClearSwitch::Comment);
    if (settings.clearGpsInfo) eraseUnder(session, MetadataClearSwitch::GpsInfo);
    if (!settings.clearExif && !settings.clearIPTC && !settings.clearXMP) return false;
    if (settings.clearExif && eraseUnder(session, MetadataClearSwitch::Exif)) {
        session.setResultFlag(ExifWriteRawCameraKept);
    }
    if (settings.clearIPTC) session.clearIptc();
    if (settings.clearXMP) session.clearXmp();
    return true;
}
