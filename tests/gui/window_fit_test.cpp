// Every window whole and every text of every language fitting the control
// that shows it, at the scaling this process runs at (QT_SCALE_FACTOR; make
// test runs it at 1, 1.25, 1.5 and 2): each window and page built and
// filled as the program does, in the dialog font (DejaVu Sans in Tahoma's
// place, CJK from the fontconfig fallback); its controls measured against
// what shows of it, each text the way its widget draws it. Runs offscreen.
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
#include <functional>
#include <string>
#include <vector>

#include "common/string_table.h"
#include "layouts/control_ids.h"
#include "layouts/dialog_template.h"
#include "page_helpers/app_context.h"
#include "page_helpers/window_ops.h"
#include "panel/panel_page.h"
#include "printer/config_conversions.h"
#include "printer/config_pages.h"
#include "printer/configuration_export.h"
#include "printer/configuration_texts.h"
#include "service/service_mode_page.h"
#include "service/user_service_page.h"
#include "shell/about_box.h"
#include "string_ids.h"
#include "ui/qt/qt_window.h"

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
  const int margins = button.style()
                          ->sizeFromContents(QStyle::CT_PushButton, &option, QSize(0, 0), &button)
                          .width();
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
  const QRect wrapped =
      metrics.boundingRect(QRect(0, 0, label.width(), kUnbounded),
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
    {kConfigSuppliesTemplate,
     {kSuppliesCyanStatus, kSuppliesMagentaStatus, kSuppliesYellowStatus, kSuppliesBlackStatus,
      kSuppliesImagingStatus},
     SupplyStates},
    {kConfigSuppliesTemplate,
     {kSuppliesCyanType, kSuppliesMagentaType, kSuppliesYellowType, kSuppliesBlackType},
     CartridgeTypes},
    // The energy-save field shows "Off" when energy saving is off, else the printer's text.
    {kConfigMachineTemplate,
     {kMachineEnergySave, kMachineAutoContinue, kMachineTonerOutStop, kMachineTonerLow},
     Switches},
    {kUserServiceTemplate,
     {kTopPlainValue, kTopThickValue, kTopEnvelopeValue, kLeftTray1Value},
     TopLeftAdjustment},
    {kUserServiceTemplate,
     {kTransferPlainValue, kTransferThick1Value, kTransferThick2Value, kTransferPostcardValue,
      kTransferEnvelopeValue, kTransferLabelsValue},
     TransferAdjustment},
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
                     std::to_string(m.templateId) + " control " + std::to_string(m.controlId) +
                     " \"" + m.text.toStdString() + "\": " + m.fit.what + " needs " +
                     std::to_string(m.fit.needed) + " " + m.fit.unit + ", has " +
                     std::to_string(m.fit.available) + " " + m.fit.unit;
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
  if (auto* button = qobject_cast<QAbstractButton*>(widget))
    return IndicatorButtonFit(*button, text);
  if (auto* group = qobject_cast<QGroupBox*>(widget)) return GroupTitleFit(*group, text);
  if (auto* label = qobject_cast<QLabel*>(widget)) return StaticFit(*label, text);
  if (auto* list = qobject_cast<QComboBox*>(widget)) return ListEntryFit(*list, text);
  return {};
}

// The tabs side by side: their widths as the tab bar lays them out.
Fit TabRowFit(TabControl& tabs, QString* titles) {
  int total = 0;
  for (int i = 0; i < tabs.bar()->count(); ++i) {
    total += tabs.bar()->tabRect(i).width();
    *titles += (i ? QStringLiteral(" | ") : QString()) + tabs.bar()->tabText(i);
  }
  return {total, tabs.width(), "tab row", "px", std::to_string(tabs.bar()->count()) + " tabs"};
}

// ------------------------------------------------------------ the windows

void Ignore(Window&, const DialogMessage&) {}

