#pragma once
#include <array>
#include <string>
#include <string_view>

#include "document/PatternTypes.h"

// A measurement tells what each cut is only through its names: the test folder
// (site_project_model_date_batch_serial) and the file (port_pol_plane_comp_tilt_dir_freq[_x_y]).

// Fills fields 6-14 from the file name (without its last four characters). A name without "_"
// leaves them untouched; fields 6-12 of missing tokens keep what they held.
void FillFileNameFields(std::string_view fileName, NameFields& fields);

// Fills fields 0-5 from the name of the folder that holds the file; false (fields untouched) when
// the folder name has no "_" or fewer than six tokens.
bool FillFolderNameFields(std::string_view folderName, NameFields& fields);

// The partner cuts of the same antenna. Paths may use "/" or "\"; only the file name changes.
std::string PlanePartner(const std::string& path);
std::string CoCrossPartner(const std::string& path);
std::string PolarisationPartner(const std::string& path);

// The folder that holds the test folder of a pattern file, with its trailing separator
// (D:/a/b/test/P1_x.msi gives D:/a/b/); empty when the path has no such folder.
std::string BaseFolderOf(const std::string& patternPath);

// Splits a path into its folder part (with the trailing separator) and its file name.
std::pair<std::string, std::string> SplitFileName(const std::string& path);
