#include "Unit1.h"

#include <windowsx.h>

#include "Displays.h"
#include "SingleInstance.h"
#include "TrayCallback.h"
#include "MenuPainter.h"
#include "Unit3.h"
#include "Utf16.h"

namespace quorvel {

namespace {

constexpr wchar_t kClassName[] = L"TForm1";
constexpr char16_t kUnreadNotice[] =
    u"登録を守るため、このファイルには書き込みません。読み込めるようにしてから起動し直してください"
    u"。";

#ifdef _WIN64
static_assert(sizeof(NOTIFYICONDATAW) == 976, "the full structure, as the shell expects it");
#endif

}  // namespace

class TForm1::ModalScope {
 public:
  explicit ModalScope(TForm1& form) : form_(form) { ++form_.modal_; }
  ~ModalScope() {
    // A close asked for while the dialog was open happens once it has closed.
    if (--form_.modal_ == 0 && form_.closePending_) {
      form_.closePending_ = false;
      PostMessageW(form_.Handle(), WM_CLOSE, 0, 0);
    }
  }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  TForm1& form_;
};

TForm1::TForm1(HINSTANCE instance, std::u16string exePath, AppPorts ports, std::wstring instanceKey)
    : ports_(ports),
      instance_(instance),
      instanceKey_(std::move(instanceKey)),
      grid_(ports.icons, ports.dialogs),
      actions_(grid_, ports.shell, ports.dialogs),
      exePath_(std::move(exePath)),
      popupMenu1_(CreatePopupMenu()),
      captions_{u"ファイルを開いてタブに追加",
                u"タブにヒントを設定",
                kMiniCaption,
                kAboutCaption,
                kDashCaption,
                kExitCaption} {
  // Ordinary items, the dashed one included: choosing it closes the menu and does nothing.
  for (UINT id = 1; id <= captions_.size(); ++id) {
    AppendMenuW(popupMenu1_.get(), MF_OWNERDRAW, id, reinterpret_cast<LPCWSTR>(id));
  }
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_BACKGROUND;
  info.hbrBack = menuBackground_.get();
  SetMenuInfo(popupMenu1_.get(), &info);
  Register(instance, kClassName, CS_DBLCLKS);
  // Created hidden and placed by the settings before it is first shown.
  Create(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, L"Form1", WS_POPUP, 0, 0,
         kStripWidth, kStripHeight, instance);
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
  CreateTrayIcon();
  ApplyDpi(static_cast<int>(GetDpiForWindow(Handle())));
  for (int& last : grid_.LastSlot)
    last = -1;
  const auto areas = win::WorkAreas();
  const std::u16string ini = SettingsPathFor(exePath_);
  if (!LoadSettings(ini, ports_.files, ports_.ansi, grid_, bounds_, areas)) {
    // Writing the empty strip over a file we could not read would lose every registration.
    settingsUnread_ = true;
    ports_.dialogs.Notify(ini + u" を読み込めません。\r\n" + kUnreadNotice);
  }
  dropTarget_.Attach(new win::DropTarget(
      {[this](POINT p) { return SlotDragOver(p); },
       [this] {
         SlotDragOver({-1, -1});
       },
       [this](POINT, const std::vector<std::u16string>& files) { SlotDragDrop(files); }}));
  tooltips_ = std::make_unique<win::Tooltips>(Handle());
  // Fails only without OLE on this thread; the strip then takes no drops but works otherwise.
  (void)RegisterDragDrop(Handle(), dropTarget_.Get());
  Repaint();
  HideTaskbarButton();
}

void TForm1::CreateTrayIcon() {
  trayWindow_ = std::make_unique<win::HiddenWindow>(instance_, instanceKey_,
                                                    [this](win::TMessage& m) { TrayWndProc(m); });
  hTaskTrayWindowProc = trayWindow_->Handle();
  FNotifyIconData = {};
  FNotifyIconData.cbSize = sizeof FNotifyIconData;
  FNotifyIconData.hWnd = hTaskTrayWindowProc;
  FNotifyIconData.uID = kTrayIconId;
  FNotifyIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  FNotifyIconData.uCallbackMessage = TRAY_CALLBACK;
  FNotifyIconData.hIcon = reinterpret_cast<HICON>(GetClassLongPtrW(Handle(), GCLP_HICONSM));
  wcscpy_s(FNotifyIconData.szTip, L"Quorvel");
  // Fails when the taskbar is not there yet (a start at logon): "TaskbarCreated" adds it then.
  Shell_NotifyIconW(NIM_ADD, &FNotifyIconData);
}

void TForm1::TrayWndProc(win::TMessage& m) {
  if (m.Msg == taskbarCreated_ && taskbarCreated_ != 0) {
    // The shell restarted, or came up after us: the icon is put back (or renewed where the
    // shell kept it).
    if (!Shell_NotifyIconW(NIM_ADD, &FNotifyIconData))
      Shell_NotifyIconW(NIM_MODIFY, &FNotifyIconData);
  } else if (m.Msg == showStrip_ && showStrip_ != 0) {
    ShowStrip();  // a second start of the program
  } else {
    const TrayAction action = TrayActionFor(m.Msg, m.WParam, static_cast<std::int64_t>(m.LParam));
    if (action != TrayAction::None && Busy()) {
      BringModalToFront();  // one command at a time
    } else if (action == TrayAction::ToggleStrip) {
      ToggleStrip();
    } else if (action == TrayAction::OpenMenu) {
      POINT at{};
      GetCursorPos(&at);  // physical pixels, as the menu is placed
      Popup(at);
    }
  }
  m.Result = DefWindowProcW(hTaskTrayWindowProc, m.Msg, m.WParam, m.LParam);
}

void TForm1::DeleteTrayIcon() {
  Shell_NotifyIconW(NIM_DELETE, &FNotifyIconData);
}

// The strip and the About window are tool windows from their creation, so no window of the
// program has a taskbar button; this keeps it so should a style ever have said otherwise.
void TForm1::HideTaskbarButton() {
  const LONG_PTR ex = GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
  SetWindowLongPtrW(Handle(), GWL_EXSTYLE, (ex | WS_EX_TOOLWINDOW) & ~LONG_PTR{WS_EX_APPWINDOW});
}

void TForm1::ToggleStrip() {
  if (IsWindowVisible(Handle()))
    ShowWindow(Handle(), SW_HIDE);
  else
    ShowStrip();
}

void TForm1::ShowStrip() {
  if (!IsWindowVisible(Handle())) {
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    Repaint();
  }
  SetForegroundWindow(Handle());
}

// The dialog that keeps the program busy comes to the front, so a press on the icon finds it.
void TForm1::BringModalToFront() const {
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(w, name, 16);
        if (IsWindowVisible(w) && wcscmp(name, L"#32770") == 0) {
          SetForegroundWindow(w);
          return FALSE;
        }
        return TRUE;
      },
      0);
}

