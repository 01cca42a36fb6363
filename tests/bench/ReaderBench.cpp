// Time per file of kind detection plus the five reader operations, next to the time of a
// bare open and close of the same file, on a camera JPEG, a raw file and an AVI clip that
// the test builders make. The files sit in the page cache after the first round.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/InputFile.h"
#include "readers/OpenReader.h"
#include "tests/support/MediaBuilders.h"

namespace {

struct Sample {
  const char* name;
  std::function<std::string()> make;
  std::string path;
};

void ReadAllFive(tBaseFile& reader) {
  benchmark::DoNotOptimize(reader.GetDateTime());
  benchmark::DoNotOptimize(reader.GetDateTimeOriginal());
  benchmark::DoNotOptimize(reader.GetModel());
  benchmark::DoNotOptimize(reader.GetImageSize());
  benchmark::DoNotOptimize(reader.IsPortrait());
}

void OpenClose(benchmark::State& state, const std::string& path) {
  for (auto _ : state) {
    platform::InputFile file(path);
    benchmark::DoNotOptimize(file.Size());
  }
}

// What the rename pass pays per file: open, classify, build the reader, read all five.
void KindAndFiveValues(benchmark::State& state, const std::string& path) {
  for (auto _ : state) {
    const std::unique_ptr<tBaseFile> reader = OpenReader(path);
    ReadAllFive(*reader);
  }
}

// The reading alone, on a reader already open.
void FiveValuesOnOpenReader(benchmark::State& state, const std::string& path) {
  const std::unique_ptr<tBaseFile> reader = OpenReader(path);
  for (auto _ : state) ReadAllFive(*reader);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                    ("stampel-bench-" + std::to_string(std::random_device()()));
  std::filesystem::create_directories(dir);
  std::vector<Sample> samples = {
      {"jpeg", test::CameraJpeg, ""}, {"raw", test::CameraRaw, ""}, {"avi", test::CameraAvi, ""}};
  for (Sample& sample : samples) {
    sample.path = (dir / (std::string("sample.") + sample.name)).string();
    const std::string bytes = sample.make();
    std::ofstream(sample.path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  for (const Sample& sample : samples) {
    const std::string& path = sample.path;
    benchmark::RegisterBenchmark((std::string("OpenClose/") + sample.name).c_str(),
                                 [path](benchmark::State& s) { OpenClose(s, path); });
    benchmark::RegisterBenchmark((std::string("KindAndFiveValues/") + sample.name).c_str(),
                                 [path](benchmark::State& s) { KindAndFiveValues(s, path); });
    benchmark::RegisterBenchmark((std::string("FiveValuesOnOpenReader/") + sample.name).c_str(),
                                 [path](benchmark::State& s) { FiveValuesOnOpenReader(s, path); });
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(dir);
  return 0;
}
