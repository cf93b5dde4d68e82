// Every text of every language fits the control that shows it, as the Qt
// backend lays the windows out: the real windows are built from their
// templates in the dialog font (DejaVu Sans in Tahoma's place, CJK from the
// fontconfig fallback), given the texts the program gives them, and each
// text is measured the way its widget draws it. Runs offscreen.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextLayout>

#include <algorithm>
#include <climits>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "common/string_table.h"
#include "printer/config_conversions.h"
#include "panel/panel_page.h"
#include "page_helpers/window_ops.h"
#include "service/service_mode_page.h"
#include "service/user_service_page.h"
#include "shell/about_box.h"
#include "common/app_context.h"
#include "layouts/control_ids.h"
#include "layouts/dialog_template.h"
#include "ui/qt/qt_window.h"
#include "string_ids.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// ------------------------------------------------------------ measuring

// What a text needs of its control and what the control offers.
struct Fit {
  int needed = 0;
  int available = 0;
  const char* what = "";
  const char* unit = "px";
  std::string detail = {};
  bool Overflows() const { return needed > available; }
};

// A push button draws its text (mnemonic markers taken out) inside the
// style's margins; measured without the style's minimum width for buttons
// with text, which is a preference, not a need.
Fit PushButtonFit(QPushButton& button, const QString& text) {
  QStyleOptionButton option;
  option.initFrom(&button);
  if (button.autoDefault()) option.features |= QStyleOptionButton::AutoDefaultButton;
  const int margins =
      button.style()->sizeFromContents(QStyle::CT_PushButton, &option, QSize(0, 0), &button).width();
  const int textWidth = button.fontMetrics().size(Qt::TextShowMnemonic, text).width();
  return {textWidth + margins, button.width(), "push button"};
}

// Radio buttons and check boxes: indicator, spacing and text, as the style
// sizes them.
Fit IndicatorButtonFit(QAbstractButton& button, const QString& text) {
  button.setText(text);
  return {button.sizeHint().width(), button.width(), "radio button or check box"};
}

// The title with the style's frame margins on either side.
Fit GroupTitleFit(QGroupBox& group, const QString& text) {
  group.setTitle(text);
  return {group.minimumSizeHint().width(), group.width(), "group box title"};
}

// Static texts are word-wrapped labels aligned to the top. A label lower
// than two lines shows one line: its text must fit the width. A taller one
// must hold every wrapped line. Trailing blanks (some labels end in them on
// purpose) are not drawn.
Fit StaticFit(const QLabel& label, const QString& text) {
  QString shown = text;
  while (shown.endsWith(QLatin1Char(' '))) shown.chop(1);
  const QFontMetrics metrics = label.fontMetrics();
  if (label.height() < 2 * metrics.height())
    return {metrics.horizontalAdvance(shown), label.width(), "one-line text"};
  constexpr int kUnbounded = INT_MAX / 2;
  const QRect wrapped = metrics.boundingRect(QRect(0, 0, label.width(), kUnbounded),
                                             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, shown);
  if (wrapped.width() > label.width())
    return {wrapped.width(), label.width(), "multi-line text's longest word"};
  // Lines count at the text's own height: a CJK line from the fallback font
  // is a pixel taller than the dialog font's and still shows whole.
  const int lineHeight =
      metrics.boundingRect(QRect(0, 0, kUnbounded, kUnbounded), Qt::AlignLeft | Qt::AlignTop, shown)
          .height();
  const int lines = lineHeight > 0 ? (wrapped.height() + lineHeight / 2) / lineHeight : 0;
  return {lines, label.height() / metrics.height(), "multi-line text", "lines",
          std::to_string(label.height()) + " px high"};
}

// A drop-down list shows its selected entry beside the arrow: the style's
// size for a list holding only that entry. (The text area the style leaves
// beside the arrow is a few pixels narrower still.)
Fit ListEntryFit(const QComboBox& list, const QString& entry) {
  QComboBox probe;
  probe.setFont(list.font());
  probe.setSizeAdjustPolicy(QComboBox::AdjustToContents);
  probe.addItem(entry);
  return {probe.sizeHint().width(), list.width(), "drop-down list entry"};
}

