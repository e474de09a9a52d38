#pragma once

#include <stdexcept>
#include <string>

// The error classes of the calculation. The error reporting tells math errors (EMathError and
// its kinds) from every other error, so each kind is a class of its own.

class EMathError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
    virtual const char *className() const noexcept { return "EMathError"; }
};

class EInvalidOp : public EMathError
{
public:
    EInvalidOp() : EMathError("Invalid floating point operation") {}
    const char *className() const noexcept override { return "EInvalidOp"; }
};

class EZeroDivide : public EMathError
{
public:
    EZeroDivide() : EMathError("Floating point division by zero") {}
    const char *className() const noexcept override { return "EZeroDivide"; }
};

class EOverflow : public EMathError
{
public:
    EOverflow() : EMathError("Floating point overflow") {}
    const char *className() const noexcept override { return "EOverflow"; }
};

// Never raised by this code: underflow is silent. It exists so that callers can name the whole
// family of math errors.
class EUnderflow : public EMathError
{
public:
    EUnderflow() : EMathError("Floating point underflow") {}
    const char *className() const noexcept override { return "EUnderflow"; }
};

// A text that is not a number, or a number that is not a whole number where one is needed.
class EConvertError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
    const char *className() const noexcept { return "EConvertError"; }
};
