#pragma once

// What a user can cause is returned, never thrown: a value or the message to show.

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace tesmor::model {

enum class MessageIcon { None, Critical, Exclamation, Question, Information };

// The title of plain notices that carry the program's own name.
inline constexpr const char* AppTitle = "Tesmor 42";

// A message box as the user sees it: exact text, title and icon.
struct UserMessage
{
    std::string text;
    std::string title = AppTitle;
    MessageIcon icon = MessageIcon::None;

    friend bool operator==(const UserMessage&, const UserMessage&) = default;
};

// A file that cannot be read or used, as the user sees it: the text under "Input error!", with
// the critical icon unless another is given.
inline UserMessage InputError(std::string text, MessageIcon icon = MessageIcon::Critical)
{
    return {std::move(text), "Input error!", icon};
}

// A file that cannot be written: the text under "Output error!" with the critical icon.
inline UserMessage OutputError(std::string text)
{
    return {std::move(text), "Output error!", MessageIcon::Critical};
}

// A value or a message: never dropped without a look.
template<typename T> class [[nodiscard]] Result
{
public:
    Result(T value)
        : m_data(std::move(value))
    {
    }
    Result(UserMessage message)
        : m_data(std::move(message))
    {
    }

    bool ok() const { return m_data.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() { return std::get<0>(m_data); }
    const T& value() const { return std::get<0>(m_data); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }

    const UserMessage& error() const { return std::get<1>(m_data); }

private:
    std::variant<T, UserMessage> m_data;
};

// The result of an operation that gives nothing back but may fail: empty on success, otherwise
// the message to show. Never dropped without a look.
class [[nodiscard]] Status : public std::optional<UserMessage>
{
public:
    using std::optional<UserMessage>::optional;
    using std::optional<UserMessage>::operator=;
};

} // namespace tesmor::model
