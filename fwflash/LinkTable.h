// A transport's table of open links. Opening appends a record and hands out
// the table size as the link number; 0 names the last record and n > 0 the
// record n - 1. Safe to use from several threads.
#pragma once

#include <mutex>
#include <optional>
#include <vector>

namespace fwflash {

template <typename Record>
class LinkTable {
 public:
  // Appends `record`; returns its link number (the new table size, from 1).
  int Add(Record record) {
    std::lock_guard lock(mutex_);
    records_.push_back(std::move(record));
    return static_cast<int>(records_.size());
  }

  // The record `number` designates; nullopt when the table is empty, the
  // number is above the table size or negative.
  std::optional<Record> Find(int number) const {
    std::lock_guard lock(mutex_);
    const std::optional<size_t> index = IndexOf(number);
    if (!index) return std::nullopt;
    return records_[*index];
  }

  // Removes the record `number` designates (later records move down) and
  // returns it; nullopt when there is none.
  std::optional<Record> Remove(int number) {
    std::lock_guard lock(mutex_);
    const std::optional<size_t> index = IndexOf(number);
    if (!index) return std::nullopt;
    Record record = std::move(records_[*index]);
    records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(*index));
    return record;
  }

  size_t size() const {
    std::lock_guard lock(mutex_);
    return records_.size();
  }

 private:
  std::optional<size_t> IndexOf(int number) const {
    if (records_.empty() || number < 0 || static_cast<size_t>(number) > records_.size()) return std::nullopt;
    return number == 0 ? records_.size() - 1 : static_cast<size_t>(number) - 1;
  }

  mutable std::mutex mutex_;
  std::vector<Record> records_;
};

}  // namespace fwflash
