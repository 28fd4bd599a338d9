#include "ui/FormAccessible.h"

#include <algorithm>
#include <atomic>
#include <string>

#include <oleacc.h>

#include "ui/ChildWindowControl.h"
#include "ui/ControlHost.h"

namespace {

using LresultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using CreateStdAccessibleObjectFunction = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using AccessibleObjectFromWindowFunction = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);

// IAccessible's interface id, here so that no oleacc symbol is linked in.
constexpr IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

struct Oleacc {
  LresultFromObjectFunction lresultFromObject = nullptr;
  CreateStdAccessibleObjectFunction createStdAccessibleObject = nullptr;
  AccessibleObjectFromWindowFunction accessibleObjectFromWindow = nullptr;
};

const Oleacc& LoadOleacc() {
  static const Oleacc oleacc = [] {
    Oleacc functions;
    if (HMODULE module = ::LoadLibraryExW(L"oleacc.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
      functions.lresultFromObject = reinterpret_cast<LresultFromObjectFunction>(
          reinterpret_cast<void*>(::GetProcAddress(module, "LresultFromObject")));
      functions.createStdAccessibleObject = reinterpret_cast<CreateStdAccessibleObjectFunction>(
          reinterpret_cast<void*>(::GetProcAddress(module, "CreateStdAccessibleObject")));
      functions.accessibleObjectFromWindow = reinterpret_cast<AccessibleObjectFromWindowFunction>(
          reinterpret_cast<void*>(::GetProcAddress(module, "AccessibleObjectFromWindow")));
    }
    return functions;
  }();
  return oleacc;
}

void Collect(Control& control, std::vector<Control*>& children) {
  if (control.Role() != Control::AccessibleRole::None || dynamic_cast<ChildWindowControl*>(&control))
    children.push_back(&control);
  for (const auto& child : control.Children()) Collect(*child, children);
}

BSTR Text(const std::string& text) {
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  BSTR result = ::SysAllocStringLen(nullptr, static_cast<UINT>(length));
  if (result && length > 0)
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result, length);
  return result;
}

long RoleOf(Control::AccessibleRole role) {
  switch (role) {
    case Control::AccessibleRole::StaticText: return ROLE_SYSTEM_STATICTEXT;
    case Control::AccessibleRole::PushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case Control::AccessibleRole::ProgressBar: return ROLE_SYSTEM_PROGRESSBAR;
    case Control::AccessibleRole::None: break;
  }
  return ROLE_SYSTEM_CLIENT;
}

// The client area's object: what concerns the area itself goes to the system's standard object
// of the window's client; its children are the form's accessible children, looked up again on
// every call (the form may change its page or end meanwhile).
class FormAccessible : public IAccessible {
 public:
  FormAccessible(HWND window, IAccessible* standard) : m_window(window), m_standard(standard) {}
  virtual ~FormAccessible() { m_standard->Release(); }

