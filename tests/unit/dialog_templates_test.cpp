#include "ui/dialog_template.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>

#include "common/string_table.h"

namespace {

using K = ControlKind;

constexpr int kConfigPageIds[] = {106, 107, 108, 109, 113, 114, 115};
// The pages whose controls a user sees side by side and which must not cover
// one another.
constexpr int kLaidOutPageIds[] = {102, 111, 112, 106, 107, 108, 109, 113, 114, 115};

// Height of a drop-down list when closed; its template height includes the list.
constexpr int kClosedListHeight = 12;

struct Frame {
  int id, cx, cy, pointSize;
  unsigned style;
};

constexpr Frame kFrames[] = {
    {102, 340, 260, 9, kChildPage},  {105, 360, 290, 9, kCaption | kSystemMenu | kModalFrame},
    {106, 325, 225, 9, kChildPage},  {107, 325, 225, 9, kChildPage},
    {108, 325, 225, 9, kChildPage},  {109, 325, 225, 9, kChildPage},
    {110, 350, 265, 10, kCaption | kSystemMenu},
    {111, 340, 260, 9, kChildPage},  {112, 340, 260, 9, kChildPage},
    {113, 325, 225, 9, kChildPage},  {114, 325, 225, 9, kChildPage},
    {115, 325, 225, 9, kChildPage},  {117, 187, 95, 9, kModalFrame | kDialogFrame},
};

struct Named {
  int dialog, id;
  ControlKind kind;
  int stringId;
};

// The controls the program's code reaches by id, with their kind and text.
constexpr Named kNamedControls[] = {
    // Panel page.
    {102, 1000, K::GroupBox, 1}, {102, 1001, K::PushButton, 2}, {102, 1003, K::PushButton, 3},
    {102, 1004, K::PushButton, 6}, {102, 1007, K::RadioButton, 17},
    {102, 1008, K::RadioButton, 18}, {102, 1204, K::PushButton, 117},
    {102, 1252, K::Static, 1253}, {102, 1009, K::GroupBox, 7}, {102, 1010, K::PushButton, 8},
    {102, 1026, K::Static, 118}, {102, 1024, K::RadioButton, 10}, {102, 1025, K::RadioButton, 11},
    {102, 1011, K::Static, 9}, {102, 1012, K::RadioButton, 10}, {102, 1013, K::RadioButton, 11},
    {102, 1014, K::Static, 220}, {102, 1077, K::DropDownList, kNoString},
    {102, 1017, K::Static, 14}, {102, 1018, K::RadioButton, 10}, {102, 1019, K::RadioButton, 11},
    {102, 1020, K::GroupBox, 15}, {102, 1021, K::PushButton, 16}, {102, 1203, K::Static, 1199},
    // Configuration window, main window, About box.
    {105, 1033, K::TabControl, kNoString}, {105, 1024, K::PushButton, 330},
    {105, 1023, K::PushButton, 32}, {110, 1023, K::PushButton, 32},
    {110, 1024, K::TabControl, kNoString}, {110, 1195, K::Static, kNoString},
    {110, 1015, K::Edit, kNoString}, {110, 1025, K::PushButton, 327},
    {117, 1196, K::Static, kNoString}, {117, 1197, K::Static, kNoString},
    {117, 1023, K::PushButton, 32},
    // User service page.
    {111, 1037, K::Trackbar, kNoString}, {111, 1038, K::Static, kNoString},
    {111, 1043, K::Static, 124}, {111, 1044, K::Static, 125}, {111, 1045, K::Static, 126},
    {111, 1047, K::Static, 124}, {111, 1050, K::Static, 128}, {111, 1053, K::Static, 129},
    {111, 1056, K::Static, 130}, {111, 1059, K::Static, 126}, {111, 1062, K::Static, 131},
    {111, 1066, K::Static, 134}, {111, 1063, K::Trackbar, kNoString},
    {111, 1067, K::Trackbar, kNoString}, {111, 1068, K::Static, kNoString},
    {111, 1070, K::DropDownList, kNoString}, {111, 1071, K::Static, 219},
    {111, 1072, K::DropDownList, kNoString}, {111, 1014, K::Static, 12},
    {111, 1077, K::DropDownList, kNoString}, {111, 1078, K::Static, 221},
    {111, 1069, K::DropDownList, kNoString}, {111, 1074, K::Static, 136},
    {111, 1036, K::GroupBox, 123}, {111, 1046, K::GroupBox, 213}, {111, 1065, K::GroupBox, 132},
    {111, 1094, K::GroupBox, 224}, {111, 1092, K::GroupBox, kNoString},
    {111, 1254, K::PushButton, 1255}, {111, 1091, K::PushButton, 222},
    {111, 1093, K::PushButton, 223}, {111, 1083, K::PushButton, 146},
    {111, 1084, K::PushButton, 147},
    // Service mode page.
    {112, 1070, K::GroupBox, 137}, {112, 1071, K::CheckBox, 138}, {112, 1072, K::CheckBox, 139},
    {112, 1073, K::GroupBox, 140}, {112, 1074, K::Static, 124}, {112, 1075, K::Static, 125},
    {112, 1076, K::Static, 126}, {112, 1077, K::DropDownList, kNoString},
    {112, 1078, K::DropDownList, kNoString}, {112, 1079, K::DropDownList, kNoString},
    {112, 1191, K::PushButton, 142}, {112, 1082, K::GroupBox, 143},
    {112, 1192, K::PushButton, 144}, {112, 1193, K::PushButton, 145},
    {112, 1194, K::GroupBox, kNoString}, {112, 1080, K::Static, 226},
    {112, 1083, K::Static, 227}, {112, 1108, K::Static, 388}, {112, 1158, K::Static, 144},
    {112, 1157, K::Static, 145}, {112, 1114, K::Static, 389},
    {112, 1081, K::Static, kNoString}, {112, 1086, K::Static, kNoString},
    {112, 1109, K::Static, kNoString}, {112, 1160, K::Static, kNoString},
    {112, 1159, K::Static, kNoString}, {112, 1115, K::Static, kNoString},
    {112, 1084, K::PushButton, 146}, {112, 1085, K::PushButton, 147},
    // Configuration pages: headings, group titles and a sample of rows.
    {107, 1088, K::Static, 157}, {107, 1098, K::Static, 159}, {107, 1092, K::Static, 161},
    {109, 1089, K::Static, 171}, {109, 1107, K::Static, 178}, {109, 1108, K::Static, 179},
    {109, 1118, K::Static, 183}, {109, 1251, K::Static, 1205}, {106, 1113, K::Static, 184},
    {106, 1114, K::Static, 185}, {106, 1190, K::Static, 187}, {106, 1119, K::Static, 188},
    {113, 1124, K::Static, 189}, {113, 1136, K::Static, 196}, {113, 1152, K::Static, 131},
    {108, 1139, K::Static, 199}, {108, 1017, K::Static, 14}, {108, 1146, K::Static, 118},
    {115, 1149, K::Static, 203}, {115, 1152, K::Static, 206}, {114, 1161, K::Static, 208},
    {114, 1171, K::Static, 134}, {114, 1175, K::Static, 136}, {114, 1185, K::Static, 130},
};

// The value fields the configuration window fills, page by page.
struct PageValues {
  int dialog;
  std::set<int> ids;
};

const PageValues kConfigValues[] = {
    {107, {1099, 1100, 1101, 1102, 1103, 1104, 1105, 1106, 1107, 1108, 1109, 1110, 1111, 1112}},
    {109, {1094, 1095, 1096, 1100, 1101, 1105, 1106, 1111, 1112, 1115, 1116, 1119, 1120}},
    {106, {1115, 1117, 1118, 1122, 1121, 1123}},
    {113, {1129, 1130, 1133, 1134, 1137, 1138, 1141, 1145, 1146, 1149, 1150, 1153, 1154}},
    {108, {1144, 1145, 1147, 1148, 1149}},
    {115, {1153, 1154, 1155}},
    {114, {1165, 1167, 1169, 1172, 1176, 1179, 1181, 1183, 1184, 1187, 1188,
           1173, 1174, 1190, 1191, 1192}},
};

const DialogTemplate& Dialog(int id) {
  const DialogTemplate* dialog = FindDialogTemplate(id);
  if (dialog == nullptr) ADD_FAILURE() << "template " << id << " missing";
  static const DialogTemplate kEmpty{};
  return dialog ? *dialog : kEmpty;
}

bool IsZeroSize(const ControlTemplate& c) { return c.cx == 0 && c.cy == 0; }

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

// The English text without its trailing blanks, which a label may cut off.
std::string TrimmedEnglish(int stringId) {
  const char* text = LoadTextIn(kEnglish, stringId);
  std::string trimmed = text ? text : "";
  while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
  return trimmed;
}

TEST(DialogTemplates, EveryTemplateIsFoundWithItsFrame) {
  EXPECT_EQ(AllDialogTemplates().size(), std::size(kFrames));
  std::set<int> listed;
  for (const DialogTemplate* dialog : AllDialogTemplates()) listed.insert(dialog->id);
  for (const Frame& frame : kFrames) {
    SCOPED_TRACE(frame.id);
    EXPECT_TRUE(listed.count(frame.id));
    const DialogTemplate& dialog = Dialog(frame.id);
    EXPECT_EQ(dialog.id, frame.id);
    EXPECT_EQ(dialog.cx, frame.cx);
    EXPECT_EQ(dialog.cy, frame.cy);
    EXPECT_STREQ(dialog.fontFace, "Tahoma");
    EXPECT_EQ(dialog.pointSize, frame.pointSize);
    EXPECT_EQ(dialog.style, frame.style);
    EXPECT_FALSE(dialog.controls.empty());
  }
  EXPECT_EQ(FindDialogTemplate(104), nullptr);
  EXPECT_EQ(FindDialogTemplate(116), nullptr);
  EXPECT_EQ(FindControl(Dialog(102), 1002), nullptr);
  EXPECT_EQ(FindControl(Dialog(102), kNoId), nullptr);
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
      bool hiddenGate = dialog->id == 110 && (c.id == 1195 || c.id == 1015);
      EXPECT_EQ(IsZeroSize(c), hiddenGate);
      if (c.stringId != kNoString) {
        EXPECT_NE(LoadTextIn(kEnglish, c.stringId), nullptr) << "string " << c.stringId;
      }
    }
  }
  const ControlTemplate* password = FindControl(Dialog(110), 1015);
  ASSERT_NE(password, nullptr);
  EXPECT_EQ(password->textLimit, 10);
  EXPECT_EQ(password->style & (kBorder | kAutoScroll), unsigned{kBorder | kAutoScroll});
}

