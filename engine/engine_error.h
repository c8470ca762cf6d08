// The one error type of the engine: carries exactly the message the user is shown.
#pragma once

#include <stdexcept>
#include <string>

namespace brevano {

/// An error raised by any engine stage; what() is the message text shown to the user.
class EngineError : public std::runtime_error {
 public:
  explicit EngineError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace brevano
