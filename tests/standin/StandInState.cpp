// Reading and writing the stand-in network's state file: UTF-16 lines of tab-separated fields.
#include "StandInState.h"

#include <cwchar>
#include <initializer_list>
#include <string_view>

namespace velloway::standin {
namespace {

// Optional texts: an empty field is absent, "=" followed by the text is present (so absent and empty
// credentials stay apart).
std::wstring EncodeOptional(const std::optional<std::wstring>& text) { return text ? L"=" + *text : L""; }

std::optional<std::wstring> DecodeOptional(const std::wstring& field) {
  if (field.empty()) return std::nullopt;
  return field.substr(1);
}

// A name may hold a line break or a tab, as a hostile server's may: in the file they stand as characters of
// the private use area, so that the lines and fields stay apart.
constexpr wchar_t kEscapeBase = 0xE000;

std::wstring EscapeField(const std::wstring& field) {
  std::wstring escaped;
  for (wchar_t c : field) escaped += c == L'\t' || c == L'\n' || c == L'\r' ? static_cast<wchar_t>(kEscapeBase + c) : c;
  return escaped;
}

std::wstring UnescapeField(std::wstring_view field) {
  std::wstring text;
  for (wchar_t c : field) {
    const bool escaped = c == kEscapeBase + L'\t' || c == kEscapeBase + L'\n' || c == kEscapeBase + L'\r';
    text += escaped ? static_cast<wchar_t>(c - kEscapeBase) : c;
  }
  return text;
}

std::vector<std::wstring> SplitFields(std::wstring_view line) {
  std::vector<std::wstring> fields;
  size_t start = 0;
  while (true) {
    const size_t tab = line.find(L'\t', start);
    fields.push_back(
        UnescapeField(line.substr(start, tab == std::wstring_view::npos ? std::wstring_view::npos : tab - start)));
    if (tab == std::wstring_view::npos) return fields;
    start = tab + 1;
  }
}

DWORD ToNumber(const std::wstring& field) { return static_cast<DWORD>(std::wcstoul(field.c_str(), nullptr, 10)); }

void ParseLine(const std::vector<std::wstring>& f, State& state) {
  const std::wstring& kind = f[0];
  if (kind == L"share" && f.size() >= 5) {
    state.Shares.push_back(Share{f[1], ToNumber(f[2]), f[3], f[4]});
  } else if (kind == L"connection" && f.size() >= 5) {
    state.Connections.push_back(Connection{f[1] == L"foreign" ? Owner::Foreign : Owner::WindowsNetwork, f[2], f[3],
                                           f[4] == L"1", f.size() >= 6 ? f[5] : std::wstring()});
  } else if (kind == L"browse" && f.size() >= 7) {
    state.Browse.push_back(BrowseEntry{f[1], f[2], ToNumber(f[3]), ToNumber(f[4]), ToNumber(f[5]), f[6]});
  } else if (kind == L"attempt" && f.size() >= 5) {
    state.Attempts.push_back(ConnectAttempt{DecodeOptional(f[1]), f[2], DecodeOptional(f[3]), DecodeOptional(f[4]),
                                            f.size() >= 6 ? ToNumber(f[5]) : 0});
  } else if (kind == L"discovery" && f.size() >= 2) {
    state.DiscoveryOff = f[1] == L"off";
  } else if (kind == L"failing-server" && f.size() >= 3) {
    state.FailingServers.push_back(ServerFailure{f[1], ToNumber(f[2])});
  } else if (kind == L"delay" && f.size() >= 3) {
    state.Delays.push_back(Delay{f[1], ToNumber(f[2])});
  } else if (kind == L"cancel" && f.size() >= 3) {
    state.LastCancel = CancelRequest{f[1], f[2] == L"1"};
  }
}

}  // namespace

std::wstring StateFilePath() {
  wchar_t folder[MAX_PATH] = {};
  GetWindowsDirectoryW(folder, MAX_PATH);
  return std::wstring(folder) + L"\\velloway-standin.txt";
}

State LoadState() {
  State state;
  HANDLE file = CreateFileW(StateFilePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return state;
  std::wstring content;
  const DWORD size = GetFileSize(file, nullptr);
  if (size != INVALID_FILE_SIZE) {
    content.resize(size / sizeof(wchar_t));
    DWORD read = 0;
    if (!ReadFile(file, content.data(), static_cast<DWORD>(content.size() * sizeof(wchar_t)), &read, nullptr)) read = 0;
    content.resize(read / sizeof(wchar_t));
  }
  CloseHandle(file);
  size_t start = 0;
  while (start < content.size()) {
    size_t end = content.find(L'\n', start);
    if (end == std::wstring::npos) end = content.size();
    if (end > start) ParseLine(SplitFields(std::wstring_view(content).substr(start, end - start)), state);
    start = end + 1;
  }
  return state;
}

bool SaveState(const State& state) {
  std::wstring content;
  auto line = [&content](std::initializer_list<std::wstring> fields) {
    bool first = true;
    for (const std::wstring& field : fields) {
      if (!first) content += L'\t';
      content += EscapeField(field);
      first = false;
    }
    content += L'\n';
  };
  if (state.DiscoveryOff) line({L"discovery", L"off"});
  for (const ServerFailure& server : state.FailingServers) {
    line({L"failing-server", server.Server, std::to_wstring(server.Result)});
  }
  for (const Delay& delay : state.Delays) line({L"delay", delay.Name, std::to_wstring(delay.Milliseconds)});
  for (const Share& share : state.Shares) {
    line({L"share", share.Remote, std::to_wstring(share.Result), share.User, share.Password});
  }
  for (const Connection& connection : state.Connections) {
    line({L"connection", connection.Provider == Owner::Foreign ? L"foreign" : L"windows", connection.Local,
          connection.Remote, connection.OpenFiles ? L"1" : L"0", connection.User});
  }
  for (const BrowseEntry& entry : state.Browse) {
    line({L"browse", entry.Parent, entry.Remote, std::to_wstring(entry.Type), std::to_wstring(entry.DisplayType),
          std::to_wstring(entry.Usage), entry.Comment});
  }
  for (const ConnectAttempt& attempt : state.Attempts) {
    line({L"attempt", EncodeOptional(attempt.Local), attempt.Remote, EncodeOptional(attempt.User),
          EncodeOptional(attempt.Password), std::to_wstring(attempt.Flags)});
  }
  if (state.LastCancel) line({L"cancel", state.LastCancel->Name, state.LastCancel->Force ? L"1" : L"0"});

  HANDLE file = CreateFileW(StateFilePath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const DWORD bytes = static_cast<DWORD>(content.size() * sizeof(wchar_t));
  const bool ok = WriteFile(file, content.data(), bytes, &written, nullptr) && written == bytes;
  CloseHandle(file);
  return ok;
}

bool SameName(const std::wstring& left, const std::wstring& right) {
  return CompareStringOrdinal(left.c_str(), static_cast<int>(left.size()), right.c_str(),
                              static_cast<int>(right.size()), TRUE) == CSTR_EQUAL;
}

DWORD DelayOf(const State& state, const std::wstring& name) {
  for (const Delay& delay : state.Delays) {
    if (SameName(delay.Name, name)) return delay.Milliseconds;
  }
  return 0;
}

}  // namespace velloway::standin
