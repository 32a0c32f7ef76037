// "Save Patch" for 500 staged pictures of a full 2501-entry New-SGold table
// (smaller ones rewritten in place, larger ones moved to erased flash), and the
// verification of that patch against the fullflash; reading that patch alone,
// and reading lines of 10 MB.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "bench/bench_files.h"
#include "commands/fullflash_commands.h"
#include "commands/patch_commands.h"
#include "commands/staging_commands.h"
#include "devtools/mkflash.h"
#include "devtools/seeded_random.h"
#include "patch/patch_verifier.h"
#include "patch/vkp_reader.h"
#include "support/fs_actions.h"
#include "ui/silent_ui.h"
#include "workspace/workspace.h"

namespace {

constexpr int kReplaced = 500;

/// A loaded image with 500 staging files kept aside, so every iteration can
/// stage them again by copying.
class PatchSetup {
  public:
    PatchSetup() : m_folder(std::filesystem::temp_directory_path() / "pictavo-bench-patch") {
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder / "staging");
        std::filesystem::create_directories(m_folder / "kept");
        MkflashOptions options = FullE71Table();
        const MkflashResult image = MakeFullflash(options);
        m_flash = image.bytes;
        const std::string flash = (m_folder / "flash.bin").string();
        WriteImage(flash, m_flash);

        ws.tempFolder = (m_folder / "staging").string();
        LoadFullflash(ws, ui, flash);
        SeededRandom random(5);
        for (int i = 0; i < kReplaced; ++i) {
            const auto row = static_cast<std::size_t>(i * 5);
            const PictureEntry& entry = ws.rows[row].entry;
            // Every fourth one grows past its place; the others shrink.
            const bool grows = i % 4 == 0;
            ws.picture.width = static_cast<std::int16_t>(grows ? std::min(240u, entry.width + 10)
                                                               : std::max(1u, entry.width / 2));
            ws.picture.height = static_cast<std::int16_t>(grows ? std::min(320u, entry.height + 10)
                                                                : std::max(1u, entry.height / 2));
            ws.picture.hasAlpha = false;
            for (int y = 0; y < ws.picture.height; ++y) {
                for (int x = 0; x < ws.picture.width; ++x) {
                    ws.picture.at(x, y) = {random.byte(), static_cast<std::uint8_t>(y),
                                           static_cast<std::uint8_t>(x), 0};
                }
            }
            StageShownPicture(ws, ui, row, grows ? 0x0A : 0x88);
            m_staged.push_back(row);
        }
        std::filesystem::copy(m_folder / "staging", m_folder / "kept");
    }
    ~PatchSetup() { std::filesystem::remove_all(m_folder); }

    void restage() {
        std::filesystem::copy(m_folder / "kept", m_folder / "staging",
                              std::filesystem::copy_options::overwrite_existing |
                                  std::filesystem::copy_options::recursive);
        for (std::size_t row : m_staged) ws.rows[row].changed = true;
        ws.flash.freeSpacePosition = kNewSGoldFreeSpaceStart;
    }
    [[nodiscard]] std::string patchPath() const { return (m_folder / "patch.vkp").string(); }
    [[nodiscard]] const std::vector<std::uint8_t>& flash() const { return m_flash; }

    Workspace ws;
    SilentUi ui;

  private:
    std::filesystem::path m_folder;
    std::vector<std::uint8_t> m_flash;
    std::vector<std::size_t> m_staged;
};

PatchSetup& setup() {
    static PatchSetup instance;
    return instance;
}

void BM_WritePatch500(benchmark::State& state) {
    PatchSetup& s = setup();
    for (auto _ : state) {
        state.PauseTiming();
        s.restage();
        state.ResumeTiming();
        benchmark::DoNotOptimize(WritePatchTo(s.ws, s.ui, s.patchPath()));
    }
    state.counters["patch_bytes"] = static_cast<double>(std::filesystem::file_size(s.patchPath()));
}
BENCHMARK(BM_WritePatch500)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_VerifyPatch500(benchmark::State& state) {
    PatchSetup& s = setup();
    s.restage();
    WritePatchTo(s.ws, s.ui, s.patchPath());
    const std::string text = FSactions_Tavik::ReadFileBytes(s.patchPath()).value_or("");
    PatchCheck check;
    for (auto _ : state) {
        check = VerifyPatch(s.flash(), text).check;
        benchmark::DoNotOptimize(check);
    }
    state.counters["clean"] = check.clean() ? 1 : 0;
    state.counters["pictures"] = static_cast<double>(check.changed.size());
    state.counters["relocated"] = static_cast<double>(std::count_if(
        check.changed.begin(), check.changed.end(),
        [](const ChangedPicture& p) { return p.dataOffset >= kNewSGoldFreeSpaceStart; }));
    state.counters["data_lines"] = check.dataLines;
}
BENCHMARK(BM_VerifyPatch500)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_ReadPatch500(benchmark::State& state) {
    PatchSetup& s = setup();
    s.restage();
    WritePatchTo(s.ws, s.ui, s.patchPath());
    const std::string text = FSactions_Tavik::ReadFileBytes(s.patchPath()).value_or("");
    for (auto _ : state) benchmark::DoNotOptimize(Vkp::ParseVkp(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadPatch500)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

/// Three lines of 10 MB each: one record, one comment, one line of garbage.
void BM_ReadLongLines(benchmark::State& state) {
    constexpr std::size_t kLine = 10'000'000;
    std::string text = "00000010: " + std::string(kLine / 2, 'A') + " " +
                       std::string(kLine / 2, 'B') + "\r\n; " + std::string(kLine, 'c') + "\r\n" +
                       std::string(kLine, 'g') + "\r\n";
    for (auto _ : state) benchmark::DoNotOptimize(Vkp::ParseVkp(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadLongLines)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace
