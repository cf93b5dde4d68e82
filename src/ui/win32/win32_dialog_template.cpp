#include "ui/win32/win32_dialog_template.h"

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <string_view>

namespace {

// Appends 16-bit units; DLGTEMPLATEEX is a sequence of WORDs with a few
// DWORDs, every item starting on a DWORD boundary.
class TemplateWriter {
 public:
  void Word(std::uint16_t value) { words_.push_back(value); }
  void Dword(std::uint32_t value) {
    Word(static_cast<std::uint16_t>(value & 0xFFFF));
    Word(static_cast<std::uint16_t>(value >> 16));
  }
  void Short(int value) { Word(static_cast<std::uint16_t>(static_cast<std::int16_t>(value))); }
  // A zero-terminated UTF-16 string; the template data's names are ASCII.
  void String(std::string_view text) {
    for (char c : text) Word(static_cast<unsigned char>(c));
    Word(0);
  }
  void AlignDword() {
    if (words_.size() % 2) Word(0);
  }
  std::vector<std::uint32_t> Finish() {
    AlignDword();
    std::vector<std::uint32_t> out(words_.size() / 2);
    std::memcpy(out.data(), words_.data(), words_.size() * sizeof(std::uint16_t));
    return out;
  }

 private:
  std::vector<std::uint16_t> words_;
};

// A dialog's font is 8 vertical dialog units high.
constexpr int kOneLine = 8;

// Predefined window classes of a dialog item, by atom.
constexpr std::uint16_t kButtonAtom = 0x0080;
constexpr std::uint16_t kEditAtom = 0x0081;
constexpr std::uint16_t kStaticAtom = 0x0082;
constexpr std::uint16_t kComboBoxAtom = 0x0085;

DWORD DialogStyle(const DialogTemplate& dialog) {
  DWORD style = DS_SETFONT;
  if (dialog.style & kChildPage) return style | WS_CHILD | DS_CONTROL;
  style |= WS_POPUP;
  if (dialog.style & kCaption) style |= WS_CAPTION;
  if (dialog.style & kSystemMenu) style |= WS_SYSMENU;
  if (dialog.style & kModalFrame) style |= DS_MODALFRAME;
  if (dialog.style & kDialogFrame) style |= WS_DLGFRAME;
  return style;
}

DWORD ControlStyle(const ControlTemplate& c) {
  DWORD style = WS_CHILD | WS_VISIBLE;
  if (c.style & kGroupStart) style |= WS_GROUP;
  if (c.style & kTabStop) style |= WS_TABSTOP;
  switch (c.kind) {
    case ControlKind::PushButton: return style | BS_PUSHBUTTON;
    case ControlKind::RadioButton: return style | BS_AUTORADIOBUTTON;
    case ControlKind::CheckBox: return style | BS_AUTOCHECKBOX;
    case ControlKind::GroupBox: return style | BS_GROUPBOX;
    case ControlKind::Static:
      if (c.style & kAlignCenter) return style | SS_CENTER;
      // A label one line high (8 units: the font's height) keeps to its line:
      // wrapped, a text with trailing blanks would lose its last word below it.
      return style | (c.cy <= kOneLine ? SS_LEFTNOWORDWRAP : SS_LEFT);
    case ControlKind::Edit:
      return style | ES_LEFT | (c.style & kBorder ? WS_BORDER : 0) |
             (c.style & kAutoScroll ? ES_AUTOHSCROLL : 0);
    case ControlKind::DropDownList: return style | CBS_DROPDOWNLIST | WS_VSCROLL;
    case ControlKind::Trackbar: return style | TBS_HORZ | TBS_NOTICKS;
    case ControlKind::TabControl: return style | WS_CLIPSIBLINGS;
  }
  return style;
}

void WriteClass(TemplateWriter& out, ControlKind kind) {
  auto atom = [&out](std::uint16_t value) {
    out.Word(0xFFFF);
    out.Word(value);
  };
  switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::RadioButton:
    case ControlKind::CheckBox:
    case ControlKind::GroupBox: atom(kButtonAtom); break;
    case ControlKind::Static: atom(kStaticAtom); break;
    case ControlKind::Edit: atom(kEditAtom); break;
    case ControlKind::DropDownList: atom(kComboBoxAtom); break;
    case ControlKind::Trackbar: out.String("msctls_trackbar32"); break;
    case ControlKind::TabControl: out.String("SysTabControl32"); break;
  }
}

}  // namespace

