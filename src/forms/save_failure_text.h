// What the user is told, in Thai, about a failure to make the output folder or save the result.
#pragma once

#include <exception>
#include <optional>
#include <string>

namespace tuvo {

// The Thai line saying what went wrong and the path it concerns; none for an error that carries
// no kind (a step's logic error, say), which only the technical text describes.
std::optional<std::string> SaveFailureText(const std::exception& error);

}  // namespace tuvo
