// Drag and drop between windows, after the platform's object model: the source offers a data
// object listing formats (a format id and a block of bytes each), the drop target under the
// mouse inspects and takes the data, and the drop source follows the keys and the target's
// answers. Format blocks are plain byte strings here (the platform's movable global memory).
// DoDragDrop runs through a hook: headless tests and the window system's drag adapter decide
// where the drag goes and when it ends.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "classlib/Messages.h"
#include "classlib/Types.h"

using HRESULT = int32_t;
using DWORD = uint32_t;
using CLIPFORMAT = uint16_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064u);
constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = static_cast<HRESULT>(0x80040003u);
constexpr HRESULT DRAGDROP_S_DROP = 0x00040100;
constexpr HRESULT DRAGDROP_S_CANCEL = 0x00040101;
constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;

constexpr DWORD DROPEFFECT_NONE = 0;
constexpr DWORD DROPEFFECT_COPY = 1;
constexpr DWORD DROPEFFECT_MOVE = 2;

// Key flags of drag messages.
constexpr DWORD MK_LBUTTON_DRAG = 0x0001;
constexpr DWORD MK_CONTROL_DRAG = 0x0008;

constexpr DWORD DATADIR_GET = 1;
constexpr DWORD DATADIR_SET = 2;
constexpr DWORD DVASPECT_CONTENT = 1;
constexpr DWORD TYMED_HGLOBAL = 1;

constexpr CLIPFORMAT CF_HDROP = 15;

struct FORMATETC {
  CLIPFORMAT cfFormat = 0;
  void* ptd = nullptr;  // target device: always none here
  DWORD dwAspect = DVASPECT_CONTENT;
  int32_t lindex = -1;
  DWORD tymed = TYMED_HGLOBAL;
};

struct STGMEDIUM {
  DWORD tymed = 0;             // 0: no data
  std::optional<String> hGlobal;  // the block, when tymed is TYMED_HGLOBAL
};

class IEnumFORMATETC {
 public:
  virtual ~IEnumFORMATETC() = default;
  virtual HRESULT Next(uint32_t celt, FORMATETC* rgelt, uint32_t* pceltFetched) = 0;
  virtual HRESULT Skip(uint32_t celt) = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(std::shared_ptr<IEnumFORMATETC>& ppenum) = 0;
};

class IDataObject {
 public:
  virtual ~IDataObject() = default;
  virtual HRESULT GetData(const FORMATETC& formatetcIn, STGMEDIUM& medium) = 0;
  virtual HRESULT GetDataHere(const FORMATETC& formatetc, STGMEDIUM& medium) = 0;
  virtual HRESULT QueryGetData(const FORMATETC& formatetc) = 0;
  virtual HRESULT GetCanonicalFormatEtc(const FORMATETC& formatetc, FORMATETC& formatetcOut) = 0;
  virtual HRESULT SetData(const FORMATETC& formatetc, const STGMEDIUM& medium, bool fRelease) = 0;
  virtual HRESULT EnumFormatEtc(DWORD dwDirection, std::shared_ptr<IEnumFORMATETC>& enumFormatEtc) = 0;
  virtual HRESULT DAdvise(const FORMATETC& formatetc, DWORD advf, DWORD& dwConnection) = 0;
  virtual HRESULT DUnadvise(DWORD dwConnection) = 0;
  virtual HRESULT EnumDAdvise(void*& enumAdvise) = 0;
};

class IDropSource {
 public:
  virtual ~IDropSource() = default;
  virtual HRESULT QueryContinueDrag(bool fEscapePressed, DWORD grfKeyState) = 0;
  virtual HRESULT GiveFeedback(DWORD dwEffect) = 0;
};

class IDropTarget {
 public:
  virtual ~IDropTarget() = default;
  virtual HRESULT DragEnter(IDataObject* dataObj, DWORD grfKeyState, TPoint pt, DWORD& dwEffect) = 0;
  virtual HRESULT DragOver(DWORD grfKeyState, TPoint pt, DWORD& dwEffect) = 0;
  virtual HRESULT DragLeave() = 0;
  virtual HRESULT Drop(IDataObject* dataObj, DWORD grfKeyState, TPoint pt, DWORD& dwEffect) = 0;
};

// Clipboard format ids registered by name: the same name (letter case ignored) gives the same
// id, from 0xC000 up; 0 for a new name once all ids up to 0xFFFF are given.
CLIPFORMAT RegisterClipboardFormat(const String& Name);
// The name of a registered format, "" for another id.
String ClipboardFormatName(CLIPFORMAT Format);

// Drop targets of windows.
HRESULT RegisterDragDrop(HWND Wnd, std::shared_ptr<IDropTarget> DropTarget);
HRESULT RevokeDragDrop(HWND Wnd);
std::shared_ptr<IDropTarget> DropTargetOf(HWND Wnd);

// Runs a drag of DataObj: the hook plays the drag and answers its result (DRAGDROP_S_DROP or
// DRAGDROP_S_CANCEL) and the effect. Without a hook the drag ends at once, cancelled.
using TDoDragDropHook =
    std::function<HRESULT(IDataObject* DataObj, IDropSource* DropSource, DWORD OkEffects, DWORD& Effect)>;
void SetDoDragDropHook(TDoDragDropHook Hook);
HRESULT DoDragDrop(std::shared_ptr<IDataObject> DataObj, IDropSource* DropSource, DWORD OkEffects, DWORD& Effect);
