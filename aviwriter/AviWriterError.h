#pragma once
// The failure the AVI writing engine raises: its message is the text the user
// is shown.
#include <stdexcept>
#include <string>

namespace avi {

class EAviWriterError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace avi
