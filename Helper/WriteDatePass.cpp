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
};

}  // namespace

QString WriteDatePass::ruleResult(const DateTimeConfigurationRef& rule, const PhotoFile& photo,
                                  QString MetaDataObject::*dateField) {
    const QString input = photo.metadataObjectOriginal ? (*photo.metadataObjectOriginal).*dateField : QString();
    static const DateTimeConfiguration keepOriginal;
    return Utils::sharedUtils().getUpdatedOutputDateTimeStringWithConfig(rule ? *rule : keepOriginal, input);
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
        outcomes.push_back({&row, ruleResult(settings.*row.dateRule, session.photo(), row.field)});
    }
    for (const DateOutcome& outcome : outcomes) {
        const MetadataKeyRow& row = *outcome.row;
        if (!outcome.result.isEmpty()) {
            if (row.dateRuleAlsoKey) {
                session.assignMirror(QString::fromLatin1(row.dateRuleAlsoKey), iptcDatePart(outcome.result));
            }
            session.assign(row.keyText(), outcome.result);
        } else if (settings.*row.updated) {
            session.erase(row.keyText());
            if (row.dateRuleAlsoKey) session.erase(QString::fromLatin1(row.dateRuleAlsoKey));
        }
    }
}
