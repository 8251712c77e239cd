#include "controls/DropDecision.h"

#include <QMimeData>
#include <QUrl>

namespace {

QStringList localPaths(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) paths.append(url.toLocalFile());
    }
    return paths;
}

bool carriesImageData(const QMimeData* data) {
    return data && (data->hasImage() || data->hasFormat(QStringLiteral("image/tiff")));
}

}  // namespace

bool DropDecision::carriesFileNames(const QMimeData* data) {
    return !localPaths(data).isEmpty();
}

DropDecision DropDecision::decide(const QMimeData* data) {
    DropDecision decision;
    decision.paths = localPaths(data);
    if (!decision.paths.isEmpty()) {
        decision.action = Action::PostPaths;
    } else if (carriesImageData(data)) {
        decision.action = Action::RefuseSilently;
    } else {
        decision.action = Action::ShowPasteError;
    }
    return decision;
}
