#pragma once
#include <string>

// Where the configuration lives: the explicit folder (--config-dir), else $QUADREL_CONFIG_DIR,
// else $XDG_CONFIG_HOME/quadrel/, else ~/.config/quadrel/. Always ends with "/".
std::string ResolveConfigDir(const std::string& explicitDir);

// The shipped data folder ("Config File/" with the default Config.xml, ColorSetting.ini,
// templates and envelope files): share/quadrel/ beside the program's bin folder, installed or in
// the build tree. Ends with "/"; empty when no such folder exists.
std::string ShippedDataDir();

// Creates the configuration folder if needed and seeds Config.xml and ColorSetting.ini from the
// shipped defaults when they are missing. Returns false when the folder cannot be created.
bool SeedConfigDir(const std::string& configDir);

// A per-user base folder after the XDG rules: $<xdgVariable> when it holds an absolute path, else
// the home folder followed by `homeRelative` (".config", ".local/state"). Ends with "/".
std::string UserBaseDir(const char* xdgVariable, const char* homeRelative);
