#include "presets/PresetsResources.h"

#include <QtGlobal>

// Outside any namespace: the registration function Q_INIT_RESOURCE names is a global one.
static void registerPresetsResources() {
    Q_INIT_RESOURCE(presets);
}

namespace PresetsResources {

void ensureRegistered() {
    static const bool registered = [] {
        registerPresetsResources();
        return true;
    }();
    (void)registered;
}

}  // namespace PresetsResources
