#include "platform/ImageSource.h"

#include "platform/FileManager.h"

#include <QBuffer>
#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QTransform>

namespace platform {

namespace {

int exifOrientation(QImageIOHandler::Transformations transformation) {
    switch (int(transformation)) {
        case QImageIOHandler::TransformationMirror:
            return 2;
        case QImageIOHandler::TransformationRotate180:
            return 3;
        case QImageIOHandler::TransformationFlip:
            return 4;
        case QImageIOHandler::TransformationMirrorAndRotate90:
            return 5;
        case QImageIOHandler::TransformationRotate90:
            return 6;
        case QImageIOHandler::TransformationFlipAndRotate90:
            return 7;
        case QImageIOHandler::TransformationRotate270:
            return 8;
        default:
            return 0;
    }
}

QImage decodeFitted(QImageReader& reader, const QSize& maxSize) {
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (stored.isValid() && !stored.isEmpty() && maxSize.isValid() && !maxSize.isEmpty()) {
        const bool quarterTurn = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
        const QSize upright = quarterTurn ? stored.transposed() : stored;
        QSize target = upright.scaled(maxSize, Qt::KeepAspectRatio).boundedTo(upright);
        target = target.expandedTo(QSize(1, 1));
        // The scaled size is applied before the turn, so it is given in the stored orientation.
        reader.setScaledSize(quarterTurn ? target.transposed() : target);
    }
    return reader.read();
}

// Only regular files are decoded: a reader opening a named pipe would wait for a writer forever.
bool isFile(const QString& path) {
    return FileManager::defaultManager().isRegularFile(path);
}

QByteArray readHead(const QString& path, qint64 offset, qint64 length) {
    if (!isFile(path)) return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(offset)) return {};
    return file.read(length);
}

quint32 littleEndian32(const QByteArray& bytes, int at) {
    quint32 value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | quint8(bytes.at(at + i));
    return value;
}

qint16 bigEndian16(const QByteArray& bytes, int at) {
    return qint16((quint8(bytes.at(at)) << 8) | quint8(bytes.at(at + 1)));
}

std::optional<QSizeF> pictFrameAt(const QByteArray& bytes, int at) {
    if (bytes.size() < at + 14) return std::nullopt;
    const int top = bigEndian16(bytes, at + 2);
    const int left = bigEndian16(bytes, at + 4);
    const int bottom = bigEndian16(bytes, at + 6);
    const int right = bigEndian16(bytes, at + 8);
    const quint16 version = quint16(bigEndian16(bytes, at + 10));
    const quint16 next = quint16(bigEndian16(bytes, at + 12));
    const bool versionOne = version == 0x1101;
    const bool versionTwo = version == 0x0011 && next == 0x02FF;
    if (!versionOne && !versionTwo) return std::nullopt;
    if (right <= left || bottom <= top) return std::nullopt;
    return QSizeF(right - left, bottom - top);
}

}  // namespace

std::optional<ImageHeader> ImageSource::header(const QString& path) {
    if (!isFile(path)) return std::nullopt;
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) return std::nullopt;
    ImageHeader header;
    header.pixelSize = size;
    header.orientation = exifOrientation(reader.transformation());
    return header;
}

QImage ImageSource::thumbnail(const QString& path, const QSize& maxSize) {
    if (!isFile(path)) return {};
    QImageReader reader(path);
    return decodeFitted(reader, maxSize);
}

QImage ImageSource::thumbnailFromData(const QByteArray& encoded, const QSize& maxSize) {
    QByteArray copy = encoded;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return decodeFitted(reader, maxSize);
}

QImage ImageSource::oriented(const QImage& image, int orientation) {
    QTransform turn;
    switch (orientation) {
        case 2:
            return image.mirrored(true, false);
        case 3:
            turn.rotate(180);
            break;
        case 4:
            return image.mirrored(false, true);
        case 5:
            return image.mirrored(true, false).transformed(QTransform().rotate(270));
        case 6:
            turn.rotate(90);
            break;
        case 7:
            return image.mirrored(true, false).transformed(QTransform().rotate(90));
        case 8:
            turn.rotate(270);
            break;
        default:
            return image;
    }
    return image.transformed(turn);
}

QImage ImageSource::image(const QString& path) {
    if (!isFile(path)) return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return reader.read();
}

std::optional<QSizeF> ImageSource::epsSize(const QString& path) {
    QByteArray text = readHead(path, 0, 30);
    if (text.size() >= 12 && quint8(text[0]) == 0xC5 && quint8(text[1]) == 0xD0 && quint8(text[2]) == 0xD3 &&
        quint8(text[3]) == 0xC6) {
        // DOS EPS: a binary header points at the PostScript section.
        text = readHead(path, littleEndian32(text, 4), qMin<quint32>(littleEndian32(text, 8), 65536));
    } else {
        text = readHead(path, 0, 65536);
    }
    static const QRegularExpression box(
        QStringLiteral(R"(%%BoundingBox:\s*(-?[0-9.]+)\s+(-?[0-9.]+)\s+(-?[0-9.]+)\s+(-?[0-9.]+))"));
    const QRegularExpressionMatch match = box.match(QString::fromLatin1(text));
    if (!match.hasMatch()) return std::nullopt;
    const double width = match.captured(3).toDouble() - match.captured(1).toDouble();
    const double height = match.captured(4).toDouble() - match.captured(2).toDouble();
    return QSizeF(width, height);
}

std::optional<QSizeF> ImageSource::pictSize(const QString& path) {
    const QByteArray bytes = readHead(path, 0, 512 + 16);
    if (auto size = pictFrameAt(bytes, 512)) return size;
    return pictFrameAt(bytes, 0);
}

QImage ImageSource::fileIcon(const QSize& size) {
    const QSize iconSize = size.isValid() && !size.isEmpty() ? size : QSize(64, 64);
    QImage icon(iconSize, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(iconSize.width(), iconSize.height());
    const QRectF page((iconSize.width() - side * 0.75) / 2, side * 0.05, side * 0.75, side * 0.9);
    const qreal fold = page.width() * 0.3;
    QPainterPath outline;
    outline.moveTo(page.topLeft());
    outline.lineTo(page.right() - fold, page.top());
    outline.lineTo(page.right(), page.top() + fold);
    outline.lineTo(page.bottomRight());
    outline.lineTo(page.bottomLeft());
    outline.closeSubpath();
    painter.setPen(QPen(QColor(150, 150, 150), qMax<qreal>(1.0, side / 48)));
    painter.setBrush(QColor(248, 248, 248));
    painter.drawPath(outline);
    painter.drawLine(QPointF(page.right() - fold, page.top()), QPointF(page.right() - fold, page.top() + fold));
    painter.drawLine(QPointF(page.right() - fold, page.top() + fold), QPointF(page.right(), page.top() + fold));
    return icon;
}

}  // namespace platform
