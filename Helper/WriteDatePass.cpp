#include "Helper/WriteDatePass.h"

#include "Helper/WriteSession.h"
#include "model/MetaDataObject.h"
#include "model/MetadataKeyTable.h"
#include "model/PhotoFile.h"
#include "model/Utils.h"

#include <vector>

namespace {

struct DateOutcome {
    const MetadataKeyRow* row;
    QString result;
    QString twinKey;     // the file's second entry for this date, when it holds one
    QString twinResult;  // the rule's text for that entry's own value
};

// TIFF/EP raws (older Nikon NEFs among them) repeat the date taken in their first IFD, where many readers
// look first: it follows the rule from its own value, so that the copy does not show two dates taken. A
// file without it gets none.
QString twinInFirstIfd(const char* key) {
    return qstrcmp(key, "Exif.Photo.DateTimeOriginal") == 0 ? QStringLiteral("Exif.Image.DateTimeOriginal") : QString();
}

}  // namespace

QString WriteDatePass::ruleResult(const DateTimeConfigurationRef& rule, const PhotoFile& photo,
                                  QString MetaDataObject::*dateField) {
    return ruleResult(rule, photo.metadataObjectOriginal ? (*photo.metadataObjectOriginal).*dateField : QString());
}

QString WriteDatePass::ruleResult(const DateTimeConfigurationRef& rule, const QString& date) {
    static const DateTimeConfiguration keepOriginal;
    return Utils::sharedUtils().getUpdatedOutputDateTimeStringWithConfig(rule ? *rule : keepOriginal, date);
}

QString WriteDatePass::iptcDatePart(const QString& result) {
    QString date = result.section(QLatin1Char(' '), 0, 0);
    date.replace(QLatin1Char(':'), QLatin1Char('-'));
    return date;
}

void WriteDatePass::apply(WriteSession& session) {
    const MetaDataObject& settings = session.settings();
    // Every result is known before any key changes.
    std::vector<DateOutcome> outcomes;
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (!row.dateRule || !row.key) continue;
        DateOutcome outcome{&row, ruleResult(settings.*row.dateRule, session.photo(), row.field), {}, {}};
        const QString twin = twinInFirstIfd(row.key);
        const QString twinDate = twin.isEmpty() ? QString() : session.exifText(twin);
        if (!twinDate.isEmpty()) {
            outcome.twinKey = twin;
            outcome.twinResult = ruleResult(settings.*row.dateRule, twinDate);
        }
        outcomes.push_back(std::move(outcome));
    }
    for (const DateOutcome& outcome : outcomes) {
        const MetadataKeyRow& row = *outcome.row;
        if (!outcome.result.isEmpty()) {
            if (row.dateRuleAlsoKey) {
                session.assignMirror(QString::fromLatin1(row.dateRuleAlsoKey), iptcDatePart(outcome.result));
            }
            session.assign(row.keyText(), outcome.result);
            if (!outcome.twinResult.isEmpty()) session.assignMirror(outcome.twinKey, outcome.twinResult);
        } else if (settings.*row.updated) {
            session.erase(row.keyText());
            if (row.dateRuleAlsoKey) session.erase(QString::fromLatin1(row.dateRuleAlsoKey));
            if (!outcome.twinKey.isEmpty()) session.erase(outcome.twinKey);
        }
    }
}
