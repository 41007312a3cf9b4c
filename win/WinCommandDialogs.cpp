#include "WinCommandDialogs.h"

#include <commdlg.h>

#include <vector>

#include "Handles.h"
#include "Utf16.h"

namespace quorvel::win {

namespace {

// The system's open-file dialog, from comdlg32 loaded at its first use: importing the DLL
// would load it, and the print spooler it brings, at every start of the program. Null when
// the system does not have it.
decltype(&GetOpenFileNameW) OpenFileDialog() {
  static const UniqueModule comdlg32(
      LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  if (!comdlg32)
    return nullptr;
  const FARPROC proc = GetProcAddress(comdlg32.get(), "GetOpenFileNameW");
  return reinterpret_cast<decltype(&GetOpenFileNameW)>(reinterpret_cast<void*>(proc));
}

// An in-memory dialog template: DLGTEMPLATE, then its items, each DWORD-aligned.
class TemplateBuilder {
 public:
  void Align() {
    while (words_.size() % 2)
      words_.push_back(0);
  }
  void Dword(DWORD v) {
    words_.push_back(LOWORD(v));
    words_.push_back(HIWORD(v));
  }
  void Word(WORD v) { words_.push_back(v); }
  void Text(const std::wstring& s) {
    words_.insert(words_.end(), s.begin(), s.end());
    words_.push_back(0);
  }
  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD cls,
            const std::wstring& text) {
    Align();
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);
    Word(x), Word(y), Word(cx), Word(cy), Word(id);
    Word(0xFFFF), Word(cls);  // a predefined class by atom
    Text(text);
    Word(0);  // no creation data
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }
  std::vector<WORD>& Words() { return words_; }

 private:
  std::vector<WORD> words_;
};

struct QueryState {
  std::wstring value;
};

INT_PTR CALLBACK QueryProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  switch (msg) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dlg, DWLP_USER, lp);
      auto* state = reinterpret_cast<QueryState*>(lp);
      SetDlgItemTextW(dlg, kQueryEditId, state->value.c_str());
      SendDlgItemMessageW(dlg, kQueryEditId, EM_SETSEL, 0, -1);
      SetForegroundWindow(dlg);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK) {
        auto* state = reinterpret_cast<QueryState*>(GetWindowLongPtrW(dlg, DWLP_USER));
        const HWND edit = GetDlgItem(dlg, kQueryEditId);
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
        text.resize(GetWindowTextW(edit, text.data(), static_cast<int>(text.size())));
        state->value = std::move(text);
        EndDialog(dlg, IDOK);
        return TRUE;
      }
      if (LOWORD(wp) == IDCANCEL) {
        EndDialog(dlg, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

std::optional<std::u16string> Win32CommandDialogs::ChooseExecutable() {
  std::wstring file(32768, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = Owner();
  ofn.lpstrFilter = L"exe\0*.exe\0";
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_NOCHANGEDIR;
  const auto getOpenFileName = OpenFileDialog();
  if (!getOpenFileName || !getOpenFileName(&ofn))
    return std::nullopt;
  file.resize(wcslen(file.c_str()));
  return ToU16(file);
}

std::optional<std::u16string> Win32CommandDialogs::InputQuery(const std::u16string& caption,
                                                              const std::u16string& prompt,
                                                              const std::u16string& value) {
  TemplateBuilder t;
  t.Dword(DS_MODALFRAME | DS_CENTER | DS_SETFONT | DS_SETFOREGROUND | WS_POPUP | WS_CAPTION |
          WS_SYSMENU);
  t.Dword(WS_EX_TOPMOST);
  t.Word(4);  // items
  t.Word(0), t.Word(0), t.Word(220), t.Word(68);
  t.Word(0), t.Word(0);  // no menu, the default class
  t.Text(ToWide(caption));
  t.Word(9);
  t.Text(L"MS Shell Dlg");
  t.Item(SS_LEFT, 7, 7, 206, 10, kQueryPromptId, 0x0082, ToWide(prompt));
  t.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 20, 206, 13, kQueryEditId, 0x0081, L"");
  t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 106, 45, 50, 15, IDOK, 0x0080, L"OK");
  t.Item(BS_PUSHBUTTON | WS_TABSTOP, 163, 45, 50, 15, IDCANCEL, 0x0080, L"キャンセル");
  QueryState state{ToWide(value)};
  const INT_PTR r = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.Get(), Owner(), QueryProc,
                                            reinterpret_cast<LPARAM>(&state));
  if (r != IDOK)
    return std::nullopt;
  return ToU16(state.value);
}

}  // namespace quorvel::win
