#pragma once

#include <memory>
#include <optional>
#include <utility>

// An optional value whose copies share one heap object until one of them is changed. A batch holds two
// records per photo and copies photos between threads; sharing keeps 100,000 photos in reasonable memory
// while every copy still behaves as its own value.
template <typename T>
class SharedRecord {
  public:
    SharedRecord() = default;
    SharedRecord(std::nullopt_t) {}
    SharedRecord(T value) : m_value(std::make_shared<T>(std::move(value))) {}
    SharedRecord& operator=(T value) {
        m_value = std::make_shared<T>(std::move(value));
        return *this;
    }
    SharedRecord& operator=(std::nullopt_t) {
        m_value.reset();
        return *this;
    }

    bool has_value() const { return m_value != nullptr; }
    explicit operator bool() const { return has_value(); }
    void reset() { m_value.reset(); }

    const T& operator*() const { return *m_value; }
    const T* operator->() const { return m_value.get(); }
    const T& value() const {
        if (!m_value) throw std::bad_optional_access();
        return *m_value;
    }
    T value_or(T fallback) const { return m_value ? *m_value : std::move(fallback); }

    // Reading never copies; changing is asked for by name and goes through a private copy when the value is
    // shared, so a read through a non-const holder cannot quietly undo the sharing.
    T& edit() { return *detached(); }

    // Whether two holders share one object (for tests of memory behaviour).
    bool sharesWith(const SharedRecord& other) const { return m_value && m_value == other.m_value; }

  private:
    T* detached() {
        if (m_value && m_value.use_count() > 1) m_value = std::make_shared<T>(std::as_const(*m_value));
        return m_value.get();
    }

    std::shared_ptr<T> m_value;
};
