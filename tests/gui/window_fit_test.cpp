// Every window whole at the scaling this process runs at (QT_SCALE_FACTOR;
// make test runs it at 1, 1.25, 1.5 and 2): each window and page built as
// the program fills it, in every language, its controls measured against
// what shows of it. Runs offscreen.
#include <gtest/gtest.h>

#include <QWidget>

#include <algorithm>
#include <string>
#include <vector>

#include "common/app_context.h"
#include "common/string_table.h"
#include "layouts/control_ids.h"
#include "layouts/dialog_template.h"
#include "page_helpers/window_ops.h"
#include "panel/panel_page.h"
#include "printer/config_pages.h"
#include "service/service_mode_page.h"
#include "service/user_service_page.h"
#include "shell/about_box.h"
#include "string_ids.h"
#include "ui/qt/qt_window.h"

namespace {

void Ignore(Window&, const DialogMessage&) {}

std::string Describe(const QRect& r) {
  return std::to_string(r.left()) + "," + std::to_string(r.top()) + " " +
         std::to_string(r.width()) + "x" + std::to_string(r.height());
}

bool Apart(const ControlTemplate& a, const ControlTemplate& b) {
  return a.x + a.cx <= b.x || b.x + b.cx <= a.x || a.y + a.cy <= b.y || b.y + b.cy <= a.y;
}

// Controls outside what shows of their window (its rectangle cut by every
// widget it lies in), and controls over others the template keeps apart.
// A page of the main window must also fill its tab: its controls reach to
// within a tenth of its right edge, as the template draws them.
void Measure(QtWindow& window, int language, bool fillsTab, std::vector<std::string>& findings) {
  const DialogTemplate& dialog = *FindDialogTemplate(window.TemplateId());
  QWidget* top = window.widget()->window();
  QRect visible(window.widget()->mapTo(top, QPoint(0, 0)), window.widget()->size());
  for (QWidget* outer = window.widget()->parentWidget(); outer; outer = outer->parentWidget())
    visible &= QRect(outer->mapTo(top, QPoint(0, 0)), outer->size());
  const std::string where =
      "language " + std::to_string(language) + " template " + std::to_string(dialog.id);
  const auto& widgets = window.Controls();
  int right = 0;
  for (std::size_t i = 0; i < widgets.size(); ++i) {
    const ControlTemplate& c = dialog.controls[i];
    const QRect r(widgets[i]->mapTo(top, QPoint(0, 0)), widgets[i]->size());
    if (r.isEmpty()) continue;  // made to be unseen
    right = std::max(right, r.right() + 1);
    if (!visible.contains(r))
      findings.push_back(where + " control " + std::to_string(c.id) + " at " + Describe(r) +
                         " outside " + Describe(visible));
    for (std::size_t j = 0; j < i; ++j) {
      const QRect other(widgets[j]->mapTo(top, QPoint(0, 0)), widgets[j]->size());
      if (!other.isEmpty() && r.intersects(other) && Apart(c, dialog.controls[j]))
        findings.push_back(where + " control " + std::to_string(c.id) + " covers control " +
                           std::to_string(dialog.controls[j].id));
    }
  }
  const int edge = visible.left() + visible.width();
  if (fillsTab && right < edge - visible.width() / 10)
    findings.push_back(where + " leaves " + std::to_string(edge - right) + " px of " +
                       std::to_string(visible.width()) + " empty at its right");
}

TEST(WindowFit, EveryControlShowsWithinItsPageInEveryLanguage) {
  std::vector<std::string> findings;
  const int previous = TextLanguage();
  for (int language : TextLanguages()) {
    SetTextLanguage(language);
    AppContext ctx{};
    QtWindow main(*FindDialogTemplate(kMainWindowTemplate), Ignore, nullptr, nullptr);
    LoadTemplateTexts(main);
    ctx.mainPages[0] =
        AddTabPage(main, kMainTab, kPanelPageTemplate, kTextPanelTab, 0, PanelPageProc, &ctx);
    ctx.mainPages[1] = AddTabPage(main, kMainTab, kUserServiceTemplate, kTextUserServiceTab, 1,
                               UserServicePageProc, &ctx);
    ctx.mainPages[2] = AddTabPage(main, kMainTab, kServiceModeTemplate, kTextServiceModeTab, 2,
                               ServiceModePageProc, &ctx);
    Measure(main, language, false, findings);
    for (Window* page : ctx.mainPages) Measure(*static_cast<QtWindow*>(page), language, true, findings);

    QtWindow config(*FindDialogTemplate(kConfigWindowTemplate), Ignore, nullptr, nullptr);
    LoadTemplateTexts(config);
    Measure(config, language, false, findings);
    for (int i = 0; i < kConfigPageCount; ++i) {
      Window* page = AddTabPage(config, kConfigTabControl, kConfigPageTemplates[i],
                                kConfigPageTitles[i], i, nullptr, &ctx);
      LoadTemplateTexts(*page);
      Measure(*static_cast<QtWindow*>(page), language, false, findings);
    }

    QtWindow about(*FindDialogTemplate(kAboutTemplate), Ignore, nullptr, nullptr);
    LoadTemplateTexts(about);
    about.SetItemText(kAboutProductLine, kProductLine);
    about.SetItemText(kAboutVersion, kProductVersion);
    Measure(about, language, false, findings);
  }
  SetTextLanguage(previous);
  std::string report = std::to_string(findings.size()) + " found:";
  for (const std::string& line : findings) report += "\n  " + line;
  EXPECT_TRUE(findings.empty()) << report;
}

}  // namespace
