#pragma once
// The program's one general error class. File, container, compression and
// parse errors are raised as RError carrying the Russian message that the
// application shows to the user as it stands.

#include <stdexcept>
#include <string>

class RError : public std::runtime_error {
public:
    explicit RError(const std::string& message) : std::runtime_error(message) {}
};
