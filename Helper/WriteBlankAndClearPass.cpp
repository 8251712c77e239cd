#include "Helper/WriteBlankAndClearPass.h"

#include "Helper/ExifWriteResult.h"
#include "Helper/WriteSession.h"
#include "Helper/XmpTwins.h"
#include "model/MetaDataObject.h"
#include "model/MetadataKeyTable.h"

void WriteBlankAndClearPass::apply(WriteSession& session) {
    removeLeftBlank(session);
    if (session.settings().editingOption == ModifyEditedClearOthers) clearOthers(session);
}

void WriteBlankAndClearPass::removeLeftBlank(WriteSession& session) {
    const QString leaveBlank = MetadataKeyTable::leaveBlankText();
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (row.leaveBlank && row.key && session.settings().*row.field == leaveBlank) {
            session.erase(row.keyText());
            XmpTwins::clear(session, row.keyText());
        }
    }
}

void WriteBlankAndClearPass::clearOthers(WriteSession& session) {
    const MetaDataObject& onlyUpdated = session.onlyUpdated();
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (row.write == MetadataWriteForm::None || !row.key) continue;
        if (row.rawFileGuard && session.isRawFile()) {
            session.setResultFlag(ExifWriteRawCameraKept);
            continue;
        }
        if (!(onlyUpdated.*row.field).isEmpty()) continue;
        session.erase(row.keyText());
        if (row.xmpMirrorKey) session.erase(QString::fromLatin1(row.xmpMirrorKey));
        XmpTwins::clear(session, row.keyText());
    }
}
