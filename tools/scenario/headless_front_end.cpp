#include "headless_front_end.h"

#include "script.h"
#include "shell/vantrel.h"

HeadlessFrontEnd::HeadlessFrontEnd(Transcript::Log log) : ui_(std::move(log)) { UsePlatform(&ui_); }

void HeadlessFrontEnd::Play(Script& script) {
  // The headless loops, nested ones too, take the actions from their queue.
  for (std::size_t i = script.Left(); i > 0; --i)
    ui_.Script([this, &script] { script.PlayNext(*this); });
  while (ui_.Step()) {}
}

// The second instance shares the platform and so finds the first one's guard.
int HeadlessFrontEnd::Run(bool, int watchSeconds, DeviceLink& windowLink) {
  return RunVantrel(ui_, windowLink, StartKind::ByUser, watchSeconds);
}

void HeadlessFrontEnd::Pick(const std::string& window, int id, const std::string& entry) {
  std::vector<std::string> entries;
  HeadlessWindow* w = ui_.Find(window);
  for (int i = 0; w && w->HasControl(id) && i < w->ListCount(id); ++i)
    entries.push_back(w->ListItemText(id, i));
  ui_.PickListItem(window, id, EntryIndex(entries, entry));
}
