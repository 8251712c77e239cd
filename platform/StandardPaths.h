#pragma once

#include <QString>

namespace platform {

// Well-known folders of the user (XDG places on Linux).
class StandardPaths {
  public:
    static QString homeFolder();
    static QString picturesFolder();
    static QString documentsFolder();
    static QString cachesFolder();  // the application's cache folder, created on demand
    static QString logsFolder();    // where the application's log file lives, created on demand
    static QString userName();
    // Where processed copies go unless the user chooses otherwise.
    static QString defaultOutputFolder();
};

}  // namespace platform
