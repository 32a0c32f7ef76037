// "Extract GIFs/PNGs/XMLs" over a 96 MiB image with about 500 embedded files,
// warm in a tmpfs, the files written to a tmpfs folder. Goals per kind: at
// most 100 ms, and at most twice the time of a plain memmem pass for the
// kind's start signature over the same file, opened the same way (counter
// x_memmem, wall time; x_memmem_cpu compares CPU time). foremost and
// scalpel (Debian packages, only a yardstick here, never used by the program)
// carve the same file with the same signatures when installed; x_pictavo is
// their time over ours. "mkflash" is the generator's image as it is, mostly
// erased flash; "dense" has its erased runs filled with random bytes, as a
// fullflash full of code and data would be.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_files.h"
#include "commands/carve_commands.h"
#include "devtools/mkflash.h"
#include "support/fs_actions.h"
#include "support/mapped_file.h"
#include "ui/silent_ui.h"
#include "workspace/workspace.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr std::array<CarveKind, 3> kKinds{CarveKind::Gif, CarveKind::Png, CarveKind::Xml};
constexpr std::array<const char*, 3> kKindNames{"gif", "png", "xml"};
constexpr std::array<const char*, 2> kImageNames{"mkflash", "dense"};

fs::path benchFolder() {
    const fs::path shm = "/dev/shm";
    return (fs::is_directory(shm) ? shm : fs::path(FSactions_Tavik::TempFolder())) /
           "pictavo-carve-bench";
}

// The two images, written on first use and removed at exit.
class BenchImages {
  public:
    ~BenchImages() { fs::remove_all(benchFolder()); }

    const MappedFile& image(int index) {
        if (m_files[0] == nullptr) write();
        return *m_files[static_cast<std::size_t>(index)];
    }

  private:
    void write() {
        fs::create_directories(benchFolder());
        MkflashOptions options;
        options.sizeMiB = 96;
        options.pictures = 2000;
        options.embeddedFiles = 498;
        options.filesAtEnd = true;
        MkflashResult image = MakeFullflash(options);
        save(0, image.bytes);
        std::uint64_t state = 0x9E3779B97F4A7C15ull;
        for (const MkflashRegion& region : image.layout.erased) {
            for (std::uint32_t i = region.offset; i < region.offset + region.size; ++i) {
                state = state * 6364136223846793005ull + 1442695040888963407ull;
                image.bytes[i] = static_cast<std::uint8_t>(state >> 56);
            }
        }
        save(1, image.bytes);
    }
    void save(int index, const std::vector<std::uint8_t>& bytes) {
        const fs::path path =
            benchFolder() / (std::string(kImageNames[static_cast<std::size_t>(index)]) + ".bin");
        WriteImage(path.string(), bytes);
        m_files[static_cast<std::size_t>(index)] = MappedFile::open(path.string());
    }

    std::array<std::unique_ptr<MappedFile>, 2> m_files;
};

BenchImages& images() {
    static BenchImages instance;
    return instance;
}

struct Seconds {
    double wall = 0;
    double cpu = 0;  ///< of this thread, system time included
};

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

Seconds secondsOf(const std::function<void()>& work) {
    const double cpu = threadCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    work();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            threadCpuSeconds() - cpu};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

/// The yardstick: open the file as the carver does (mapped), then one memmem
/// pass counting the kind's start signature.
std::size_t countStarts(const std::string& path, CarveKind kind) {
    const auto file = MappedFile::open(path);
    const std::string_view start = SignatureOf(kind).start;
    const auto* data = file->bytes().data();
    const auto* end = data + file->size();
    std::size_t count = 0;
    for (const auto* at = data;; ++at) {
        at = static_cast<const std::uint8_t*>(
            memmem(at, static_cast<std::size_t>(end - at), start.data(), start.size()));
        if (at == nullptr) return count;
        ++count;
    }
}

/// A fresh, empty output folder.
std::string outputFolder() {
    const fs::path folder = benchFolder() / "out";
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder.string() + "/";
}

std::size_t filesIn(const fs::path& folder) {
    std::size_t count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        count += entry.is_regular_file() ? 1 : 0;
    return count;
}

int carve(const std::string& path, CarveKind kind, const std::string& folder) {
    Workspace ws;
    SilentUi ui;
    return CarveFiles(ws, ui, path, kind, folder).value_or(-1);
}

// Median wall seconds of our carve per kind and image, for the other tools' ratio.
std::map<std::pair<int, int>, double>& carveSeconds() {
    static std::map<std::pair<int, int>, double> seconds;
    return seconds;
}

