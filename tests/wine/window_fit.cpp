// window-fit.exe: builds every window of the program as the program fills
// it, in every language, at the resolution Wine gives this process, and
// measures what a user would see cut off: a control outside the visible
// part of its page or window, a control over another that the template
// keeps apart, a text wider than its control, a slider's thumb away from
// its value, a top-level window opened off the screen's work area (the
// program shrinks a window's font until it fits). Prints
// one line per finding and a count; status 1 when there is any. With
// --shots DIR it also saves the main window's three pages in English,
// German and Japanese as DIR/LANGUAGE_PAGE.bmp.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

#include "common/string_table.h"
#include "common/win32/utf16.h"
#include "fit/layout_checks.h"
#include "info/configuration_controls.h"
#include "layouts/control_ids.h"
#include "printer/config_pages.h"
#include "shell/about_box.h"
#include "ui/win32/win32_platform.h"
#include "ui/win32/win32_window.h"

namespace {

void Ignore(Window&, const DialogMessage&) {}

int dpi = USER_DEFAULT_SCREEN_DPI;
int Scaled(int pixelsAt96) {
  return (pixelsAt96 * dpi + USER_DEFAULT_SCREEN_DPI / 2) / USER_DEFAULT_SCREEN_DPI;
}

std::set<std::string> findings;  // a page measured twice says it once
int language = kEnglish;

void Finding(const DialogTemplate& dialog, const ControlTemplate& c, const std::string& what) {
  findings.insert("language " + std::to_string(language) + " template " +
                  std::to_string(dialog.id) + " control " + std::to_string(c.id) + ": " + what);
}

std::wstring WindowText(HWND hwnd) {
  wchar_t text[1024] = {};
  GetWindowTextW(hwnd, text, 1024);
  return text;
}

// A text's extent in the control's font; the mnemonic marker and trailing
// blanks are not drawn.
SIZE Extent(HWND control, std::wstring text, UINT wrapWidth = 0) {
  std::wstring shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size()) ++i;
    shown.push_back(text[i]);
  }
  while (!shown.empty() && shown.back() == L' ') shown.pop_back();
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  if (wrapWidth) {
    RECT r{0, 0, LONG(wrapWidth), 0};
    DrawTextW(dc, shown.c_str(), int(shown.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    size = {r.right, r.bottom};
  } else {
    GetTextExtentPoint32W(dc, shown.c_str(), int(shown.size()), &size);
  }
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return size;
}

// What a control's text needs beside the text itself, at 96 dots per inch:
// a button's frame, a radio button's or check box's indicator, a group
// box's indent, a list's arrow.
void CheckText(const DialogTemplate& dialog, const ControlTemplate& c, HWND control) {
  RECT r;
  GetClientRect(control, &r);
  const int width = r.right, height = r.bottom;
  auto check = [&](const std::wstring& text, int needed, int available) {
    if (needed > available)
      Finding(dialog, c,
              "\"" + Utf8(text) + "\" needs " + std::to_string(needed) + " px, has " +
                  std::to_string(available));
  };
  std::wstring text = WindowText(control);
  switch (c.kind) {
    case ControlKind::PushButton: check(text, Extent(control, text).cx + Scaled(6), width); break;
    case ControlKind::RadioButton:
    case ControlKind::CheckBox: check(text, Extent(control, text).cx + Scaled(17), width); break;
    case ControlKind::GroupBox:
      if (!text.empty()) check(text, Extent(control, text).cx + Scaled(14), width);
      break;
    case ControlKind::Static: {
      if (text.empty()) break;
      if (GetWindowLongW(control, GWL_STYLE) & SS_LEFTNOWORDWRAP) {
        check(text, Extent(control, text).cx, width);
        break;
      }
      // Wrapped: every line shows whole, descenders too.
      const SIZE wrapped = Extent(control, text, UINT(width));
      check(text, wrapped.cx, width);
      if (wrapped.cy > height)
        Finding(dialog, c,
                "\"" + Utf8(text) + "\" needs " + std::to_string(wrapped.cy) +
                    " px of height, has " + std::to_string(height));
      break;
    }
    case ControlKind::DropDownList: {
      const int count = int(SendMessageW(control, CB_GETCOUNT, 0, 0));
      for (int i = 0; i < count; ++i) {
        wchar_t entry[256] = {};
        SendMessageW(control, CB_GETLBTEXT, i, LPARAM(entry));
        check(entry, Extent(control, entry).cx + GetSystemMetrics(SM_CXVSCROLL) + Scaled(6), width);
      }
      break;
    }
    case ControlKind::Trackbar: {
      // The thumb stands where the value is along the channel.
      RECT channel{}, thumb{};
      SendMessageW(control, TBM_GETCHANNELRECT, 0, LPARAM(&channel));
      SendMessageW(control, TBM_GETTHUMBRECT, 0, LPARAM(&thumb));
      const int low = int(SendMessageW(control, TBM_GETRANGEMIN, 0, 0));
      const int high = int(SendMessageW(control, TBM_GETRANGEMAX, 0, 0));
      const int pos = int(SendMessageW(control, TBM_GETPOS, 0, 0));
      const int half = (thumb.right - thumb.left) / 2;
      const int span = (channel.right - channel.left) - 2 * half;
      const int expected =
          channel.left + half + (high > low ? span * (pos - low) / (high - low) : 0);
      const int centre = (thumb.left + thumb.right) / 2;
      if (centre < expected - half || centre > expected + half)
        Finding(dialog, c,
                "thumb at " + std::to_string(centre) + " for value " + std::to_string(pos) +
                    " of " + std::to_string(low) + ".." + std::to_string(high) +
                    ", expected near " + std::to_string(expected));
      break;
    }
    default: break;
  }
}

// The controls of a window in template order, as the dialog manager made them;
// pages are measured apart, and the text that reads the drawing is none.
std::vector<HWND> Controls(const Win32Window& window) {
  std::vector<HWND> controls;
  for (HWND child = GetWindow(window.Handle(), GW_CHILD); child;
       child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t cls[32] = {};
    GetClassNameW(child, cls, 32);
    if (std::wcscmp(cls, L"#32770") != 0 && child != window.DrawingText())
      controls.push_back(child);
  }
  return controls;
}

Box ScreenBox(HWND window, bool client) {
  RECT r{};
  if (!client) {
    GetWindowRect(window, &r);
  } else {
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  }
  return {int(r.left), int(r.top), int(r.right), int(r.bottom)};
}

// Every control of one window or page within what shows of it: its client
// area, cut by every window it lies in.
void Measure(Win32Window& window) {
  const DialogTemplate& dialog = *FindDialogTemplate(window.TemplateId());
  HWND hwnd = window.Handle();
  Box visible = ScreenBox(hwnd, true);
  for (HWND outer = GetParent(hwnd); outer; outer = GetParent(outer))
    visible = visible.Cut(ScreenBox(outer, true));
  const std::vector<HWND> controls = Controls(window);
  std::vector<Box> boxes;
  for (size_t i = 0; i < controls.size() && i < dialog.controls.size(); ++i) {
    boxes.push_back(ScreenBox(controls[i], false));
    if (!boxes.back().Empty()) CheckText(dialog, dialog.controls[i], controls[i]);
  }
  std::vector<std::string> places;
  CheckPlaces(dialog, boxes, visible,
              "language " + std::to_string(language) + " template " + std::to_string(dialog.id),
              places);
  findings.insert(places.begin(), places.end());
}

// A top-level window where the program left it: within the work area, and
// centred on the screen as always wherever it fits there that way. The
// first language's run says where each window went.
void CheckPlacement(Win32Window& window, const char* name) {
  const Size screen = CurrentPlatform().ScreenSize();
  const Rect area = CurrentPlatform().WorkArea();
  const Rect r = window.WindowRect();
  const Box frame{r.left, r.top, r.right, r.bottom};
  const Box work{area.left, area.top, area.right, area.bottom};
  const int x = (screen.width - r.Width()) / 2, y = (screen.height - r.Height()) / 2;
  const Box centred{x, y, x + r.Width(), y + r.Height()};
  const std::string where = std::string(name) + " " + std::to_string(r.Width()) + "x" +
                            std::to_string(r.Height()) + " at " + frame.Text();
  if (language == TextLanguages().front())
    std::printf("%s (centred %s, work area %s)\n", where.c_str(), centred.Text().c_str(),
                work.Text().c_str());
  if (!frame.Inside(work)) {
    findings.insert(where + " leaves the work area " + work.Text());
  } else if (centred.Inside(work) && (frame.left != x || frame.top != y)) {
    findings.insert(where + " fits centred at " + centred.Text());
  }
}

void Pump() {
  MSG message;
  for (int i = 0; i < 10; ++i) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(20);
  }
}

