#include "app/win/accessible_facts.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

namespace morvane::app {
namespace {

constexpr UINT_PTR kFactsSubclass = 0x4D4F5256;  // one id for this subclass on any control

bool is_self(VARIANT child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

BSTR copy(const std::wstring& text) { return SysAllocStringLen(text.data(), UINT(text.size())); }

// The system's own accessible object for the window, with the facts put in for the window itself.
class Accessible : public IAccessible {
public:
    Accessible(IAccessible* system, const AccessibleFacts& facts) : system_(system), facts_(facts) {}
    virtual ~Accessible() { system_->Release(); }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDispatch) || IsEqualIID(id, IID_IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return system_->QueryInterface(id, out);  // IEnumVARIANT and the like: the system's
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return ULONG(left);
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return system_->GetTypeInfoCount(n); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override { return system_->GetTypeInfo(i, l, t); }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* d) override {
        return system_->GetIDsOfNames(r, n, c, l, d);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v, EXCEPINFO* e,
                                     UINT* a) override {
        return system_->Invoke(d, r, l, f, p, v, e, a);
    }

    // IAccessible: the three facts for the window itself, the rest the system's.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!is_self(child) || facts_.name.empty()) return system_->get_accName(child, name);
        *name = copy(facts_.name);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!is_self(child) || facts_.role == 0) return system_->get_accRole(child, role);
        VariantInit(role);
        role->vt = VT_I4;
        role->lVal = facts_.role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!is_self(child) || !facts_.value) return system_->get_accValue(child, value);
        *value = copy(facts_.value());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override { return system_->get_accParent(p); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* n) override { return system_->get_accChildCount(n); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT c, IDispatch** d) override { return system_->get_accChild(c, d); }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT c, BSTR* d) override { return system_->get_accDescription(c, d); }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT c, VARIANT* s) override { return system_->get_accState(c, s); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT c, BSTR* h) override { return system_->get_accHelp(c, h); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT c, LONG* t) override {
        return system_->get_accHelpTopic(f, c, t);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT c, BSTR* k) override {
        return system_->get_accKeyboardShortcut(c, k);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* f) override { return system_->get_accFocus(f); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* s) override { return system_->get_accSelection(s); }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT c, BSTR* a) override {
        return system_->get_accDefaultAction(c, a);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG f, VARIANT c) override { return system_->accSelect(f, c); }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h, VARIANT c) override {
        return system_->accLocation(x, y, w, h, c);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG d, VARIANT s, VARIANT* e) override { return system_->accNavigate(d, s, e); }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* c) override { return system_->accHitTest(x, y, c); }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT c) override { return system_->accDoDefaultAction(c); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT c, BSTR n) override { return system_->put_accName(c, n); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT c, BSTR v) override { return system_->put_accValue(c, v); }

private:
    IAccessible* system_;
    const AccessibleFacts facts_;  // a copy: a reader may hold the object after the window is gone
    LONG references_ = 1;
};

LRESULT CALLBACK facts_procedure(HWND window, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
    auto* facts = reinterpret_cast<AccessibleFacts*>(data);
    if (message == WM_GETOBJECT && LONG(l) == LONG(OBJID_CLIENT)) {
        IAccessible* system = nullptr;
        if (SUCCEEDED(CreateStdAccessibleObject(window, OBJID_CLIENT, IID_IAccessible,
                                                reinterpret_cast<void**>(&system)))) {
            auto* accessible = new Accessible(system, *facts);
            const LRESULT answer = LresultFromObject(IID_IAccessible, w, accessible);
            accessible->Release();
            return answer;
        }
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, facts_procedure, kFactsSubclass);
        delete facts;
    }
    return DefSubclassProc(window, message, w, l);
}

}  // namespace

void give_accessible_facts(HWND window, AccessibleFacts facts) {
    if (window == nullptr) return;
    SetWindowSubclass(window, facts_procedure, kFactsSubclass, DWORD_PTR(new AccessibleFacts(std::move(facts))));
}

}  // namespace morvane::app
