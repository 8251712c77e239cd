#include "Helper/FLTImageMetadata.h"

#include "platform/TextEncoding.h"

#include <exiv2/exiv2.hpp>

#include <QLocale>

#include <string>

namespace {

QString decoded(const std::string& bytes) {
    return platform::decodeText(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

QString typeNameOf(const Exiv2::Metadatum& datum) {
    const char* name = datum.typeName();
    return name ? QString::fromLatin1(name) : QString();
}

QString describeNumber(const QVariant& value) {
    if (value.typeId() == QMetaType::Double) {
        // Whole numbers print without a fraction, like a boxed number's description.
        const double number = value.toDouble();
        return QString::number(number, 'g', QLocale::FloatingPointShortest);
    }
    return value.toString();
}

}  // namespace

FLTImageMetadata FLTImageMetadata::initWithImageAtURL(const QString& /*fileUrl*/) {
    return FLTImageMetadata();
}

QVariant FLTImageMetadata::valueForExifMetadata(const Exiv2::Exifdatum& datum) const {
    return valueForMetadatum(datum);
}

QVariant FLTImageMetadata::valueForIptcMetadata(const Exiv2::Iptcdatum& datum) const {
    return valueForMetadatum(datum);
}

QVariant FLTImageMetadata::valueForXmpMetadata(const Exiv2::Xmpdatum& datum) const {
    if (datum.typeId() == Exiv2::langAlt) {
        const auto* alternatives = dynamic_cast<const Exiv2::LangAltValue*>(&datum.value());
        if (alternatives && !alternatives->value_.empty()) {
            const auto preferred = alternatives->value_.find("x-default");
            const auto& entry = preferred != alternatives->value_.end() ? *preferred : *alternatives->value_.begin();
            return decoded(entry.second);
        }
    }
    return decoded(datum.toString());
}

bool FLTImageMetadata::isRationalType(const Exiv2::Metadatum& datum) {
    const QString name = typeNameOf(datum);
    return name == QLatin1String("Rational") || name == QLatin1String("SRational");
}

QVariant FLTImageMetadata::valueForMetadatum(const Exiv2::Metadatum& datum) {
    const QString type = typeNameOf(datum);
    if (type == QLatin1String("Ascii")) return decoded(datum.toString());
    if (type == QLatin1String("Short") || type == QLatin1String("Long")) {
        if (datum.toString().empty()) return QVariant();
        return QVariant(qlonglong(datum.toLong(0)));
    }
    if (type == QLatin1String("Rational")) {
        QVariantList numbers;
        for (long i = 0; i < datum.count(); ++i) {
            const Exiv2::Rational r = datum.toRational(i);
            numbers.append(double(r.first) / double(r.second));
        }
        return numbers;
    }
    if (type == QLatin1String("Undefined")) {
        QVariantList texts;
        for (long i = 0; i < datum.count(); ++i) texts.append(decoded(datum.toString(i)));
        return texts;
    }
    return decoded(datum.toString());
}

QString FLTImageMetadata::describe(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return QStringLiteral("(null)");
    if (value.typeId() == QMetaType::QVariantList) {
        const QVariantList list = value.toList();
        if (list.isEmpty()) return QStringLiteral("(\n)");
        QStringList lines;
        for (const QVariant& element : list) lines.append(QStringLiteral("    ") + describe(element));
        return QStringLiteral("(\n") + lines.join(QStringLiteral(",\n")) + QStringLiteral("\n)");
    }
    if (value.typeId() == QMetaType::QString) return value.toString();
    return describeNumber(value);
}
