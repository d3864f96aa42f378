#include "reports/PdfConversion.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "app/AtomicFile.h"
#include "app/TextUtil.h"
#include "reports/ContentsPages.h"

namespace fs = std::filesystem;

namespace {

std::string FindOnPath(const char* program) {
    const char* path = std::getenv("PATH");
    for (const std::string& folder : SplitAll(path ? path : "", ':')) {
        if (folder.empty()) continue;
        const std::string candidate = folder + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

std::string FileText(const std::string& path) {
    std::string bytes;
    return ReadWholeFile(path, bytes) ? bytes : std::string();
}

struct RunResult {
    bool started = false;
    bool timedOut = false;
    int status = -1; // exit status when it ended normally
    int signal = 0;
    std::string output; // what it wrote to stdout and stderr
};

// Runs `arguments` (the program first) with its output in `logPath`, in a process group of its own
// so that a run past `seconds` is ended with everything it started.
RunResult Run(const std::vector<std::string>& arguments, const std::string& logPath, int seconds) {
    RunResult result;
    std::vector<char*> argv;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child < 0) return result;
    if (child == 0) {
        setpgid(0, 0);
        const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int nothing = open("/dev/null", O_RDONLY);
        if (log >= 0) {
            dup2(log, STDOUT_FILENO);
            dup2(log, STDERR_FILENO);
        }
        if (nothing >= 0) dup2(nothing, STDIN_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    setpgid(child, child);
    result.started = true;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child) break;
        if (done < 0 && errno != EINTR) break;
        if (std::chrono::steady_clock::now() > deadline) {
            result.timedOut = true;
            kill(-child, SIGKILL);
            waitpid(child, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    result.output = FileText(logPath);
    return result;
}

// The converter's last words, for the message.
std::string LastLine(const std::string& output) {
    std::string text = output;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    const size_t start = text.find_last_of('\n');
    return start == std::string::npos ? text : text.substr(start + 1);
}

// Converts `docx` into `folder`; the PDF's path, or empty with `error`.
std::string Convert(const std::string& office, const std::string& docx, const fs::path& work, int seconds,
                    std::string& error) {
    const fs::path out = work / "pdf";
    fs::create_directories(out);
    const RunResult run =
        Run({office, "-env:UserInstallation=file://" + (work / "profile").string(), "--headless",
             "--norestore", "--convert-to", "pdf", "--outdir", out.string(), docx},
            (work / "converter.log").string(), seconds);
    const fs::path pdf = out / fs::path(docx).filename().replace_extension(".pdf");
    std::error_code ec;
    if (run.started && !run.timedOut && run.status == 0 && fs::file_size(pdf, ec) > 0 && !ec)
        return pdf.string();
    if (!run.started)
        error = "LibreOffice could not be started";
    else if (run.timedOut)
        error = "LibreOffice did not finish within " + std::to_string(seconds) + " s and was stopped";
    else if (run.signal != 0)
        error = "LibreOffice ended with signal " + std::to_string(run.signal);
    else if (run.status != 0)
        error = "LibreOffice failed with exit status " + std::to_string(run.status);
    else
        error = "LibreOffice wrote no PDF";
    if (const std::string said = LastLine(run.output); !said.empty()) error += " (" + said + ")";
    return {};
}

// The printed text of each page of a PDF; empty when pdftotext is missing or fails.
std::vector<std::string> PageTexts(const std::string& pdf, const fs::path& work) {
    const std::string reader = FindOnPath("pdftotext");
    if (reader.empty()) return {};
    const std::string text = (work / "pages.txt").string();
    const RunResult run =
        Run({reader, "-layout", "-enc", "UTF-8", pdf, text}, (work / "reader.log").string(), 60);
    if (run.status != 0) return {};
    std::vector<std::string> pages = SplitAll(FileText(text), '\f');
    if (!pages.empty() && pages.back().find_first_not_of(" \n") == std::string::npos) pages.pop_back();
    return pages;
}

bool SamePages(const std::vector<ContentsEntry>& a, const std::vector<ContentsEntry>& b) {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (a[i].page != b[i].page) return false;
    return true;
}

} // namespace

std::string FindOfficeProgram() {
    std::string office = FindOnPath("soffice");
    return office.empty() ? FindOnPath("libreoffice") : office;
}

PdfOutcome ConvertReportToPdf(const std::string& docxPath, int timeLimitSeconds) {
    PdfOutcome outcome;
    outcome.path = fs::path(docxPath).replace_extension(".pdf").string();
    const std::string office = FindOfficeProgram();
    if (office.empty()) {
        outcome.error = kTextNoOfficeSuite;
        return outcome;
    }
    std::string pattern = (fs::temp_directory_path() / "quadrel-pdf-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        outcome.error = "no folder for the conversion: " + ErrorText(errno);
        return outcome;
    }
    const fs::path work = pattern;
    std::error_code ignoredCode;
    // The contents count pages the way a word processor lays them out only once it has: the pages
    // of the headings are learnt from a printed copy, corrected in the document where they differ,
    // and the document printed again. The copy ends after the last heading when it can.
    const std::vector<ContentsEntry> entries = ReadContentsEntries(docxPath);
    const fs::path leading = work / "leading" / fs::path(docxPath).filename();
    std::string ignored;
    const bool shortened = !entries.empty() && fs::create_directories(leading.parent_path(), ignoredCode) &&
                           WriteLeadingCopy(docxPath, leading.string(), entries.back().heading, ignored);
    std::string pdf =
        Convert(office, shortened ? leading.string() : docxPath, work, timeLimitSeconds, outcome.error);
    if (!pdf.empty() && !entries.empty()) {
        const std::vector<std::string> pages = PageTexts(pdf, work);
        const std::vector<ContentsEntry> printed = pages.empty() ? entries : PrintedPages(entries, pages);
        const bool corrected = !SamePages(entries, printed) && WriteContentsPages(docxPath, printed, ignored);
        if (shortened || corrected) pdf = Convert(office, docxPath, work, timeLimitSeconds, outcome.error);
    }
    if (!pdf.empty()) {
        outcome.written = WriteFileAtomic(outcome.path, FileText(pdf));
        if (!outcome.written) outcome.error = "the PDF could not be written: " + outcome.path;
    }
    std::error_code ec;
    fs::remove_all(work, ec);
    return outcome;
}
