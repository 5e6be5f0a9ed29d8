#pragma once
#include <stdexcept>
#include <string>

// The program's general error: a fault that is reported to the user with its
// message text in an information box (or on standard error by the command line).
class TorvikError : public std::runtime_error {
public:
    explicit TorvikError(const std::string& message) : std::runtime_error(message) {}
};

// An entry the user typed that cannot be accepted.
class EAssignError : public TorvikError {
public:
    using TorvikError::TorvikError;
};

// An arithmetic fault: division by zero, an invalid operation, an overflow.
// Never lets infinity or NaN reach a cell or a field.
class EMathError : public TorvikError {
public:
    using TorvikError::TorvikError;
};

// A file could not be read or written; the message names the line and item.
class EInOutError : public TorvikError {
public:
    using TorvikError::TorvikError;
};
