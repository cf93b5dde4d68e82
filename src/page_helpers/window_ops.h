// Small operations every window uses to load its texts, centre itself and
// add tab pages.
#pragma once

#include "layouts/dialog_template.h"
#include "ui/dialog.h"

// Sets a control's text to a string of the string table.
void LoadItemText(Window& window, int controlId, int stringId);
// Sets the window's title to a string of the string table.
void LoadWindowText(Window& window, int stringId);
// Sets every control of the window's template that names a string to that
// string, but for exceptId (a control whose text the window sets itself).
void LoadTemplateTexts(Window& window, int exceptId = kNoId);
// Moves the window, its size unchanged, to the middle of the screen, then as
// little as needs be to lie within the work area; a window larger than the
// work area keeps its top left corner (and title bar) inside it.
void CenterWindow(Window& window);
// Inserts a tab titled with a string and creates its page, hidden.
Window* AddTabPage(Window& owner, int tabId, int templateId, int titleStringId, int index,
                   DialogProc proc, void* param);