TEST(DialogTemplates, ControlsOfAPageDoNotCoverOneAnother) {
  for (int id : kLaidOutPageIds) {
    const DialogTemplate& dialog = Dialog(id);
    for (size_t i = 0; i < dialog.controls.size(); ++i) {
      for (size_t j = i + 1; j < dialog.controls.size(); ++j) {
        const ControlTemplate& a = dialog.controls[i];
        const ControlTemplate& b = dialog.controls[j];
        if (!Overlap(a, b)) continue;
        bool grouped = (a.kind == K::GroupBox && Contains(a, b)) ||
                       (b.kind == K::GroupBox && Contains(b, a));
        EXPECT_TRUE(grouped) << "template " << id << ": controls " << a.id << " (#" << i
                             << ") and " << b.id << " (#" << j << ") overlap";
      }
    }
  }
}

TEST(DialogTemplates, NamedControlsHaveTheirKindAndText) {
  for (const Named& named : kNamedControls) {
    SCOPED_TRACE(testing::Message() << "template " << named.dialog << " control " << named.id);
    const ControlTemplate* control = FindControl(Dialog(named.dialog), named.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->kind, named.kind);
    EXPECT_EQ(control->stringId, named.stringId);
  }
  // Part-given geometry the front ends rely on: the panel display's frame and
  // the main window's tab control.
  const ControlTemplate* display = FindControl(Dialog(102), 1000);
  ASSERT_NE(display, nullptr);
  EXPECT_EQ(std::make_tuple(display->x, display->y, display->cx, display->cy),
            std::make_tuple(7, 5, 326, 120));
  for (int id : {1196, 1197}) {
    const ControlTemplate* text = FindControl(Dialog(117), id);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->style & kAlignCenter, unsigned{kAlignCenter});
  }
}

