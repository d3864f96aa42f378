// Micro-benchmarks of the pieces the command line spends its time in: each reader per MB, each
// pattern primitive, the driver per file, the result-line builders and the planning-file writers. Run:
// build/bench/MicroBench.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>

#include "analysis/Primitives.h"
#include "app/TextUtil.h"
#include "cli/JsonStream.h"
#include "cli/ResultRecordText.h"
#include "commands/Analysis.h"
#include "document/CurveFormats.h"
#include "document/EncryptedFormat.h"
#include "document/ExactDataFormat.h"
#include "document/MsiFormat.h"
#include "document/QuadrelDoc.h"
#include "export/EnterpriseXml.h"
#include "export/PlnExport.h"

namespace {
double Level(double angle, double width) {
    const double u = angle / width;
    const double field = std::abs(std::cos(u * 1.2)) * std::exp(-u * u * 0.15) + 0.003;
    return std::min(45.0, -20.0 * std::log10(field));
}

// A measured MSI file as the test system writes it: 0..359.5 horizontal, then vertical.
std::string MsiText() {
    std::string text = "NAME BENCH\r\nFREQUENCY 1800\r\n720\r\nTILT\r\nCOMMENT\r\nHORIZONTAL 360\r\n";
    for (int i = 0; i < 720; ++i) {
        if (i == 360) text += "VERTICAL 360\r\n";
        const double angle = (i % 360) * 0.5;
        text += FormatFixed(angle, 2) + " " + FormatFixed(Level(angle > 180 ? angle - 360 : angle, 40), 2) +
                "\r\n";
    }
    return text;
}

std::string ExactText() {
    std::string text = "NORVAN ZR460 Exact Data\r\n17.5\r\n720\r\n";
    for (int i = 0; i < 720; ++i) {
        const double angle = -179.5 + i * 0.5;
        text += FormatFixed(angle, 2) + "\t" + FormatFixed(-Level(angle, 40), 3) + "\r\n";
    }
    return text;
}

Cut AscendingCut(double width) {
    Cut cut;
    for (int i = 0; i < 720; ++i) {
        const double angle = -179.5 + i * 0.5;
        cut.push_back({static_cast<float>(angle), static_cast<float>(-Level(angle, width))});
    }
    return cut;
}

void PerMb(benchmark::State& state, size_t bytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void MsiReader(benchmark::State& state) {
    const std::string text = MsiText();
    for (auto _ : state) {
        MsiContent content;
        ParseMsiText(text, content);
        benchmark::DoNotOptimize(content.samples.data());
    }
    PerMb(state, text.size());
}
BENCHMARK(MsiReader);

void ExactDataReader(benchmark::State& state) {
    const std::string text = ExactText();
    for (auto _ : state) {
        ExactDataContent content;
        ParseExactDataText(text, content);
        benchmark::DoNotOptimize(content.samples.data());
    }
    PerMb(state, text.size());
}
BENCHMARK(ExactDataReader);

void EncryptedReader(benchmark::State& state) {
    EncryptedContent original;
    original.frequency = 1800;
    original.samples = AscendingCut(40);
    const std::string bytes = EncodeEncrypted(original, "p1_p45_h_co_2_0_1800.cm");
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeEncrypted(bytes, "p1_p45_h_co_2_0_1800.cm").samples.data());
    PerMb(state, bytes.size());
}
BENCHMARK(EncryptedReader);

void CurveReader(benchmark::State& state) {
    std::string text;
    for (int f = 1700; f <= 2700; f += 5)
        text += std::to_string(f) + "\t" + FormatFixed(15 + f * 0.001, 2) + "\r\n";
    for (auto _ : state) benchmark::DoNotOptimize(ParseGainCurve(text).data());
    PerMb(state, text.size());
}
BENCHMARK(CurveReader);

void NumberReader(benchmark::State& state) {
    const char* numbers[] = {"179.50", "-23.45", "0.5", "12", "1.5e1", "2670"};
    for (auto _ : state)
        for (const char* n : numbers) benchmark::DoNotOptimize(ParseLeadingDouble(n));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * std::size(numbers)));
}
BENCHMARK(NumberReader);

// The fixed-decimal writer of every planning file row, against printf's.
void FixedWriter(benchmark::State& state) {
    const double values[] = {179.5, -23.456, 0.125, 12.0, 1.005, 359.0};
    std::string text;
    for (auto _ : state) {
        text.clear();
        for (double v : values) AppendFixed(text, v, 2);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * std::size(values)));
}
BENCHMARK(FixedWriter);

void PrintfFixed(benchmark::State& state) {
    const double values[] = {179.5, -23.456, 0.125, 12.0, 1.005, 359.0};
    char buffer[64];
    for (auto _ : state)
        for (double v : values) benchmark::DoNotOptimize(std::snprintf(buffer, sizeof buffer, "%.2f", v));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * std::size(values)));
}
BENCHMARK(PrintfFixed);

// A planning-file table of one cut and the enterprise XML of a ten-pattern group.
void PlanningRows(benchmark::State& state) {
    const Cut cut = AscendingCut(40);
    std::string text;
    for (auto _ : state) {
        text.clear();
        AppendAttenuationRows(text, cut, 0.0f);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * cut.size()));
}
BENCHMARK(PlanningRows);

