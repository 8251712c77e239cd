#pragma once

// The set-up Exiv2 needs in a process before its first read or write: the XMP toolkit, the namespaces our
// keys use that Exiv2 does not know (registered here once, never per photo), and Exiv2's own messages routed
// into our log. Exiv2 is not safe to use from several threads, so only single-threaded processes (the
// metadata worker, the Helper tests) call this; the work runs once.
class Exiv2Runtime {
  public:
    static void initialize();
};
