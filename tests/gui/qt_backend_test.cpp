// What only the Qt backend must do for the pages (the shared behaviours are
// in tests/conformance). Runs offscreen; its main also runs that suite.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <cstddef>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "common/string_table.h"
#include "info/configuration_window.h"
#include "info/ini_export.h"
#include "layouts/control_ids.h"
#include "layouts/dialog_template.h"
#include "page_helpers/window_ops.h"
#include "printer/printer_info.h"
#include "printer/printer_state.h"
#include "string_ids.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/qt_window.h"

namespace {

std::vector<DialogMessage> g_received;
void RecordingProc(Window&, const DialogMessage& m) {
  if (m.event != DialogEvent::Paint) g_received.push_back(m);
}

class QtBackendTest : public ::testing::Test {
 protected:
  void SetUp() override { g_received.clear(); }
  static QtWindow Make(int templateId) {
    return QtWindow(*FindDialogTemplate(templateId), RecordingProc, nullptr, nullptr);
  }
};

TEST_F(QtBackendTest, ConvertsDialogUnitsAsWindowsDoes) {
  const DialogTemplate& panel = *FindDialogTemplate(kPanelPageTemplate);
  DialogUnits units = DialogUnits::Of(DialogFont(panel));
  QFontMetrics metrics(DialogFont(panel));
  int width = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(units.baseX, (width / 26 + 1) / 2);
  EXPECT_EQ(units.baseY, metrics.height());
  EXPECT_EQ(ScaleRounded(7, 5, 2), 18) << "halves round away from zero";
  EXPECT_EQ(ScaleRounded(-7, 5, 2), -18);

  QtWindow page(panel, RecordingProc, nullptr, nullptr);
  Rect status = page.ItemRect(kPanelStatusButton);  // 10,15 50x14
  EXPECT_EQ(status.left, ScaleRounded(10, units.baseX, 4));
  EXPECT_EQ(status.top, ScaleRounded(15, units.baseY, 8));
  EXPECT_EQ(status.Width(), ScaleRounded(50, units.baseX, 4));
  EXPECT_EQ(status.Height(), ScaleRounded(14, units.baseY, 8));
}

TEST_F(QtBackendTest, DropDownListsHaveTheClosedHeightAndNotifyAPick) {
  QtWindow page = Make(kUserServiceTemplate);
  auto* list = static_cast<QComboBox*>(page.Control(kGdiTimeoutList));
  EXPECT_EQ(list->height(), list->sizeHint().height());
  for (const char* entry : {"5", "10", "20"}) page.ListAdd(kGdiTimeoutList, entry, 0);

  page.Show(true);
  list->activated(2);  // what a user's pick emits
  ASSERT_EQ(g_received.size(), 1u);
  EXPECT_EQ(g_received[0].code, kListSelectionChanged);
}

TEST_F(QtBackendTest, PrinterBytesThatAreNotUtf8AreShownAsLatin1AndExportedAsSent) {
  QtPlatform platform{QIcon()};
  UsePlatform(&platform);
  QtWindow machine = Make(kConfigMachineTemplate);
  LoadTemplateTexts(machine);                   // the section and key labels
  const std::string serial = "TL5\xC4\xD6-42";  // Latin-1, not UTF-8
  machine.SetItemText(kMachineSerial, serial);
  EXPECT_EQ(static_cast<QLabel*>(machine.Control(kMachineSerial))->text(),
            QString::fromUtf8("TL5ÄÖ-42"));
  EXPECT_EQ(machine.ItemText(kMachineSerial), serial);

  // The export writes the serial as read, not as any window shows it.
  PrinterState printer;
  AllocatePageBlocks(printer);
  std::memcpy(
      PageFields(printer, kMachinePageNumber) + std::ptrdiff_t{MACHINESERIAL} * kInfoFieldSize,
      serial.c_str(), serial.size());
  QTemporaryDir folder;
  const std::string path = folder.filePath("export.INI").toStdString();
  ExportConfiguration(machine, printer, path);
  std::ostringstream file;
  file << std::ifstream(path, std::ios::binary).rdbuf();
  EXPECT_NE(file.str().find("Serial Number=" + serial + "\r\n"), std::string::npos) << file.str();
  ReleasePrinterInfo(printer);
  UsePlatform(nullptr);
}

TEST_F(QtBackendTest, TheDisplayIsRepaintedFromTheLastDrawing) {
  QtWindow page = Make(kPanelPageTemplate);
  page.Show(true);
  page.Draw([](Surface& s) {
    s.FramedWhiteRect({200, 40, 400, 110});
    s.SelectFont("Tahoma", 15, 400);
    s.TextAt(210, 50, "READY");
  });
  QImage image = page.widget()->grab().toImage();
  EXPECT_EQ(image.pixelColor(200, 40), QColor(Qt::black)) << "the frame";
  EXPECT_EQ(image.pixelColor(399, 109), QColor(Qt::black));
  EXPECT_EQ(image.pixelColor(390, 100), QColor(Qt::white)) << "the fill";
  int dark = 0;
  for (int y = 50; y < 65; ++y)
    for (int x = 210; x < 260; ++x) dark += image.pixelColor(x, y).lightness() < 128;
  EXPECT_GT(dark, 20) << "the text";
  // A second repaint draws the same again.
  QImage again = page.widget()->grab().toImage();
  EXPECT_EQ(image.copy(200, 40, 200, 70), again.copy(200, 40, 200, 70));
}

// A message box has the table's button texts, and the normal pointer even
// under an action's wait cursor.
TEST_F(QtBackendTest, MessageBoxesHaveTheTableButtonTextsAndTheNormalPointer) {
  QtPlatform platform{QIcon()};
  QtWindow page = Make(kPanelPageTemplate);
  page.Show(true);
  auto shape = [] { return QApplication::overrideCursor()->shape(); };
  platform.BeginWaitCursor();
  QStringList buttons;
  Qt::CursorShape inBox = Qt::BlankCursor;
  QTimer::singleShot(0, [&] {
    inBox = shape();
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    for (QAbstractButton* b : box->buttons()) buttons << b->text();
    for (QAbstractButton* b : box->buttons())
      if (b->text() == QString::fromUtf8(LoadText(kTextRetry))) b->click();
  });
  EXPECT_EQ(page.ShowMessageBox("Open USB is failed", MessageButtons::RetryCancel), kIdRetry);
  EXPECT_EQ(inBox, Qt::ArrowCursor);
  EXPECT_EQ(shape(), Qt::WaitCursor);
  platform.EndWaitCursor();
  EXPECT_TRUE(buttons.contains(QString::fromUtf8(LoadText(kTextRetry))));
  EXPECT_TRUE(buttons.contains(QString::fromUtf8(LoadText(kTextCancel))));
}

TEST_F(QtBackendTest, TheSavePromptProposesTheNameAndAsksBeforeReplacing) {
  QtWindow page = Make(kConfigWindowTemplate);
  page.Show(true);
  QStringList filters;
  QString suffix, proposed;
  bool confirms = false, existingOnly = true;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    filters = dialog->nameFilters();
    suffix = dialog->defaultSuffix();
    proposed = dialog->selectedFiles().value(0);
    confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
    existingOnly = dialog->fileMode() == QFileDialog::ExistingFile;
    dialog->reject();
  });
  EXPECT_EQ(page.PromptSaveFile({"INI FILE(*.INI)", "*.INI", "INI", "TL5C0042817.INI"}), "");
  EXPECT_EQ(filters, QStringList{"INI FILE(*.INI)"});
  EXPECT_EQ(suffix, "INI");
  EXPECT_TRUE(proposed.endsWith("/TL5C0042817.INI")) << proposed.toStdString();
  EXPECT_TRUE(confirms);
  EXPECT_FALSE(existingOnly) << "a new file must be possible";
}

// Qt's tab scroll buttons are named in the program's language, not Qt's
// (what else a screen reader hears, desktop_screen_reader reads over the
// accessibility bus).
TEST_F(QtBackendTest, TabScrollButtonsAreNamedInTheLanguage) {
  SetTextLanguage(1031);
  QtWindow config = Make(kConfigWindowTemplate);
  auto* tabs = dynamic_cast<TabControl*>(config.Control(kConfigTabControl));
  ASSERT_NE(tabs, nullptr);
  QStringList scrollNames;
  for (QToolButton* button : tabs->bar()->findChildren<QToolButton*>())
    scrollNames << button->accessibleName();
  scrollNames.sort();
  EXPECT_EQ(scrollNames, (QStringList{"Nach links blättern", "Nach rechts blättern"}));
  SetTextLanguage(kEnglish);
}

}  // namespace

int main(int argc, char** argv) {
  // Offscreen always; its options (a screen of another size) pass through.
  if (!qgetenv("QT_QPA_PLATFORM").startsWith("offscreen")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QFont::insertSubstitutions("Tahoma", {"DejaVu Sans"});
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
