#include "Helper/XmpTwins.h"

#include "Helper/WriteSession.h"

#include <exiv2/exiv2.hpp>

#include <algorithm>
#include <memory>

namespace {

using Form = XmpTwins::Form;
using Role = XmpTwins::Role;

// IPTC Core's pairs, as photo managers and exiftool's MWG tags read them.
const XmpTwins::Pair kPairs[] = {
    {"Iptc.Application2.Byline", "Xmp.dc.creator", Form::Seq, Role::Follows},
    {"Iptc.Application2.BylineTitle", "Xmp.photoshop.AuthorsPosition", Form::Text, Role::Follows},
    {"Iptc.Application2.Copyright", "Xmp.dc.rights", Form::LangAlt, Role::Follows},
    {"Iptc.Application2.Headline", "Xmp.photoshop.Headline", Form::Text, Role::Follows},
    {"Iptc.Application2.Caption", "Xmp.dc.description", Form::LangAlt, Role::Follows},
    {"Iptc.Application2.Writer", "Xmp.photoshop.CaptionWriter", Form::Text, Role::Follows},
    {"Iptc.Application2.ObjectName", "Xmp.dc.title", Form::LangAlt, Role::Follows},
    {"Iptc.Application2.Category", "Xmp.photoshop.Category", Form::Text, Role::Follows},
    {"Iptc.Application2.SuppCategory", "Xmp.photoshop.SupplementalCategories", Form::Bag, Role::Follows},
    {"Iptc.Application2.Keywords", "Xmp.dc.subject", Form::Bag, Role::Follows},
    {"Iptc.Application2.SubLocation", "Xmp.iptc.Location", Form::Text, Role::Follows},
    {"Iptc.Application2.City", "Xmp.photoshop.City", Form::Text, Role::Follows},
    {"Iptc.Application2.ProvinceState", "Xmp.photoshop.State", Form::Text, Role::Follows},
    {"Iptc.Application2.CountryName", "Xmp.photoshop.Country", Form::Text, Role::Follows},
    {"Iptc.Application2.CountryCode", "Xmp.iptc.CountryCode", Form::Text, Role::Follows},
    {"Iptc.Application2.TransmissionReference", "Xmp.photoshop.TransmissionReference", Form::Text, Role::Follows},
    {"Iptc.Application2.SpecialInstructions", "Xmp.photoshop.Instructions", Form::Text, Role::Follows},
    {"Iptc.Application2.Credit", "Xmp.photoshop.Credit", Form::Text, Role::Follows},
    {"Iptc.Application2.Source", "Xmp.photoshop.Source", Form::Text, Role::Follows},
    // With the time created, the date taken as IPTC holds it. The Photoshop date has a rule of its own.
    {"Iptc.Application2.DateCreated", "Xmp.photoshop.DateCreated", Form::Date, Role::OwnFields},
    {"Exif.Photo.DateTimeOriginal", "Xmp.exif.DateTimeOriginal", Form::Date, Role::Follows},
};

// The twin as it is to hold items, made from the one the photo holds.
std::unique_ptr<Exiv2::Value> twinValue(Form form, const QStringList& items, const Exiv2::Value& held) {
    switch (form) {
        case Form::LangAlt: {
            // Only the default language is the form's; an alternative that held the same text was the same value
            // in another language's slot and changes with it, and the others stay as the photo gave them.
            const auto* alternatives = dynamic_cast<const Exiv2::LangAltValue*>(&held);
            auto value = alternatives ? std::make_unique<Exiv2::LangAltValue>(*alternatives)
                                      : std::make_unique<Exiv2::LangAltValue>();
            const std::string text = items.value(0).toStdString();
            const auto preferred = value->value_.find("x-default");
            if (preferred != value->value_.end()) {
                const std::string old = preferred->second;
                for (auto& alternative : value->value_) {
                    if (alternative.second == old) alternative.second = text;
                }
            }
            value->value_["x-default"] = text;
            return value;
        }
        case Form::Bag:
        case Form::Seq: {
            auto value = std::make_unique<Exiv2::XmpArrayValue>(form == Form::Bag ? Exiv2::xmpBag : Exiv2::xmpSeq);
            for (const QString& item : items) value->read(item.toStdString());
            return value;
        }
        case Form::Text:
        case Form::Date:
            break;
    }
    return std::make_unique<Exiv2::XmpTextValue>(items.value(0).toStdString());
}

// The IPTC side of a pair: the date created comes with its time.
QStringList iptcSide(const WriteSession& session, const XmpTwins::Pair& pair, bool onOpening) {
    auto texts = [&](const QString& key) {
        return onOpening ? session.iptcTextsOnOpening(key) : session.iptcTexts(key);
    };
    QStringList side = texts(QString::fromLatin1(pair.key));
    if (pair.form == Form::Date) side.append(texts(QString::fromLatin1(XmpTwins::kIptcTimeCreated)));
    return side;
}

// "2009-09-09" with "17:00:00+02:00" against "2009-09-09T17:00:00+02:00": the day, and the time where both
// give one.
bool sameDate(const QStringList& iptc, const QString& xmp) {
    if (iptc.isEmpty() || xmp.left(10) != iptc.first()) return false;
    const QString time = iptc.value(1).left(8);
    return time.isEmpty() || xmp.size() < 19 || xmp.mid(11, 8) == time;
}

bool agree(Form form, QStringList iptc, QStringList twin) {
    if (form == Form::Date) return sameDate(iptc, twin.value(0));
    iptc.removeAll(QString());
    twin.removeAll(QString());
    return iptc == twin;
}

}  // namespace

