#pragma once
// How an operation that can fail for expected reasons (a file that cannot be read or
// written, a bad file, a refused database, bad input) reports it: a value, or the reason
// it could not be had — a message for the user in Chinese (with the system's or SQLite's
// own text in parentheses where there is one) and a code that callers may act on.
// Programming errors still throw.
//
//     Result<Scheme> Load(...) { ...; if (bad) return Failure{"…", ErrorCode::BadInput}; return scheme; }
//     Result<void> Save(...) { ...; if (bad) return Failure{"…"}; return {}; }
//     auto loaded = Load(...); if (!loaded) Report(loaded.error()); else Use(*loaded);
//     if (!step) return step.failure();  // handed on with its code
//
// An ignored result is a compiler warning.

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace sanxing {

// What kind of failure it was, for callers that act on it (the CLI's exit status, a retry
// when busy); the words for the user are the failure's text.
enum class ErrorCode {
    Failed,        // any other failure
    BadArgument,   // a command-line argument or option that is wrong
    BadInput,      // a file or text that is not what was expected
    NotFound,      // a file or folder that does not exist
    NoPermission,  // no right to read or write
    DiskFull,      // no room left
    Busy,          // another program holds what was needed
    ReadOnly,      // a history or file that may only be read
    Damaged,       // a damaged database
    Network,       // a transfer that failed
    Cancelled,     // stopped by the user or by closing
    OtherLottery,  // draws that seem another lottery's: stored only when the user confirms
};

// The reason of a failure; converts to a Result of any type.
struct Failure {
    std::string error;
    ErrorCode code = ErrorCode::Failed;
};

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Failure failure) : error_(std::move(failure.error)), code_(failure.code) {}

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
    ErrorCode code() const { return code_; }
    // The failure, to hand on as it is.
    Failure failure() const { return {error_, code_}; }

private:
    std::optional<T> value_;
    std::string error_;
    ErrorCode code_ = ErrorCode::Failed;
};

// For operations that give nothing back: a default-constructed Result<void> is success.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : failed_(true), error_(std::move(failure.error)), code_(failure.code) {}

    explicit operator bool() const { return !failed_; }
    // The reason of a failure; empty on success.
    const std::string& error() const { return error_; }
    ErrorCode code() const { return code_; }
    // The failure, to hand on as it is.
    Failure failure() const { return {error_, code_}; }

private:
    bool failed_ = false;
    std::string error_;
    ErrorCode code_ = ErrorCode::Failed;
};

}  // namespace sanxing
