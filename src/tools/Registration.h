#pragma once

#include <string>

namespace listrion::settings {
class Settings;
}

namespace listrion::tools {

// The link checker's registration. Nothing is registered on Linux: the link-validation
// component is part of the program. RegAsm 1 still records that the checks have run once, so
// the link checker runs them on its first opening only.

// RegAsm 1 reads as 0, is missing or is not a number.
bool registrationNeeded(const settings::Settings& settings);
void recordRegistration(const settings::Settings& settings);

// What keeps libcurl from testing links (it cannot start, or lacks http or https); empty when
// nothing does.
std::string linkTestingProblem();

} // namespace listrion::tools
