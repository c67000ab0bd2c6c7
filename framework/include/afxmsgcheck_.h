// Checked message-map thunks: the machinery behind the ON_ macros of afxmsg_.h.
//
// Each entry binds a handler whose signature is fixed by the kind of entry (void Handler() for
// ON_COMMAND, LRESULT Handler(WPARAM, LPARAM) for ON_MESSAGE, ...). A handler with any other
// signature does not compile, and the static_assert names the entry and the signature it needs.
//
// A handler may be named two ways, and both are checked:
//   ON_COMMAND(ID_X, &CMyWnd::OnX)   a pointer to member, converted to the exact member-pointer
//                                    type of the entry (a base class's member converts too);
//   ON_COMMAND(ID_X, OnX)            the bare name, which C++ only accepts in a call. The thunk
//                                    calls it from a member of a local class derived from the
//                                    map's class (so private and inherited handlers are found
//                                    as in the class itself), with arguments that convert to the
//                                    documented parameter types only, and checks the return type.
//                                    The object is the map's class seen as that local class.
// The macro tells the two apart by the spelling of the argument (a leading '&') and compiles only
// the matching branch: each branch sits in a generic lambda whose types depend on an empty
// parameter pack, so the branch not taken is never instantiated.
#pragma once
#include <tuple>
#include <type_traits>
#include <utility>

class CCmdTarget;

// Calls one handler. nID is the command or control id (for ranges), pExtra the CCmdUI of an
// update handler; pResult receives a window message's result. FALSE: an ON_NOTIFY_EX handler
// left the notification unhandled.
typedef BOOL (*AFX_PTHUNK)(CCmdTarget* pTarget, UINT nID, WPARAM wParam, LPARAM lParam,
                           void* pExtra, LRESULT* pResult);

// What a thunk does with the handler's return value.
enum AfxResultUse
{
    AfxResultIgnored,    // commands and notifications: nothing to return
    AfxResultZero,       // a window message whose handler returns nothing: the result is 0
    AfxResultLResult,    // the handler's value is the message's result
    AfxResultHandled     // the handler's BOOL says whether it handled the notification
};

// True when the text of a macro argument is a pointer to member ("&CClass::Handler").
constexpr bool AfxIsMemberPointerSpelling(const char* lpszArgument)   // narrow: stringized source text
{
    while (*lpszArgument == ' ' || *lpszArgument == '(')
        ++lpszArgument;
    return *lpszArgument == '&';
}

// T, made to depend on a template parameter pack (always empty) so that checks wait for the
// branch that is taken.
template <class T, class... Unused>
struct AfxDependent
{
    typedef T type;
};

// The parts of a documented handler signature R(P...).
template <class Signature>
struct AfxHandlerSignature;

template <class R, class... P>
struct AfxHandlerSignature<R(P...)>
{
    typedef R Result;
    typedef std::tuple<P...> ArgumentTuple;
    template <class T>
    using MemberOf = R (T::*)(P...);
};

// An argument that converts to exactly one type: a handler whose parameter is of any other
// type (UINT where UINT_PTR is documented, say) cannot be called with it.
template <class T>
struct AfxExactArgument
{
    T value;
    template <class U, class = typename std::enable_if<std::is_same<U, T>::value>::type>
    operator U() const
    {
        return value;
    }
};

// Whether a pointer to member converts to the entry's member-pointer type.
template <class Pmf>
constexpr bool AfxConvertsToMember(Pmf)
{
    return true;
}
template <class Pmf>
constexpr bool AfxConvertsToMember(...)
{
    return false;
}

// Whether F can be called with the elements of a tuple, and with what result.
template <class F, class Tuple>
struct AfxCallableWith;
template <class F, class... P>
struct AfxCallableWith<F, std::tuple<P...> > : std::is_invocable<F, P&...>
{
};
template <class F, class Tuple>
struct AfxCallResult;
template <class F, class... P>
struct AfxCallResult<F, std::tuple<P...> >
{
    typedef typename std::invoke_result<F, P&...>::type type;
};

// The function that calls a handler by its bare name has `this` typed as the local class, which
// is never made. GCC concludes from that type that a virtual handler (CDialog's OnOK under
// ON_COMMAND(IDOK, OnOK)) has no possible target and drops the call at -O2; the call must stay
// a real virtual call, so that function is kept out of devirtualisation.
#if defined(__GNUC__) && !defined(__clang__)
#define AFX_KEEP_VIRTUAL_CALLS __attribute__((optimize("no-devirtualize", "no-devirtualize-speculatively"), noinline))
#else
#define AFX_KEEP_VIRTUAL_CALLS
#endif

