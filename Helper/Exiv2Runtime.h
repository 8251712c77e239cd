#pragma once

// The process-wide set-up Exiv2 needs before any worker thread touches it: the XMP toolkit with a lock
// around namespace registration, the namespaces our keys use that Exiv2 does not know, and Exiv2's own
// warnings routed into our log. Safe to call from any thread, any number of times; the work runs once.
class Exiv2Runtime {
  public:
    static void initialize();
};
