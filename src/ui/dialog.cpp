#include "ui/dialog.h"

#include "common/string_table.h"

namespace {
Platform* g_platform = nullptr;
}

Platform& CurrentPlatform() { return *g_platform; }
void UsePlatform(Platform* platform) { g_platform = platform; }

void Window::ShowMessage(int stringId) {
  const char* text = LoadText(stringId);
  ShowMessageBox(text ? text : "", MessageButtons::Ok);
}
