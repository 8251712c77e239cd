#pragma once

// The artwork of the preset editor and the metadata popup is compiled into this layer's static library;
// whoever draws it first makes sure it is registered.
namespace PresetsResources {
void ensureRegistered();
}
