#pragma once

#include <functional>
#include <type_traits>
#include <utility>

namespace platform {

template <typename Signature>
class Event;

/// One handler per event, as the framework has it: a window attaches at most one handler to
/// each event of a control, and raising an event nobody handles does nothing and gives the
/// result type's default (false for the Boolean events that let a window stop the action).
template <typename R, typename... Args>
class Event<R(Args...)> {
public:
    Event() = default;
    template <typename F, typename = std::enable_if_t<!std::is_same_v<std::decay_t<F>, Event>>>
    Event& operator=(F&& handler) {
        m_handler = std::forward<F>(handler);
        return *this;
    }
    explicit operator bool() const noexcept { return static_cast<bool>(m_handler); }
    void Clear() noexcept { m_handler = nullptr; }

    R Raise(Args... args) const {
        if (!m_handler) {
            if constexpr (std::is_void_v<R>)
                return;
            else
                return R{};
        }
        return m_handler(std::forward<Args>(args)...);
    }

private:
    std::function<R(Args...)> m_handler;
};

}  // namespace platform
