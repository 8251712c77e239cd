#pragma once

#include "platform/NetworkReachability.h"

#include <functional>
#include <memory>
#include <optional>

// The system's reachability answered by the test: flags it sets (nothing: unreadable) and changes it fires.
class ScriptedReachability : public platform::NetworkReachability {
  public:
    // Installed for as long as the object lives; every reachability made meanwhile reads its flags.
    ScriptedReachability() {
        install([this](const QHostAddress& address) {
            targets.push_back(address);
            return std::make_unique<Watcher>(*this);
        });
    }
    ~ScriptedReachability() override { install({}); }

    std::optional<quint32> flags() const override { return current; }
    bool scheduleWithMainRunLoop(std::function<void()> onChange) override {
        m_onChange = std::move(onChange);
        return true;
    }
    // The network changed to these flags.
    void change(std::optional<quint32> flags) {
        current = flags;
        if (m_onChange) m_onChange();
    }

    std::optional<quint32> current = platform::Reachable;
    std::vector<QHostAddress> targets;

  private:
    class Watcher : public platform::NetworkReachability {
      public:
        explicit Watcher(ScriptedReachability& script) : m_script(script) {}
        std::optional<quint32> flags() const override { return m_script.flags(); }
        bool scheduleWithMainRunLoop(std::function<void()> onChange) override {
            return m_script.scheduleWithMainRunLoop(std::move(onChange));
        }

      private:
        ScriptedReachability& m_script;
    };

    std::function<void()> m_onChange;
};
