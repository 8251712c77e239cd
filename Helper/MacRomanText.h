#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Mac OS Roman, the 8-bit text form of the fields written as "Roman".
namespace MacRomanText {

// Lossy: a character the encoding cannot hold becomes its base letter, or "?" when it has none.
QByteArray encode(const QString& text);
QString decode(QByteArrayView bytes);

}  // namespace MacRomanText
