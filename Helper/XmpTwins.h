#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <span>

class WriteSession;

// The XMP properties that photo managers keep beside IPTC datasets and the date taken, holding the same value
// (the IPTC Core pairs, and the date taken that raw converters copy into XMP). Readers take the XMP one while
// the Photoshop IPTC digest says the IPTC has not changed since, so a copy whose value changes must change the
// twin it holds the same way; a twin is never added to a photo that had none. A language alternative changes in its
// default language and wherever it held the same text; its other languages stay, and clearing removes them all.
class XmpTwins {
  public:
    enum class Form {
        Text,
        LangAlt,  // a language alternative: its default language follows the key, with any other holding that text
        Bag,
        Seq,
        Date,
    };
    enum class Role {
        Follows,    // written and cleared with its key
        OwnFields,  // has a field and a date rule of its own; only compared for the digest
    };
    struct Pair {
        const char* key;
        const char* twinKey;
        Form form;
        Role role;
    };

    // The IPTC time that goes with the date created: the two make the date taken as IPTC holds it.
    static constexpr const char* kIptcTimeCreated = "Iptc.Application2.TimeCreated";

    static std::span<const Pair> pairs();
    // The pair whose key this is; nullptr when the key has no twin.
    static const Pair* of(const QString& key);

    // Gives the twin of an IPTC key what the key now holds, when the copy holds that twin.
    static void follow(WriteSession& session, const QString& key);
    // Removes the twin of key, when the copy holds it.
    static void clear(WriteSession& session, const QString& key);
    // The twin's value as texts: a list's items, a language alternative's default text, else its one text;
    // nothing when the copy does not hold it.
    static std::optional<QStringList> twinTexts(WriteSession& session, const QString& twinKey);

    // Whether every IPTC value this write changed agrees with the twin the copy holds; only then may the
    // digest say that the XMP is in step with the IPTC.
    static bool agreeWhereChanged(WriteSession& session);
};
