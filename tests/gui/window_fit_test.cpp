// Every window whole and every text of every language fitting the control
// that shows it, at the scaling this process runs at (QT_SCALE_FACTOR; make
// test runs it at 1, 1.25, 1.5 and 2, the scaled runs on a 1920x1080
// screen): each window and page built and filled as the program does, in
// the dialog font (DejaVu Sans in Tahoma's place, CJK from the fontconfig
// fallback); its controls measured against what shows of it, each text the
// way its widget draws it; each top-level window placed on the screen as
// the program places it. Runs offscreen.
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
#include "fit/layout_checks.h"
#include "info/configuration_controls.h"
#include "layouts/control_ids.h"
#include "printer/config_conversions.h"
#include "printer/config_pages.h"
#include "printer/configuration_export.h"
#include "printer/configuration_texts.h"
#include "shell/about_box.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/qt_window.h"

namespace {

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

// Value fields the configuration pages fill from the printer's codes, with
// every text a code turns into (in the current language); the slider
// values of the user service page at the widest value of each slider's
// range. Other value fields show the printer's own numbers and names.
struct ValueField {
  int templateId;
  std::vector<int> controlIds;
  std::vector<std::string> texts;
};

std::vector<ValueField> ValueFields() {
  std::vector<std::string> supplyStates;
  for (const char* code : {"0", "1", "2", "3", "4"})
    if (auto text = SupplyStateText(code)) supplyStates.push_back(*text);
  return {
      {kConfigSuppliesTemplate,
       {kSuppliesCyanStatus, kSuppliesMagentaStatus, kSuppliesYellowStatus, kSuppliesBlackStatus,
        kSuppliesImagingStatus},
       supplyStates},
      {kConfigSuppliesTemplate,
       {kSuppliesCyanType, kSuppliesMagentaType, kSuppliesYellowType, kSuppliesBlackType},
       {CartridgeTypeText("05"), CartridgeTypeText("15"), CartridgeTypeText("25"),
        CartridgeTypeText("")}},
      // The energy-save field shows "Off" when energy saving is off, else the printer's text.
      {kConfigMachineTemplate,
       {kMachineEnergySave, kMachineAutoContinue, kMachineTonerOutStop, kMachineTonerLow},
       {SwitchOffText("OFF"), SwitchOffText("ON")}},
      {kUserServiceTemplate,
       {kTopPlainValue, kTopThickValue, kTopEnvelopeValue, kLeftTray1Value},
       {"-15", "15"}},
      {kUserServiceTemplate,
       {kTransferPlainValue, kTransferThick1Value, kTransferThick2Value, kTransferPostcardValue,
        kTransferEnvelopeValue, kTransferLabelsValue},
       {"-8", "7"}},
      {kAboutTemplate, {kAboutProductLine}, {kProductLine}},
      {kAboutTemplate, {kAboutVersion}, {kProductVersion}},
  };
}

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
  for (const ValueField& field : ValueFields())
    if (field.templateId == dialog.id &&
        std::count(field.controlIds.begin(), field.controlIds.end(), control.id)) {
      for (const std::string& text : field.texts) texts.push_back(QString::fromStdString(text));
      return texts;
    }
  if (auto* list = qobject_cast<QComboBox*>(widget)) {
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

// What a text needs beside the text: a radio button's or check box's
// indicator and spacing, a group box title's frame margins, as the style
// sizes them; a drop-down list the style's size for a list holding only
// that entry (the text area it leaves beside the arrow is a few pixels
// narrower still).
Fit FitIn(QWidget* widget, const QString& text) {
  if (auto* button = qobject_cast<QPushButton*>(widget)) return PushButtonFit(*button, text);
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(text);
    return {button->sizeHint().width(), button->width(), "radio button or check box"};
  }
  if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    group->setTitle(text);
    return {group->minimumSizeHint().width(), group->width(), "group box title"};
  }
  if (auto* label = qobject_cast<QLabel*>(widget)) return StaticFit(*label, text);
  if (auto* list = qobject_cast<QComboBox*>(widget)) {
    QComboBox probe;
    probe.setFont(list->font());
    probe.setSizeAdjustPolicy(QComboBox::AdjustToContents);
    probe.addItem(text);
    return {probe.sizeHint().width(), list->width(), "drop-down list entry"};
  }
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

void Ignore(Window&, const DialogMessage&) {}

Box ScreenBox(QWidget* widget, QWidget* top) {
  const QRect r(widget->mapTo(top, QPoint(0, 0)), widget->size());
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// Controls outside what shows of their window (its rectangle cut by every
// widget it lies in), and controls over others the template keeps apart.
// A page of the main window must also fill its tab: its controls reach to
// within a tenth of its right edge, as the template draws them.
void MeasurePlaces(QtWindow& window, int language, bool fillsTab,
                   std::vector<std::string>& findings) {
  const DialogTemplate& dialog = *FindDialogTemplate(window.TemplateId());
  QWidget* top = window.widget()->window();
  Box visible = ScreenBox(window.widget(), top);
  for (QWidget* outer = window.widget()->parentWidget(); outer; outer = outer->parentWidget())
    visible = visible.Cut(ScreenBox(outer, top));
  const std::string where =
      "language " + std::to_string(language) + " template " + std::to_string(dialog.id);
  std::vector<Box> boxes;
  int right = 0;
  for (QWidget* widget : window.Controls()) {
    boxes.push_back(ScreenBox(widget, top));
    if (!boxes.back().Empty()) right = std::max(right, boxes.back().right);
  }
  CheckPlaces(dialog, boxes, visible, where, findings);
  const int width = visible.right - visible.left;
  if (fillsTab && right < visible.right - width / 10)
    findings.push_back(where + " leaves " + std::to_string(visible.right - right) + " px of " +
                       std::to_string(width) + " empty at its right");
}

// Every window and page in the current language as the program builds and
// fills it: the main window with its three pages (which fill their tab),
// the configuration window with its seven, the About box.
void ForEveryWindow(const std::function<void(QtWindow&, bool fillsTab)>& measure) {
  AppContext ctx{};
  QtWindow main(*FindDialogTemplate(kMainWindowTemplate), Ignore, nullptr, nullptr);
  LoadTemplateTexts(main);
  AddMainPages(main, ctx);
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

// Each top-level window opens within the screen's work area, where the
// program puts it; one that fits there stays centred on the screen as it
// always was.
TEST(WindowFit, EveryWindowOpensWithinTheWorkArea) {
  QtPlatform platform{QIcon()};
  UsePlatform(&platform);
  const Size screen = platform.ScreenSize();
  const Rect area = platform.WorkArea();
  const Box work{area.left, area.top, area.right, area.bottom};
  std::vector<std::string> findings;
  auto place = [&](QtWindow& window, const char* name) {
    window.Show(true);
    CenterWindow(window);
    const Rect r = window.WindowRect();
    const Box frame{r.left, r.top, r.right, r.bottom};
    const Box centred{(screen.width - r.Width()) / 2, (screen.height - r.Height()) / 2,
                      (screen.width - r.Width()) / 2 + r.Width(),
                      (screen.height - r.Height()) / 2 + r.Height()};
    const std::string where = std::string(name) + " " + std::to_string(r.Width()) + "x" +
                              std::to_string(r.Height()) + " at " + frame.Text();
    if (!frame.Inside(work))
      findings.push_back(where + " outside the work area " + work.Text());
    else if (centred.Inside(work) && (frame.left != centred.left || frame.top != centred.top))
      findings.push_back(where + " fits centred at " + centred.Text());
    window.Show(false);
  };
  AppContext ctx{};
  QtWindow main(*FindDialogTemplate(kMainWindowTemplate), Ignore, nullptr, nullptr);
  LoadTemplateTexts(main);
  AddMainPages(main, ctx);
  place(main, "main window");
  QtWindow config(*FindDialogTemplate(kConfigWindowTemplate), Ignore, nullptr, nullptr);
  LoadTemplateTexts(config);
  for (int i = 0; i < kConfigPageCount; ++i)
    AddTabPage(config, kConfigTabControl, kConfigPageTemplates[i], kConfigPageTitles[i], i, nullptr,
               &ctx);
  place(config, "configuration window");
  QtWindow about(*FindDialogTemplate(kAboutTemplate), Ignore, nullptr, nullptr);
  place(about, "About box");
  UsePlatform(nullptr);
  EXPECT_TRUE(findings.empty()) << "on a " << screen.width << "x" << screen.height
                                << " screen: " << Report(findings);
}

}  // namespace
