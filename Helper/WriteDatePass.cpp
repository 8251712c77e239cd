#include "Helper/WriteDatePass.h"

#include "Helper/WriteSession.h"
#include "Helper/WriteValueForms.h"
#include "Helper/XmpTwins.h"
#include "model/MetaDataObject.h"
#include "model/MetadataKeyTable.h"
#include "model/PhotoFile.h"
#include "model/Utils.h"

#include <QRegularExpression>

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

// What this write does to a date that the photo also keeps elsewhere (the IPTC date and time created, an XMP
// copy), so that each copy changes with it, each from its own value.
struct DateChange {
    DateTimeConfigurationRef rule;
    QString before;   // the photo's own date
    QString result;   // the rule's text for it
    QString written;  // what the copy's date now holds
    bool emptied;     // the "Empty Value" rule on a date the user changed

    // A rule that finds no date to change, or gives the date back, moves nothing.
    bool moves() const { return !written.isEmpty() && written != before; }
    // The same change for another copy of the date ("yyyy:MM:dd HH:mm:ss").
    QString appliedTo(const QString& copy) const {
        const QString moved = result.isEmpty() ? QString() : WriteDatePass::ruleResult(rule, copy);
        return moved.isEmpty() ? written : moved;
    }
};

const MetadataKeyRow* rowOfKey(const char* key) {
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (row.key && qstrcmp(row.key, key) == 0) return &row;
    }
    return nullptr;
}

// "2019:07:10 08:30:00" gives "2019:07:10" and "08:30:00"; a text in no such form gives nothing.
bool splitDate(const QString& date, QString& day, QString& time) {
    static thread_local const QRegularExpression form(
        QStringLiteral("^(\\d{4}:\\d{2}:\\d{2})(?: (\\d{2}:\\d{2}:\\d{2}))?$"));
    const QRegularExpressionMatch match = form.match(date);
    if (!match.hasMatch()) return false;
    day = match.captured(1);
    time = match.captured(2);
    return true;
}

// The IPTC date created and, where the photo holds one, its time created move together, the time keeping its
// zone. A date the user gave in its own field stays.
void moveIptcDate(WriteSession& session, const QString& dateKey, const DateChange& change) {
    const MetadataKeyRow* own = rowOfKey(qPrintable(dateKey));
    if (own && session.settings().*own->updated) return;
    const QString timeKey = QString::fromLatin1(XmpTwins::kIptcTimeCreated);
    const QString heldDate = session.iptcTexts(dateKey).value(0);  // "2019-07-10"
    const QString heldTime = session.iptcTexts(timeKey).value(0);  // "08:30:00+02:00"
    if (change.emptied) {
        session.erase(dateKey);
        session.erase(timeKey);
        return;
    }
    if (!change.moves()) return;
    QString day;
    QString time;
    if (!splitDate(change.before, day, time)) day.clear();
    if (!heldDate.isEmpty()) day = QString(heldDate).replace(QLatin1Char('-'), QLatin1Char(':'));
    if (!heldTime.isEmpty()) time = heldTime.left(8);
    const QString moved = day.isEmpty()
                              ? change.written
                              : change.appliedTo(day + QLatin1Char(' ') + (time.isEmpty() ? "00:00:00" : time));
    QString movedDay;
    QString movedTime;
    if (!splitDate(moved, movedDay, movedTime)) movedDay = moved;
    session.assignMirror(dateKey, WriteValueForms::iptcDateText(movedDay));
    if (!heldTime.isEmpty() && !movedTime.isEmpty()) session.assignMirror(timeKey, movedTime + heldTime.mid(8));
}

// An XMP copy ("2019-07-10T08:30:00.00+02:00") moves with the date, keeping its fraction and zone.
void moveXmpTwin(WriteSession& session, const QString& key, const DateChange& change) {
    const XmpTwins::Pair* pair = XmpTwins::of(key);
    if (!pair) return;
    const QString twinKey = QString::fromLatin1(pair->twinKey);
    const std::optional<QStringList> held = XmpTwins::twinTexts(session, twinKey);
    if (!held) return;
    if (change.emptied) {
        session.erase(twinKey);
        return;
    }
    if (!change.moves()) return;
    static thread_local const QRegularExpression form(
        QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})T(\\d{2}:\\d{2}:\\d{2})(.*)$"));
    const QRegularExpressionMatch match = form.match(held->value(0));
    if (!match.hasMatch()) {
        session.assignMirror(twinKey, WriteValueForms::xmpDateText(change.written));
        return;
    }
    const QString reading =
        QStringLiteral("%1:%2:%3 %4").arg(match.captured(1), match.captured(2), match.captured(3), match.captured(4));
    session.assignMirror(twinKey, WriteValueForms::xmpDateText(change.appliedTo(reading)) + match.captured(5));
}

void moveCopies(WriteSession& session, const MetadataKeyRow& row, const QString& result) {
    if (!row.dateRuleAlsoKey && !XmpTwins::of(row.keyText())) return;
    const MetaDataObject& settings = session.settings();
    const QString before =
        session.photo().metadataObjectOriginal ? (*session.photo().metadataObjectOriginal).*row.field : QString();
    const DateTimeConfigurationRef& rule = settings.*row.dateRule;
    const bool touched = settings.*row.updated;
    QString written = result;
    if (written.isEmpty() && !touched) written = (settings.*row.field).isEmpty() ? before : settings.*row.field;
    const bool emptied = touched && rule && rule->option() == DateTimeConfiguration::EmptyValue;
    const DateChange change{rule, before, result, written, emptied};
    if (row.dateRuleAlsoKey) moveIptcDate(session, QString::fromLatin1(row.dateRuleAlsoKey), change);
    moveXmpTwin(session, row.keyText(), change);
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
            session.assign(row.keyText(), outcome.result);
            if (!outcome.twinResult.isEmpty()) session.assignMirror(outcome.twinKey, outcome.twinResult);
        } else if (settings.*row.updated) {
            session.erase(row.keyText());
            if (!outcome.twinKey.isEmpty()) session.erase(outcome.twinKey);
        }
        moveCopies(session, row, outcome.result);
    }
}
