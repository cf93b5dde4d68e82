// The Qt backend behaves as the Windows dialog manager where the pages rely
// on it. Runs offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "common/string_table.h"
#include "info/configuration_window.h"
#include "info/ini_export.h"
#include "printer/printer_info.h"
#include "common/app_context.h"
#include "common/window_ops.h"
#include "ui/dialog_template.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/qt_window.h"

namespace {

std::vector<DialogMessage> g_received;
void RecordingProc(Window&, const DialogMessage& m) {
  if (m.event != DialogEvent::Paint) g_received.push_back(m);
}

// The windows that received the Cancel command, by template.
std::vector<int> g_cancelled;
void CancelProc(Window& window, const DialogMessage& m) {
  if (m.event == DialogEvent::Command && m.id == kIdCancel)
    g_cancelled.push_back(window.TemplateId());
}

class QtBackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_received.clear();
    g_cancelled.clear();
  }
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
  EXPECT_EQ(MulDiv(7, 5, 2), 18) << "halves round away from zero";
  EXPECT_EQ(MulDiv(-7, 5, 2), -18);

  QtWindow page(panel, RecordingProc, nullptr, nullptr);
  Rect status = page.ItemRect(1001);  // 10,15 50x14
  EXPECT_EQ(status.left, MulDiv(10, units.baseX, 4));
  EXPECT_EQ(status.top, MulDiv(15, units.baseY, 8));
  EXPECT_EQ(status.Width(), MulDiv(50, units.baseX, 4));
  EXPECT_EQ(status.Height(), MulDiv(14, units.baseY, 8));
}

TEST_F(QtBackendTest, RadioGroupsStartAtTheGroupFlagAndTheWholeRectangleClicks) {
  QtWindow page = Make(kPanelPageTemplate);
  page.Show(true);
  page.CheckButton(1024, true);
  page.CheckButton(1012, true);
  EXPECT_TRUE(g_received.empty()) << "changes from code do not notify";

  auto* off = static_cast<QRadioButton*>(page.Control(1025));
  // Far right of the button's rectangle, beyond its text.
  QTest::mouseClick(off, Qt::LeftButton, {}, QPoint(off->width() - 2, off->height() / 2));
  EXPECT_TRUE(page.IsButtonChecked(1025));
  EXPECT_FALSE(page.IsButtonChecked(1024));
  EXPECT_TRUE(page.IsButtonChecked(1012)) << "another pair is another group";
  ASSERT_EQ(g_received.size(), 1u);
  EXPECT_EQ(g_received[0].id, 1025);

  QTest::mouseClick(off, Qt::LeftButton, {}, QPoint(2, off->height() / 2));
  EXPECT_TRUE(page.IsButtonChecked(1025)) << "clicking a checked radio keeps it checked";

  page.CheckButton(1025, false);
  EXPECT_FALSE(page.IsButtonChecked(1025)) << "code may clear the checked radio";
  EXPECT_FALSE(page.IsButtonChecked(1024));
}

TEST_F(QtBackendTest, ButtonsInsideGroupBoxesReceiveClicks) {
  QtWindow page = Make(kPanelPageTemplate);
  page.Show(true);
  auto* apply = page.Control(1010);  // inside the "Set Default" group box
  QWidget* under = page.widget()->childAt(apply->geometry().center());
  EXPECT_EQ(under, apply);
  QTest::mouseClick(apply, Qt::LeftButton);
  ASSERT_EQ(g_received.size(), 1u);
  EXPECT_EQ(g_received[0].id, 1010);
}

TEST_F(QtBackendTest, DropDownListsHaveTheClosedHeightAndNoSelectionUntilSet) {
  QtWindow page = Make(kUserServiceTemplate);
  auto* list = static_cast<QComboBox*>(page.Control(1070));
  EXPECT_EQ(list->height(), list->sizeHint().height());
  page.ListAdd(1070, "5", 0);
  page.ListAdd(1070, "10", 1);
  EXPECT_EQ(page.ListSelection(1070), -1);
  page.ListSelect(1070, 1);
  EXPECT_EQ(page.ListSelection(1070), 1);
  EXPECT_EQ(page.ListItemData(1070, 1), 1);
  page.ListAdd(1070, "20", 2);
  EXPECT_EQ(page.ListSelection(1070), 1);
  EXPECT_TRUE(g_received.empty());

  page.Show(true);
  list->activated(2);  // what a user's pick emits
  ASSERT_EQ(g_received.size(), 1u);
  EXPECT_EQ(g_received[0].code, kListSelectionChanged);
}

TEST_F(QtBackendTest, SlidersAndEditsNotifyOnlyForTheUser) {
  QtWindow page = Make(kUserServiceTemplate);
  page.Show(true);
  page.TrackbarSetRange(1037, -15, 15);
  page.TrackbarSetPos(1037, 3);
  EXPECT_TRUE(g_received.empty());
  auto* slider = static_cast<QSlider*>(page.Control(1037));
  slider->setFocus();
  QTest::keyClick(slider, Qt::Key_Right);
  ASSERT_FALSE(g_received.empty());
  EXPECT_EQ(g_received[0].event, DialogEvent::HScroll);
  EXPECT_EQ(g_received[0].code, kScrollLineDown);
  EXPECT_EQ(page.TrackbarPos(1037), 4) << "the position has moved when the code arrives";

  g_received.clear();
  QtWindow main = Make(kMainWindowTemplate);
  main.Show(true);
  main.SetItemText(1015, "abc");
  EXPECT_TRUE(g_received.empty());
  auto* edit = static_cast<QLineEdit*>(main.Control(1015));
  EXPECT_EQ(edit->maxLength(), 10);
  QTest::keyClicks(edit, "Z");
  ASSERT_EQ(g_received.size(), 2u);
  EXPECT_EQ(g_received[0].code, kEditUpdated);
  EXPECT_EQ(g_received[1].code, kEditChanged);
}

