// The box of a long text: a dialog made in memory (no resource of the program needed), its field
// in a fixed-pitch font so that the text's columns stay aligned, sized to the text within the
// screen's work area, scrolling when the text is taller.
#include "platform/text_box.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/message_box.h"
#include "platform/unattended_log.h"

namespace platform {
namespace {

constexpr WORD kFieldId = 100;
constexpr int kMargin = 10;

std::wstring Wide(const std::string& text) {
  std::string crlf;
  for (char c : text) {
    if (c == '\n' && (crlf.empty() || crlf.back() != '\r')) crlf += '\r';
    crlf += c;
  }
  const int count =
      MultiByteToWideChar(1252, 0, crlf.data(), static_cast<int>(crlf.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(count), L'\0');
  MultiByteToWideChar(1252, 0, crlf.data(), static_cast<int>(crlf.size()), wide.data(), count);
  return wide;
}

// A DLGTEMPLATE with two items, in the layout DialogBoxIndirect reads: each part WORD-aligned,
// each item DWORD-aligned. Sizes are placeholders: WM_INITDIALOG lays the box out in pixels.
class Template {
 public:
  explicit Template(const std::wstring& caption) {
    Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER);
    Dword(0);
    Word(2);  // items
    Word(0), Word(0), Word(200), Word(100);
    Word(0), Word(0);  // no menu, the default class
    Text(caption);
    Word(8);
    Text(L"MS Shell Dlg");
    // OK first: the focus goes to it, not to the field (which would select and scroll to the end).
    Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, 0x0080, L"OK");
    Item(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY |
             ES_AUTOVSCROLL,
         kFieldId, 0x0081, L"");
  }
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Word(WORD w) { words_.push_back(w); }
  void Dword(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
  }
  void Text(const std::wstring& text) {
    for (wchar_t c : text) Word(static_cast<WORD>(c));
    Word(0);
  }
  void Item(DWORD style, WORD id, WORD atom, const std::wstring& text) {
    if (words_.size() % 2) Word(0);
    Dword(style);
    Dword(0);
    Word(0), Word(0), Word(10), Word(10);
    Word(id);
    Word(0xFFFF);
    Word(atom);
    Text(text);
    Word(0);  // no creation data
  }
  std::vector<WORD> words_;
};

struct BoxState {
  std::wstring text;
  HFONT font = nullptr;
};

// Lines and the widest line of the text, in characters.
void Measure(const std::wstring& text, int& lines, int& columns) {
  lines = 1;
  columns = 0;
  int column = 0;
  for (wchar_t c : text) {
    if (c == L'\n') {
      ++lines;
      column = 0;
    } else if (c != L'\r') {
      columns = std::max(columns, ++column);
    }
  }
}

void Layout(HWND box, const BoxState& state) {
  HWND field = GetDlgItem(box, kFieldId);
  HWND ok = GetDlgItem(box, IDOK);
  HDC dc = GetDC(field);
  HGDIOBJ old = SelectObject(dc, state.font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(field, dc);
  int lines = 0, columns = 0;
  Measure(state.text, lines, columns);

  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(box, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(box, GWL_EXSTYLE)));
  const int frame_w = frame.right - frame.left, frame_h = frame.bottom - frame.top;
  const int scroll_w = GetSystemMetrics(SM_CXVSCROLL), border = 2 * GetSystemMetrics(SM_CXEDGE);
  const int button_w = 80, button_h = 24;

  const int max_field_w = (work.right - work.left) - frame_w - 2 * kMargin - 20;
  const int max_field_h = (work.bottom - work.top) - frame_h - 3 * kMargin - button_h - 20;
  const int char_w = static_cast<int>(metrics.tmAveCharWidth);
  const int line_h = static_cast<int>(metrics.tmHeight);
  const int field_w = std::min(columns * char_w + scroll_w + border + 8, max_field_w);
  const int field_h = std::min(lines * line_h + border + 4, max_field_h);
  const int client_w = field_w + 2 * kMargin, client_h = field_h + button_h + 3 * kMargin;

  MoveWindow(field, kMargin, kMargin, field_w, field_h, FALSE);
  MoveWindow(ok, (client_w - button_w) / 2, field_h + 2 * kMargin, button_w, button_h, FALSE);
  const int w = client_w + frame_w, h = client_h + frame_h;
  const int x = work.left + ((work.right - work.left) - w) / 2;
  const int y = work.top + ((work.bottom - work.top) - h) / 2;
  SetWindowPos(box, nullptr, x, y, w, h, SWP_NOZORDER);
}

INT_PTR CALLBACK BoxProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* state = reinterpret_cast<BoxState*>(lparam);
      SendDlgItemMessageW(box, kFieldId, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);
      Layout(box, *state);
      SetDlgItemTextW(box, kFieldId, state->text.c_str());
      // The text is read from its first line, nothing selected.
      SendDlgItemMessageW(box, kFieldId, EM_SETSEL, 0, 0);
      PostMessageW(GetDlgItem(box, kFieldId), WM_VSCROLL, SB_TOP, 0);
      SetFocus(GetDlgItem(box, IDOK));
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        EndDialog(box, LOWORD(wparam));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

void ShowTextBox(const std::string& text, const std::string& caption) {
  LogUnattendedBox(text, caption);
  if (Unattended()) return;
  BoxState state;
  state.text = Wide(text);
  state.font =
      CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"Courier New");
  if (state.font == nullptr) state.font = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
  Template box(Wide(caption));
  if (DialogBoxIndirectParamW(GetModuleHandleW(nullptr), box.get(), GetActiveWindow(), BoxProc,
                              reinterpret_cast<LPARAM>(&state)) == -1) {
    // No dialog could be made: the plain box still shows the text.
    MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
  }
  DeleteObject(state.font);
}

}  // namespace platform
