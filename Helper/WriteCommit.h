#pragma once

class MetaDataObject;
class PhotoFile;
class QString;
class WriteSession;

// The last steps of a write: the edited containers go into the photo's bytes in memory, and the written copy
// then takes the modification date its rules make (a file's creation date cannot be set on Linux).
class WriteCommit {
  public:
    // Throws WriteRefusal when the edit must change XMP that Exiv2 could not parse.
    static void write(WriteSession& session);
    static void setFileDates(const PhotoFile& photo, const MetaDataObject& settings, const QString& targetPath);

  private:
    static void keepUnreadableXmpPacket(WriteSession& session);
    static void dropEntriesOfUnknownType(WriteSession& session);
    static void markIptcAsUtf8(WriteSession& session);
    static void verifyWritten(WriteSession& session);
};
