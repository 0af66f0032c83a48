#pragma once

#include <QObject>
#include <QPointer>

namespace platform {

/// The framework's WeakRef: refers to an object without keeping it alive, and yields nothing
/// once the object is gone. Objects so referred to are QObjects (controls, windows), whose
/// destruction Qt tracks.
template <typename T>
class WeakRef {
public:
    WeakRef() = default;
    explicit WeakRef(T* object)
        : m_object(object) {}
    /// The object, or nullptr when it no longer exists.
    T* Value() const noexcept { return m_object.data(); }

private:
    QPointer<T> m_object;
};

}  // namespace platform