// Every slot picture takes a drop, filled or empty, whatever the drag carries; the header band
// and the rest of the page do not.
bool TForm1::SlotDragOver(POINT screen) {
  if (Busy())
    screen = {-1, -1};  // nothing is taken while a dialog is open
  POINT client = screen;
  ScreenToClient(Handle(), &client);
  const Hit hit = geometry_.HitTest(client.x, client.y);
  const int slot = hit.kind == Hit::Kind::Slot ? hit.index : -1;
  if (slot != state_.dropSlot) {
    state_.dropSlot = slot;
    Repaint();
  }
  return slot >= 0;
}

void TForm1::ClearDropOutline() {
  if (state_.dropSlot < 0)
    return;
  state_.dropSlot = -1;
  Repaint();
}

// Only the first file is registered, into the next free slot of the current tab.
void TForm1::SlotDragDrop(const std::vector<std::u16string>& files) {
  if (files.empty() || Busy())
    return;
  const ModalScope modal(*this);  // a file without an icon is reported
  grid_.AddFileToTab(grid_.CurrentTab, files.front());
  Repaint();
}

// Geometry, font and slot pictures follow the window's DPI, so the strip stays sharp on every
// display; pictures are taken again at the slot's new physical size.
void TForm1::ApplyDpi(int dpi) {
  geometry_ = StripGeometry(dpi);
  bounds_.Width = geometry_.Width();
  bounds_.Height = geometry_.Height();
  canvas_ = std::make_unique<win::LayeredCanvas>(bounds_.Width, bounds_.Height);
  font_ = win::CreateUiFont(geometry_.Dpi());
  grid_.SetIconSize(geometry_.SlotPixels());
}

