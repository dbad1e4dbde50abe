#pragma once

#include <string>
#include <utility>
#include <variant>

namespace marv {

// A result or the message that says why there is none. Never both, never a partial result.
template <class T>
class Expected {
  public:
    Expected(T value) : content_(std::move(value)) {}
    static Expected failure(std::string message) { return Expected(Failure{std::move(message)}); }

    bool ok() const { return std::holds_alternative<T>(content_); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return std::get<T>(content_); }
    T& value() { return std::get<T>(content_); }
    const std::string& error() const { return std::get<Failure>(content_).message; }

  private:
    struct Failure {
        std::string message;
    };
    explicit Expected(Failure failure) : content_(std::move(failure)) {}
    std::variant<T, Failure> content_;
};

// A step that either succeeds or says why it did not.
template <>
class Expected<void> {
  public:
    Expected() = default;
    static Expected failure(std::string message) {
        Expected result;
        result.failed_ = true;
        result.message_ = std::move(message);
        return result;
    }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const std::string& error() const { return message_; }

  private:
    bool failed_ = false;
    std::string message_;
};

using Status = Expected<void>;

}  // namespace marv
