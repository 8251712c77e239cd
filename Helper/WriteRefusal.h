#pragma once

#include <QString>

#include <stdexcept>

// A write that must not go on, for a reason the user is told (flag 2 with this message). Thrown inside the
// guarded steps of a write, before anything is written, so no output file is made.
class WriteRefusal : public std::runtime_error {
  public:
    explicit WriteRefusal(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};
