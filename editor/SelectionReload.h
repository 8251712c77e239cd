#pragma once

#include "editor/SelectionMerge.h"

#include <QObject>

#include <functional>

// Runs the selection merge off the main thread, one merge per reload. Reloads may overlap and their merges
// finish in any order, so each reload carries a generation number and only the latest one's result is
// handed back; an older result, or one started before invalidate(), is dropped.
class SelectionReload : public QObject {
    Q_OBJECT
  public:
    using Executor = std::function<void(std::function<void()> work)>;

    explicit SelectionReload(QObject* parent = nullptr);

    // Where merges run; the shared pool of background threads by default.
    void setExecutor(Executor executor) { m_executor = std::move(executor); }

    // Starts a merge of photos (a non-empty list) and returns its generation.
    quint64 start(QList<PhotoFile> photos);
    // A reload that needs no merge (no photo ticked) still outdates every merge under way.
    quint64 invalidate();

    quint64 generation() const { return m_generation; }
    // A merge of the latest generation is still to be handed back.
    bool isMerging() const { return m_pending; }

  signals:
    // On the main thread, for the latest generation only.
    void merged(quint64 generation, const SelectionMerge::Result& result);

  private:
    void handBack(quint64 generation, const std::optional<SelectionMerge::Result>& result);

    Executor m_executor;
    quint64 m_generation = 0;
    bool m_pending = false;
};
