// The hibernation file is extended by positioning and a two-byte write, never by writing
// the zeros: creating a file of a gigabyte must cost about what one of a megabyte costs.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "actions/FirmwareActions.h"
#include "sys/posix/PosixSystem.h"

namespace {

void BM_HibernationFile(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path() / "tovika-bench-hiber";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "hiber.dat").string();
    sys::PosixFileSystem files;
    const auto size = static_cast<std::uint32_t>(state.range(0));
    for (auto _ : state)
        actions::WriteHibernationFile(path, size, files, [](const std::string&) {});
    std::filesystem::remove_all(dir);
    state.SetLabel(std::to_string(size >> 20) + " MiB");
}

BENCHMARK(BM_HibernationFile)->Arg(1 << 20)->Arg(1 << 30)->UseRealTime();

}  // namespace
