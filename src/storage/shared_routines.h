#pragma once
// Small routines the windows share: splitting texts, removing temporary
// download files, the program's version text.

#include <string>
#include <string_view>
#include <vector>

namespace somnexa::storage {

// Clears parts and fills it with the pieces of text between separators: an
// empty text gives none, a trailing separator no empty last piece, two
// separators in a row an empty piece.
void SplitText(std::string_view text, std::string_view separator, std::vector<std::string>& parts);

// Deletes the files of folder whose names have the form of a GUID without
// braces (36 characters, five parts at "-"), as the download names its
// temporary image files. Returns how many were deleted.
int DeleteTempFiles(const std::string& folder);

// "V%d.%d.%d.%d" (padded: "V%d.%d.%.2d.%.3d") of the program's version as
// built; "V0.0.0.0" when the executable file does not exist.
std::string VersionText(const std::string& executablePath, bool padded);

// The four parts of the build's version.
std::string VersionText(int major, int minor, int release, int build, bool padded);

}  // namespace somnexa::storage
