#pragma once
#include <string>
#include <vector>

// Where the configuration lives: the explicit folder (--config-dir), else $QUADREL_CONFIG_DIR,
// else $XDG_CONFIG_HOME/quadrel/, else ~/.config/quadrel/. Always ends with "/".
std::string ResolveConfigDir(const std::string& explicitDir);

// The shipped data folder ("Config File/" with the default Config.xml, ColorSetting.ini,
// templates and envelope files): $QUADREL_DATA_DIR (a share/quadrel folder or its "Config File"),
// else share/quadrel/ beside the program's bin folder, installed or in the build tree, else the
// installed data folder or the sources the program was built from. Ends with "/"; empty when
// none of them exists.
std::string ShippedDataDir();

// Where ShippedDataDir looks, for a message that says what was not found.
std::string ShippedDataPlaces();

// The shipped report and workbook templates: the installed share folder's "Config File/template/",
// or the templates packed by the build. Always ends with "/".
std::string ShippedTemplateDir();

// Creates the configuration folder if needed and seeds Config.xml, ColorSetting.ini and the
// "template/" folder (each template file) from the shipped defaults when they are missing, so a
// user's own templates are never overwritten. A template put back into a template folder that held
// others (the user's own was deleted) is listed in `restored`. Returns false when the folder cannot
// be created.
bool SeedConfigDir(const std::string& configDir, std::vector<std::string>* restored = nullptr);

// A per-user base folder after the XDG rules: $<xdgVariable> when it holds an absolute path, else
// the home folder followed by `homeRelative` (".config", ".local/state"). Ends with "/".
std::string UserBaseDir(const char* xdgVariable, const char* homeRelative);
