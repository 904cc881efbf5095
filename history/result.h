#pragma once
// A value or the reason it could not be had: errors are values at the edges of the
// history, never exceptions.

#include <optional>
#include <string>
#include <utility>

namespace history {

template <typename T>
class Result {
public:
    Result(T value) : value_(std::move(value)) {}
    static Result Failure(std::string error) {
        Result result;
        result.error_ = std::move(error);
        return result;
    }

    explicit operator bool() const { return value_.has_value(); }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    const std::string& error() const { return error_; }

private:
    Result() = default;
    std::optional<T> value_;
    std::string error_;
};

}  // namespace history
