// Time per file of kind detection plus the five reader operations, next to the time of a
// bare open and close of the same file, on a camera JPEG, a raw file, an AVI clip, a phone
// HEIC and a 30 MB phone clip that the test builders make, and on real files of the sample
// folder named by STAMPEL_SAMPLES (nothing of it is copied). The files sit in the page
// cache after the first round.
//   STAMPEL_SAMPLES=../shared/samples build/native/tests/bench/reader_bench
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
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
    benchmark::DoNotOptimize(file.Facts().size);
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
  std::vector<Sample> samples = {{"jpeg", test::CameraJpeg, ""},
                                 {"raw", test::CameraRaw, ""},
                                 {"avi", test::CameraAvi, ""},
                                 {"heic", test::CameraHeic, ""},
                                 {"mp4", test::CameraMp4, ""}};
  for (Sample& sample : samples) {
    sample.path = (dir / (std::string("sample.") + sample.name)).string();
    const std::string bytes = sample.make();
    std::ofstream(sample.path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  // Real files: a camera JPEG, phone HEICs (one with its Exif at the end), clips and a CR3.
  if (const char* folder = std::getenv("STAMPEL_SAMPLES")) {
    for (const char* name :
         {"jpeg/mei_Samsung_SM-J327T1.jpg", "other/ies_IMG_5195.HEIC", "other/mei_exif-at-eof.heic",
          "other/mei_xmp480qt.mov", "other/ft_fixture.mov", "other/mei_with-gps.mp4",
          "other/mei_sample.3gp", "raw-other/ex2_Canon-R6-pruned.CR3"}) {
      const std::filesystem::path path = std::filesystem::path(folder) / name;
      if (std::filesystem::exists(path))
        samples.push_back({name, nullptr, path.string()});
      else
        std::fprintf(stderr, "not in the samples: %s\n", name);
    }
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
