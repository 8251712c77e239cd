#pragma once

struct MetadataKeyRow;
class QString;
class WriteSession;

// Carries the settings record's values into the photo's metadata in memory, row by row of the key table: a field with a
// value is assigned to its key in the row's form, a field the user emptied removes its key, any other field
// leaves the file as it was; an XMP twin the photo holds goes the same way. Raw camera files keep their camera
// make and model (the write then answers 7).
class WriteFieldPass {
  public:
    static void apply(WriteSession& session);

  private:
    static bool holdsAlready(const WriteSession& session, const MetadataKeyRow& row, const QString& value);
    static void writeRow(WriteSession& session, const MetadataKeyRow& row, const QString& value);
    static void writeText(WriteSession& session, const MetadataKeyRow& row, const QString& value);
    static void writeFraction(WriteSession& session, const MetadataKeyRow& row, const QString& value);
    static void writeCoordinate(WriteSession& session, const MetadataKeyRow& row, const QString& value);
    static void writeAltitude(WriteSession& session, const MetadataKeyRow& row, const QString& value);
    static void eraseRow(WriteSession& session, const MetadataKeyRow& row);
    static void followTwin(WriteSession& session, const MetadataKeyRow& row);
};