// Characters the dialog font and its fallbacks have no glyph for.
int MissingGlyphs(const QFont& font, const QString& text) {
  QTextLayout layout(text, font);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  int missing = 0;
  for (const QGlyphRun& run : layout.glyphRuns())
    for (quint32 glyph : run.glyphIndexes()) missing += glyph == 0;
  return missing;
}

// ------------------------------------------------------------ the texts

// Value fields the configuration pages fill from the printer's codes, with
// every text a code turns into; the slider values of the user service page
// at the widest value of each slider's range. Other value fields show the
// printer's own numbers and names.
struct ValueField {
  int templateId;
  std::vector<int> controlIds;
  std::vector<std::string> (*texts)();
};

std::vector<std::string> SupplyStates() {
  std::vector<std::string> texts;
  for (const char* code : {"0", "1", "2", "3", "4"})
    if (auto text = SupplyStateText(code)) texts.push_back(*text);
  return texts;
}

std::vector<std::string> CartridgeTypes() {
  return {CartridgeTypeText("05"), CartridgeTypeText("15"), CartridgeTypeText("25"),
          CartridgeTypeText("")};
}

std::vector<std::string> Switches() { return {SwitchOffText("OFF"), SwitchOffText("ON")}; }
std::vector<std::string> TopLeftAdjustment() { return {"-15", "15"}; }
std::vector<std::string> TransferAdjustment() { return {"-8", "7"}; }
std::vector<std::string> AboutLine() { return {kProductLine}; }
std::vector<std::string> AboutVersion() { return {kProductVersion}; }

const ValueField kValueFields[] = {
    {kConfigSuppliesTemplate, {kSuppliesCyanStatus, kSuppliesMagentaStatus, kSuppliesYellowStatus,
      kSuppliesBlackStatus, kSuppliesImagingStatus}, SupplyStates},
    {kConfigSuppliesTemplate, {kSuppliesCyanType, kSuppliesMagentaType, kSuppliesYellowType, kSuppliesBlackType}, CartridgeTypes},
    // The energy-save field shows "Off" when energy saving is off, else the printer's text.
    {kConfigMachineTemplate, {kMachineEnergySave, kMachineAutoContinue, kMachineTonerOutStop,
      kMachineTonerLow}, Switches},
    {kUserServiceTemplate, {kTopPlainValue, kTopThickValue, kTopEnvelopeValue, kLeftTray1Value}, TopLeftAdjustment},
    {kUserServiceTemplate, {kTransferPlainValue, kTransferThick1Value, kTransferThick2Value,
      kTransferPostcardValue, kTransferEnvelopeValue, kTransferLabelsValue}, TransferAdjustment},
    {kAboutTemplate, {kAboutProductLine}, AboutLine},
    {kAboutTemplate, {kAboutVersion}, AboutVersion},
};

const ValueField* FindValueField(int templateId, int controlId) {
  for (const ValueField& field : kValueFields)
    if (field.templateId == templateId)
      for (int id : field.controlIds)
        if (id == controlId) return &field;
  return nullptr;
}

// The tabs the windows insert, by title string.
struct TabRow {
  int templateId;
  int tabControlId;
  std::vector<int> titleIds;
};

const TabRow kTabRows[] = {
    {kMainWindowTemplate, kMainTab, {kTextPanelTab, kTextUserServiceTab, kTextServiceModeTab}},
    {kConfigWindowTemplate, kConfigTabControl,
     {kTextSuppliesTab, kTextCoverageTab, kTextCounterTab, kTextPaperTab, kTextMachineTab,
      kTextFirmwareTab, kTextAdjustmentTab}},
};

// A window as the program fills it in the current language: the pages with
// a procedure of their own set themselves up; the others get their
// template's texts as their windows load them.
std::unique_ptr<QtWindow> FilledWindow(const DialogTemplate& dialog, AppContext& ctx) {
  DialogProc proc = nullptr;
  if (dialog.id == kPanelPageTemplate) proc = PanelPageProc;
  if (dialog.id == kUserServiceTemplate) proc = UserServicePageProc;
  if (dialog.id == kServiceModeTemplate) proc = ServiceModePageProc;
  auto window = std::make_unique<QtWindow>(dialog, proc, nullptr, nullptr);
  if (proc)
    window->Send({DialogEvent::Init, 0, 0, &ctx});
  else
    LoadTemplateTexts(*window);
  return window;
}

