#include "app/ConfigLocation.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

#include "app/AtomicFile.h"
#include "app/TextUtil.h"

namespace {

std::string WithTrailingSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string NonEmptyEnv(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// $HOME first, as every other program does; the password database when it is unset.
std::string HomeDir() {
    std::string home = NonEmptyEnv("HOME");
    if (!home.empty()) return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return "/tmp";
}

} // namespace

std::string UserBaseDir(const char* xdgVariable, const char* homeRelative) {
    // Relative values are invalid by the XDG rules and are ignored.
    std::string base = NonEmptyEnv(xdgVariable);
    if (!base.empty() && base.front() == '/') return WithTrailingSlash(base);
    return WithTrailingSlash(WithTrailingSlash(HomeDir()) + homeRelative);
}

std::string ResolveConfigDir(const std::string& explicitDir) {
    if (!explicitDir.empty()) return WithTrailingSlash(explicitDir);
    std::string fromEnvironment = NonEmptyEnv("QUADREL_CONFIG_DIR");
    if (!fromEnvironment.empty()) return WithTrailingSlash(fromEnvironment);
    return UserBaseDir("XDG_CONFIG_HOME", ".config") + "quadrel/";
}

namespace {

// The "Config File/" folder of a data folder (share/quadrel), or the folder itself when it is one;
// empty when it holds no Config.xml.
std::string ConfigFileFolder(const std::filesystem::path& folder) {
    std::error_code error;
    for (const std::filesystem::path& candidate : {folder / "Config File", folder})
        if (std::filesystem::is_regular_file(candidate / "Config.xml", error))
            return WithTrailingSlash(candidate.string());
    return {};
}

// An installed program lives in <prefix>/bin and its data in <prefix>/share/quadrel. The build
// tree has the same layout (build/share/quadrel links to the sources' resources), with the
// programs one or two folders below the build folder.
std::string DataBesideProgram() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    std::filesystem::path folder = executable.parent_path();
    for (int level = 0; level < 4 && folder.has_parent_path() && folder != folder.parent_path(); ++level) {
        folder = folder.parent_path();
        const std::filesystem::path shipped = folder / "share" / "quadrel" / "Config File";
        if (std::filesystem::is_directory(shipped, error)) return WithTrailingSlash(shipped.string());
    }
    return {};
}

} // namespace

std::string ShippedDataPlaces() {
    return "$QUADREL_DATA_DIR, share/quadrel beside the program, " QUADREL_INSTALLED_DATA_DIR
           " or " QUADREL_SOURCE_DATA_DIR;
}

// $QUADREL_DATA_DIR first; then beside the program; then, for a program built on the core that
// lives elsewhere, the installed data folder and the sources it was built from, so that every way
// of starting reads the same defaults.
std::string ShippedDataDir() {
    const std::string chosen = NonEmptyEnv("QUADREL_DATA_DIR");
    if (!chosen.empty())
        if (std::string found = ConfigFileFolder(chosen); !found.empty()) return found;
    if (std::string found = DataBesideProgram(); !found.empty()) return found;
    for (const char* folder : {QUADREL_INSTALLED_DATA_DIR, QUADREL_SOURCE_DATA_DIR})
        if (std::string found = ConfigFileFolder(folder); !found.empty()) return found;
    return {};
}

// An installed program has its packed templates in its data folder; in the build tree that folder
// holds only their sources, and the packed ones lie in the build folder.
std::string ShippedTemplateDir() {
    std::error_code error;
    const std::string installed = ShippedDataDir() + "template/";
    for (std::filesystem::directory_iterator it(installed, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (it->is_regular_file(error) && (EndsWith(name, ".docx") || EndsWith(name, ".xlsx")))
            return installed;
    }
    return WithTrailingSlash(QUADREL_TEMPLATE_BUILD_DIR);
}

bool SeedConfigDir(const std::string& configDir, std::vector<std::string>* restored) {
    std::error_code error;
    std::filesystem::create_directories(configDir, error);
    if (!std::filesystem::is_directory(configDir, error)) return false;
    const std::string shipped = ShippedDataDir();
    const std::string folder = WithTrailingSlash(configDir);
    for (const char* name : {"Config.xml", "ColorSetting.ini"}) {
        if (std::filesystem::exists(folder + name, error)) continue;
        std::string bytes;
        // A file missing from the shipped folder is simply not seeded; its readers use defaults.
        if (ReadWholeFile(shipped + name, bytes)) WriteFileAtomic(folder + name, bytes);
    }
    const std::string templates = ShippedTemplateDir();
    // A template missing from a folder that holds others was the user's and is gone: the shipped
    // one takes its place, and the caller says so.
    bool seededBefore = false;
    for (std::filesystem::directory_iterator it(folder + "template", error), end; !error && it != end;
         it.increment(error))
        seededBefore = seededBefore || it->path().extension() == ".docx" || it->path().extension() == ".xlsx";
    error.clear();
    for (std::filesystem::directory_iterator it(templates, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_regular_file(error)) continue;
        const std::string target = folder + "template/" + it->path().filename().string();
        if (std::filesystem::exists(target, error)) continue;
        if (seededBefore && restored) restored->push_back(target);
        std::filesystem::create_directories(folder + "template", error);
        std::string bytes;
        if (ReadWholeFile(it->path().string(), bytes)) WriteFileAtomic(target, bytes);
    }
    return true;
}
