// Where a window's controls stand, checked the same way for every toolkit
// on plain screen rectangles: each within what shows of its window, none
// over another that the template keeps apart.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "layouts/dialog_template.h"
#include "page_helpers/app_context.h"
#include "page_helpers/window_ops.h"
#include "panel/panel_page.h"
#include "service/service_mode_page.h"
#include "service/user_service_page.h"
#include "string_ids.h"

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
  bool Inside(const Box& outer) const {
    return left >= outer.left && top >= outer.top && right <= outer.right && bottom <= outer.bottom;
  }
  bool Overlaps(const Box& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
  Box Cut(const Box& o) const {
    return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
            std::min(bottom, o.bottom)};
  }
  std::string Text() const {
    return std::to_string(left) + "," + std::to_string(top) + "-" + std::to_string(right) + "," +
           std::to_string(bottom);
  }
};

inline Box TemplateBox(const ControlTemplate& c) { return {c.x, c.y, c.x + c.cx, c.y + c.cy}; }

// boxes[i] is where dialog.controls[i] shows; an empty box is a control
// made to be unseen. Each finding starts with `where`.
inline void CheckPlaces(const DialogTemplate& dialog, const std::vector<Box>& boxes,
                        const Box& visible, const std::string& where,
                        std::vector<std::string>& findings) {
  for (std::size_t i = 0; i < boxes.size() && i < dialog.controls.size(); ++i) {
    if (boxes[i].Empty()) continue;
    const std::string control = where + " control " + std::to_string(dialog.controls[i].id);
    if (!boxes[i].Inside(visible))
      findings.push_back(control + " at " + boxes[i].Text() + " outside " + visible.Text());
    for (std::size_t j = 0; j < i; ++j)
      if (!boxes[j].Empty() && boxes[i].Overlaps(boxes[j]) &&
          !TemplateBox(dialog.controls[i]).Overlaps(TemplateBox(dialog.controls[j])))
        findings.push_back(control + " covers control " + std::to_string(dialog.controls[j].id) +
                           " (" + boxes[i].Text() + " over " + boxes[j].Text() + ")");
  }
}

// The main window's three pages, as the program adds them.
inline void AddMainPages(Window& main, AppContext& ctx) {
  struct Page {
    int templateId, title;
    DialogProc proc;
  };
  static constexpr Page kPages[] = {
      {kPanelPageTemplate, kTextPanelTab, PanelPageProc},
      {kUserServiceTemplate, kTextUserServiceTab, UserServicePageProc},
      {kServiceModeTemplate, kTextServiceModeTab, ServiceModePageProc}};
  for (int i = 0; i < 3; ++i)
    ctx.mainPages[i] =
        AddTabPage(main, kMainTab, kPages[i].templateId, kPages[i].title, i, kPages[i].proc, &ctx);
}
