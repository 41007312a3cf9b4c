#include "DropTarget.h"

#include <shellapi.h>

#include "Utf16.h"

namespace quorvel::win {

namespace {

// Releases a storage medium on every path.
class Medium {
 public:
  STGMEDIUM m{};
  Medium() = default;
  Medium(const Medium&) = delete;
  Medium& operator=(const Medium&) = delete;
  ~Medium() {
    if (m.tymed != TYMED_NULL)
      ReleaseStgMedium(&m);
  }
};

}  // namespace

std::vector<std::u16string> DroppedFiles(IDataObject* data) {
  std::vector<std::u16string> files;
  if (!data)
    return files;
  FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  Medium medium;
  if (FAILED(data->GetData(&format, &medium.m)) || medium.m.tymed != TYMED_HGLOBAL)
    return files;
  const auto drop = static_cast<HDROP>(GlobalLock(medium.m.hGlobal));
  if (!drop)
    return files;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    name.resize(DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size())));
    files.push_back(ToU16(name));
  }
  GlobalUnlock(medium.m.hGlobal);
  return files;
}

HRESULT DropTarget::QueryInterface(REFIID riid, void** out) {
  if (!out)
    return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
    *out = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG DropTarget::Release() {
  const LONG left = InterlockedDecrement(&refs_);
  if (left == 0)
    delete this;
  return static_cast<ULONG>(left);
}

DWORD DropTarget::Answer(POINTL pt) const {
  return handlers_.accepts && handlers_.accepts(POINT{pt.x, pt.y}) ? DROPEFFECT_COPY
                                                                   : DROPEFFECT_NONE;
}

HRESULT DropTarget::DragEnter(IDataObject*, DWORD, POINTL pt, DWORD* effect) {
  if (effect)
    *effect = Answer(pt);
  return S_OK;
}

HRESULT DropTarget::DragOver(DWORD, POINTL pt, DWORD* effect) {
  if (effect)
    *effect = Answer(pt);
  return S_OK;
}

HRESULT DropTarget::DragLeave() {
  if (handlers_.leave)
    handlers_.leave();
  return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD, POINTL pt, DWORD* effect) {
  const DWORD answer = Answer(pt);
  if (effect)
    *effect = answer;
  if (handlers_.leave)
    handlers_.leave();
  if (answer != DROPEFFECT_NONE && handlers_.drop) {
    handlers_.drop(POINT{pt.x, pt.y}, DroppedFiles(data));
  }
  return S_OK;
}

}  // namespace quorvel::win