std::span<const XmpTwins::Pair> XmpTwins::pairs() {
    return kPairs;
}

const XmpTwins::Pair* XmpTwins::of(const QString& key) {
    const auto found =
        std::find_if(std::begin(kPairs), std::end(kPairs), [&key](const Pair& pair) { return key == pair.key; });
    return found == std::end(kPairs) ? nullptr : &*found;
}

void XmpTwins::follow(WriteSession& session, const QString& key) {
    const Pair* pair = of(key);
    if (!pair || pair->role != Role::Follows) return;
    // What the IPTC now holds, other datasets of a repeatable key included.
    const QStringList items = session.iptcTexts(key);
    if (items.isEmpty()) return;
    const Exiv2::XmpData& data = session.xmp();
    const auto held = data.findKey(Exiv2::XmpKey(pair->twinKey));
    if (held == data.end()) return;
    session.replaceXmpValue(QString::fromLatin1(pair->twinKey), *twinValue(pair->form, items, held->value()));
}

void XmpTwins::clear(WriteSession& session, const QString& key) {
    const Pair* pair = of(key);
    if (!pair || pair->role != Role::Follows) return;
    // Only a twin the container holds: erasing from a packet Exiv2 could not read would refuse the write.
    if (twinTexts(session, QString::fromLatin1(pair->twinKey))) session.erase(QString::fromLatin1(pair->twinKey));
}

std::optional<QStringList> XmpTwins::twinTexts(WriteSession& session, const QString& twinKey) {
    const Exiv2::XmpData& data = session.xmp();
    const auto found = data.findKey(Exiv2::XmpKey(twinKey.toStdString()));
    if (found == data.end()) return std::nullopt;
    QStringList texts;
    if (const auto* alternatives = dynamic_cast<const Exiv2::LangAltValue*>(&found->value())) {
        const auto preferred = alternatives->value_.find("x-default");
        if (preferred != alternatives->value_.end()) {
            texts.append(QString::fromStdString(preferred->second));
        } else if (!alternatives->value_.empty()) {
            texts.append(QString::fromStdString(alternatives->value_.begin()->second));
        }
    } else if (const auto* list = dynamic_cast<const Exiv2::XmpArrayValue*>(&found->value())) {
        for (long i = 0; i < list->count(); ++i) texts.append(QString::fromStdString(list->toString(i)));
    } else {
        texts.append(QString::fromStdString(found->toString()));
    }
    return texts;
}

bool XmpTwins::agreeWhereChanged(WriteSession& session) {
    for (const Pair& pair : kPairs) {
        if (!QLatin1String(pair.key).startsWith(QLatin1String("Iptc."))) continue;
        const QStringList now = iptcSide(session, pair, false);
        if (now == iptcSide(session, pair, true)) continue;
        // Its twins cannot be seen, so nothing says they agree.
        if (session.isXmpPacketUnreadable()) return false;
        const std::optional<QStringList> twin = twinTexts(session, QString::fromLatin1(pair.twinKey));
        if (twin && !agree(pair.form, now, *twin)) return false;
    }
    return true;
}