void BM_Carve(benchmark::State& state, int kind, int image) {
    const std::string& path = images().image(image).path();
    int written = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string folder = outputFolder();
        state.ResumeTiming();
        written = carve(path, kKinds[kind], folder);
    }
    // The ratio to the yardstick from runs taken in turns, so that whatever
    // else the machine does weighs on both alike.
    std::vector<double> ours[2];
    std::vector<double> yardstick[2];
    for (int round = 0; round < 15; ++round) {
        const std::string folder = outputFolder();
        const Seconds carved =
            secondsOf([&] { benchmark::DoNotOptimize(carve(path, kKinds[kind], folder)); });
        const Seconds scanned =
            secondsOf([&] { benchmark::DoNotOptimize(countStarts(path, kKinds[kind])); });
        ours[0].push_back(carved.wall);
        ours[1].push_back(carved.cpu);
        yardstick[0].push_back(scanned.wall);
        yardstick[1].push_back(scanned.cpu);
    }
    carveSeconds()[{kind, image}] = median(ours[0]);
    state.counters["files"] = written;
    state.counters["ms"] = median(ours[0]) * 1e3;
    state.counters["memmem_ms"] = median(yardstick[0]) * 1e3;
    state.counters["x_memmem"] = median(ours[0]) / median(yardstick[0]);
    state.counters["x_memmem_cpu"] = median(ours[1]) / median(yardstick[1]);
}

void BM_Memmem(benchmark::State& state, int kind, int image) {
    const std::string& path = images().image(image).path();
    std::size_t starts = 0;
    for (auto _ : state) {
        starts = countStarts(path, kKinds[kind]);
        benchmark::DoNotOptimize(starts);
    }
    state.counters["starts"] = static_cast<double>(starts);
}

/// A signature as the carvers' configuration files write bytes.
std::string escaped(std::string_view bytes) {
    std::string text;
    for (unsigned char c : bytes) {
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02x", c);
        text += hex;
    }
    return text;
}

bool runProgram(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const bool started = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return started && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

bool installed(const std::string& program) {
    for (const char* folder : {"/usr/bin/", "/usr/local/bin/", "/bin/"}) {
        if (fs::exists(folder + program)) return true;
    }
    return false;
}

void BM_OtherCarver(benchmark::State& state, const std::string& program, int kind, int image) {
    if (!installed(program)) {
        state.SkipWithError(
            (program + " is not installed (a measuring aid only: apt-get install " + program + ")")
                .c_str());
        return;
    }
    const MappedFile& file = images().image(image);
    const CarveSignature& signature = SignatureOf(kKinds[kind]);
    const fs::path config = benchFolder() / (program + ".conf");
    std::ofstream(config) << signature.extension.substr(1) << " y 5000000 "
                          << escaped(signature.start) << ' ' << escaped(signature.end) << '\n';
    const fs::path out = benchFolder() / "other";
    std::vector<double> times;
    bool ran = true;
    for (auto _ : state) {
        fs::remove_all(out);
        std::vector<std::string> command =
            program == "foremost"
                ? std::vector<std::string>{program, "-Q",        "-c", config.string(),
                                           "-i",    file.path(), "-o", out.string()}
                : std::vector<std::string>{program, "-c",         config.string(),
                                           "-o",    out.string(), file.path()};
        const double seconds = secondsOf([&] { ran = runProgram(command) && ran; }).wall;
        state.SetIterationTime(seconds);
        times.push_back(seconds);
    }
    if (!ran) state.SkipWithError((program + " failed").c_str());
    state.counters["files"] = static_cast<double>(filesIn(out) - 1);  // less its audit file
    const auto ours = carveSeconds().find({kind, image});
    if (ours != carveSeconds().end()) state.counters["x_pictavo"] = median(times) / ours->second;
}

const bool kRegistered = [] {
    for (int image = 0; image < 2; ++image) {
        for (int kind = 0; kind < 3; ++kind) {
            const std::string suffix = std::string(kKindNames[kind]) + "/" + kImageNames[image];
            benchmark::RegisterBenchmark(("Carve/" + suffix).c_str(), BM_Carve, kind, image)
                ->UseRealTime()
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("Memmem/" + suffix).c_str(), BM_Memmem, kind, image)
                ->Unit(benchmark::kMillisecond);
            for (const char* program : {"foremost", "scalpel"}) {
                benchmark::RegisterBenchmark((std::string(program) + "/" + suffix).c_str(),
                                             BM_OtherCarver, std::string(program), kind, image)
                    ->UseManualTime()
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(3);
            }
        }
    }
    return true;
}();

}  // namespace
