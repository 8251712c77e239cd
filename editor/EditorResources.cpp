#include "editor/EditorResources.h"

#include <QtGlobal>

// Outside any namespace: the registration function Q_INIT_RESOURCE names is a global one.
static void registerEditorResources() {
    Q_INIT_RESOURCE(editor);
}

namespace EditorResources {

void ensureRegistered() {
    static const bool registered = [] {
        registerEditorResources();
        return true;
    }();
    (void)registered;
}

}  // namespace EditorResources
