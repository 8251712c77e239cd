#pragma once

#include <QByteArray>
#include <QString>

// Facts about this machine that the feedback and tracking records carry.
class SystemInfo {
  public:
    // A stable identifier of this machine for the maker's services; "" when the machine has none.
    static QString getSerialNumber();
    // The identifier derived from a machine id: the machine id itself must not leave the machine, so it is
    // hashed with a key of this application (HMAC-SHA256, first 128 bits, as 32 hex digits).
    static QString serialNumberFromMachineId(const QByteArray& machineId);

    static QString osVersion();  // "Debian GNU/Linux 12 (bookworm) (kernel 6.1.0)"
    static QString procName();   // the processor's model name
    static QString ramSystem();  // installed memory, "15.6 GB"
};