  // IUnknown.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kIidAccessible) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --m_references;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: not offered.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return m_standard->get_accParent(parent); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    if (Gone()) return RPC_E_DISCONNECTED;
    *count = static_cast<long>(Children().size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (Gone()) return RPC_E_DISCONNECTED;
    Control* control = ChildOf(child);
    if (!control) return Missing();
    // A real child window is an object of its own; a drawn control is a simple element.
    *out = WindowDispatch(*control);
    return *out ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (IsSelf(child)) return m_standard->get_accName(child, name);
    if (IAccessible* window = WindowObject(child)) return Ask(window, &IAccessible::get_accName, name);
    Control* control = ChildOf(child);
    if (!name) return E_POINTER;
    if (!control) return Missing();
    *name = Text(control->AccessibleName());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (IsSelf(child)) return m_standard->get_accValue(child, value);
    Control* control = ChildOf(child);
    if (!value) return E_POINTER;
    if (!control) return Missing();
    const std::string text = control->AccessibleValue();
    *value = text.empty() ? nullptr : Text(text);
    return text.empty() ? S_FALSE : S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    if (IsSelf(child)) return m_standard->get_accDescription(child, text);
    Control* control = ChildOf(child);
    if (!control || control->AccessibleDescription().empty()) return Nothing(text);
    *text = Text(control->AccessibleDescription());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (IsSelf(child)) return m_standard->get_accRole(child, role);
    if (IAccessible* window = WindowObject(child)) return Ask(window, &IAccessible::get_accRole, role);
    Control* control = ChildOf(child);
    if (!role) return E_POINTER;
    if (!control) return Missing();
    role->vt = VT_I4;
    role->lVal = RoleOf(control->Role());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (IsSelf(child)) return m_standard->get_accState(child, state);
    Control* control = ChildOf(child);
    if (!state) return E_POINTER;
    if (!control) return Missing();
    const bool showing = control->Showing();
    const ControlHost* form = ControlHost::FromWindow(m_window);
    state->vt = VT_I4;
    state->lVal = (control->Enabled() ? 0 : STATE_SYSTEM_UNAVAILABLE) | (showing ? 0 : STATE_SYSTEM_INVISIBLE) |
                  (control->TakesFocus() && showing ? STATE_SYSTEM_FOCUSABLE : 0) |
                  (control->Focused() ? STATE_SYSTEM_FOCUSED : 0) |
                  (form && form->DefaultControl() == control ? STATE_SYSTEM_DEFAULT : 0) |
                  (control->Role() == Control::AccessibleRole::StaticText ? STATE_SYSTEM_READONLY : 0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
    return IsSelf(child) ? m_standard->get_accHelp(child, text) : Nothing(text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return m_standard->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
    return IsSelf(child) ? m_standard->get_accKeyboardShortcut(child, text) : Nothing(text);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (!focus) return E_POINTER;
    ControlHost* form = ControlHost::FromWindow(m_window);
    Control* focused = form ? form->FocusedControl() : nullptr;
    if (focused && focused->Focused()) {
      focus->vt = VT_I4;
      focus->lVal = AccessibleChildId(form->Client(), *focused);
      return S_OK;
    }
    return m_standard->get_accFocus(focus);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return m_standard->get_accSelection(selection);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (IsSelf(child)) return m_standard->get_accDefaultAction(child, action);
    if (!action) return E_POINTER;
    Control* control = ChildOf(child);
    if (!control || control->Role() != Control::AccessibleRole::PushButton) return Nothing(action);
    *action = Text("Press");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    if (IsSelf(child)) return m_standard->accSelect(flags, child);
    Control* control = ChildOf(child);
    ControlHost* form = ControlHost::FromWindow(m_window);
    if (!control || !form) return Gone() ? RPC_E_DISCONNECTED : E_INVALIDARG;
    if (flags != SELFLAG_TAKEFOCUS) return S_FALSE;
    if (!control->Showing() || !control->Enabled()) return S_FALSE;
    if (auto* window = dynamic_cast<ChildWindowControl*>(control)) {
      form->FocusControl(nullptr);
      window->Focus();
      return S_OK;
    }
    if (!control->TakesFocus()) return S_FALSE;
    form->FocusControl(control);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    if (IsSelf(child)) return m_standard->accLocation(left, top, width, height, child);
    Control* control = ChildOf(child);
    if (!left || !top || !width || !height) return E_POINTER;
    if (!control) return Missing();
    const Rect r = control->DeviceBoundsInForm();
    POINT origin{r.left, r.top};
    ::ClientToScreen(m_window, &origin);
    *left = origin.x;
    *top = origin.y;
    *width = r.Width();
    *height = r.Height();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    if (!end) return E_POINTER;
    ::VariantInit(end);
    if (Gone()) return RPC_E_DISCONNECTED;
    const std::vector<Control*> children = Children();
    const long count = static_cast<long>(children.size());
    const long from = start.vt == VT_I4 ? start.lVal : 0;
    // Over the children that show, in their order.
    long to = 0, step = 0;
    if (from == CHILDID_SELF && direction == NAVDIR_FIRSTCHILD) to = 1, step = 1;
    else if (from == CHILDID_SELF && direction == NAVDIR_LASTCHILD) to = count, step = -1;
    else if (from > 0 && (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN)) to = from + 1, step = 1;
    else if (from > 0 && (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP)) to = from - 1, step = -1;
    else if (from == CHILDID_SELF) return m_standard->accNavigate(direction, start, end);
    while (step != 0 && to >= 1 && to <= count && !children[to - 1]->Showing()) to += step;
    if (to < 1 || to > count) return S_FALSE;
    return ChildAnswer(*children[to - 1], to, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
    if (!hit) return E_POINTER;
    ControlHost* form = ControlHost::FromWindow(m_window);
    POINT p{x, y};
    ::ScreenToClient(m_window, &p);
    RECT client{};
    ::GetClientRect(m_window, &client);
    if (!form || !::PtInRect(&client, p)) return m_standard->accHitTest(x, y, hit);
    const std::vector<Control*> children = Children();
    // The last (topmost) showing child whose place holds the point.
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
      const Rect r = (*it)->DeviceBoundsInForm();
      if ((*it)->Showing() && p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom)
        return ChildAnswer(**it, static_cast<long>(children.rend() - it), hit);
    }
    hit->vt = VT_I4;
    hit->lVal = CHILDID_SELF;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (IsSelf(child)) return m_standard->accDoDefaultAction(child);
    if (Gone()) return RPC_E_DISCONNECTED;
    Control* control = ChildOf(child);
    if (!control || control->Role() != Control::AccessibleRole::PushButton || !control->Showing() ||
        !control->Enabled())
      return DISP_E_MEMBERNOTFOUND;
    // The press runs once this call has returned: Install runs a whole installation.
    ControlHost::FromWindow(m_window)->PostPress(*control);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  static bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
  bool Gone() const { return !::IsWindow(m_window) || !ControlHost::FromWindow(m_window); }
  HRESULT Missing() const { return Gone() ? RPC_E_DISCONNECTED : E_INVALIDARG; }
  // A real child window's own object (to be released), nullptr for a drawn control.
  static IDispatch* WindowDispatch(Control& control) {
    return static_cast<IDispatch*>(ObjectOfWindow(&control, OBJID_WINDOW, IID_IDispatch));
  }
  // A child as navigation and hit testing give it: a real child window as its object, a drawn
  // control as its id.
  static HRESULT ChildAnswer(Control& control, long id, VARIANT* out) {
    if (IDispatch* object = WindowDispatch(control)) {
      out->vt = VT_DISPATCH;
      out->pdispVal = object;
      return S_OK;
    }
    out->vt = VT_I4;
    out->lVal = id;
    return S_OK;
  }
  // A real child window's client object (to be released; it knows the window's name and
  // role), nullptr for a drawn control.
  IAccessible* WindowObject(const VARIANT& child) const {
    return static_cast<IAccessible*>(ObjectOfWindow(ChildOf(child), OBJID_CLIENT, kIidAccessible));
  }
  static void* ObjectOfWindow(Control* control, LONG objectId, REFIID iid) {
    auto* window = dynamic_cast<ChildWindowControl*>(control);
    const auto fromWindow = LoadOleacc().accessibleObjectFromWindow;
    void* object = nullptr;
    if (!window || !window->Handle() || !fromWindow ||
        FAILED(fromWindow(window->Handle(), static_cast<DWORD>(objectId), iid, &object)))
      return nullptr;
    return object;
  }
  // Asks the object about itself, then lets it go.
  template <typename Out>
  static HRESULT Ask(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*question)(VARIANT, Out*), Out* out) {
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    const HRESULT result = (object->*question)(self, out);
    object->Release();
    return result;
  }
  static HRESULT Nothing(BSTR* text) {
    if (!text) return E_POINTER;
    *text = nullptr;
    return S_FALSE;
  }
  std::vector<Control*> Children() const {
    ControlHost* form = ControlHost::FromWindow(m_window);
    return form ? AccessibleChildren(form->Client()) : std::vector<Control*>{};
  }
  Control* ChildOf(const VARIANT& child) const {
    if (child.vt != VT_I4 || child.lVal < 1) return nullptr;
    const std::vector<Control*> children = Children();
    return static_cast<std::size_t>(child.lVal) <= children.size() ? children[child.lVal - 1] : nullptr;
  }

  HWND m_window;
  IAccessible* m_standard;
  std::atomic<ULONG> m_references{1};
};

}  // namespace

std::vector<Control*> AccessibleChildren(Control& root) {
  std::vector<Control*> children;
  for (const auto& child : root.Children()) Collect(*child, children);
  return children;
}

long AccessibleChildId(Control& root, const Control& control) {
  const std::vector<Control*> children = AccessibleChildren(root);
  const auto at = std::find(children.begin(), children.end(), &control);
  return at == children.end() ? 0 : static_cast<long>(at - children.begin() + 1);
}

namespace {

// Posted to the form itself: a press a screen reader asked for (wParam: the control's child id).
constexpr UINT kPressMessage = WM_APP + 0x3A1;

LRESULT AnswerGetObject(HWND form, WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) return 0;
  const Oleacc& oleacc = LoadOleacc();
  if (!oleacc.lresultFromObject || !oleacc.createStdAccessibleObject) return 0;
  IAccessible* standard = nullptr;
  if (FAILED(oleacc.createStdAccessibleObject(form, OBJID_CLIENT, kIidAccessible,
                                              reinterpret_cast<void**>(&standard))) ||
      !standard)
    return 0;
  auto* object = new FormAccessible(form, standard);
  const LRESULT result = oleacc.lresultFromObject(kIidAccessible, wParam, static_cast<IAccessible*>(object));
  object->Release();
  return result < 0 ? 0 : result;
}

}  // namespace

void PostAccessiblePress(HWND window, Control& root, Control& control) {
  if (window) ::PostMessageA(window, kPressMessage, static_cast<WPARAM>(AccessibleChildId(root, control)), 0);
}

bool AccessibleMessage(HWND window, Control& root, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  if (msg == WM_GETOBJECT) {
    result = AnswerGetObject(window, wParam, lParam);
    return result != 0;
  }
  if (msg != kPressMessage) return false;
  const std::vector<Control*> children = AccessibleChildren(root);
  const auto id = static_cast<std::size_t>(wParam);
  Control* control = id >= 1 && id <= children.size() ? children[id - 1] : nullptr;
  if (control && control->Role() == Control::AccessibleRole::PushButton && control->Showing() && control->Enabled())
    control->Press();
  return true;
}
