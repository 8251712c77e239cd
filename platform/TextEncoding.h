#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace platform {

bool isValidUtf8(QByteArrayView bytes);
// Windows-1252, byte for byte; the five bytes it leaves undefined map to the C1 control of the same value,
// so no byte is ever lost.
QString decodeWindows1252(QByteArrayView bytes);
// Metadata text as found in files: UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252.
QString decodeText(QByteArrayView bytes);

}  // namespace platform
