#include "service/page_texts.h"

#include "shell/window_ops.h"
#include "ui/dialog_template.h"

void LoadPageTexts(Window& page, int exceptId) {
  const DialogTemplate* dialog = FindDialogTemplate(page.TemplateId());
  if (!dialog) return;
  for (const ControlTemplate& control : dialog->controls) {
    if (control.id == kNoId || control.id == exceptId || control.stringId == kNoString) continue;
    LoadItemText(page, control.id, control.stringId);
  }
}
