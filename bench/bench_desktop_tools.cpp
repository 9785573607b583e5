// The desktop tools as whole processes, the way a file manager or a batch
// job meets them: lumivu-thumbnailer at 256 px on every real-world corpus
// file (wall time from start to exit, and peak memory, per process), and
// lumivu-render converting the whole corpus to PNG at width 800 in one
// batch with --jobs 2, against one process per file run one after another.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct ProcessRun {
    int status = -1;
    double ms = 0;
    double peakMB = 0;
};

std::string toolPath(const char* name)
{
    return (fs::read_symlink("/proc/self/exe").parent_path() / name).string();
}

// Runs argv with output discarded; wall time and the child's own peak
// resident memory (wait4 reports it for that child alone).
ProcessRun spawn(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ProcessRun run;
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (FILE* null = std::fopen("/dev/null", "w")) {
            dup2(fileno(null), 1);
            dup2(fileno(null), 2);
        }
        execv(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid > 0 && wait4(pid, &status, 0, &usage) == pid) {
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.peakMB = usage.ru_maxrss / 1024.0;
    }
    run.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return run;
}

std::vector<std::string> corpusFiles()
{
    std::vector<std::string> files;
    std::ifstream index(std::string(LUMIVU_CORPUS_DIR) + "/INDEX.tsv");
    std::string line;
    std::getline(index, line);
    while (std::getline(index, line)) {
        const std::string path = line.substr(0, line.find('\t'));
        if (!path.empty())
            files.push_back(std::string(LUMIVU_CORPUS_DIR) + "/" + path);
    }
    return files;
}

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

fs::path scratch(const char* name)
{
    const fs::path dir = fs::temp_directory_path() / (std::string("lumivu-bench-") + name + "-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

void BM_ThumbnailEachCorpusFile(benchmark::State& state)
{
    const std::vector<std::string> files = corpusFiles();
    if (files.empty()) {
        state.SkipWithError("no corpus");
        return;
    }
    const fs::path out = scratch("thumbs");
    const std::string program = toolPath("lumivu-thumbnailer");
    std::vector<double> times, peaks;
    int written = 0;
    for (auto _ : state) {
        times.clear();
        peaks.clear();
        written = 0;
        for (size_t i = 0; i < files.size(); ++i) {
            const std::string output = (out / (std::to_string(i) + ".png")).string();
            const ProcessRun r = spawn({program, "-s", "256", files[i], output});
            times.push_back(r.ms);
            peaks.push_back(r.peakMB);
            written += r.status == 0;
            if (r.ms > 1000)
                std::fprintf(stderr, "slow: %.0f ms %s\n", r.ms, files[i].c_str());
        }
        state.SetIterationTime(percentile(times, 0.5) / 1000.0);
    }
    state.counters["files"] = double(files.size());
    state.counters["written"] = written;
    state.counters["median_ms"] = percentile(times, 0.5);
    state.counters["p90_ms"] = percentile(times, 0.9);
    state.counters["worst_ms"] = percentile(times, 1.0);
    state.counters["peak_MB_median"] = percentile(peaks, 0.5);
    state.counters["peak_MB_worst"] = percentile(peaks, 1.0);
    fs::remove_all(out);
}
BENCHMARK(BM_ThumbnailEachCorpusFile)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_BatchCorpusJobs2(benchmark::State& state)
{
    const std::vector<std::string> files = corpusFiles();
    if (files.empty()) {
        state.SkipWithError("no corpus");
        return;
    }
    const fs::path out = scratch("batch");
    std::vector<std::string> argv = {toolPath("lumivu-render"), "--width", "800", "--jobs", "2", "--out-dir", out.string()};
    argv.insert(argv.end(), files.begin(), files.end());
    for (auto _ : state) {
        const ProcessRun r = spawn(argv);
        state.SetIterationTime(r.ms / 1000.0);
        state.counters["all_converted"] = r.status == 0;
    }
    state.counters["files"] = double(files.size());
    fs::remove_all(out);
}
BENCHMARK(BM_BatchCorpusJobs2)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_OneProcessPerCorpusFile(benchmark::State& state)
{
    const std::vector<std::string> files = corpusFiles();
    if (files.empty()) {
        state.SkipWithError("no corpus");
        return;
    }
    const fs::path out = scratch("each");
    const std::string program = toolPath("lumivu-render");
    for (auto _ : state) {
        double total = 0;
        int converted = 0;
        for (size_t i = 0; i < files.size(); ++i) {
            const ProcessRun r = spawn({program, "--width", "800", files[i], (out / (std::to_string(i) + ".png")).string()});
            total += r.ms;
            converted += r.status == 0;
        }
        state.SetIterationTime(total / 1000.0);
        state.counters["converted"] = converted;
    }
    state.counters["files"] = double(files.size());
    fs::remove_all(out);
}
BENCHMARK(BM_OneProcessPerCorpusFile)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