// The window's pixels on the screen as a 24-bit BMP.
void SaveShot(HWND window, const std::wstring& path) {
  RECT r;
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  const DWORD stride = DWORD((w * 3 + 3) & ~3), size = stride * DWORD(h);
  BITMAPFILEHEADER file{0x4D42, DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) + size,
                        0, 0, DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))};
  if (FILE* out = _wfopen(path.c_str(), L"wb")) {
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
    std::fwrite(bits, 1, size, out);
    std::fclose(out);
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

const wchar_t* ShotName(int id) {
  switch (id) {
    case kEnglish: return L"en";
    case 1031: return L"de";
    case 1041: return L"ja";
    default: return nullptr;
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  INITCOMMONCONTROLSEX common{sizeof common, ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&common);
  const std::wstring shots = argc > 2 && std::wcscmp(argv[1], L"--shots") == 0 ? argv[2] : L"";
  Win32Platform platform(GetModuleHandleW(nullptr));
  UsePlatform(&platform);
  {
    HDC screen = GetDC(nullptr);
    dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
  }
  std::printf("window-fit at %d dpi\n", dpi);
  std::fflush(stdout);
  int windows = 0;
  for (int id : TextLanguages()) {
    language = id;
    SetTextLanguage(id);
    AppContext ctx{};
    auto& main =
        *static_cast<Win32Window*>(platform.CreateModeless(kMainWindowTemplate, Ignore, nullptr));
    LoadTemplateTexts(main);
    AddMainPages(main, ctx);
    // Each page shown and painted as the user sees it: a trackbar places its
    // thumb when it paints.
    const bool shoot = !shots.empty() && ShotName(id);
    main.Show(true);
    CenterWindow(main);  // as the program opens it
    CheckPlacement(main, "main window");
    main.MoveTo(0, 0);
    main.Show(true);
    Measure(main);
    auto showPage = [&](int page) {
      main.TabSelect(kMainTab, page);
      for (int other = 0; other < 3; ++other) ctx.mainPages[other]->Show(other == page);
      RedrawWindow(main.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      return static_cast<Win32Window*>(ctx.mainPages[page]);
    };
    for (int page = 0; page < 3; ++page) {
      Measure(*showPage(page));
      ++windows;
      if (shoot) {
        Pump();
        SaveShot(main.Handle(),
                 shots + L"\\" + ShotName(id) + L"_" + std::to_wstring(page) + L".bmp");
      }
    }
    // Sliders at their ends, as a Download may leave them.
    for (int slider : {kTopPlainSlider, kTransferLabelsSlider, kLeftTray1Slider})
      ctx.mainPages[1]->TrackbarSetPos(slider, slider == kTransferLabelsSlider ? -8 : 15);
    Measure(*showPage(1));
    main.Destroy();

    auto& config =
        *static_cast<Win32Window*>(platform.CreateModeless(kConfigWindowTemplate, Ignore, nullptr));
    LoadTemplateTexts(config);
    Measure(config);
    for (int i = 0; i < kConfigPageCount; ++i) {
      Window* page = AddTabPage(config, kConfigTabControl, kConfigPageTemplates[i],
                                kConfigPageTitles[i], i, nullptr, &ctx);
      LoadTemplateTexts(*page);
      Measure(*static_cast<Win32Window*>(page));
      ++windows;
    }
    CenterWindow(config);
    CheckPlacement(config, "configuration window");
    config.Destroy();

    auto& about =
        *static_cast<Win32Window*>(platform.CreateModeless(kAboutTemplate, AboutBoxProc, &ctx));
    CheckPlacement(about, "About box");  // its procedure places it
    Measure(about);
    about.Destroy();
    windows += 3;
  }
  for (const std::string& line : findings) std::printf("%s\n", line.c_str());
  auto count = [](const char* what) {
    int n = 0;
    for (const std::string& line : findings) n += line.find(what) != std::string::npos;
    return n;
  };
  std::printf(
      "%d dpi: %d windows and pages in %d languages: %d controls outside, %d covering "
      "others, %d texts too large, %d thumbs away from their value, %d windows off the work "
      "area; %d findings\n",
      dpi, windows, int(TextLanguages().size()), count(" outside "), count(" covers "),
      count(" needs "), count(" thumb at "),
      count(" leaves the work area ") + count(" fits centred "), int(findings.size()));
  std::fflush(stdout);
  return findings.empty() ? 0 : 1;
}