void TForm1::RetakePictures() {
  for (int t = 0; t < kTabCount; ++t) {
    for (int s = 0; s <= grid_.LastSlot[t]; ++s) {
      const std::u16string path = grid_.SlotImages[t][s].SlotPath;
      (void)grid_.LoadSlotIcon(t, s, path);  // a failure keeps the picture it had
    }
  }
}

void TForm1::FormCloseQuery() {
  if (Busy()) {
    closePending_ = true;
    BringModalToFront();
    return;
  }
  if (!SaveNow())
    return;  // the window stays; the next close tries again
  DestroyWindow(Handle());
}

// Writes the settings as they are now; a failure is shown and reported. A file that could not
// be read at start is left as it is.
bool TForm1::SaveNow() {
  if (settingsUnread_)
    return true;
  RECT r{};
  GetWindowRect(Handle(), &r);
  bounds_.Left = r.left;
  bounds_.Top = r.top;
  if (const auto error =
          SaveSettings(SettingsPathFor(exePath_), ports_.files, ports_.ansi, grid_, bounds_)) {
    const ModalScope modal(*this);
    ports_.dialogs.ShowError(*error);
    return false;
  }
  return true;
}

void TForm1::FormDestroy() {
  RevokeDragDrop(Handle());
  DeleteTrayIcon();
  PostQuitMessage(0);
}

// Each header shows its hint, each filled slot of the visible tab its path.
void TForm1::UpdateTips() {
  if (!tooltips_)
    return;
  std::vector<win::Tip> tips;
  for (int t = 0; t < kTabCount; ++t)
    tips.push_back({geometry_.Header(t), grid_.TabItems[t].Hint});
  for (int s = 0; s < kSlotsPerTab; ++s) {
    if (const auto r = geometry_.VisibleSlot(s)) {
      tips.push_back({*r, grid_.SlotImages[state_.activeTab][s].SlotPath});
    }
  }
  tooltips_->Set(tips);
}

void TForm1::Repaint() {
  if (!canvas_)
    return;
  UpdateTips();
  win::PaintStrip(*canvas_, geometry_, grid_, state_, font_.get());
  RECT r{};
  GetWindowRect(Handle(), &r);
  POINT at = IsWindowVisible(Handle()) ? POINT{r.left, r.top} : POINT{bounds_.Left, bounds_.Top};
  (void)canvas_->ShowOn(Handle(), at);
}

// A left press first makes the pressed tab the visible one; on the tab that was already
// visible it drags the window instead.
void TForm1::TabMouseDown(int tab, WPARAM buttons) {
  if (buttons & MK_LBUTTON) {
    const bool wasVisible = tab == state_.activeTab;
    state_.activeTab = tab;
    grid_.CurrentTab = tab;
    Repaint();
    if (wasVisible) {
      ReleaseCapture();
      SendMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
  } else if ((buttons & MK_RBUTTON) && tab == state_.activeTab) {
    POINT at{};
    GetCursorPos(&at);
    Popup(at);
  }
  grid_.CurrentTab = state_.activeTab;
}

void TForm1::SlotMouseDown(int slot, WPARAM buttons) {
  const Slot& pressed = grid_.SlotImages[grid_.CurrentTab][slot];
  if (!pressed.Filled())
    return;
  const std::u16string path = pressed.SlotPath;  // the slot may move while a dialog is open
  if (Busy())
    return;
  const ModalScope modal(*this);
  if (buttons & MK_LBUTTON) {
    actions_.LaunchSlot(path, slot);
  } else if (buttons & MK_RBUTTON) {
    actions_.AskRemoveSlot(path, slot);
  } else if (buttons & MK_MBUTTON) {
    actions_.OpenSlotFolder(path);
  }
  Repaint();
}

void TForm1::PopupMenu1Popup() {
  const PopupCaptions c = CaptionsFor(grid_);
  captions_[0] = c.open;
  captions_[1] = c.hint;
  for (UINT id = 1; id <= captions_.size(); ++id) {
    // Owner-drawn: the item data is the command, the caption is read when the item is drawn.
    ModifyMenuW(popupMenu1_.get(), id, MF_BYCOMMAND | MF_OWNERDRAW, id,
                reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(id)));
  }
}

