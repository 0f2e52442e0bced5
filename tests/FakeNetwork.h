// A stand-in network for core's walks: records per container, served in batches of a fixed size,
// with failures that can be set per container.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "core/NetworkProvider.h"

namespace velloway::testing {

class FakeNetwork final : public NetworkProvider {
 public:
  struct Level {
    std::vector<NetResource> records;
    std::uint32_t openResult = kNoError;
    std::uint32_t failAfterBatches = UINT32_MAX;  // the read after this many batches fails with 1208
  };

  // Records below container (u"" for the top level).
  Level& Below(const Text& container) { return levels_[container]; }
  size_t batchSize = 3;
  int openCount = 0;
  int closeCount = 0;
  std::vector<std::uint32_t> openedScopes;
  std::vector<NetResource> openedContainers;  // the container of every open that named one

  std::uint32_t OpenEnum(std::uint32_t scope, std::uint32_t, std::uint32_t, const NetResource* container,
                         std::unique_ptr<ResourceEnumeration>& enumeration) override {
    const Level& level = levels_[container == nullptr ? Text() : container->RemoteName];
    openedScopes.push_back(scope);
    if (container != nullptr) openedContainers.push_back(*container);
    if (level.openResult != kNoError) return level.openResult;
    ++openCount;
    enumeration = std::make_unique<Enumeration>(*this, level);
    return kNoError;
  }
  std::uint32_t AddConnection(const std::optional<Text>&, const Text&, const Text*, const Text*) override {
    return 1222;
  }
  std::uint32_t CancelConnection(const Text&, bool) override { return 1222; }
  std::optional<Text> ConnectionUser(const Text&) override { return std::nullopt; }

 private:
  class Enumeration final : public ResourceEnumeration {
   public:
    Enumeration(FakeNetwork& network, const Level& level) : network_(network), level_(level) {}
    ~Enumeration() override { ++network_.closeCount; }
    std::uint32_t Next(std::vector<NetResource>& records) override {
      records.clear();
      if (batches_ == level_.failAfterBatches) return 1208;
      if (position_ >= level_.records.size()) return kErrorNoMoreItems;
      const size_t end = std::min(position_ + network_.batchSize, level_.records.size());
      records.assign(level_.records.begin() + static_cast<std::ptrdiff_t>(position_),
                     level_.records.begin() + static_cast<std::ptrdiff_t>(end));
      position_ = end;
      ++batches_;
      return kNoError;
    }

   private:
    FakeNetwork& network_;
    const Level& level_;
    size_t position_ = 0;
    std::uint32_t batches_ = 0;
  };

  std::map<Text, Level> levels_;
};

inline NetResource Disk(Text local, Text remote, Text provider = kWindowsNetwork, std::uint32_t usage = 0) {
  NetResource record;
  record.Type = kResourceTypeDisk;
  record.Usage = usage;
  record.LocalName = std::move(local);
  record.RemoteName = std::move(remote);
  record.Provider = std::move(provider);
  return record;
}

}  // namespace velloway::testing
