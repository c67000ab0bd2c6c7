// CPntHistory: a linear undo history of an image that keeps, per step, only the pixels that
// the step changed. It needs no window: the paint control holds one for its image, and it can
// be driven on any CDIBSection.
//
// A step is opened before a change and records the pixels as they were before it: either the
// tiles (64 x 64 pixels) of the rectangles that the change declares, captured as they are first
// declared, or a whole copy of the image when the change declares none or alters the size, the
// depth or the colour table. Undo swaps a step's saved pixels with the image, which leaves the
// changed pixels in the step for redo; redo swaps them back. No step holds the whole picture
// unless its change needed one.
//
// The counting follows a list of image states. While the image is live, the list holds one
// entry per step: the state before each change. The first undo adds the live state as an entry
// so that it can be redone, and from then on a cursor names the entry the image shows. A new
// step after undo steps drops the redo entries and the entry of the shown state (the new step
// records it again). A new step at the maximum removes the oldest entry first: one out per one
// in, however far over the maximum the list is.
//
// Each state of the image that the history knows has an identity, a number that a host can
// keep (at a save, say) and compare later. A step leads to a new identity unless its change
// altered no pixel, judged by comparing the pixels the step saved with the image: then it leads
// back to the identity before it. Undo and redo move the identity with the image; emptying the
// history, or a change that could not be recorded, gives a new one.
#pragma once
#include <afxwin.h>
#include <deque>
#include "image/DIBSection.h"

class AFX_EXT_CLASS CPntHistory
{
public:
    CPntHistory();
    ~CPntHistory();

    // The number of entries a new step may leave behind it (5 by default). Any value is taken
    // and nothing is trimmed now; with 0 or less each step still leaves one entry.
    void SetMaxSteps(int nMaxSteps) { m_nMaxSteps = nMaxSteps; }
    int GetMaxSteps() const { return m_nMaxSteps; }

    // An optional limit, in bytes, on the pixels that the steps hold: while they hold more,
    // the oldest steps go (never the newest one, never the state that undo has reached).
    // 0, the default, sets no limit: the count alone decides.
    void SetMemoryBudget(SIZE_T nBytes);
    SIZE_T GetMemoryBudget() const { return m_nMemoryBudget; }
    // The bytes of pixels that the steps hold now.
    SIZE_T GetMemoryUsed() const { return m_nMemoryUsed; }

    // Opens a new step before a change of image. pRect (image coordinates) is the first area
    // the change touches, NULL for the whole image; Extend adds more. FALSE when the pixels
    // could not be saved: the change then has no undo step.
    BOOL BeginStep(CDIBSection& image, const RECT* pRect);
    // Saves the pixels of rect that the open step has not saved yet; call before they change.
    // FALSE when no step is open or the pixels could not be saved (the history is then emptied,
    // since it could no longer put the image back exactly).
    BOOL Extend(CDIBSection& image, const RECT& rect);
    // Makes the open step a whole copy of the image as it was before the change: for a change
    // that goes on to alter the size, the depth or the colour table.
    BOOL ExtendWhole(CDIBSection& image);
    // Puts the saved pixels of rect back into the image, as they were before the open step's
    // change; the step stays open. Pixels the step never saved have not changed.
    BOOL RestoreRect(CDIBSection& image, const RECT& rect);

    // One step back or forward. pChanged, when given, receives the area of the image that
    // changed (image coordinates). FALSE when there is no such step or the image no longer
    // has the layout the step was recorded on; the image is then unchanged.
    BOOL Undo(CDIBSection& image, CRect* pChanged = NULL);
    BOOL Redo(CDIBSection& image, CRect* pChanged = NULL);
    BOOL CanUndo() const;
    BOOL CanRedo() const;

    // The identity of the image's state; pass the image the history is kept for. It never
    // repeats the identity of a different state, and is the same for a state reached again by
    // undo or redo, or by a change that altered no pixel.
    UINT GetStateId(CDIBSection& image);

    // The number of entries in the list, the live state's included after an undo.
    int GetCount() const;
    // TRUE while no undo step is pending: the image shows the newest state.
    BOOL IsLive() const { return m_nShown < 0; }
    void Clear();

private:
    class CStep;

    void DropStepsFrom(size_t nFirst);
    void DropOldestStep();
    void EnforceBudget();
    void Recount();
    BOOL HasRegionSteps() const;
    CStep* OpenStep();
    // Fixes where the open step leads: back to the identity before it when its change altered
    // no pixel of image. The step may still grow; its identity is then judged again.
    void SettleOpenStep(CDIBSection& image);
    UINT NewStateId() { return ++m_nLastStateId; }

    std::deque<CStep*> m_Steps;   // oldest first; step i leads from entry i to entry i + 1
    int m_nShown;                 // entry the image shows after an undo step; -1 while live
    BOOL m_bOpen;                 // the newest step may still grow
    int m_nMaxSteps;
    SIZE_T m_nMemoryBudget;
    SIZE_T m_nMemoryUsed;
    UINT m_nStateId;       // the state the image shows, unless an open step has changed it
    UINT m_nLastStateId;   // the last identity given out

    CPntHistory(const CPntHistory&) = delete;
    void operator=(const CPntHistory&) = delete;
};
