// Writing a processed copy: the frame around the editing passes.
#include "Helper/ExifWriter.h"

#include "Helper/JpegHead.h"
#include "Helper/Logging.h"
#include "Helper/PhotoshopIptcDigest.h"
#include "Helper/WriteBlankAndClearPass.h"
#include "Helper/WriteCleanMode.h"
#include "Helper/WriteCommit.h"
#include "Helper/WriteDatePass.h"
#include "Helper/WriteDestination.h"
#include "Helper/WriteFieldPass.h"
#include "Helper/WriteRefusal.h"
#include "Helper/WriteSession.h"
#include "Helper/XmpTwins.h"
#include "model/MetaDataObject.h"
#include "model/PhotoFile.h"

#include <exiv2/exiv2.hpp>

#include <cstdio>
#include <optional>

#include <sys/types.h>

namespace {

ExifWriteResult written(int flag) {
    return ExifWriteResult::answer(flag, ExifWriteResult::processedSuccessfully());
}

ExifWriteResult failed(const QString& message) {
    return ExifWriteResult::answer(ExifWriteFailed, message);
}

// The edited photo as it is to be written: its bytes and the access its file had.
struct EditedBytes {
    std::optional<platform::ReadableFile> file;  // open until the copy has taken the rest of it
    QByteArray source;                           // Exiv2 reads from these bytes in place until its first write
    Exiv2::Image::AutoPtr image;
    mode_t permissions = 0644;
    bool xmpAgreesWithIptc = true;  // every IPTC value the edit changed agrees with the XMP twin the photo holds
};

// The photo's head, or on the whole-file road all of it; the copy takes whatever was not read from the file.
bool readSource(EditedBytes& edited, const QString& path, ExifWriter::CopyRoad road, platform::FileManager& files,
                QString* error) {
    edited.file = files.openForReading(path, error);
    if (!edited.file) return false;
    if (road == ExifWriter::CopyRoad::HeadWhereFound) return JpegHead::read(*edited.file, edited.source, error);
    return edited.file->readInto(edited.source, 0, edited.file->size(), error);
}

// Reads the photo into memory and edits it there in the chosen mode: the output is then written once,
// instead of a copy that Exiv2 would read and write all over again.
ExifWriteResult editInMemory(EditedBytes& edited, const PhotoFile& photo, const MetaDataObject& settings,
                             const MetaDataObject& onlyUpdated, ExifWriter::CopyRoad road, platform::FileManager& files,
                             bool& cleanedGroup) {
    QString error;
    if (!readSource(edited, photo.filePath, road, files, &error)) {
        qCInfo(lcHelper).noquote() << QStringLiteral("Reading %1 failed: %2").arg(photo.filePath, error);
        return failed(error);
    }
    edited.permissions = files.permissionsOfCopy(edited.file->mode());
    edited.image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(edited.source.constData()),
                                             static_cast<long>(edited.source.size()));
    Exiv2::Image& image = *edited.image;
    image.readMetadata();
    if (image.byteOrder() == Exiv2::invalidByteOrder) return failed(ExifWriteResult::unsupportedImage());
    WriteSession session(image, photo, settings, onlyUpdated);
    if (settings.editingOption == CleanMetadataInfo) {
        cleanedGroup = WriteCleanMode::apply(session);
    } else {
        WriteFieldPass::apply(session);
        WriteDatePass::apply(session);
        WriteBlankAndClearPass::apply(session);
    }
    edited.xmpAgreesWithIptc = XmpTwins::agreeWhereChanged(session);
    WriteCommit::write(session);
    return written(session.resultFlag());
}

