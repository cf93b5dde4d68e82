// Dialog templates as data: every window and page of the program is one
// template of controls with their kind, id, style, string id and position
// in dialog units. Templates carry no texts; the windows load them by
// string id when they are created, so one layout serves every language.
#pragma once

#include <cassert>
#include <span>
#include <vector>

enum class ControlKind {
  PushButton,
  RadioButton,  // automatic radio button
  CheckBox,     // automatic check box
  GroupBox,
  Static,  // static text
  Edit,
  DropDownList,  // non-editable, unsorted drop-down list
  Trackbar,      // horizontal, without tick marks
  TabControl,
};

// Style flags.
enum : unsigned {
  kGroupStart = 1u << 0,  // first control of a radio group (WS_GROUP)
  kTabStop = 1u << 1,
  kAlignLeft = 1u << 2,    // static text, left-aligned
  kAlignCenter = 1u << 3,  // static text, centred
  kBorder = 1u << 4,       // edit: bordered
  kAutoScroll = 1u << 5,   // edit: scrolls horizontally as typed
  // The window's own drawing (kDrawsItself) is read right after this
  // control by a screen reader.
  kDrawingReadAfter = 1u << 6,
};

// Dialog styles.
enum : unsigned {
  kChildPage = 1u << 0,   // borderless child (a tab page)
  kCaption = 1u << 1,     // title bar
  kSystemMenu = 1u << 2,  // title bar close
  kModalFrame = 1u << 3,
  kDialogFrame = 1u << 4,  // frame without a title bar
  kDrawsItself = 1u << 5,  // draws over its controls (the panel display)
};

inline constexpr int kNoId = -1;     // a control no code refers to
inline constexpr int kNoString = 0;  // a control whose text is set at run time or stays empty

struct ControlTemplate {
  ControlKind kind;
  int id;
  int stringId;
  int x, y, cx, cy;  // dialog units
  unsigned style;
  int textLimit;  // edit: most characters; 0 none
};

struct DialogTemplate {
  int id;
  int cx, cy;  // dialog units
  const char* fontFace;
  int pointSize;
  unsigned style;
  std::span<const ControlTemplate> controls;
};

// Template ids.
enum : int {
  kPanelPageTemplate = 102,
  kConfigWindowTemplate = 105,
  kConfigCounterTemplate = 106,
  kConfigSuppliesTemplate = 107,
  kConfigMachineTemplate = 108,
  kConfigCoverageTemplate = 109,
  kMainWindowTemplate = 110,
  kUserServiceTemplate = 111,
  kServiceModeTemplate = 112,
  kConfigPaperTemplate = 113,
  kConfigAdjustmentTemplate = 114,
  kConfigFirmwareTemplate = 115,
  kAboutTemplate = 117,
};

// The template with that id; nullptr when there is none.
const DialogTemplate* FindDialogTemplate(int id);
std::span<const DialogTemplate* const> AllDialogTemplates();
// The control of a template with that id; nullptr when there is none.
const ControlTemplate* FindControl(const DialogTemplate& dialog, int id);
// The kind of control `id` of template `templateId`; a static text for a
// control there is none of.
ControlKind ControlKindIn(int templateId, int id);

// A window's procedure asks only for controls its template has: a wrong id
// would otherwise do nothing without a word, so a debug build stops there.
inline void ExpectControl([[maybe_unused]] const DialogTemplate& dialog, [[maybe_unused]] int id) {
  assert(FindControl(dialog, id) && "the window's template has no control with that id");
}

// The radio buttons of the group that holds control id: a group runs from a
// control with the group flag to the next one, as Windows groups them.
std::vector<int> RadioGroupOf(const DialogTemplate& dialog, int id);

// The controls whose texts a screen reader needs before a control's own to
// know what it sets: for a radio button, the label of its row (the static
// text just before its group); for a slider, the group box around it and
// its label. Empty for any other control, or one with neither.
std::vector<int> NamingControls(const DialogTemplate& dialog, int id);
