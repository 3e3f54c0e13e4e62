#include "classlib/OleDragDrop.h"

#include <map>
#include <vector>

#include "classlib/SysUtils.h"

namespace {

std::vector<String>& FormatNames() {
  static std::vector<String> names;
  return names;
}

// Upper-cased name -> index in FormatNames.
std::map<String, size_t>& FormatIndex() {
  static std::map<String, size_t> index;
  return index;
}

constexpr CLIPFORMAT kFirstRegisteredFormat = 0xC000;

std::map<HWND, std::shared_ptr<IDropTarget>>& Targets() {
  static std::map<HWND, std::shared_ptr<IDropTarget>> targets;
  return targets;
}

TDoDragDropHook& Hook() {
  static TDoDragDropHook hook;
  return hook;
}

}  // namespace

CLIPFORMAT RegisterClipboardFormat(const String& Name) {
  std::vector<String>& names = FormatNames();
  const String key = UpperCase(Name);
  auto known = FormatIndex().find(key);
  if (known != FormatIndex().end()) return static_cast<CLIPFORMAT>(kFirstRegisteredFormat + known->second);
  // Foreign drag data may name any number of formats: past the last id a new one would wrap
  // round onto the standard formats.
  if (names.size() > 0xFFFFu - kFirstRegisteredFormat) return 0;
  FormatIndex()[key] = names.size();
  names.push_back(Name);
  return static_cast<CLIPFORMAT>(kFirstRegisteredFormat + names.size() - 1);
}

String ClipboardFormatName(CLIPFORMAT Format) {
  if (Format < kFirstRegisteredFormat) return String();
  const size_t index = Format - kFirstRegisteredFormat;
  return index < FormatNames().size() ? FormatNames()[index] : String();
}

HRESULT RegisterDragDrop(HWND Wnd, std::shared_ptr<IDropTarget> DropTarget) {
  if (!Wnd || !DropTarget) return E_UNEXPECTED;
  Targets()[Wnd] = std::move(DropTarget);
  return S_OK;
}

HRESULT RevokeDragDrop(HWND Wnd) { return Targets().erase(Wnd) ? S_OK : E_UNEXPECTED; }

std::shared_ptr<IDropTarget> DropTargetOf(HWND Wnd) {
  auto it = Targets().find(Wnd);
  return it == Targets().end() ? nullptr : it->second;
}

void SetDoDragDropHook(TDoDragDropHook Hook_) { Hook() = std::move(Hook_); }

HRESULT DoDragDrop(std::shared_ptr<IDataObject> DataObj, IDropSource* DropSource, DWORD OkEffects, DWORD& Effect) {
  Effect = DROPEFFECT_NONE;
  if (!DataObj || !DropSource) return E_UNEXPECTED;
  if (!Hook()) return DRAGDROP_S_CANCEL;
  return Hook()(DataObj.get(), DropSource, OkEffects, Effect);
}
