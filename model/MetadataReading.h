#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QVariantMap>

#include <atomic>
#include <optional>

class MetaDataObject;

// How the model reads a photo file. The metadata library lives in a higher layer, which implements this
// interface; every program that reads photos installs it once at start-up, before any thread reads a photo
// (the application and the benchmarks: the worker pool; the metadata worker itself: the library directly).
// A read without a reader is a programming error: it stops a debug build and is logged once otherwise,
// and the photo then reads as one without metadata, only the image decoders answering.
class MetadataReading {
  public:
    virtual ~MetadataReading() = default;

    // Fills the record from the file and returns it; a file that cannot be read leaves it as it was.
    virtual MetaDataObject& readMetadata(const QString& path, MetaDataObject& record) const = 0;

    // The image properties of the file's first image, keyed like the platform's image I/O: "PixelWidth",
    // "PixelHeight", "Orientation", "DPIWidth", "DPIHeight", "ColorModel", "ProfileName" and the groups
    // "{Exif}", "{TIFF}", "{GPS}", "{IPTC}", "{ExifAux}". Nothing when the file is no readable image.
    virtual std::optional<QVariantMap> imageProperties(const QString& path) const = 0;

    // Both of the above from one reading of the file: fills the record and answers the image properties.
    virtual std::optional<QVariantMap> readMetadataAndProperties(const QString& path, MetaDataObject& record) const = 0;

    // Whether the reader itself failed on a file: its process crashed or overran its time on it (also on a
    // second try), which says nothing of what the file holds.
    enum class ReadOutcome { Read, ReaderFailed };
    // readMetadataAndProperties for a photo that is to join the batch, which must not join with a record the
    // reader could not read. Readers that cannot fail that way answer Read.
    virtual ReadOutcome readPhoto(const QString& path, MetaDataObject& record,
                                  std::optional<QVariantMap>& properties) const {
        properties = readMetadataAndProperties(path, record);
        return ReadOutcome::Read;
    }

    // The encoded bytes of the smallest preview embedded in the file that covers atLeast, else the largest
    // one; empty when the file carries none. Raw camera files are shown through these.
    virtual QByteArray embeddedPreview(const QString& path, const QSize& atLeast) const = 0;

    // The installed reader, or nullptr. The reader must outlive every use.
    static const MetadataReading* shared() { return slot().load(std::memory_order_acquire); }
    // The installed reader for a read that needs one; nullptr (reported as above) when none is installed.
    static const MetadataReading* required();
    static void install(const MetadataReading* reader) { slot().store(reader, std::memory_order_release); }

  private:
    static std::atomic<const MetadataReading*>& slot() {
        static std::atomic<const MetadataReading*> reader{nullptr};
        return reader;
    }
};
