#include "support/TestSupport.h"

#include <array>
#include <cctype>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/wait.h>

namespace {
// Under QUADREL_TEST_SET_LOCALE the whole test program runs with the user's locale, as the
// desktop program does after Qt switched it, so number reading and writing must not follow it.
// The run is only worth something when that locale writes a decimal comma: a missing locale
// would leave "C" in place and every test would pass without testing anything.
struct LocaleSwitch {
    LocaleSwitch() {
        if (!std::getenv("QUADREL_TEST_SET_LOCALE")) return;
        const char* name = std::setlocale(LC_ALL, "");
        const std::string point = std::localeconv()->decimal_point;
        if (name && point == ",") return;
        std::fprintf(stderr,
                     "QUADREL_TEST_SET_LOCALE: the locale of the environment (%s) has the decimal point "
                     "\"%s\", not \",\"; install a decimal-comma locale such as de_DE.UTF-8\n",
                     name ? name : "not installed", name ? point.c_str() : ".");
        std::exit(1);
    }
} localeSwitch;
} // namespace

TempDir::TempDir() {
    std::random_device rd;
    m_path = std::filesystem::temp_directory_path() /
             ("quadrel-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::string TempDir::Write(const std::string& relative, const std::string& bytes) const {
    auto full = m_path / relative;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return full.string();
}

int RunCommand(const std::string& command, std::string* out, std::string* err) {
    TempDir dir;
    std::string outFile = (dir.Path() / "out").string();
    std::string errFile = (dir.Path() / "err").string();
    int status = std::system((command + " >" + outFile + " 2>" + errFile + " </dev/null").c_str());
    if (out) *out = ReadFileText(outFile);
    if (err) *err = ReadFileText(errFile);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadFileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

std::string ToLowerForTest(const std::string& text) {
    std::string out = text;
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}