TEST_F(QtBackendTest, EscapeOnAPageIsTheCancelOfTheWindowItIsIn) {
  QtWindow main(*FindDialogTemplate(kMainWindowTemplate), CancelProc, nullptr, nullptr);
  auto page = [&](int templateId) {
    return static_cast<QtWindow*>(main.CreateTabPage(1024, templateId, CancelProc, nullptr));
  };
  QtWindow* panel = page(kPanelPageTemplate);
  QtWindow* user = page(kUserServiceTemplate);
  main.Show(true);
  panel->Show(true);
  QTest::keyClick(panel->Control(1024), Qt::Key_Escape);  // a radio button
  EXPECT_EQ(g_cancelled, std::vector<int>{kMainWindowTemplate});

  panel->Show(false);
  user->Show(true);
  QTest::keyClick(user->Control(1037), Qt::Key_Escape);  // a slider
  EXPECT_EQ(g_cancelled, std::vector<int>(2, kMainWindowTemplate));

  // The configuration window's pages: Escape goes to that window, whose
  // procedure ignores it.
  g_cancelled.clear();
  QtWindow config(*FindDialogTemplate(kConfigWindowTemplate), CancelProc, main.widget(), nullptr);
  auto* machine = static_cast<QtWindow*>(
      config.CreateTabPage(kConfigTabControl, kConfigMachineTemplate, CancelProc, nullptr));
  config.Show(true);
  machine->Show(true);
  QTest::keyClick(machine->widget(), Qt::Key_Escape);
  EXPECT_EQ(g_cancelled, std::vector<int>{kConfigWindowTemplate});
}

TEST_F(QtBackendTest, PrinterBytesThatAreNotUtf8AreShownAsLatin1AndExportedAsSent) {
  QtPlatform platform{QIcon()};
  UsePlatform(&platform);
  QtWindow machine = Make(kConfigMachineTemplate);
  LoadTemplateTexts(machine);  // the section and key labels
  const std::string serial = "TL5\xC4\xD6-42";  // Latin-1, not UTF-8
  machine.SetItemText(1144, serial);
  EXPECT_EQ(static_cast<QLabel*>(machine.Control(1144))->text(), QString::fromUtf8("TL5ÄÖ-42"));
  EXPECT_EQ(machine.ItemText(1144), serial);

  // The export writes the serial as read, not as any window shows it.
  AppContext ctx{};
  AllocatePageBlocks(ctx);
  std::memcpy(PageFields(ctx, kMachinePageNumber) + MACHINESERIAL * kInfoFieldSize,
              serial.c_str(), serial.size());
  QTemporaryDir folder;
  const std::string path = folder.filePath("export.INI").toStdString();
  ExportConfiguration(machine, ctx, path);
  std::ostringstream file;
  file << std::ifstream(path, std::ios::binary).rdbuf();
  EXPECT_NE(file.str().find("Serial Number=" + serial + "\r\n"), std::string::npos) << file.str();
  ReleasePrinterInfo(ctx);
  UsePlatform(nullptr);
}

TEST_F(QtBackendTest, TheTraceGoesToTheProgramsLoggingCategory) {
  static QStringList traced;
  traced.clear();
  QtMessageHandler previous = qInstallMessageHandler(
      [](QtMsgType, const QMessageLogContext& context, const QString& text) {
        if (QString::fromLatin1(context.category) == "vantrel.trace") traced << text;
      });
  QtPlatform platform{QIcon()};
  platform.DebugTrace("USBOpen");
  qInstallMessageHandler(previous);
  EXPECT_EQ(traced, QStringList{"USBOpen"});
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

TEST_F(QtBackendTest, MessageBoxesHaveTheTableButtonTexts) {
  QtWindow page = Make(kPanelPageTemplate);
  page.Show(true);
  QStringList buttons;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    for (QAbstractButton* b : box->buttons()) buttons << b->text();
    for (QAbstractButton* b : box->buttons())
      if (b->text() == QString::fromUtf8(LoadText(2002))) b->click();
  });
  EXPECT_EQ(page.ShowMessageBox("Open USB is failed", MessageButtons::RetryCancel), kIdRetry);
  EXPECT_TRUE(buttons.contains(QString::fromUtf8(LoadText(2002))));
  EXPECT_TRUE(buttons.contains(QString::fromUtf8(LoadText(2003))));
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

// While an action holds the device link the pointer is the wait cursor,
// over every window; a message box it opens shows the normal pointer.
TEST_F(QtBackendTest, TheWaitCursorCoversAnActionButNotItsMessageBoxes) {
  QtPlatform platform{QIcon()};
  QtWindow page = Make(kPanelPageTemplate);
  page.Show(true);
  auto shape = [] {
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor ? int(cursor->shape()) : -1;
  };
  platform.BeginWaitCursor();
  EXPECT_EQ(shape(), int(Qt::WaitCursor));
  int inBox = -1;
  QTimer::singleShot(0, [&] {
    inBox = shape();
    QApplication::activeModalWidget()->close();
  });
  page.ShowMessageBox("Send command to F/W is failed", MessageButtons::Ok);
  EXPECT_EQ(inBox, int(Qt::ArrowCursor));
  EXPECT_EQ(shape(), int(Qt::WaitCursor));
  platform.EndWaitCursor();
  EXPECT_EQ(shape(), -1);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QFont::insertSubstitutions("Tahoma", {"DejaVu Sans"});
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
