#pragma once

#include <QStringList>

class QMimeData;

// What a drop on the drop box does with what it carries. File names win whenever the drag offers any,
// even beside image data; image data alone is refused without a word; a drop with neither is an error the
// user is told about.
struct DropDecision {
    enum class Action { PostPaths, RefuseSilently, ShowPasteError };
    Action action = Action::ShowPasteError;
    QStringList paths;  // absolute paths in the order the drag gives them, for PostPaths

    static DropDecision decide(const QMimeData* data);
    // Whether a drag may enter at all: it must carry file names.
    static bool carriesFileNames(const QMimeData* data);
};
