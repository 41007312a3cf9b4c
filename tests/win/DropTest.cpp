// Drops on the strip, through its OLE drop target, with a data object of the test's own.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StripFixture.h"

namespace quorvel {
namespace {

using namespace quorvel::test;

// Serves the given files as CF_HDROP, or nothing at all (as dragged text would).
class FilesObject : public IDataObject {
 public:
  explicit FilesObject(std::vector<std::wstring> files) : files_(std::move(files)) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
      *out = this;
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override {
    if (files_.empty() || f->cfFormat != CF_HDROP || !(f->tymed & TYMED_HGLOBAL)) {
      return DV_E_FORMATETC;
    }
    std::wstring list;
    for (const auto& name : files_)
      list += name + L'\0';
    list += L'\0';
    const size_t size = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL g = GlobalAlloc(GHND, size);
    auto* d = static_cast<DROPFILES*>(GlobalLock(g));
    d->pFiles = sizeof(DROPFILES);
    d->fWide = TRUE;
    memcpy(d + 1, list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(g);
    m->tymed = TYMED_HGLOBAL;
    m->hGlobal = g;
    m->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override {
    return !files_.empty() && f->cfFormat == CF_HDROP ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }

 private:
  std::vector<std::wstring> files_;
};

class DropTest : public StripFixture {
 protected:
  // A point of the strip in screen coordinates.
  POINTL At(int x, int y) {
    POINT p{x, y};
    ClientToScreen(form->Handle(), &p);
    return {p.x, p.y};
  }
  DWORD Over(IDataObject* data, POINTL pt) {
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    form->DropTargetOfStrip()->DragEnter(data, MK_LBUTTON, pt, &effect);
    return effect;
  }
};

TEST_F(DropTest, SlotsAcceptACopyAndNothingElseDoes) {
  FilesObject exe({L"C:\\Tools\\edit.exe"});
  FilesObject text({});
  struct Case {
    int x, y;
    DWORD effect;
  };
  const Case cases[] = {
      {18, 42, DROPEFFECT_COPY},                                       // an empty slot
      {18 + 32 * 9, 42, DROPEFFECT_COPY}, {33, 10, DROPEFFECT_NONE},   // the header band
      {318, 10, DROPEFFECT_NONE},         {319, 42, DROPEFFECT_NONE},  // the page beyond the slots
  };
  ASSERT_NE(form->DropTargetOfStrip(), nullptr);
  for (IDataObject* data : {static_cast<IDataObject*>(&exe), static_cast<IDataObject*>(&text)}) {
    for (const Case& c : cases)
      EXPECT_EQ(Over(data, At(c.x, c.y)), c.effect) << c.x << "," << c.y;
  }
  Over(&exe, At(18 + 64, 42));
  EXPECT_EQ(form->OutlinedSlot(), 2) << "the slot under the pointer is outlined";
  form->DropTargetOfStrip()->DragLeave();
  EXPECT_EQ(form->OutlinedSlot(), -1);
}

TEST_F(DropTest, OnlyTheFirstFileLandsInTheNextFreeSlotOfTheCurrentTab) {
  form->Grid().AddFileToTab(0, u"C:\\first.exe");
  FilesObject three({L"C:\\a.exe", L"C:\\b.exe", L"C:\\c.exe"});
  DWORD effect = DROPEFFECT_COPY;
  Over(&three, At(18 + 32 * 7, 42));
  form->DropTargetOfStrip()->Drop(&three, MK_LBUTTON, At(18 + 32 * 7, 42), &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(form->Grid().LastSlot[0], 1);
  EXPECT_EQ(form->Grid().SlotImages[0][1].SlotPath, u"C:\\a.exe");

  FilesObject text({});
  form->DropTargetOfStrip()->Drop(&text, MK_LBUTTON, At(18, 42), &effect);
  form->DropTargetOfStrip()->Drop(&three, MK_LBUTTON, At(33, 10), &effect);
  EXPECT_EQ(form->Grid().LastSlot[0], 1) << "text, and drops off the slots, change nothing";
  EXPECT_EQ(form->OutlinedSlot(), -1);
}

}  // namespace
}  // namespace quorvel
