// Drives the real program on an X display with a notification area, as a
// user would: xdotool clicks the icon and the controls, `import` takes
// screenshots. Started by run_desktop_test.sh, which brings up Xvfb and
// trayer (with --no-tray it brings up none: the driver starts one late
// itself). The control positions come from the same templates and the same
// dialog-unit conversion the program uses.
//
//   vantrel-desktop-driver DEMO_PRINTER PROGRAM SHOT_DIR [--bench | --no-tray]
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <cstdio>
#include <optional>

#include "common/language.h"
#include "common/string_table.h"
#include "layouts/control_ids.h"
#include "layouts/dialog_template.h"
#include "ui/qt/qt_controls.h"

namespace {

int g_failures = 0;

void Check(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
  if (!ok) ++g_failures;
}

QString Run(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  process.waitForFinished(10000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

void Xdotool(const QStringList& args) { Run("xdotool", args); }

void ClickAt(QPoint p, int clicks = 1) {
  Xdotool({"mousemove", QString::number(p.x()), QString::number(p.y())});
  QThread::msleep(50);
  Xdotool({"click", "--repeat", QString::number(clicks), "--delay", "80", "1"});
}

// Waits for a condition, polling; false after the time-out.
template <typename F>
bool WaitFor(F condition, int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < milliseconds) {
    if (condition()) return true;
    QThread::msleep(10);
  }
  return condition();
}

// The notification icon's centre, once the tray host has embedded it.
std::optional<QPoint> TrayIcon() {
  static const QRegularExpression icon(
      R"re(\("vantrel" "Vantrel"\)\s+(\d+)x(\d+)\+0\+0\s+\+(\d+)\+(\d+))re");
  auto match = icon.match(Run("xwininfo", {"-root", "-tree"}));
  if (!match.hasMatch()) return std::nullopt;
  return QPoint(match.captured(3).toInt() + match.captured(1).toInt() / 2,
                match.captured(4).toInt() + match.captured(2).toInt() / 2);
}

QStringList ProgramWindowIds() {
  return Run("xdotool", {"search", "--onlyvisible", "--class", "vantrel"})
      .split('\n', Qt::SkipEmptyParts);
}

// The visible windows of the program, with their place and size.
QList<QRect> ProgramWindows() {
  QList<QRect> windows;
  for (const QString& id : ProgramWindowIds()) {
    QString shell = Run("xdotool", {"getwindowgeometry", "--shell", id});
    auto value = [&](const char* key) {
      return QRegularExpression(QString(key) + "=(-?\\d+)").match(shell).captured(1).toInt();
    };
    windows << QRect(value("X"), value("Y"), value("WIDTH"), value("HEIGHT"));
  }
  return windows;
}

// The top-left corner of the shown dialog made from that template, found by
// its size (titles in other scripts are awkward to search for).
std::optional<QPoint> WindowAt(int templateId) {
  const DialogTemplate& dialog = *FindDialogTemplate(templateId);
  DialogUnits units = DialogUnits::Of(DialogFont(dialog));
  QSize size(units.X(dialog.cx), units.Y(dialog.cy));
  for (const QRect& r : ProgramWindows())
    if (r.size() == size) return r.topLeft();
  return std::nullopt;
}

// "Exit" from the icon's menu with real clicks; false when no menu opened
// (it is a small window of the program).
bool ChooseExit(QPoint icon) {
  Xdotool({"mousemove", QString::number(icon.x()), QString::number(icon.y())});
  Xdotool({"click", "3"});
  std::optional<QRect> menu;
  WaitFor(
      [&] {
        for (const QRect& r : ProgramWindows())
          if (r.height() > 20 && r.height() < 120 && r.width() > 40) menu = r;
        return menu.has_value();
      },
      3000);
  if (menu) ClickAt(QPoint(menu->center().x(), menu->top() + menu->height() * 3 / 4));
  return menu.has_value();
}

QString Text(int id) { return QString::fromUtf8(LoadText(id)); }

// A control's rectangle in its dialog, in pixels.
QRect ControlRect(int templateId, int controlId) {
  const DialogTemplate& dialog = *FindDialogTemplate(templateId);
  const ControlTemplate& c = *FindControl(dialog, controlId);
  return DialogUnits::Of(DialogFont(dialog)).Rect(c.x, c.y, c.cx, c.cy);
}

// The tab control of the main window, with its font and size.
struct MainTabs {
  MainTabs() {
    tabs.setFont(DialogFont(*FindDialogTemplate(kMainWindowTemplate)));
    tabs.resize(area.size());
  }
  // Where the pages sit: in the display area below the tabs.
  QPoint PageOrigin() const { return area.topLeft() + QPoint(5, tabs.ItemHeight() + 5); }
  QRect area = ControlRect(kMainWindowTemplate, kMainTab);
  TabControl tabs{nullptr};
};

// A control's rectangle in a page of the main window, in the units the
// window gives its pages.
QRect PageControlRect(int pageTemplate, int controlId) {
  const DialogTemplate& page = *FindDialogTemplate(pageTemplate);
  const MainTabs main;
  DialogUnits units = DialogUnits::Of(DialogFont(page));
  static_cast<DialogBaseUnits&>(units) = TabPageUnits(
      page, units, DialogUnits::Of(DialogFont(*FindDialogTemplate(kMainWindowTemplate))),
      TabPageArea({0, 0, main.area.width(), main.area.height()}, main.tabs.ItemHeight()));
  const ControlTemplate& c = *FindControl(page, controlId);
  return units.Rect(c.x, c.y, c.cx, c.cy);
}

// Where a page's control is, relative to the main window.
QPoint PageControl(QPoint main, int pageTemplate, int controlId) {
  return main + MainTabs().PageOrigin() + PageControlRect(pageTemplate, controlId).center();
}

QPoint TabAt(QPoint main, int index, const QStringList& titles) {
  MainTabs tabs;
  for (const QString& title : titles) tabs.tabs.bar()->addTab(title);
  return main + tabs.area.topLeft() + tabs.tabs.bar()->tabRect(index).center();
}

QImage Screenshot(const QString& file) {
  Run("import", {"-window", "root", file});
  return QImage(file);
}

// Dark pixels inside the panel display box of the panel page.
int DisplayInk(const QImage& shot, QPoint main) {
  QRect group = PageControlRect(kPanelPageTemplate, kPanelDisplayGroup);
  QPoint page = main + MainTabs().PageOrigin();
  QRect box(page + group.topLeft() + QPoint(152, 22),
            page + QPoint(group.right() - 12, group.top() + 88));
  int ink = 0;
  for (int y = box.top(); y < box.bottom(); ++y)
    for (int x = box.left(); x < box.right(); ++x) ink += shot.pixelColor(x, y).lightness() < 100;
  return ink;
}

long RssKb(qint64 pid) {
  QFile status(QString("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  QRegularExpression rss("VmRSS:\\s+(\\d+)");
  return rss.match(QString::fromLatin1(status.readAll())).captured(1).toLong();
}

double CpuSeconds(qint64 pid) {
  QFile stat(QString("/proc/%1/stat").arg(pid));
  if (!stat.open(QIODevice::ReadOnly)) return -1;
  QStringList fields = QString::fromLatin1(stat.readAll()).section(')', 1).split(' ');
  return (fields.value(12).toLong() + fields.value(13).toLong()) / double(sysconf(_SC_CLK_TCK));
}

// The program's own process: the demo printer's child.
qint64 ProgramPid(qint64 demoPid) {
  QString children = Run("pgrep", {"-P", QString::number(demoPid)}).trimmed();
  return children.split('\n').first().toLongLong();
}

bool Ends(QProcess& process, int milliseconds) {
  bool ended = process.state() == QProcess::NotRunning || process.waitForFinished(milliseconds);
  if (!ended) process.kill(), process.waitForFinished(3000);
  return ended && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// The CPU the program takes behind its icon over 30 s, beside the demo
// printer: with the watch at its shortest period that is three reads.
double IdleCpuBehindIcon(const QString& demo, const QString& program, const QStringList& args) {
  QProcess process;
  process.start(demo, QStringList{program} + args);
  WaitFor([] { return TrayIcon().has_value(); }, 15000);
  QThread::msleep(2000);
  const qint64 pid = ProgramPid(process.processId());
  const double cpu0 = CpuSeconds(pid);
  QThread::msleep(30000);
  const double cpu = CpuSeconds(pid) - cpu0;
  process.terminate();
  process.waitForFinished(5000);
  WaitFor([] { return !TrayIcon().has_value(); }, 5000);
  return cpu * 100.0 / 30.0;
}

// A desktop without a notification area: the program is never left running
// where nobody can reach it.
void WithoutNotificationArea(const QString& demo, const QString& program, const QString& shots,
                             const QString& lang) {
  // No printer: the open at start fails; Cancel ends the program.
  QProcess alone;
  alone.start(program, {});
  QString box;
  WaitFor([&] { return !(box = ProgramWindowIds().value(0)).isEmpty(); }, 15000);
  Check(!box.isEmpty(), "without a notification area the program opens its window at start");
  if (!box.isEmpty()) {
    Check(Run("xdotool", {"getwindowname", box}).trimmed().isEmpty(),
          "the \"Open USB is failed\" box has an empty caption");
    Xdotool({"windowfocus", "--sync", box});
    Xdotool({"key", "Escape"});  // Cancel
  }
  Check(Ends(alone, 5000), "Cancel ends the program with 0");

  // Started at login with no notification area coming: it ends quietly.
  QElapsedTimer clock;
  clock.start();
  alone.start(program, {"--at-login"});
  bool shown = false;
  while (alone.state() != QProcess::NotRunning && clock.elapsed() < 20000) {
    shown = shown || !ProgramWindowIds().isEmpty();
    alone.waitForFinished(200);
  }
  Check(Ends(alone, 0) && !shown && clock.elapsed() > 5000,
        "started at login without a notification area it waits, then ends quietly with 0");

  // A killed instance leaves its lock and socket behind; the next takes both
  // over. At login, with the printer: a later start shows the waiting
  // instance's window. Escape from a page closes it, and that ends the program.
  alone.start(program, {"--at-login"});
  alone.waitForStarted();
  QThread::msleep(500);
  alone.kill();
  alone.waitForFinished(3000);
  QProcess first;
  first.setProcessChannelMode(QProcess::ForwardedChannels);
  first.start(demo, {program, "--at-login"});
  QThread::msleep(1500);
  Check(ProgramWindowIds().isEmpty(), "at login nothing is shown while waiting");
  QProcess second;
  second.start(program, {});
  Check(Ends(second, 10000), "a second start ends with 0");
  std::optional<QPoint> main;
  Check(WaitFor([&] { return (main = WindowAt(kMainWindowTemplate)).has_value(); }, 10000),
        "a second start shows the first instance's window");
  if (main) {
    QThread::msleep(300);
    Screenshot(shots + "/no-tray-" + lang + ".png");
    ClickAt(PageControl(*main, kPanelPageTemplate, kPanelTonerLowOff));  // a radio button
    QThread::msleep(200);
    Xdotool({"key", "Escape"});
  }
  Check(Ends(first, 8000), "Escape from a page closes the window, which ends the program with 0");

  // With the watch the program outlives its window: at login --show opens
  // it, Close and Escape only hide it, and past the wait for a notification
  // area the program still runs; --quit ends it, and says so when nothing
  // runs.
  first.start(demo, {program, "--at-login", "--watch=10"});
  first.waitForStarted();
  // Running: not ended within the time (a process ended before is seen too).
  auto runs = [&first] {
    return !first.waitForFinished(1000) && first.state() == QProcess::Running;
  };
  QThread::msleep(1500);
  Check(ProgramWindowIds().isEmpty(), "at login with the watch nothing is shown");
  QProcess later;
  later.start(program, {"--show"});
  Check(Ends(later, 10000), "--show ends with 0");
  main.reset();
  Check(WaitFor([&] { return (main = WindowAt(kMainWindowTemplate)).has_value(); }, 10000),
        "--show opens the running instance's window");
  if (main) ClickAt(*main + ControlRect(kMainWindowTemplate, kMainCloseButton).center());
  Check(WaitFor([] { return ProgramWindowIds().isEmpty(); }, 5000), "Close hides the window");
  QThread::msleep(10000);  // past the wait
  Check(runs(), "with the watch the program still runs after Close, past the wait");
  later.start(program, {"--show"});
  Check(Ends(later, 10000), "--show again ends with 0");
  QString again;
  WaitFor([&] { return !(again = ProgramWindowIds().value(0)).isEmpty(); }, 10000);
  Check(!again.isEmpty(), "--show opens the window again");
  if (!again.isEmpty()) {
    Xdotool({"windowfocus", "--sync", again});
    Xdotool({"key", "Escape"});
  }
  Check(WaitFor([] { return ProgramWindowIds().isEmpty(); }, 5000) && runs(),
        "Escape hides the window; the program still runs");
  later.start(program, {"--quit"});
  Check(Ends(later, 10000), "--quit ends with 0");
  Check(Ends(first, 8000), "--quit ends the running program with 0");
  later.start(program, {"--quit"});
  later.waitForFinished(10000);
  const QString said = QString::fromUtf8(later.readAllStandardError());
  Check(later.exitStatus() == QProcess::NormalExit && later.exitCode() == 1 &&
            said.endsWith("vantrel: no instance is running\n"),
        "with nothing running --quit says so and ends with 1");
  std::printf("  vantrel --quit (nothing running): status %d, said: %s", later.exitCode(),
              qPrintable(said));

  // At login, a notification area that comes within the wait gets the icon;
  // the program stays, and a second start then ends silently. (Beside the
  // printer: --show then opens the window itself.)
  first.start(demo, {program, "--at-login"});
  QThread::msleep(1500);
  QProcess tray;
  tray.start("trayer", {"--edge", "top", "--align", "right", "--widthtype", "request", "--height",
                        "24", "--transparent", "false"});
  std::optional<QPoint> icon;
  Check(WaitFor([&] { return (icon = TrayIcon()).has_value(); }, 8000),
        "a notification area started after the program gets its icon");
  second.start(program, {});
  Check(Ends(second, 10000), "a second start ends with 0");
  QThread::msleep(10000);  // past the wait
  Check(!first.waitForFinished(100) && ProgramWindowIds().size() == 1,
        "past the wait the program stays behind its icon, no window shown");
  // Behind an icon too, --show opens the window as a double-click does.
  second.start(program, {"--show"});
  Check(Ends(second, 10000), "--show ends with 0");
  Check(WaitFor([] { return WindowAt(kMainWindowTemplate).has_value(); }, 10000),
        "behind an icon --show opens the first instance's window");
  if (auto now = TrayIcon()) ChooseExit(*now);
  Check(Ends(first, 8000), "Exit in the icon's menu ends it with 0");
  tray.terminate();
  tray.waitForFinished(3000);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 4) {
    std::fprintf(
        stderr,
        "usage: vantrel-desktop-driver DEMO_PRINTER PROGRAM SHOT_DIR [--bench|--no-tray]\n");
    return 2;
  }
  const QString shots = QString::fromLocal8Bit(argv[3]);
  const bool bench = argc > 4 && QString(argv[4]) == "--bench";
  const bool noTray = argc > 4 && QString(argv[4]) == "--no-tray";
  QFont::insertSubstitutions("Tahoma", {"DejaVu Sans", "Liberation Sans", "WenQuanYi Micro Hei"});
  std::vector<std::string> locales;
  for (const QString& name : QLocale::system().uiLanguages()) locales.push_back(name.toStdString());
  SetTextLanguage(LanguageForLocales(locales));
  const QString lang = QString::number(TextLanguage());

  const QString demo = QString::fromLocal8Bit(argv[1]), vantrel = QString::fromLocal8Bit(argv[2]);
  QElapsedTimer clock;
  qint64 toIcon = -1;
  if (bench) {
    // The program alone: the icon needs no printer.
    QProcess alone;
    clock.start();
    alone.start(vantrel, {});
    WaitFor([] { return TrayIcon().has_value(); }, 15000);
    toIcon = clock.elapsed();
    alone.terminate();
    alone.waitForFinished(5000);
    WaitFor([] { return !TrayIcon().has_value(); }, 5000);
    const double without = IdleCpuBehindIcon(demo, vantrel, {});
    const double watching = IdleCpuBehindIcon(demo, vantrel, {"--watch=10"});
    std::printf(
        "CPU idle behind the icon over 30 s: %.2f %% without the watch, %.2f %% with "
        "--watch=10\n",
        without, watching);
  }

  if (noTray) {
    WithoutNotificationArea(demo, vantrel, shots, lang);
    return g_failures ? 1 : 0;
  }
  QProcess program;
  program.setProcessChannelMode(QProcess::ForwardedChannels);
  clock.start();
  program.start(demo, {vantrel});
  std::optional<QPoint> icon;
  Check(WaitFor([&] { return (icon = TrayIcon()).has_value(); }, 15000),
        "the icon appears in the tray");
  if (!icon) return 1;

  // The tray host embeds the icon a moment before it takes clicks.
  QThread::msleep(500);
  std::optional<QPoint> main;
  qint64 toWindow = -1;
  for (int attempt = 0; attempt < 3 && !main; ++attempt) {
    // The tray lays its icons out again as they come: take the latest place.
    if (auto now = TrayIcon()) icon = now;
    ClickAt(*icon, 2);
    clock.restart();  // from the second click
    WaitFor([&] { return (main = WindowAt(kMainWindowTemplate)).has_value(); }, 3000);
    toWindow = clock.elapsed();
  }
  Check(main.has_value(), "a double-click opens the main window");
  if (!main) return 1;
  QThread::msleep(300);
  QImage before = Screenshot(shots + "/main-panel-" + lang + ".png");
  Check(DisplayInk(before, *main) == 0, "the display box is empty before Status");

  ClickAt(PageControl(*main, kPanelPageTemplate, kPanelStatusButton));
  QThread::msleep(1500);
  QImage after = Screenshot(shots + "/panel-status-" + lang + ".png");
  Check(DisplayInk(after, *main) > 20, "after Status the display box shows the printer's message");

  if (bench) {
    qint64 pid = ProgramPid(program.processId());
    QThread::msleep(2000);
    double cpu0 = CpuSeconds(pid);
    QThread::msleep(10000);
    double cpu = CpuSeconds(pid) - cpu0;
    std::printf("start to icon: %lld ms (polled every 10 ms)\n", toIcon);
    std::printf(
        "double-click to shown window: %lld ms (polled; includes opening the link and\n"
        "  reading the machine kind through the emulated printer)\n",
        toWindow);
    std::printf("resident memory idle: %.1f MB\n", RssKb(pid) / 1024.0);
    std::printf("CPU idle with the display cycling: %.2f %% over 10 s\n", cpu * 100.0 / 10.0);
  }

  const QStringList tabs = {Text(119), Text(120), Text(121)};
  ClickAt(TabAt(*main, 1, tabs.mid(0, 2)));
  QThread::msleep(400);
  Screenshot(shots + "/user-service-" + lang + ".png");

  Xdotool({"key", "alt+a"});
  Xdotool({"type", "--delay", "30", "ZELQORN"});
  QThread::msleep(300);
  ClickAt(TabAt(*main, 2, tabs));
  QThread::msleep(400);
  Screenshot(shots + "/service-mode-" + lang + ".png");

  ClickAt(TabAt(*main, 0, tabs));
  QThread::msleep(300);
  ClickAt(PageControl(*main, kPanelPageTemplate, kPanelConfigButton));
  std::optional<QPoint> config;
  Check(WaitFor([&] { return (config = WindowAt(kConfigWindowTemplate)).has_value(); }, 10000),
        "Display Configuration Page opens the configuration window");
  if (config) {
    QThread::msleep(400);
    Screenshot(shots + "/configuration-" + lang + ".png");
    ClickAt(*config + ControlRect(kConfigWindowTemplate, kConfigCloseButton).center());
    Check(WaitFor([&] { return !WindowAt(kConfigWindowTemplate).has_value(); }, 5000),
          "Close closes it");
  }

  ClickAt(*main + ControlRect(kMainWindowTemplate, kMainAboutButton).center());
  QThread::msleep(600);
  Screenshot(shots + "/about-" + lang + ".png");
  // That Escape leaves the box open: tests/scenarios/shell_window_and_icon.
  if (auto about = WindowAt(kAboutTemplate))
    ClickAt(*about + ControlRect(kAboutTemplate, kAboutCloseButton).center());

  Check(ChooseExit(*icon), "a right-click opens the icon's menu");
  bool ended = program.waitForFinished(8000);
  Check(ended && program.exitCode() == 0, "Exit in the icon's menu ends the program with 0");
  if (!ended) program.kill();
  return g_failures ? 1 : 0;
}
