#include "platform/real_path.h"

#include <windows.h>

#include <vector>

#include "platform/process.h"

namespace platform {
namespace {

std::wstring Wide(const std::string& text) {
  const int n =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  if (n > 0) {
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  }
  return wide;
}

std::string Narrow(const std::wstring& wide) {
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(n), '\0');
  if (n > 0) {
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n,
                        nullptr, nullptr);
  }
  return text;
}

// The final path of an existing file or folder, links and junctions followed; "" when it cannot
// be opened.
std::wstring Resolved(const std::wstring& path) {
  // No access asked: the folder or file is only named, so that a locked file still resolves.
  HANDLE handle =
      CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return {};
  std::vector<wchar_t> buffer(MAX_PATH);
  DWORD n = GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                      FILE_NAME_NORMALIZED);
  if (n >= buffer.size()) {
    buffer.resize(n + 1);
    n = GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                  FILE_NAME_NORMALIZED);
  }
  CloseHandle(handle);
  if (n == 0 || n >= buffer.size()) return {};
  std::wstring real(buffer.data(), n);
  if (real.starts_with(L"\\\\?\\UNC\\")) {
    real = L"\\\\" + real.substr(8);
  } else if (real.starts_with(L"\\\\?\\")) {
    real = real.substr(4);
  }
  while (real.size() > 3 && real.back() == L'\\') real.pop_back();
  return real;
}

std::wstring Lower(std::wstring text) {
  if (!text.empty()) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

}  // namespace

std::string RealPath(const std::string& path) {
  if (path.empty()) return {};
  std::wstring full = Wide(path);
  for (wchar_t& c : full) {
    if (c == L'/') c = L'\\';
  }
  // GetFullPathNameW joins the current folder and drive; ".." is left to the system below.
  const bool absolute = (full.size() >= 2 && full[1] == L':') || full.starts_with(L"\\\\");
  if (!absolute) {
    std::wstring here = Wide(CurrentFolder());
    if (here.empty()) return {};
    if (full[0] == L'\\') {
      full = here.substr(0, 2) + full;
    } else {
      if (here.back() != L'\\') here += L'\\';
      full = here + full;
    }
  }
  while (full.size() > 3 && full.back() == L'\\') full.pop_back();
  std::wstring rest;
  for (;;) {
    if (std::wstring real = Resolved(full); !real.empty()) {
      if (real.back() != L'\\' && !rest.empty()) real += L'\\';
      return Narrow(real + rest);
    }
    const std::size_t slash = full.find_last_of(L'\\');
    if (slash == std::wstring::npos || slash < 2) return {};
    const std::wstring name = full.substr(slash + 1);
    rest = rest.empty() ? name : name + L"\\" + rest;
    full = full.substr(0, slash == 2 ? 3 : slash);
  }
}

bool IsSameOrInside(const std::string& path, const std::string& folder) {
  const std::wstring real_path = Lower(Wide(RealPath(path)));
  std::wstring real_folder = Lower(Wide(RealPath(folder)));
  if (real_path.empty() || real_folder.empty()) return false;
  if (real_path == real_folder) return true;
  if (real_folder.back() != L'\\') real_folder += L'\\';
  return real_path.starts_with(real_folder);
}

}  // namespace platform
