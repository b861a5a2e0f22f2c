// The Java applications of the demo phone: a J2MEST in phone memory and one on the card, each in
// the folder the phone keeps its MIDlets in, beside their JAD files. Some entries carry wrong
// CORELET info, so that the patch offered by Open from phone can be tried.
#pragma once

#include <filesystem>
#include <string>

namespace menuforge {

// Writes the files below the storage root. The card's folder is named after the simulator's
// default IMEI. Returns the error text, or empty.
std::string CreateDemoMidlets(const std::filesystem::path& root);

}  // namespace menuforge
