#include "cli/Commands.h"
#include "generate/Campaign.h"

namespace {
struct GenerateArgs {
    std::string out;
    int ports = 2;
    std::string tilts = "2,6";
    std::string freqs = "1710,1850,2170";
    double step = 0.5;
    uint64_t seed = 1;
    bool force = false;
};

// Turns the command-line texts into options; an empty text when they are usable.
std::string ToOptions(const GenerateArgs& args, CampaignOptions& options) {
    options.outDir = args.out;
    options.ports = args.ports;
    options.step = args.step;
    options.seed = args.seed;
    options.force = args.force;
    std::vector<double> numbers;
    if (!ParseNumberList(args.tilts, numbers)) return "--tilts must be a comma-separated list of numbers";
    std::string reason = WholeNumbersInRange(numbers, 0, 15, "tilts", options.tilts);
    if (!reason.empty()) return reason;
    if (!ParseNumberList(args.freqs, numbers)) return "--freqs must be a comma-separated list of numbers";
    reason = WholeNumbersInRange(numbers, 100, 10000, "frequencies", options.frequencies);
    if (!reason.empty()) return reason;
    return ValidateCampaignOptions(options);
}
} // namespace

void AddGenerateCommand(CLI::App& app, CliGlobals&, CommandAction& run) {
    auto* cmd = app.add_subcommand("generate", "Write a realistic measurement campaign with known truth");
    auto args = std::make_shared<GenerateArgs>();
    cmd->add_option("--out", args->out, "Folder to write the campaign into")->required();
    cmd->add_option("--ports", args->ports, "Number of ports (odd +45, even -45)")->capture_default_str();
    cmd->add_option("--tilts", args->tilts, "Electrical tilts in degrees, comma-separated")
        ->capture_default_str();
    cmd->add_option("--freqs", args->freqs, "Frequencies in MHz, comma-separated")->capture_default_str();
    cmd->add_option("--step", args->step, "Degrees between samples of a cut")->capture_default_str();
    cmd->add_option("--seed", args->seed, "Seed of the antenna's traits and the noise")
        ->check(CLI::NonNegativeNumber)
        ->capture_default_str();
    cmd->add_flag("--force", args->force, "Empty a folder that already holds files before writing");
    cmd->callback([&run, args] {
        run = [args] {
            CampaignOptions options;
            std::string reason = ToOptions(*args, options);
            if (!reason.empty()) {
                std::cerr << "generate: " << reason << "\n";
                return kExitUsage;
            }
            CampaignSummary summary;
            std::string error;
            if (!GenerateCampaign(options, summary, error)) {
                std::cerr << "generate: " << error << "\n";
                return kExitFailure;
            }
            std::cout << "wrote " << summary.patternFiles << " pattern files to " << options.outDir << "/"
                      << summary.testFolder << ", " << summary.curveFiles << " gain-level curves, "
                      << summary.envelopeFiles << " envelopes and truth.json\n";
            return kExitOk;
        };
    });
}
