#include "ui/accessible_name.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "common/string_table.h"
#include "layouts/control_ids.h"

namespace {

const DialogTemplate& Template(int id) {
  const DialogTemplate* dialog = FindDialogTemplate(id);
  EXPECT_NE(dialog, nullptr) << "template " << id;
  return *dialog;
}

TEST(AccessibleNames, EverySliderHasAGroupAndALabel) {
  for (const DialogTemplate* dialog : AllDialogTemplates()) {
    for (const ControlTemplate& c : dialog->controls) {
      if (c.kind != ControlKind::Trackbar) continue;
      EXPECT_EQ(NamingControls(*dialog, c.id).size(), 2u)
          << "template " << dialog->id << " slider " << c.id;
    }
  }
}

TEST(AccessibleNames, TextsAreJoinedAsTheLanguageJoinsThem) {
  const std::map<int, std::string> texts = {
      {1026, "Toner Low Message"}, {kPanelTonerLowOff, "Off"},     {1036, "Top Adjustment"},
      {1043, "Plain Paper"},       {kPanelStatusButton, "Status"}, {1046, ""},
      {1047, "Plain Paper"}};
  auto textOf = [&texts](int id) {
    auto it = texts.find(id);
    return it == texts.end() ? std::string() : it->second;
  };
  const DialogTemplate& panel = Template(kPanelPageTemplate);
  const DialogTemplate& user = Template(kUserServiceTemplate);
  SetTextLanguage(kEnglish);
  EXPECT_EQ(AccessibleName(panel, kPanelTonerLowOff, textOf), "Toner Low Message: Off");
  EXPECT_EQ(AccessibleName(user, kTopPlainSlider, textOf), "Top Adjustment: Plain Paper");
  // A control nothing else names keeps the toolkit's name; an empty text
  // is left out.
  EXPECT_EQ(AccessibleName(panel, kPanelStatusButton, textOf), "");
  EXPECT_EQ(AccessibleName(user, kTransferPlainSlider, textOf), "Plain Paper");
  SetTextLanguage(1036);
  EXPECT_EQ(AccessibleName(panel, kPanelTonerLowOff, textOf), "Toner Low Message : Off");
  SetTextLanguage(kEnglish);
}

}  // namespace
