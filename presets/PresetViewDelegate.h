#pragma once

// Hears the preset editor. Optional: the default does nothing.
class PresetViewDelegate {
  public:
    virtual ~PresetViewDelegate() = default;
    // Apply: the preset at index of the preset list, already written back, is to be merged into the form.
    virtual void btnApplyPresetTapped(int index) { (void)index; }
};