// One text in one control, measured.
struct Measured {
  int language;
  int templateId;
  int controlId;
  QString text;
  QFont font;
  Fit fit;
};

std::string Describe(const Measured& m) {
  std::string line = "language " + std::to_string(m.language) + " template " +
                     std::to_string(m.templateId) + " control " +
                     std::to_string(m.controlId) + " \"" + m.text.toStdString() + "\": " +
                     m.fit.what + " needs " + std::to_string(m.fit.needed) + " " + m.fit.unit +
                     ", has " + std::to_string(m.fit.available) + " " + m.fit.unit;
  if (!m.fit.detail.empty()) line += " (" + m.fit.detail + ")";
  return line;
}

// The texts a control shows: its value candidates, the entries of a list,
// or the text the window gave it.
std::vector<QString> TextsOf(const DialogTemplate& dialog, const ControlTemplate& control,
                             QWidget* widget) {
  std::vector<QString> texts;
  if (const ValueField* field = FindValueField(dialog.id, control.id)) {
    for (const std::string& text : field->texts()) texts.push_back(Q(text));
  } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
    for (int i = 0; i < list->count(); ++i) texts.push_back(list->itemText(i));
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    texts.push_back(label->text());
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    texts.push_back(button->text());
  } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    texts.push_back(group->title());
  }
  return texts;
}

Fit FitIn(QWidget* widget, const QString& text) {
  if (auto* button = qobject_cast<QPushButton*>(widget)) return PushButtonFit(*button, text);
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return IndicatorButtonFit(*button, text);
  if (auto* group = qobject_cast<QGroupBox*>(widget)) return GroupTitleFit(*group, text);
  if (auto* label = qobject_cast<QLabel*>(widget)) return StaticFit(*label, text);
  if (auto* list = qobject_cast<QComboBox*>(widget)) return ListEntryFit(*list, text);
  return {};
}

// The tabs side by side: their widths as the tab bar lays them out.
Fit TabRowFit(QtWindow& window, const TabRow& row, QString* titles) {
  auto* tabs = dynamic_cast<TabControl*>(window.Control(row.tabControlId));
  if (!tabs) return {};
  for (std::size_t i = 0; i < row.titleIds.size(); ++i)
    window.TabInsert(row.tabControlId, int(i), TextOrEmpty(row.titleIds[i]));
  int total = 0;
  for (int i = 0; i < tabs->bar()->count(); ++i) {
    total += tabs->bar()->tabRect(i).width();
    *titles += (i ? QStringLiteral(" | ") : QString()) + tabs->bar()->tabText(i);
  }
  return {total, tabs->width(), "tab row", "px", std::to_string(tabs->bar()->count()) + " tabs"};
}

struct Measurements {
  std::vector<Measured> controls;  // every text of every control but the tabs
  std::vector<Measured> tabRows;   // one per tab control and language
};

// Every text of every window in every language, measured once.
const Measurements& EveryText() {
  static const Measurements all = [] {
    Measurements m;
    const int previous = TextLanguage();
    for (int language : TextLanguages()) {
      SetTextLanguage(language);
      for (const DialogTemplate* dialog : AllDialogTemplates()) {
        AppContext ctx{};
        std::unique_ptr<QtWindow> window = FilledWindow(*dialog, ctx);
        for (const ControlTemplate& control : dialog->controls) {
          QWidget* widget = control.id == kNoId ? nullptr : window->Control(control.id);
          if (!widget || control.kind == ControlKind::TabControl) continue;
          for (const QString& text : TextsOf(*dialog, control, widget)) {
            if (text.trimmed().isEmpty()) continue;
            m.controls.push_back(
                {language, dialog->id, control.id, text, widget->font(), FitIn(widget, text)});
          }
        }
        for (const TabRow& row : kTabRows) {
          if (row.templateId != dialog->id) continue;
          QString titles;
          Fit fit = TabRowFit(*window, row, &titles);
          m.tabRows.push_back({language, dialog->id, row.tabControlId, titles,
                               window->Control(row.tabControlId)->font(), fit});
        }
      }
    }
    SetTextLanguage(previous);
    return m;
  }();
  return all;
}

