#include "platform/FaultyFileSystem.h"

#include <algorithm>

#include "platform/Errors.h"
#include "platform/FileOperations.h"

namespace platform {

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class FaultyReadable final : public ReadableFile {
 public:
  FaultyReadable(std::unique_ptr<ReadableFile> inner, FaultyFileSystem& owner, std::string path)
      : inner_(std::move(inner)), owner_(owner), path_(std::move(path)) {}

  const FileFacts& Facts() const override { return inner_->Facts(); }

  size_t ReadAt(int64_t position, void* buffer, size_t count) override {
    int code = owner_.Fault(FaultyFileSystem::Call::Read);
    int badByteCode = 0;
    const int64_t bad = owner_.ReadLimit(path_, badByteCode);
    // Only a read that takes in the bad byte fails, as one over a bad sector does.
    const int64_t end = std::min(position + static_cast<int64_t>(count), inner_->Facts().size);
    if (code == 0 && bad >= 0 && position <= bad && bad < end) code = badByteCode;
    if (code != 0)
      throw EReadError("Cannot read file \"" + path_ + "\". " + SystemErrorMessage(code));
    return inner_->ReadAt(position, buffer, count);
  }

 private:
  std::unique_ptr<ReadableFile> inner_;
  FaultyFileSystem& owner_;
  std::string path_;
};

class FaultyStampable final : public StampableFile {
 public:
  FaultyStampable(std::unique_ptr<StampableFile> inner, FaultyFileSystem& owner)
      : inner_(std::move(inner)), owner_(owner) {}

  bool Facts(FileFacts& facts) override { return inner_->Facts(facts); }
  bool Times(FileTimes& times) override { return inner_->Times(times); }
  int Stamp(TDateTime localTime) override {
    if (const int code = owner_.Fault(FaultyFileSystem::Call::Stamp)) return code;
    return inner_->Stamp(localTime);
  }

 private:
  std::unique_ptr<StampableFile> inner_;
  FaultyFileSystem& owner_;
};

class FaultyAppendOnly final : public AppendOnlyFile {
 public:
  FaultyAppendOnly(std::unique_ptr<AppendOnlyFile> inner, FaultyFileSystem& owner)
      : inner_(std::move(inner)), owner_(owner) {}

  int Append(const std::string& text) override {
    if (const int code = owner_.Fault(FaultyFileSystem::Call::JournalWrite)) return code;
    if (!owner_.Spend(static_cast<int64_t>(text.size()))) return SystemCode(KnownError::DiskFull);
    return inner_->Append(text);
  }
  int Close() override { return inner_->Close(); }

 private:
  std::unique_ptr<AppendOnlyFile> inner_;
  FaultyFileSystem& owner_;
};

}  // namespace

void FaultyFileSystem::FailCall(Call kind, int k, int code, bool andLater) {
  planned_[Index(kind)].push_back({calls_[Index(kind)] + k, code, andLater});
}

void FaultyFileSystem::FailReadsAt(const std::string& name, int64_t at, int code) {
  readFaults_.push_back({name, at, code});
}

int FaultyFileSystem::Fault(Call kind) {
  const int number = ++calls_[Index(kind)];
  for (const Planned& plan : planned_[Index(kind)])
    if (number == plan.at || (plan.andLater && number > plan.at)) return plan.code;
  return 0;
}

bool FaultyFileSystem::Spend(int64_t bytes) {
  if (spaceLeft_ < 0) return true;
  if (bytes > spaceLeft_) return false;
  spaceLeft_ -= bytes;
  return true;
}

int64_t FaultyFileSystem::ReadLimit(const std::string& path, int& code) const {
  for (const ReadFault& fault : readFaults_)
    if (EndsWith(path, fault.name)) {
      code = fault.code;
      return fault.at;
    }
  return -1;
}

std::unique_ptr<ReadableFile> FaultyFileSystem::OpenForReading(const std::string& path) {
  if (const int code = Fault(Call::Open))
    throw EFOpenError("Cannot open file \"" + path + "\". " + SystemErrorMessage(code));
  return std::make_unique<FaultyReadable>(Inner().OpenForReading(path), *this, path);
}

std::unique_ptr<StampableFile> FaultyFileSystem::OpenForStamp(const std::string& path, int& code) {
  std::unique_ptr<StampableFile> file = Inner().OpenForStamp(path, code);
  if (!file) return nullptr;
  return std::make_unique<FaultyStampable>(std::move(file), *this);
}

int FaultyFileSystem::SetExactTimes(const std::string& path, int64_t modified, int64_t created) {
  if (const int code = Fault(Call::SetTimes)) return code;
  return Inner().SetExactTimes(path, modified, created);
}

int FaultyFileSystem::MakeFolders(const std::string& folder) {
  if (const int code = Fault(Call::Folder)) return code;
  return Inner().MakeFolders(folder);
}

int FaultyFileSystem::RemoveEmptyFolder(const std::string& folder) {
  if (const int code = Fault(Call::Folder)) return code;
  return Inner().RemoveEmptyFolder(folder);
}

int FaultyFileSystem::RemoveFile(const std::string& path, bool evenIfReadOnly) {
  if (const int code = Fault(Call::Remove)) return code;
  return Inner().RemoveFile(path, evenIfReadOnly);
}

int FaultyFileSystem::Move(const std::string& source, const std::string& target, bool replace) {
  if (const int code = Fault(Call::Move)) return code;
  if (!acrossDevices_) return Inner().Move(source, target, replace);
  // As the system moves to another file system: the source goes only once its copy is
  // complete, and a move that fails as a whole leaves only the source.
  if (const int code = Copy(source, target, replace)) return code;
  const int code = RemoveFile(source, true);
  if (code != 0 && !replace) Inner().RemoveFile(target, true);
  return code;
}

int FaultyFileSystem::Copy(const std::string& source, const std::string& target, bool replace) {
  if (const int code = Fault(Call::Copy)) return code;
  FileFacts facts;
  if (Inner().ReadFacts(source, facts) && !Spend(facts.size))
    return SystemCode(KnownError::DiskFull);
  return Inner().Copy(source, target, replace);
}

int FaultyFileSystem::RenameLetterCase(
    const std::string& source, const std::string& target,
    const std::function<void(const std::string&)>& beforeDetour) {
  if (const int code = Fault(Call::Move)) return code;
  return Inner().RenameLetterCase(source, target, beforeDetour);
}

std::unique_ptr<AppendOnlyFile> FaultyFileSystem::CreateAppendOnly(const std::string& path,
                                                                   int& code) {
  code = Fault(Call::JournalOpen);
  if (code != 0) return nullptr;
  std::unique_ptr<AppendOnlyFile> file = Inner().CreateAppendOnly(path, code);
  if (!file) return nullptr;
  return std::make_unique<FaultyAppendOnly>(std::move(file), *this);
}

}  // namespace platform
