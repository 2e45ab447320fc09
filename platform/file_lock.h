// A lock held on a file by one process at a time, for work that two programs must not do at once
// in one folder (two uploads). The system releases it when the process ends in any way, killed
// included, so that a lock file left behind never blocks anyone.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

class FileLock {
 public:
  FileLock() = default;
  ~FileLock() { Release(); }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Creates `path` when missing and takes the lock without waiting. False when another process
  // holds it (`busy` set) or the file cannot be opened (the system's error set for LastErrorText).
  // Linux: flock on a descriptor that the programs started meanwhile inherit, so that a tool
  // still writing after its caller was killed keeps the folder locked; Windows: the file opened
  // without sharing.
  [[nodiscard]] bool TryAcquire(const std::string& path, bool& busy);
  void Release();
  bool held() const { return handle_ != kNone; }

 private:
  static constexpr std::intptr_t kNone = -1;
  std::intptr_t handle_ = kNone;
};

}  // namespace platform
