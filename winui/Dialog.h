// A dialog built from an .rc template, with messages dispatched to virtual
// handlers and typed helpers for its controls, so dialogs read like their
// description: handlers read controls, call the core, send, show.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "winui/WindowLink.h"

namespace winui {

class CXPButton;
template <class T>
class Modeless;

// A font as SetFont makes it.
struct FontSpec {
  const wchar_t* face;
  int height;  // in pixels at 96 DPI
  int weight = FW_NORMAL;
  bool italic = false;
  bool underline = false;
  BYTE charset = DEFAULT_CHARSET;
  BYTE pitchAndFamily = DEFAULT_PITCH;
};

// The light background shared by the configuration and image dialogs.
inline constexpr COLORREF kLightBackground = RGB(239, 247, 255);

class Dialog {
 public:
  explicit Dialog(int templateId, HINSTANCE instance = nullptr);
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Runs the dialog modally with our own message loop (so accelerators and
  // modeless windows keep working); returns the EndDialog result, -1 if the
  // template could not be created.
  INT_PTR DoModal(HWND owner);
  // Ends a modal dialog with `result`; destroys a modeless one.
  void EndDialog(INT_PTR result);

  // The dialog's window, nullptr before WM_INITDIALOG and after WM_NCDESTROY.
  // Any thread may read it; only the dialog's own thread sets it. A worker's
  // copy may already be stale, so workers only post to it.
  HWND hwnd() const { return hwnd_; }
  HWND Item(int id) const;
  // How workers reach this dialog's thread; detached when its window is
  // destroyed. Null before the window exists.
  std::shared_ptr<WindowLink> windowLink() const { return windowLink_; }

  // Control helpers. Text is UTF-8 unless the name says Wide.
  std::string Text(int id) const;
  std::wstring WideText(int id) const;
  void SetText(int id, std::string_view utf8);
  void SetWideText(int id, std::wstring_view text);
  std::optional<int> Int(int id) const;  // nullopt when the text is not a number
  void SetInt(int id, int value);
  bool Checked(int id) const;
  void SetChecked(int id, bool checked);
  // Radio groups run from `firstId` through the following radio buttons in
  // tab order up to the next WS_GROUP; -1 when none is checked.
  int RadioIndex(int firstId) const;
  void SetRadioIndex(int firstId, int index);
  int ComboIndex(int id) const;  // -1 when nothing is selected
  void SetComboIndex(int id, int index);
  std::string ComboText(int id) const;  // text of the selected entry, empty if none
  void ComboReset(int id);
  void ComboAdd(int id, std::string_view utf8);
  // Selects the first entry beginning with `prefix` (case-insensitive); returns
  // its index, or -1 leaving the selection as it was.
  int ComboSelectPrefix(int id, std::string_view prefix);
  // List boxes, as the combo box helpers.
  int ListIndex(int id) const;  // -1 when nothing is selected
  void SetListIndex(int id, int index);
  std::string ListText(int id) const;  // text of the selected entry, empty if none
  void ListReset(int id);
  void ListAdd(int id, std::string_view utf8);
  uint32_t IpAddress(int id) const;  // first octet in the most significant byte
  void SetIpAddress(int id, uint32_t address);
  void Enable(int id, bool enabled);
  bool IsEnabled(int id) const;
  void Show(int id, bool shown);
  void MoveControl(int id, int x, int y, int width, int height);

  void StartTimer(UINT_PTR id, unsigned milliseconds);
  void StopTimer(UINT_PTR id);

  // Paints this dialog and its static texts in kLightBackground.
  void UseLightBackground();
  // Draws the push button `id` with CXPButton; the dialog owns it.
  void AttachXPButton(int id);
  // Gives control `id` a font made from `style`, its height scaled to the
  // screen's DPI; the dialog deletes the font when it goes.
  void SetFont(int id, const FontSpec& style);
  // The window's big and small icons: icon resource `iconId` of the
  // dialog's module, each at the system's size for it.
  void SetIcons(int iconId);

 protected:
  virtual bool OnInit() { return true; }
  virtual void OnCommand(int /*id*/, int /*code*/) {}
  virtual void OnOk() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  virtual bool OnNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
  virtual void OnTimer(UINT_PTR /*id*/) {}
  virtual void OnDestroy() {}
  virtual bool OnDrawItem(int id, const DRAWITEMSTRUCT& item);
  // Returns the brush for a control, or nullptr for the default colours.
  virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT message);
  virtual bool OnEraseBackground(HDC dc);
  virtual void OnDropFiles(HDROP /*drop*/) {}
  virtual bool OnDeviceChange(WPARAM /*event*/, LPARAM /*data*/) { return false; }
  // First look at every message; return true when handled (result in `result`).
  virtual bool OnMessage(UINT /*message*/, WPARAM, LPARAM, LRESULT& /*result*/) { return false; }
  // Called by the message loop for messages of this dialog's windows before
  // dispatch; return true when consumed. The default handles dialog keys.
  virtual bool PreTranslateMessage(MSG& message);

 private:
  template <class T>
  friend class Modeless;
  // Modeless creation is Modeless<T>'s alone, so that every modeless window
  // is destroyed before its dialog's destructors start.
  HWND CreateModeless(HWND owner);
  static INT_PTR CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Proc(UINT message, WPARAM wParam, LPARAM lParam);
  void RunModalLoop();
  void RememberItems();
  static BOOL CALLBACK RememberItem(HWND child, LPARAM self);

  int templateId_;
  HINSTANCE instance_;
  std::atomic<HWND> hwnd_{nullptr};
  bool modal_ = false;
  bool modalRunning_ = false;
  INT_PTR result_ = IDCANCEL;
  HBRUSH lightBrush_ = nullptr;
  std::vector<std::unique_ptr<CXPButton>> buttons_;
  std::vector<HFONT> fonts_;
  std::shared_ptr<WindowLink> windowLink_;
  std::unordered_map<int, HWND> items_;  // the template's controls by id
};

// A modeless dialog T, the only way to create one. Its destructor runs before
// T's and destroys the window while the whole T still exists, so T's
// OnDestroy runs however the owner lets go (scope, delete, through Dialog*).
template <class T>
class Modeless final : public T {
 public:
  using T::T;
  ~Modeless() override { Close(); }

  // Creates the window and returns it (nullptr on failure); it shows if the
  // template says WS_VISIBLE.
  HWND Create(HWND owner) { return this->Dialog::CreateModeless(owner); }
  // Destroys the window now, if there is one.
  void Close() {
    if (HWND window = this->hwnd()) DestroyWindow(window);
  }
};

}  // namespace winui
