#include "ui/accessible_name.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "common/string_table.h"
#include "layouts/control_ids.h"

namespace {

const DialogTemplate& Template(int id) {
  const DialogTemplate* dialog = FindDialogTemplate(id);
  EXPECT_NE(dialog, nullptr) << "template " << id;
  return *dialog;
}

// A radio button "On" says which setting through its row's label, for both
// buttons of the row; a slider says its group, then its label.
TEST(AccessibleNames, RadioButtonsAreNamedByTheirRowAndSlidersByTheirGroup) {
  const DialogTemplate& panel = Template(kPanelPageTemplate);
  EXPECT_EQ(NamingControls(panel, kPanelTonerLowOn), std::vector<int>{1026});
  EXPECT_EQ(NamingControls(panel, kPanelTonerLowOff), std::vector<int>{1026});
  EXPECT_EQ(NamingControls(panel, kPanelTonerOutStopOff), std::vector<int>{1011});
  EXPECT_EQ(NamingControls(panel, kPanelAutoContinueOn), std::vector<int>{1017});
  // Their own texts say it all: a button, not a label, stands before them.
  EXPECT_TRUE(NamingControls(panel, kPanelChangeTonerRadio).empty());
  EXPECT_TRUE(NamingControls(panel, kPanelEjectTonerRadio).empty());
  EXPECT_TRUE(NamingControls(panel, kPanelStatusButton).empty());
  const DialogTemplate& user = Template(kUserServiceTemplate);
  EXPECT_EQ(NamingControls(user, kTopPlainSlider), (std::vector<int>{1036, 1043}));
  EXPECT_EQ(NamingControls(user, kTopEnvelopeSlider), (std::vector<int>{1036, 1045}));
  EXPECT_EQ(NamingControls(user, kTransferPlainSlider), (std::vector<int>{1046, 1047}));
  EXPECT_EQ(NamingControls(user, kTransferEnvelopeSlider), (std::vector<int>{1046, 1059}));
  EXPECT_EQ(NamingControls(user, kLeftTray1Slider), (std::vector<int>{1065, 1066}));
  EXPECT_TRUE(NamingControls(user, kGdiTimeoutList).empty());
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