// Writes the edited bytes, then the rest of the photo that was never read, as a file that takes the name target once
// it is whole and dated.
bool writeOut(const EditedBytes& edited, const QString& target, const platform::FileManager::NewFile& file,
              platform::FileManager& files, QString* error) {
    // A digest that was right before our edit is made right again when the XMP still agrees with the IPTC.
    // Otherwise it stays stale, which tells other tools that the IPTC changed behind the XMP's back and is the
    // value to show.
    const bool refreshDigest = edited.xmpAgreesWithIptc && edited.image->mimeType() == "image/jpeg" &&
                               PhotoshopIptcDigest::isCurrent(edited.source);
    Exiv2::BasicIo& io = edited.image->io();
    io.open();
    char* data = reinterpret_cast<char*>(io.mmap(refreshDigest));
    if (refreshDigest) PhotoshopIptcDigest::refresh(data, static_cast<qsizetype>(io.size()));
    const QByteArrayView bytes(data, static_cast<qsizetype>(io.size()));
    const bool ok = files.writeFile(target, bytes, file, error, {&*edited.file, edited.source.size()});
    io.munmap();
    io.close();
    return ok;
}

// Edits and writes; every failure leaves no half-written file and, in restore mode, the earlier output.
ExifWriteResult guardedWrite(const QString& target, const PhotoFile& photo, const MetaDataObject& settings,
                             const MetaDataObject& onlyUpdated, bool isForRestore, ExifWriter::CopyRoad road,
                             platform::FileManager& files) {
    try {
        EditedBytes edited;
        bool cleanedGroup = false;
        ExifWriteResult result = editInMemory(edited, photo, settings, onlyUpdated, road, files, cleanedGroup);
        if (!result.isWritten()) return result;
        // The copy takes its name only when it is whole and dated; in restore mode the earlier output stays
        // until then. Clean mode that emptied a whole group leaves the file's dates as the write made them.
        platform::FileManager::NewFile file;
        file.permissions = edited.permissions;
        file.mode =
            isForRestore ? platform::FileManager::WriteMode::Replace : platform::FileManager::WriteMode::CreateNew;
        if (settings.editingOption != CleanMetadataInfo || !cleanedGroup)
            file.modified =
                WriteCommit::modificationDate(WriteCommit::fileDates(photo, settings)).value_or(QDateTime());
        QString error;
        if (!writeOut(edited, target, file, files, &error)) {
            qCInfo(lcHelper).noquote() << QStringLiteral("Writing %1 failed: %2").arg(target, error);
            return failed(error);
        }
        result.processedPath = target;
        return result;
    } catch (const WriteRefusal& refusal) {
        qCInfo(lcHelper).noquote() << QStringLiteral("Not written: %1: %2").arg(photo.filePath, refusal.message());
        return failed(refusal.message());
    } catch (const Exiv2::AnyError& error) {
        qCWarning(lcHelper).noquote() << "Caught Exiv2 exception '" + QString::fromUtf8(error.what()) + "'";
        return failed(ExifWriteResult::cleanedExiv2Message(QString::fromUtf8(error.what())));
    } catch (const std::exception& error) {
        qCInfo(lcHelper).noquote()
            << QStringLiteral("Writing %1 failed: %2").arg(target, QString::fromUtf8(error.what()));
        return failed(ExifWriteResult::corruptImage());
    } catch (...) {
        // Whatever else goes wrong inside the libraries, the batch goes on and the user sees why.
        qCInfo(lcHelper).noquote() << QStringLiteral("Writing %1 failed with an unknown error").arg(target);
        return failed(ExifWriteResult::corruptImage());
    }
}

}  // namespace

ExifWriteResult ExifWriter::writeMetaDataToFilePath(PhotoFile photo, MetaDataObject metadata, const QString& newPath,
                                                    MetaDataObject onlyUpdated, bool isForRestore,
                                                    platform::FileManager& files, CopyRoad road) const {
    replaceCommaValueToDot(metadata);
    replaceCommaValueToDot(onlyUpdated);
    WriteDestination destination(files);
    const std::variant<QString, ExifWriteResult> prepared =
        destination.prepare(photo.filePath, newPath, photo.processedPath, isForRestore);
    if (const ExifWriteResult* answer = std::get_if<ExifWriteResult>(&prepared)) return *answer;
    return guardedWrite(std::get<QString>(prepared), photo, metadata, onlyUpdated, isForRestore, road, files);
}