TEST(DialogTemplates, PanelRadiosComeInPairs) {
  const DialogTemplate& panel = Dialog(102);
  int groups = 0;
  int radiosInGroup = -1;  // no group started yet
  for (const ControlTemplate& c : panel.controls) {
    if (c.style & kGroupStart) {
      if (radiosInGroup >= 0) {
        EXPECT_EQ(radiosInGroup, 2) << "group ending before " << c.id;
      }
      radiosInGroup = 0;
      ++groups;
    }
    if (c.kind == K::RadioButton) {
      EXPECT_GE(radiosInGroup, 0) << "radio " << c.id << " outside a group";
      ++radiosInGroup;
    }
  }
  EXPECT_EQ(radiosInGroup, 2);
  EXPECT_EQ(groups, 4);
  for (int first : {1007, 1024, 1012, 1018}) {
    const ControlTemplate* radio = FindControl(panel, first);
    ASSERT_NE(radio, nullptr);
    EXPECT_TRUE(radio->style & kGroupStart) << first;
  }
}

TEST(DialogTemplates, ConfigurationPagesHoldOneLineTextFields) {
  for (int id : kConfigPageIds) {
    const DialogTemplate& dialog = Dialog(id);
    for (const ControlTemplate& c : dialog.controls) {
      SCOPED_TRACE(testing::Message() << "template " << id << " control " << c.id);
      EXPECT_EQ(c.kind, K::Static);
      EXPECT_EQ(c.cy, 8);
      EXPECT_EQ(c.style, unsigned{kAlignLeft});
      bool counterLine = id == 106 && (c.id == 1121 || c.id == 1123);
      if (counterLine) {
        EXPECT_EQ(c.cx, 295);
      } else if (c.stringId == kNoString) {
        EXPECT_GE(c.cx, 20);
        EXPECT_LE(c.cx, 85);
      }
    }
  }
  for (const PageValues& page : kConfigValues) {
    const DialogTemplate& dialog = Dialog(page.dialog);
    std::set<int> values;
    for (const ControlTemplate& c : dialog.controls) {
      if (c.stringId == kNoString) values.insert(c.id);
    }
    EXPECT_EQ(values, page.ids) << "template " << page.dialog;
  }
}

// A dialog unit is a quarter of the font's average character width; a text
// needs about four units a character (more for capitals).
TEST(DialogTemplates, TextsFitTheirControls) {
  constexpr int kUnitsPerCharacter = 4;
  constexpr int kCheckMarkWidth = 10;
  for (const DialogTemplate* dialog : AllDialogTemplates()) {
    for (const ControlTemplate& c : dialog->controls) {
      if (c.stringId == kNoString) continue;
      SCOPED_TRACE(testing::Message() << "template " << dialog->id << " control " << c.id);
      int needed = kUnitsPerCharacter * static_cast<int>(TrimmedEnglish(c.stringId).size());
      int lines = c.kind == K::Static ? std::max(1, c.cy / 8) : 1;
      int room = c.cx * lines;
      if (c.kind == K::RadioButton || c.kind == K::CheckBox) room -= kCheckMarkWidth;
      EXPECT_GE(room, needed) << '"' << TrimmedEnglish(c.stringId) << '"';
    }
  }
}

}  // namespace
