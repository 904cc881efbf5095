#pragma once
// How an operation that can fail for expected reasons (a file that cannot be read or
// written, a bad file, a refused database, bad input) reports it: a value, or the reason
// it could not be had, as a message for the user. Programming errors still throw.
//
//     Result<Scheme> Load(...) { ...; if (bad) return Failure{"…"}; return scheme; }
//     Result<void> Save(...) { ...; if (bad) return Failure{"…"}; return {}; }
//     auto loaded = Load(...); if (!loaded) Report(loaded.error()); else Use(*loaded);
//
// An ignored result is a compiler warning.

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace sanxing {

// The reason of a failure; converts to a Result of any type.
struct Failure {
    std::string error;
};

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Failure failure) : error_(std::move(failure.error)) {}

    explicit operator bool() const { return value_.has_value(); }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    // The value, or a thrown std::logic_error with the reason: for callers (tests, tools)
    // that treat a failure here as a programming error.
    T& value() {
        if (!value_) throw std::logic_error(error_);
        return *value_;
    }
    const T& value() const {
        if (!value_) throw std::logic_error(error_);
        return *value_;
    }
    // The reason of a failure; empty on success.
    const std::string& error() const { return error_; }

private:
    std::optional<T> value_;
    std::string error_;
};

// For operations that give nothing back: a default-constructed Result<void> is success.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : failed_(true), error_(std::move(failure.error)) {}

    explicit operator bool() const { return !failed_; }
    // The reason of a failure; empty on success.
    const std::string& error() const { return error_; }

private:
    bool failed_ = false;
    std::string error_;
};

}  // namespace sanxing
