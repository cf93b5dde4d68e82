#include "page_helpers/window_ops.h"

#include <algorithm>
#include <string>

#include "common/string_table.h"

void LoadItemText(Window& window, int controlId, int stringId) {
  window.SetItemText(controlId, TextOrEmpty(stringId));
}

void LoadWindowText(Window& window, int stringId) { window.SetTitle(TextOrEmpty(stringId)); }

void LoadTemplateTexts(Window& window, int exceptId) {
  const DialogTemplate* dialog = FindDialogTemplate(window.TemplateId());
  if (!dialog) return;
  for (const ControlTemplate& control : dialog->controls) {
    if (control.id == kNoId || control.id == exceptId || control.stringId == kNoString) continue;
    LoadItemText(window, control.id, control.stringId);
  }
}

namespace {

// The start of a span of length size placed at want, moved into
// [low, high); where it is longer, it starts at low.
int Within(int want, int size, int low, int high) {
  return std::max(low, std::min(want, high - size));
}

}  // namespace

void CenterWindow(Window& window) {
  Platform& platform = CurrentPlatform();
  const Size screen = platform.ScreenSize();
  const Rect work = platform.WorkArea();
  const Rect frame = window.WindowRect();
  window.MoveTo(
      Within((screen.width - frame.Width()) / 2, frame.Width(), work.left, work.right),
      Within((screen.height - frame.Height()) / 2, frame.Height(), work.top, work.bottom));
}

Window* AddTabPage(Window& owner, int tabId, int templateId, int titleStringId, int index,
                   DialogProc proc, void* param) {
  owner.TabInsert(tabId, index, TextOrEmpty(titleStringId));
  Window* page = owner.CreateTabPage(tabId, templateId, proc, param);
  if (page) page->Show(false);
  return page;
}
