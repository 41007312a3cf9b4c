// An OLE drop target that asks its owner where a drop may land and hands it the files.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

namespace quorvel::win {

class DropTarget : public IDropTarget {
 public:
  struct Handlers {
    std::function<bool(POINT screen)> accepts;  // also outlines what lies under the point
    std::function<void()> leave;
    std::function<void(POINT screen, const std::vector<std::u16string>& files)> drop;
  };
  explicit DropTarget(Handlers handlers) : handlers_(std::move(handlers)) {}
  virtual ~DropTarget() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL pt, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL pt, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL pt, DWORD* effect) override;

 private:
  DWORD Answer(POINTL pt) const;
  Handlers handlers_;
  LONG refs_ = 1;
};

// The file names a data object carries as CF_HDROP, in the source's order.
std::vector<std::u16string> DroppedFiles(IDataObject* data);

}  // namespace quorvel::win