std::string Geometry(const QRect& r) {
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
void MeasurePlaces(QtWindow& window, int language, bool fillsTab,
                   std::vector<std::string>& findings) {
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
      findings.push_back(where + " control " + std::to_string(c.id) + " at " + Geometry(r) +
                         " outside " + Geometry(visible));
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

// Every window and page in the current language as the program builds and
// fills it: the main window with its three pages (which fill their tab),
// the configuration window with its seven, the About box.
void ForEveryWindow(const std::function<void(QtWindow&, bool fillsTab)>& measure) {
  AppContext ctx{};
  QtWindow main(*FindDialogTemplate(kMainWindowTemplate), Ignore, nullptr, nullptr);
  LoadTemplateTexts(main);
  ctx.mainPages[0] =
      AddTabPage(main, kMainTab, kPanelPageTemplate, kTextPanelTab, 0, PanelPageProc, &ctx);
  ctx.mainPages[1] = AddTabPage(main, kMainTab, kUserServiceTemplate, kTextUserServiceTab, 1,
                                UserServicePageProc, &ctx);
  ctx.mainPages[2] = AddTabPage(main, kMainTab, kServiceModeTemplate, kTextServiceModeTab, 2,
                                ServiceModePageProc, &ctx);
  measure(main, false);
  for (Window* page : ctx.mainPages) measure(*static_cast<QtWindow*>(page), true);

  QtWindow config(*FindDialogTemplate(kConfigWindowTemplate), Ignore, nullptr, nullptr);
  LoadTemplateTexts(config);
  for (int i = 0; i < kConfigPageCount; ++i) {
    Window* page = AddTabPage(config, kConfigTabControl, kConfigPageTemplates[i],
                              kConfigPageTitles[i], i, nullptr, &ctx);
    LoadTemplateTexts(*page);
    measure(*static_cast<QtWindow*>(page), false);
  }
  measure(config, false);

  QtWindow about(*FindDialogTemplate(kAboutTemplate), Ignore, nullptr, nullptr);
  LoadTemplateTexts(about);
  about.SetItemText(kAboutProductLine, kProductLine);
  about.SetItemText(kAboutVersion, kProductVersion);
  measure(about, false);
}

struct Measurements {
  std::vector<Measured> controls;      // every text of every control but the tabs
  std::vector<Measured> tabRows;       // one per tab control and language
  std::vector<std::string> misplaced;  // controls cut off or covering others
};

// Every window in every language, measured once.
const Measurements& EveryWindow() {
  static const Measurements all = [] {
    Measurements m;
    const int previous = TextLanguage();
    for (int language : TextLanguages()) {
      SetTextLanguage(language);
      ForEveryWindow([&](QtWindow& window, bool fillsTab) {
        MeasurePlaces(window, language, fillsTab, m.misplaced);
        const DialogTemplate& dialog = *FindDialogTemplate(window.TemplateId());
        for (const ControlTemplate& control : dialog.controls) {
          QWidget* widget = control.id == kNoId ? nullptr : window.Control(control.id);
          if (auto* tabs = dynamic_cast<TabControl*>(widget)) {
            QString titles;
            const Fit fit = TabRowFit(*tabs, &titles);
            m.tabRows.push_back({language, dialog.id, control.id, titles, tabs->font(), fit});
            continue;
          }
          if (!widget) continue;
          for (const QString& text : TextsOf(dialog, control, widget)) {
            if (text.trimmed().isEmpty()) continue;
            m.controls.push_back(
                {language, dialog.id, control.id, text, widget->font(), FitIn(widget, text)});
          }
        }
      });
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
  for (const auto* list : {&EveryWindow().controls, &EveryWindow().tabRows})
    for (const Measured& m : *list)
      if (int n = MissingGlyphs(m.font, m.text))
        missing.push_back(Describe(m) + ": " + std::to_string(n) + " characters without a glyph");
  EXPECT_TRUE(missing.empty()) << "install fonts-dejavu-core and fonts-wqy-microhei; "
                               << Report(missing);
}

TEST(TextFit, EveryControlTextFitsInEveryLanguage) {
  const Measurements& all = EveryWindow();
  // The measures do see an overflow: the configuration button's text in the
  // narrower status button; the calibration note said twice in its two lines.
  {
    QtWindow panel(*FindDialogTemplate(kPanelPageTemplate), Ignore, nullptr, nullptr);
    auto* status = qobject_cast<QPushButton*>(panel.Control(kPanelStatusButton));
    auto* note = qobject_cast<QLabel*>(panel.Control(kPanelCalibrationNote));
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
  const Measurements& all = EveryWindow();
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
  EXPECT_EQ(all.tabRows.size(), TextLanguages().size() * 2)
      << "the main and configuration windows'";
  EXPECT_TRUE(overflows.empty()) << Report(overflows);
}

TEST(WindowFit, EveryControlShowsWithinItsPageInEveryLanguage) {
  const std::vector<std::string>& misplaced = EveryWindow().misplaced;
  EXPECT_TRUE(misplaced.empty()) << Report(misplaced);
}

}  // namespace
