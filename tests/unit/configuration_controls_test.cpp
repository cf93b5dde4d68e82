// The configuration window's controls show the model's rows: each label and
// heading control of a page's layout holds the text the model gives that
// row (the export's keys and sections), and each value control starts empty,
// as the export writes a value that was not read.
#include <gtest/gtest.h>

#include <iterator>

#include "info/configuration_controls.h"
#include "layouts/dialog_template.h"

namespace {

// The text a control of a page's layout starts with; -1 for no such control.
int LayoutText(int page, int control) {
  const DialogTemplate* layout = FindDialogTemplate(kConfigPageTemplates[page]);
  const ControlTemplate* found = layout ? FindControl(*layout, control) : nullptr;
  return found ? found->stringId : -1;
}

TEST(ConfigurationControls, SuppliesShowTheModelsTexts) {
  EXPECT_EQ(LayoutText(kSuppliesPage, kSuppliesHeadingControl), kSuppliesHeadingText);
  for (std::size_t i = 0; i < std::size(kSupplyFields); ++i) {
    SCOPED_TRACE(kSupplyFields[i].name);
    const SupplyControls& controls = kSupplyControls[i];
    EXPECT_EQ(LayoutText(kSuppliesPage, controls.label), kSupplyFields[i].label);
    EXPECT_EQ(LayoutText(kSuppliesPage, controls.status), kNoString);
    EXPECT_EQ(LayoutText(kSuppliesPage, controls.remaining), kNoString);
    if (controls.type) {
      EXPECT_EQ(LayoutText(kSuppliesPage, controls.type), kNoString);
    }
  }
}

TEST(ConfigurationControls, RowsShowTheModelsTexts) {
  for (std::size_t i = 0; i < std::size(kConfigurationFields); ++i) {
    SCOPED_TRACE(i);
    const ConfigurationField& row = kConfigurationFields[i];
    const FieldControls& controls = kConfigurationFieldControls[i];
    if (row.section) {
      EXPECT_EQ(LayoutText(row.page, controls.section), row.section);
    }
    if (row.label) {
      EXPECT_EQ(LayoutText(row.page, controls.label), row.label);
    }
    EXPECT_EQ(LayoutText(row.page, controls.value), kNoString);
  }
}

}  // namespace
