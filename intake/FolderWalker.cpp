#include "intake/FolderWalker.h"

#include "intake/LibraryFileLocator.h"
#include "intake/Logging.h"
#include "platform/UniformTypes.h"

#include <QSet>
#include <QUrl>

#include <utility>
#include <vector>

namespace {

struct OpenFolder {
    QString path;
    QList<FolderEntry> entries;
    qsizetype next = 0;
};

}  // namespace

FolderWalker::FolderWalker(const FolderLister& lister, const std::atomic<bool>* stop)
    : m_lister(lister), m_stop(stop) {}

QStringList FolderWalker::gatherFiles(const QString& folder) const {
    QStringList files;
    QSet<std::pair<quint64, quint64>> entered;
    std::vector<OpenFolder> stack;

    auto enter =
        [&](const QString& path) {
            OpenFolder opened{path, {}, 0};
            QString error;
            if (!m_lister.list(path, &opened.entries, &error)) {
                qCInfo(lcIntake).noquote()
                    << QStringLiteral("[Error] %1 (%2)").arg(error, QUrl::fromLocalFile(path).toString());
                return;
            }
            stack.push_back(std::move(opened));
        };

    enter(folder);
    while (!stack.empty() && !stopped()) {
        OpenFolder& current = stack.back();
        if (current.next >= current.entries.size()) {
            stack.pop_back();
            continue;
        }
        const FolderEntry entry = current.entries.at(current.next++);
        if (entry.name.startsWith(QLatin1Char('.'))) continue;
        const QString path = LibraryFileLocator::join(current.path, entry.name);
        switch (entry.kind) {
            case FolderEntry::Kind::File:
                files.append(path);
                break;
            case FolderEntry::Kind::Folder:
                if (platform::UniformTypes::isFilePackage(path)) break;
                if (entry.inode != 0) {
                    const auto identity = std::make_pair(entry.device, entry.inode);
                    if (entered.contains(identity)) break;
                    entered.insert(identity);
                }
                enter(path);  // invalidates current
                break;
            case FolderEntry::Kind::LinkedFolder:
                break;
        }
    }
    return files;
}
