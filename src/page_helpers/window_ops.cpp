#include "page_helpers/window_ops.h"

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

void CenterWindow(Window& window) {
  Size screen = CurrentPlatform().ScreenSize();
  Rect frame = window.WindowRect();
  window.MoveTo((screen.width - frame.Width()) / 2, (screen.height - frame.Height()) / 2);
}

Window* AddTabPage(Window& owner, int tabId, int templateId, int titleStringId, int index,
                   DialogProc proc, void* param) {
  owner.TabInsert(tabId, index, TextOrEmpty(titleStringId));
  Window* page = owner.CreateTabPage(tabId, templateId, proc, param);
  if (page) page->Show(false);
  return page;
}
