#include "info/configuration_window.h"

#include <string>

#include "device/device_link.h"
#include "info/configuration_controls.h"
#include "info/ini_export.h"
#include "layouts/dialog_template.h"
#include "page_helpers/link_session.h"
#include "page_helpers/window_ops.h"
#include "printer/config_pages.h"
#include "printer/configuration_read.h"
#include "printer/configuration_texts.h"
#include "printer/printer_info.h"
#include "string_ids.h"
#include "ui/dialog.h"

namespace {

// The read values, as the model gives them, into the pages there are.
void FillPages(const AppContext& ctx) {
  for (const ConfigFieldText& field : ConfigurationTexts(ctx.printer))
    if (Window* page = ctx.configPages[field.page])
      page->SetItemText(ValueControl(field), field.text);
}

// The switch is the same field the user service page shows; a failed read
// keeps what it held.
void ReadEnergySave(Window& window, AppContext& ctx) {
  WaitCursor busy;
  if (const ReadFailure failure = ReadEnergySaveSwitch(*ctx.link, ctx.printer))
    window.ShowMessage(WindowMessageOf(*failure));
}

void ShowSelectedPage(Window& window, AppContext& ctx) {
  for (Window* page : ctx.configPages)
    if (page) page->Show(false);
  int selected = window.TabSelection(kConfigTabControl);
  if (selected >= 0 && selected < kConfigPageCount && ctx.configPages[selected])
    ctx.configPages[selected]->Show(true);
}

void Initialise(Window& window, AppContext& ctx) {
  LoadWindowText(window, kTextConfigWindowTitle);
  LoadItemText(window, kConfigCloseButton, kTextClose);
  LoadItemText(window, kConfigSaveButton, kTextSave);

  for (int i = 0; i < kConfigPageCount; ++i)
    ctx.configPages[i] = AddTabPage(window, kConfigTabControl, kConfigPageTemplates[i],
                                    kConfigPageTitles[i], i, nullptr, &ctx);
  window.TabSelect(kConfigTabControl, 0);
  if (ctx.configPages[0]) ctx.configPages[0]->Show(true);

  for (Window* page : ctx.configPages)
    if (page) LoadTemplateTexts(*page);
  CenterWindow(window);
  ReadEnergySave(window, ctx);

  FillPages(ctx);
}

void Save(Window& window, AppContext& ctx) {
  std::string path = PromptExportFileName(window, ctx.printer);
  ExportConfiguration(window, ctx.printer, path);
}

}  // namespace

void ConfigurationWindowProc(Window& window, const DialogMessage& message) {
  auto* ctx = static_cast<AppContext*>(window.UserData());
  switch (message.event) {
    case DialogEvent::Init:
      window.SetUserData(message.param);
      if (message.param) Initialise(window, *static_cast<AppContext*>(message.param));
      break;
    case DialogEvent::TabChanged:
      if (ctx && message.id == kConfigTabControl) ShowSelectedPage(window, *ctx);
      break;
    case DialogEvent::Command:
      // Escape (the Cancel command) is ignored: only Close ends the window.
      if (message.id == kConfigCloseButton)
        window.EndDialog(0);
      else if (message.id == kConfigSaveButton && ctx)
        Save(window, *ctx);
      break;
    case DialogEvent::Close: window.EndDialog(0); break;
    default: break;
  }
}

// The link stays open while the window is up; the pointer is the wait
// cursor only while requests go out (the window reads one more as it opens).
void OpenConfigurationWindow(Window& owner, AppContext& ctx) {
  UserActionOnLink holding(ctx);  // the window reads and writes while it is up
  const auto read = [&](DeviceLink& link) {
    ReadConfigurationPages(link, ctx.printer, [&owner](const InfoPageRead& failed) {
      owner.ShowMessage(WindowMessageOf(failed));
    });
  };
  if (!WithDeviceLink(ctx, owner, read, AfterSession::LeaveLinkOpen)) return;
  owner.RunModal(kConfigWindowTemplate, ConfigurationWindowProc, &ctx);

  for (Window*& page : ctx.configPages) page = nullptr;
  ReleasePrinterInfo(ctx.printer);
  ctx.link->Close();
}
