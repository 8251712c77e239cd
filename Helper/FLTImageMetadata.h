#pragma once

#include <QString>
#include <QVariant>

namespace Exiv2 {
class Metadatum;
class Exifdatum;
class Iptcdatum;
class Xmpdatum;
}  // namespace Exiv2

// Turns one Exiv2 datum into a plain value chosen by the datum's type name:
//   "Ascii"            -> QString
//   "Short" / "Long"   -> qlonglong of the first component, or a null QVariant when the text is empty
//   "Rational"         -> QVariantList of double (a zero denominator gives an infinite or NaN element)
//   "Undefined"        -> QVariantList of QString, one per component
//   anything else      -> QString of the whole text form
// Text bytes are read as UTF-8 when they are valid UTF-8 and as Windows-1252 otherwise, so no value is lost.
// The converter opens nothing and holds no state; the reader makes one per file.
class FLTImageMetadata {
  public:
    // The path is not kept: nothing is opened or read.
    static FLTImageMetadata initWithImageAtURL(const QString& fileUrl);

    QVariant valueForExifMetadata(const Exiv2::Exifdatum& datum) const;
    QVariant valueForIptcMetadata(const Exiv2::Iptcdatum& datum) const;
    // XMP values are text; a language alternative gives its default-language text instead of the
    // lang="x-default" marker Exiv2 prints.
    QVariant valueForXmpMetadata(const Exiv2::Xmpdatum& datum) const;

    // The text a value shows when printed: a string unchanged, a number in decimal form, a list in the
    // multi-line form "(\n    a,\n    b\n)", a null value as "(null)".
    static QString describe(const QVariant& value);
    // Whether a datum carries one of the two fraction types the fraction rules apply to.
    static bool isRationalType(const Exiv2::Metadatum& datum);

  private:
    static QVariant valueForMetadatum(const Exiv2::Metadatum& datum);
};
