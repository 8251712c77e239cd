#pragma once

#include <QString>

// Hears a preset row's new name. Optional: the default does nothing.
class PresetCellDelegate {
  public:
    virtual ~PresetCellDelegate() = default;
    virtual void presetNameUpdated(const QString& name) { (void)name; }
};
