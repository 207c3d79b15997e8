#pragma once
#include <stdexcept>

// An error of the word table, carrying the engine's own text for the standard error report.
class DictError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