void EnterpriseXmlGroup(benchmark::State& state) {
    BeamPattern pattern;
    pattern.fileName = "QX6518_1710_X_CO_00T_M45";
    for (int a = 0; a < 360; ++a) {
        pattern.hMask.push_back({static_cast<float>(a), static_cast<float>(Level(a, 65.0))});
        pattern.vMask.push_back({static_cast<float>(a), static_cast<float>(Level(a, 9.0))});
    }
    const std::vector<BeamPattern> group(10, pattern);
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string xml = BuildEnterpriseXml(group, "dBi");
        bytes = xml.size();
        benchmark::DoNotOptimize(xml.data());
    }
    PerMb(state, bytes);
}
BENCHMARK(EnterpriseXmlGroup);

void FindMaxMinCut(benchmark::State& state) {
    const Cut cut = AscendingCut(40);
    for (auto _ : state) benchmark::DoNotOptimize(FindMaxMin(cut));
}
BENCHMARK(FindMaxMinCut);

void MaxInRangeCut(benchmark::State& state) {
    const Cut cut = AscendingCut(40);
    for (auto _ : state) benchmark::DoNotOptimize(MaxInRange(cut, -60, 60));
}
BENCHMARK(MaxInRangeCut);

void LevelAtCut(benchmark::State& state) {
    const Cut cut = AscendingCut(40);
    for (auto _ : state) benchmark::DoNotOptimize(LevelAt(cut, 33.3));
}
BENCHMARK(LevelAtCut);

void BeamEdgesCut(benchmark::State& state) {
    Cut cut = AscendingCut(40);
    NameFields names;
    names[kFieldPlane] = "h";
    IndicatorResult r;
    r.Hmax = FindMaxMin(cut).max;
    for (auto _ : state) benchmark::DoNotOptimize(BeamEdges(cut, r, names, 3.0));
}
BENCHMARK(BeamEdgesCut);

void ParabolicPeakCut(benchmark::State& state) {
    const Cut cut = AscendingCut(40);
    for (auto _ : state) benchmark::DoNotOptimize(ParabolicPeak(cut, 0.0, 0.0));
}
BENCHMARK(ParabolicPeakCut);

void RotateCutBy180(benchmark::State& state) {
    Cut cut = AscendingCut(40);
    for (auto _ : state) {
        RotateCut(cut, 180.0);
        benchmark::DoNotOptimize(cut.data());
    }
}
BENCHMARK(RotateCutBy180);

void IntegratePowerCut(benchmark::State& state) {
    std::vector<double> values;
    for (const PatternPoint& p : AscendingCut(40)) values.push_back(std::pow(10.0, p.fMag / 10.0));
    for (auto _ : state) benchmark::DoNotOptimize(IntegratePower(values, -180, 180));
}
BENCHMARK(IntegratePowerCut);

// The whole-table run over the four cuts of one port, tilt and frequency, per file.
void DriverPerFile(benchmark::State& state) {
    CQuadrelDoc doc;
    const char* names[] = {"p1_p45_h_co_2_0_1800.msi", "p1_p45_h_cr_2_0_1800.msi", "p1_p45_e_co_2_0_1800.msi",
                           "p1_p45_e_cr_2_0_1800.msi"};
    for (const char* name : names) {
        const std::string path = std::string("/bench/Lab_P_M_20261208_B_SN/") + name;
        PatternFile& f = doc.table[path];
        f.key = f.path = path;
        f.fileName = name;
        f.names = {"Lab",
                   "P",
                   "M",
                   "20261208",
                   "B",
                   "SN",
                   "p1",
                   "p45",
                   name[7] == 'h' ? "h" : "e",
                   name[10] == 'o' ? "co" : "cr",
                   "2",
                   "0",
                   "1800"};
        f.samples = AscendingCut(name[7] == 'h' ? 40 : 6);
        if (name[10] == 'r')
            for (PatternPoint& p : f.samples) p.fMag -= 20;
    }
    for (auto _ : state) {
        for (auto& [key, file] : doc.table) file.results = IndicatorResult{};
        AnalyseAll(doc);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * doc.table.size()));
}
BENCHMARK(DriverPerFile);

IndicatorResult SampleResult() {
    IndicatorResult r;
    r.HBW3 = 65.43f;
    r.Hmax = {0.25f, -0.01f};
    r.VSS[0] = 17.2f;
    r.GFR = 2.1500034f;
    return r;
}

void CsvRowBuilder(benchmark::State& state) {
    const IndicatorResult r = SampleResult();
    std::string text;
    for (auto _ : state) {
        text.clear();
        AppendResultCsvRow(text, "/lab/folder/p1_p45_h_co_2_0_1800.msi", r);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(CsvRowBuilder);

void JsonRecordBuilder(benchmark::State& state) {
    const IndicatorResult r = SampleResult();
    std::ostringstream sink;
    JsonStream out(sink);
    out.BeginArray();
    for (auto _ : state) {
        WriteResultJson(out, "/lab/folder/p1_p45_h_co_2_0_1800.msi", r, {});
        if (sink.tellp() > (1 << 24)) sink.str({});
    }
    out.EndArray();
}
BENCHMARK(JsonRecordBuilder);
} // namespace

BENCHMARK_MAIN();
