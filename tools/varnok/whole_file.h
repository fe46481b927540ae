// Writing a whole output file of the varnok tool in one call.
#pragma once

#include <string>
#include <string_view>

// Creates or replaces the file with the bytes, handed to the system in one
// write. False when the file cannot be created or the write or close fails.
bool WriteWholeFile(const std::string& path, std::string_view bytes);
