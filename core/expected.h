#pragma once

#include <utility>
#include <variant>

namespace tarnwick {

// A value or the reason there is none; the core reports failures this way and
// never throws across its interface.
template <typename T, typename E> class Expected
{
public:
    Expected(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    static Expected failure(E error) { return Expected(std::in_place_index<1>, std::move(error)); }

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return std::get<0>(m_state); }
    T& value() & { return std::get<0>(m_state); }
    T&& value() && { return std::get<0>(std::move(m_state)); }
    const T* operator->() const { return &value(); }
    const T& operator*() const { return value(); }

    const E& error() const { return std::get<1>(m_state); }

private:
    template <std::size_t I, typename A> Expected(std::in_place_index_t<I> i, A&& a) : m_state(i, std::forward<A>(a)) {}
    std::variant<T, E> m_state;
};

} // namespace tarnwick
