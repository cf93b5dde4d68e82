#include "ui/win32/win32_accessible_names.h"

#include <commctrl.h>
#include <oleacc.h>

#include <atomic>
#include <memory>
#include <utility>

namespace {

// oleacc and COM are loaded when a screen reader first asks, not at start;
// from the system folder only.
struct Accessibility {
  HRESULT(WINAPI* createStandard)(HWND, LONG, REFIID, void**) = nullptr;
  LRESULT(WINAPI* resultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
  BSTR(WINAPI* allocString)(const OLECHAR*) = nullptr;
  HRESULT(WINAPI* createInstance)(REFCLSID, LPUNKNOWN, DWORD, REFIID, void**) = nullptr;
};

template <typename Function>
void Find(HMODULE module, const char* name, Function& function) {
  function = module
                 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                 : nullptr;
}

const Accessibility& LoadedAccessibility() {
  static const Accessibility loaded = [] {
    auto load = [](const wchar_t* name) {
      return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    };
    Accessibility a;
    HMODULE oleacc = load(L"oleacc.dll");
    HMODULE ole32 = load(L"ole32.dll");
    Find(oleacc, "CreateStdAccessibleObject", a.createStandard);
    Find(oleacc, "LresultFromObject", a.resultFromObject);
    Find(load(L"oleaut32.dll"), "SysAllocString", a.allocString);
    Find(ole32, "CoCreateInstance", a.createInstance);
    // The object is handed to the screen reader's process through COM, in
    // this thread's apartment.
    HRESULT(WINAPI * initialize)(void*, DWORD) = nullptr;
    Find(ole32, "CoInitializeEx", initialize);
    if (initialize) initialize(nullptr, COINIT_APARTMENTTHREADED);
    return a;
  }();
  return loaded;
}

const Accessibility* LoadAccessibility() {
  const Accessibility& loaded = LoadedAccessibility();
  return loaded.createStandard && loaded.resultFromObject && loaded.allocString ? &loaded : nullptr;
}

// The annotation service and the live setting's property, which not every
// compiler's headers name.
constexpr CLSID kAccPropServices = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kAccPropServicesInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr MSAAPROPID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPoliteLiveSetting = 1;

using NameSource = std::function<std::wstring()>;

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// What the control is, where the system's object says only "client" (as
// Wine's does for every standard control); 0 where it cannot tell.
LONG RoleOfClass(HWND control) {
  wchar_t cls[32] = {};
  GetClassNameW(control, cls, 32);
  if (lstrcmpiW(cls, TRACKBAR_CLASSW) == 0) return ROLE_SYSTEM_SLIDER;
  if (lstrcmpiW(cls, WC_STATICW) == 0) return ROLE_SYSTEM_STATICTEXT;
  const LONG_PTR kind = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
  if (lstrcmpiW(cls, WC_BUTTONW) == 0 && (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON))
    return ROLE_SYSTEM_RADIOBUTTON;
  return 0;
}

// The system's object for the control, answering everything itself but the
// control's own name, and its role and checked state where the system's
// object knows only a client window.
class NamedAccessible final : public IAccessible {
 public:
  NamedAccessible(HWND control, IAccessible* standard, std::shared_ptr<const NameSource> name,
                  const Accessibility& functions)
      : control_(control), standard_(standard), name_(std::move(name)), functions_(functions) {}
  NamedAccessible(const NamedAccessible&) = delete;
  NamedAccessible& operator=(const NamedAccessible&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    // What else the system's object offers: its window, its children.
    return standard_->QueryInterface(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override {
    return standard_->Invoke(id, iid, locale, flags, parameters, result, exception, argumentError);
  }

  // IAccessible: the name, then what the system's object answers.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (name && IsSelf(child)) {
      const std::wstring own = (*name_)();
      if (!own.empty()) {
        *name = functions_.allocString(own.c_str());
        return *name ? S_OK : E_OUTOFMEMORY;
      }
    }
    return standard_->get_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return standard_->get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    const HRESULT result = standard_->get_accRole(child, role);
    if (SUCCEEDED(result) && IsSelf(child) && role->vt == VT_I4 &&
        role->lVal == ROLE_SYSTEM_CLIENT && RoleOfClass(control_) != 0)
      role->lVal = RoleOfClass(control_);
    return result;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const HRESULT result = standard_->get_accState(child, state);
    if (SUCCEEDED(result) && IsSelf(child) && state->vt == VT_I4 &&
        RoleOfClass(control_) == ROLE_SYSTEM_RADIOBUTTON &&
        SendMessageW(control_, BM_GETCHECK, 0, 0) == BST_CHECKED)
      state->lVal |= STATE_SYSTEM_CHECKED;
    return result;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG how, VARIANT child) override {
    return standard_->accSelect(how, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~NamedAccessible() { standard_->Release(); }

  HWND control_;
  IAccessible* standard_;
  std::shared_ptr<const NameSource> name_;
  const Accessibility& functions_;
  std::atomic<ULONG> references_{1};
};

constexpr UINT_PTR kNamingSubclass = 1;

LRESULT CALLBACK NamingProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR subclass, DWORD_PTR data) {
  auto* name = reinterpret_cast<std::shared_ptr<const NameSource>*>(data);
  if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
    const Accessibility* functions = LoadAccessibility();
    IAccessible* standard = nullptr;
    if (functions &&
        SUCCEEDED(functions->createStandard(control, OBJID_CLIENT, __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&standard))) &&
        standard) {
      auto* named = new NamedAccessible(control, standard, *name, *functions);
      const LRESULT result = functions->resultFromObject(__uuidof(IAccessible), wParam, named);
      named->Release();
      // Not handed over: the system answers as it would have.
      if (SUCCEEDED(static_cast<HRESULT>(result))) return result;
    }
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(control, NamingProcedure, subclass);
    delete name;
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void NameForScreenReaders(HWND control, std::function<std::wstring()> name) {
  auto* source =
      new std::shared_ptr<const NameSource>(std::make_shared<const NameSource>(std::move(name)));
  if (!SetWindowSubclass(control, NamingProcedure, kNamingSubclass,
                         reinterpret_cast<DWORD_PTR>(source)))
    delete source;
}

void MarkPoliteLiveRegion(HWND control) {
  const Accessibility& functions = LoadedAccessibility();
  IAccPropServices* services = nullptr;
  if (!functions.createInstance ||
      FAILED(functions.createInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                      kAccPropServicesInterface,
                                      reinterpret_cast<void**>(&services))) ||
      !services)
    return;
  VARIANT polite{};
  polite.vt = VT_I4;
  polite.lVal = kPoliteLiveSetting;
  // Not every system keeps annotations (Wine's answers E_NOTIMPL): the
  // events still tell of each change.
  services->SetHwndProp(control, DWORD(OBJID_CLIENT), CHILDID_SELF, kLiveSettingProperty, polite);
  services->Release();
}
