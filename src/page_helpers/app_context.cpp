#include "page_helpers/app_context.h"

#include "ui/dialog.h"

AppContext* PageContext(Window& page, const DialogMessage& message) {
  if (message.event == DialogEvent::Init) page.SetUserData(message.param);
  return static_cast<AppContext*>(page.UserData());
}