const std::u16string& TForm1::Caption(MenuCommand item) const {
  return captions_[static_cast<UINT>(item) - 1];
}

void TForm1::Popup(POINT at) {
  if (Busy())
    return;
  const ModalScope modal(*this);
  PopupMenu1Popup();
  // A menu closes on a click elsewhere only while its owner is the foreground window.
  SetForegroundWindow(Handle());
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenuEx(popupMenu1_.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN, at.x, at.y,
                       Handle(), nullptr));
  PostMessageW(Handle(), WM_NULL, 0, 0);
  if (chosen)
    Run(static_cast<MenuCommand>(chosen));
}

void TForm1::Run(MenuCommand command) {
  switch (command) {
    case MenuCommand::Open:
      pmOpenClick();
      break;
    case MenuCommand::Hint:
      pmHintClick();
      break;
    case MenuCommand::Mini:
      pmMiniClick();
      break;
    case MenuCommand::About:
      pmAboutClick();
      break;
    case MenuCommand::Exit:
      pmSyuryoClick();
      break;
    case MenuCommand::Dash:
      break;
  }
}

void TForm1::pmOpenClick() {
  quorvel::pmOpenClick(grid_, ports_.commands);
  Repaint();
}

void TForm1::pmHintClick() {
  quorvel::pmHintClick(grid_, ports_.commands);
  UpdateTips();
}

void TForm1::pmMiniClick() {
  ShowWindow(Handle(), SW_HIDE);
}

void TForm1::pmAboutClick() {
  if (form3_)
    form3_->Show();
}

void TForm1::pmSyuryoClick() {
  PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

LRESULT TForm1::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
      const Hit hit = geometry_.HitTest(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      if (hit.kind == Hit::Kind::Header)
        TabMouseDown(hit.index, wp);
      if (hit.kind == Hit::Kind::Slot)
        SlotMouseDown(hit.index, wp);
      return 0;
    }
    case WM_MEASUREITEM: {
      auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      if (m->CtlType != ODT_MENU || m->itemData < 1 || m->itemData > captions_.size())
        break;
      const win::ScreenDc screen(Handle());
      const SIZE size = win::MeasureMenuItem(
          screen.get(), font_.get(), win::ToWide(captions_[m->itemData - 1]), geometry_.Dpi());
      m->itemWidth = static_cast<UINT>(size.cx);
      m->itemHeight = static_cast<UINT>(size.cy);
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (d->CtlType != ODT_MENU || d->itemData < 1 || d->itemData > captions_.size())
        break;
      const int dpi = geometry_.Dpi();
      const HBITMAP glyph =
          imageList1_.At(kMenuImageIndex[d->itemData - 1], win::MenuGlyphSide(dpi));
      win::DrawMenuItem(*d, font_.get(), win::ToWide(captions_[d->itemData - 1]), dpi, glyph);
      return TRUE;
    }
    case WM_MOUSEMOVE: {
      const Hit hit = geometry_.HitTest(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      const int hot =
          hit.kind == Hit::Kind::Header && hit.index != state_.activeTab ? hit.index : -1;
      if (hot != state_.hotHeader) {
        state_.hotHeader = hot;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&track);  // to hear when the pointer leaves the strip
        Repaint();
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      if (state_.hotHeader != -1) {
        state_.hotHeader = -1;
        Repaint();
      }
      return 0;
    case WM_DPICHANGED: {
      const auto* suggested = reinterpret_cast<const RECT*>(lp);
      ApplyDpi(HIWORD(wp));
      RetakePictures();
      bounds_.Left = suggested->left;
      bounds_.Top = suggested->top;
      SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, bounds_.Width,
                   bounds_.Height, SWP_NOZORDER | SWP_NOACTIVATE);
      Repaint();
      return 0;
    }
    case WM_CLOSE:
      FormCloseQuery();
      return 0;
    case WM_QUERYENDSESSION:
      // A tray program runs until the session ends: what changed in it is written now, as a
      // close would. The session may end whatever the outcome.
      if (!Busy())
        (void)SaveNow();
      return TRUE;
    case WM_ENDSESSION:
      // Written again where a dialog kept the earlier request from it.
      if (wp && Busy())
        (void)SaveNow();
      return 0;
    case WM_DESTROY:
      FormDestroy();
      return 0;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace quorvel