// Never smaller than this, however small the screen.
constexpr int kSmallestPointSize = 6;

int FittingPointSizeDrop(const DialogTemplate& dialog) {
  if (dialog.style & kChildPage) return 0;
  RECT work{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) return 0;
  HDC screen = GetDC(nullptr);
  if (!screen) return 0;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  std::wstring face;
  for (const char c : std::string_view(dialog.fontFace))
    face += wchar_t(static_cast<unsigned char>(c));
  int drop = 0;
  for (; dialog.pointSize - drop > kSmallestPointSize; ++drop) {
    HFONT font = CreateFontW(-MulDiv(dialog.pointSize - drop, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE,
                             FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH, face.c_str());
    if (!font) break;
    HGDIOBJ before = SelectObject(screen, font);
    // The dialog base units of a dialog in that font, as the dialog manager
    // works them out: the average width of the Latin letters, the height.
    TEXTMETRICW metrics{};
    SIZE letters{};
    const wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const bool measured =
        GetTextMetricsW(screen, &metrics) && GetTextExtentPoint32W(screen, kLetters, 52, &letters);
    SelectObject(screen, before);
    DeleteObject(font);
    if (!measured) break;
    const int unitX = (letters.cx / 26 + 1) / 2;
    RECT frame{0, 0, MulDiv(dialog.cx, unitX, 4), MulDiv(dialog.cy, metrics.tmHeight, kOneLine)};
    AdjustWindowRectEx(&frame, DialogStyle(dialog), FALSE, 0);
    if (frame.right - frame.left <= work.right - work.left &&
        frame.bottom - frame.top <= work.bottom - work.top)
      break;
  }
  ReleaseDC(nullptr, screen);
  return drop;
}

std::vector<std::uint32_t> BuildWin32DialogTemplate(const DialogTemplate& dialog,
                                                    int pointSizeDrop) {
  TemplateWriter out;
  out.Word(1);       // dlgVer
  out.Word(0xFFFF);  // signature: the extended template
  out.Dword(0);      // helpID
  out.Dword(0);      // exStyle
  out.Dword(DialogStyle(dialog));
  out.Word(static_cast<std::uint16_t>(dialog.controls.size()));
  out.Short(0);
  out.Short(0);
  out.Short(dialog.cx);
  out.Short(dialog.cy);
  out.Word(0);  // no menu
  out.Word(0);  // the dialog class
  out.Word(0);  // no title: titles come from the string table
  out.Word(static_cast<std::uint16_t>(dialog.pointSize - pointSizeDrop));
  out.Word(FW_NORMAL);
  out.Word(DEFAULT_CHARSET << 8);  // not italic (low byte), the character set (high byte)
  out.String(dialog.fontFace);

  for (const ControlTemplate& c : dialog.controls) {
    out.AlignDword();
    out.Dword(0);  // helpID
    // A tab control holds the pages: Tab and the mnemonics reach into them.
    out.Dword(c.kind == ControlKind::TabControl ? WS_EX_CONTROLPARENT : 0);
    out.Dword(ControlStyle(c));
    out.Short(c.x);
    out.Short(c.y);
    out.Short(c.cx);
    out.Short(c.cy);
    out.Dword(static_cast<std::uint32_t>(c.id));  // kNoId: -1, as IDC_STATIC
    WriteClass(out, c.kind);
    out.Word(0);  // no text: texts come from the string table
    out.Word(0);  // no creation data
  }
  return out.Finish();
}
