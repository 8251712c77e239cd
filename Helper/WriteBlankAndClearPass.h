#pragma once

class WriteSession;

// The removals that follow the field and date passes. A coded field holding the dropdown choice
// "Leave Blank" removes its key; in the editing option "Modify fields that I edit and clear others" every
// written key whose field the user left empty in the only-updated record goes too. An XMP twin of a removed
// key goes with it. Raw camera files keep their camera make and model in that option, and the write answers 7
// for them.
class WriteBlankAndClearPass {
  public:
    static void apply(WriteSession& session);

  private:
    static void removeLeftBlank(WriteSession& session);
    static void clearOthers(WriteSession& session);
};
