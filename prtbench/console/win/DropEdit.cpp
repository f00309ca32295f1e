// CDropEdit: the edit control subclassed for WM_DROPFILES, and shortcut
// resolution through the shell link object.
#include "prtbench/console/win/DropEdit.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include "winui/Utf.h"

namespace prtbench {
namespace {

constexpr UINT_PTR kSubclassId = 1;

bool EndsWithLnk(const std::wstring& path) {
  return path.size() >= 4 && _wcsicmp(path.c_str() + path.size() - 4, L".lnk") == 0;
}

// COM for the calling thread while it lives, if it was not on already.
class ComScope {
 public:
  ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }

 private:
  HRESULT result_;
};

}  // namespace

CDropEdit::~CDropEdit() {
  if (edit_ && IsWindow(edit_)) RemoveWindowSubclass(edit_, Proc, kSubclassId);
}

void CDropEdit::Attach(HWND edit, std::function<void(const std::string&)> dropped) {
  edit_ = edit;
  dropped_ = std::move(dropped);
  SetWindowSubclass(edit_, Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  DragAcceptFiles(edit_, TRUE);
}

LRESULT CALLBACK CDropEdit::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR self) {
  auto* edit = reinterpret_cast<CDropEdit*>(self);
  switch (message) {
    case WM_DROPFILES:
      edit->OnDrop(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, Proc, kSubclassId);
      edit->edit_ = nullptr;
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

void CDropEdit::OnDrop(HDROP drop) {
  // the whole path, however long: a cut one may name another file
  const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
  std::wstring chosen(length, L'\0');
  if (length > 0) DragQueryFileW(drop, 0, chosen.data(), length + 1);
  DragFinish(drop);
  if (length == 0) return;
  if (EndsWithLnk(chosen)) {
    const std::wstring target = ShortcutTarget(chosen);
    if (!target.empty()) chosen = target;
  }
  if (dropped_) dropped_(winui::Narrow(chosen));
}

std::wstring ShortcutTarget(const std::wstring& path) {
  ComScope com;
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    return {};
  }
  std::wstring target;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t buffer[MAX_PATH] = {};
    if (SUCCEEDED(file->Load(path.c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetPath(buffer, MAX_PATH, nullptr, SLGP_UNCPRIORITY))) {
      target = buffer;
    }
    file->Release();
  }
  link->Release();
  return target;
}

}  // namespace prtbench