// One line per finding, so that a failure lists them all.
std::string Report(const std::vector<std::string>& lines) {
  std::string text = std::to_string(lines.size()) + " found:";
  for (const std::string& line : lines) text += "\n  " + line;
  return text;
}

// ------------------------------------------------------------ the checks

TEST(TextFit, TheDialogFontIsTheStandInAndHasAGlyphForEveryCharacter) {
  const DialogTemplate& panel = *FindDialogTemplate(kPanelPageTemplate);
  EXPECT_EQ(QFontInfo(DialogFont(panel)).family(), QStringLiteral("DejaVu Sans"))
      << "Tahoma is measured as the DejaVu Sans that stands in for it";
  std::vector<std::string> missing;
  for (const auto* list : {&EveryText().controls, &EveryText().tabRows})
    for (const Measured& m : *list)
      if (int n = MissingGlyphs(m.font, m.text))
        missing.push_back(Describe(m) + ": " + std::to_string(n) + " characters without a glyph");
  EXPECT_TRUE(missing.empty()) << "install fonts-dejavu-core and fonts-wqy-microhei; "
                               << Report(missing);
}

TEST(TextFit, EveryControlTextFitsInEveryLanguage) {
  const Measurements& all = EveryText();
  // The measures do see an overflow: the configuration button's text in the
  // narrower status button; the calibration note said twice in its two lines.
  {
    AppContext ctx{};
    auto panel = FilledWindow(*FindDialogTemplate(kPanelPageTemplate), ctx);
    auto* status = qobject_cast<QPushButton*>(panel->Control(kPanelStatusButton));
    auto* note = qobject_cast<QLabel*>(panel->Control(kPanelCalibrationNote));
    ASSERT_TRUE(status && note);
    EXPECT_TRUE(PushButtonFit(*status, QStringLiteral("Display Configuration Page")).Overflows());
    EXPECT_FALSE(PushButtonFit(*status, QStringLiteral("Status")).Overflows());
    const QString once = QString::fromUtf8(LoadTextIn(kEnglish, kTextCalibrationNote));
    EXPECT_FALSE(StaticFit(*note, once).Overflows());
    EXPECT_TRUE(StaticFit(*note, once + QLatin1Char(' ') + once).Overflows());
  }
  std::size_t englishTexts = 0;
  std::vector<std::string> overflows;
  for (const Measured& m : all.controls) {
    englishTexts += m.language == kEnglish;
    if (m.fit.Overflows()) overflows.push_back(Describe(m));
  }
  EXPECT_GT(englishTexts, 150u) << "every window's texts are measured";
  EXPECT_TRUE(overflows.empty()) << Report(overflows);
}

// The main window's three tabs must stand side by side. The configuration
// window's seven do not, even in English: the tab bar then shows scroll
// arrows and cuts no title, so there each language may need no more room
// than English needs, within a tenth.
TEST(TextFit, TabTitlesStandSideBySide) {
  const Measurements& all = EveryText();
  int englishConfigRow = 0;
  for (const Measured& m : all.tabRows)
    if (m.language == kEnglish && m.templateId == kConfigWindowTemplate)
      englishConfigRow = m.fit.needed;
  ASSERT_GT(englishConfigRow, 0);
  std::vector<std::string> overflows;
  for (const Measured& m : all.tabRows) {
    Measured checked = m;
    if (m.templateId == kConfigWindowTemplate) {
      checked.fit.available = std::max(m.fit.available, englishConfigRow * 11 / 10);
      checked.fit.detail += ", English needs " + std::to_string(englishConfigRow) + " px";
    }
    if (checked.fit.Overflows()) overflows.push_back(Describe(checked));
  }
  EXPECT_EQ(all.tabRows.size(), TextLanguages().size() * std::size(kTabRows));
  EXPECT_TRUE(overflows.empty()) << Report(overflows);
}

}  // namespace