// Calls the handler and does with its value what the entry needs.
template <int nResultUse, class Call>
inline BOOL AfxDeliverResult(Call&& call, LRESULT* pResult)
{
    if constexpr (nResultUse == AfxResultIgnored)
    {
        call();
        return TRUE;
    }
    else if constexpr (nResultUse == AfxResultZero)
    {
        call();
        *pResult = 0;
        return TRUE;
    }
    else if constexpr (nResultUse == AfxResultLResult)
    {
        *pResult = (LRESULT)call();
        return TRUE;
    }
    else
    {
        return call();
    }
}

// The thunk of one entry. memberFxn is the macro's handler argument; handlerSignature the
// documented handler type (a function type); handlerArguments a parenthesised list of the
// handler's arguments made from the thunk's parameters (nID, w, l, pExtra); nResultUse an
// AfxResultUse; lpszNeeds the message when the handler does not fit. Used inside
// BEGIN_MESSAGE_MAP only (it needs ThisClass).
#define AFX_CHECKED_THUNK(memberFxn, handlerSignature, handlerArguments, nResultUse, lpszNeeds) \
    [](auto... afxUnused) -> AFX_PTHUNK \
    { \
        typedef AfxHandlerSignature<typename AfxDependent<handlerSignature, decltype(afxUnused)...>::type> \
            AfxSignature; \
        if constexpr (AfxIsMemberPointerSpelling(#memberFxn)) \
        { \
            typedef typename AfxSignature::template MemberOf<ThisClass> AfxMember; \
            constexpr bool bFits = AfxConvertsToMember<AfxMember>(memberFxn); \
            static_assert(bFits, lpszNeeds); \
            if constexpr (bFits) \
            { \
                return [](CCmdTarget* pTarget, UINT nID, WPARAM w, LPARAM l, void* pExtra, \
                          LRESULT* pResult) -> BOOL \
                { \
                    (void)nID; (void)w; (void)l; (void)pExtra; \
                    constexpr AfxMember pmf = memberFxn; \
                    ThisClass* p = static_cast<ThisClass*>(pTarget); \
                    auto args = typename AfxSignature::ArgumentTuple handlerArguments; \
                    return AfxDeliverResult<nResultUse>( \
                        [&] { return std::apply([&](auto... a) { return (p->*pmf)(a...); }, args); }, \
                        pResult); \
                }; \
            } \
            else \
            { \
                return NULL; \
            } \
        } \
        else \
        { \
            /* The object is a ThisClass seen as this class, which adds nothing to it. */ \
            struct AfxHandlerCall : ThisClass \
            { \
                static BOOL Thunk(CCmdTarget* pTarget, UINT nID, WPARAM w, LPARAM l, void* pExtra, \
                                  LRESULT* pResult) \
                { \
                    (void)nID; (void)w; (void)l; (void)pExtra; \
                    auto args = typename AfxSignature::ArgumentTuple handlerArguments; \
                    return static_cast<AfxHandlerCall*>(static_cast<ThisClass*>(pTarget)) \
                        ->Call(args, pResult); \
                } \
                BOOL Call(typename AfxSignature::ArgumentTuple& args, LRESULT* pResult) \
                { \
                    auto handler = [this](auto... a) AFX_KEEP_VIRTUAL_CALLS \
                        -> decltype(memberFxn(AfxExactArgument<decltype(a)>{a}...)) \
                    { \
                        return memberFxn(AfxExactArgument<decltype(a)>{a}...); \
                    }; \
                    constexpr bool bCallable = \
                        AfxCallableWith<decltype(handler), typename AfxSignature::ArgumentTuple>::value; \
                    static_assert(bCallable, lpszNeeds); \
                    if constexpr (bCallable) \
                    { \
                        static_assert(std::is_same<typename AfxCallResult<decltype(handler), \
                                                       typename AfxSignature::ArgumentTuple>::type, \
                                                   typename AfxSignature::Result>::value, \
                                      lpszNeeds); \
                        return AfxDeliverResult<nResultUse>([&] { return std::apply(handler, args); }, \
                                                            pResult); \
                    } \
                    else \
                    { \
                        return FALSE; \
                    } \
                } \
            }; \
            return &AfxHandlerCall::Thunk; \
        } \
    }()
