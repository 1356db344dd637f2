// The error an axis raises for an invalid setting; the setting keeps its old value.
#pragma once

#include <stdexcept>
#include <string>

namespace mouldview::chart {

class AxisException : public std::runtime_error {
public:
    explicit AxisException(const std::string& message) : std::runtime_error(message) {}
};

} // namespace mouldview::chart
