#include "layouts/dialog_template.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/string_table.h"
#include "layouts/control_ids.h"

namespace {

using K = ControlKind;

// The pages whose controls a user sees side by side and which must not cover
// one another.
constexpr int kLaidOutPageIds[] = {kPanelPageTemplate,        kUserServiceTemplate,
                                   kServiceModeTemplate,      kConfigCounterTemplate,
                                   kConfigSuppliesTemplate,   kConfigMachineTemplate,
                                   kConfigCoverageTemplate,   kConfigPaperTemplate,
                                   kConfigAdjustmentTemplate, kConfigFirmwareTemplate};

// Height of a drop-down list when closed; its template height includes the list.
constexpr int kClosedListHeight = 12;

int ShownHeight(const ControlTemplate& c) {
  return c.kind == K::DropDownList ? kClosedListHeight : c.cy;
}

// A group box draws its frame half a text line below its top; without a
// title nothing is drawn above that line.
int ShownTop(const ControlTemplate& c) {
  return c.kind == K::GroupBox && c.stringId == kNoString ? c.y + 4 : c.y;
}

int ShownBottom(const ControlTemplate& c) { return c.y + ShownHeight(c); }

bool Contains(const ControlTemplate& outer, const ControlTemplate& inner) {
  return outer.x <= inner.x && outer.y <= inner.y && inner.x + inner.cx <= outer.x + outer.cx &&
         ShownBottom(inner) <= ShownBottom(outer);
}

bool Overlap(const ControlTemplate& a, const ControlTemplate& b) {
  return a.x < b.x + b.cx && b.x < a.x + a.cx && ShownTop(a) < ShownBottom(b) &&
         ShownTop(b) < ShownBottom(a);
}

TEST(DialogTemplates, IdsAreUniqueAndControlsLieInsideTheirDialog) {
  for (const DialogTemplate* dialog : AllDialogTemplates()) {
    std::set<int> seen;
    for (const ControlTemplate& c : dialog->controls) {
      SCOPED_TRACE(testing::Message() << "template " << dialog->id << " control " << c.id);
      if (c.id != kNoId) {
        EXPECT_TRUE(seen.insert(c.id).second) << "id used twice";
      }
      EXPECT_GE(c.x, 0);
      EXPECT_GE(c.y, 0);
      EXPECT_LE(c.x + c.cx, dialog->cx);
      EXPECT_LE(c.y + c.cy, dialog->cy);
      // Only the main window's hidden password label and field have no size.
      bool hiddenGate =
          dialog->id == kMainWindowTemplate && (c.id == kPasswordLabel || c.id == kPasswordField);
      EXPECT_EQ(c.cx == 0 && c.cy == 0, hiddenGate);
      if (c.stringId != kNoString) {
        EXPECT_NE(LoadTextIn(kEnglish, c.stringId), nullptr) << "string " << c.stringId;
      }
    }
  }
}

TEST(DialogTemplates, ControlsOfAPageDoNotCoverOneAnother) {
  for (int id : kLaidOutPageIds) {
    ASSERT_NE(FindDialogTemplate(id), nullptr) << "template " << id;
    const DialogTemplate& dialog = *FindDialogTemplate(id);
    for (size_t i = 0; i < dialog.controls.size(); ++i) {
      for (size_t j = i + 1; j < dialog.controls.size(); ++j) {
        const ControlTemplate& a = dialog.controls[i];
        const ControlTemplate& b = dialog.controls[j];
        if (!Overlap(a, b)) continue;
        bool grouped =
            (a.kind == K::GroupBox && Contains(a, b)) || (b.kind == K::GroupBox && Contains(b, a));
        EXPECT_TRUE(grouped) << "template " << id << ": controls " << a.id << " (#" << i << ") and "
                             << b.id << " (#" << j << ") overlap";
      }
    }
  }
}

}  // namespace
