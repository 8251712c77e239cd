#pragma once

class WriteSession;

// The editing option "Clean Metadata info": removes the groups of metadata the record's clear switches
// name, by the clean-mode columns of the key table, instead of writing field values. Maker notes, thumbnails
// and every entry no switch names stay. Raw camera files keep their camera make and model (flag 7).
class WriteCleanMode {
  public:
    // Answers whether a whole group (EXIF, IPTC or XMP) was cleared; then the copy gets no file dates.
    static bool apply(WriteSession& session);
};
