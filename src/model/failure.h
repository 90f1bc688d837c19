#pragma once

#include <QString>

#include <exception>

namespace corvane {

// The French text to show for a failed command or read.
QString failureMessage(std::exception_ptr failure);

} // namespace corvane
