// CPntCtrl: the bitmap paint control, a child window of the class "MFCPaintCtrl" that owns
// one image, shows it magnified and scrolled, and lets the user edit it with the tools.
//
// The class is split over several files by concern: PntCtrl.cpp (construction, properties,
// notifications, status texts, snapshot), PntCtrlView.cpp (coordinates, magnification,
// scrolling, painting, grid), PntCtrlTools.cpp (tool modes and the messages it hands to the
// current tool, a CPntTool of the tool table), PntCtrlGestureArea.cpp (the pixels under what a
// gesture draws while it follows the mouse), PntCtrlUndo.cpp (the undo history, a CPntHistory),
// PntCtrlSelection.cpp (selection and clearing), PntCtrlDrag.cpp (moving the selected piece),
// PntCtrlText.cpp (the text tool and the text bar's target), PntCtrlClipboard.cpp,
// PntCtrlTransparency.cpp and PntCtrlLifecycle.cpp.
#pragma once
#include <afxwin.h>
#include "image/DIBSection.h"
#include "image/PntColour.h"
#include "paint/PntHistory.h"
#include "paint/PntPaintBuffer.h"
#include "paint/PntToolModes.h"
#include "textbar/PntTextFmtBar.h"

class CDib;
class CPntRectTracker;
class CPntTool;
struct PntToolEntry;

// A colour with its name, as the colour pickers list them: 68 bytes in an ANSI build, the
// name in TCHARs in a Unicode one (the layout of ColourTableEntry either way).
struct ColourEntries
{
    COLORREF crColour;
    TCHAR szName[64];
};

class AFX_EXT_CLASS CPntCtrl : public CWnd, public IPntTextTarget
{
    DECLARE_DYNCREATE(CPntCtrl)
public:
    CPntCtrl();
    virtual ~CPntCtrl();

    // Registered window messages: the NMHDR codes of the WM_NOTIFY sent to the owner.
    static UINT m_nImageChangedMessage;
    static UINT m_nMagnificationChangedMessage;
    static UINT m_nColourSamplerMessage;
    static UINT m_nModeChangeMessage;
    static int MagnificationLevels[8];        // percent, ascending
    static ColourEntries ms_StdColours[16];

    BOOL RegisterWindowClass();
    BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_VSCROLL);

    // Image and plain properties
    CDIBSection* GetDIBsection() { return &m_Image; }
    HBITMAP GetBitmap() { return m_Image.GetSafeHandle(); }
    CPalette* GetPalette() { return m_Image.GetPalette(); }
    BITMAPINFO* GetBitmapInfo() { return m_Image.GetBitmapInfo(); }
    void* GetDIBits() { return m_Image.GetDIBits(); }
    void SetEraseColor(COLORREF cr) { m_crEraseColor = cr; }
    void SetDisplayOnly(BOOL bDisplayOnly) { m_bDisplayOnly = bDisplayOnly; }
    BOOL GetDisplayOnly() const { return m_bDisplayOnly; }
    void SetDrawColor(COLORREF cr);
    COLORREF GetDrawColor() const { return m_crDrawColor; }
    void SetFillColor(COLORREF cr) { m_crFillColor = cr; }
    COLORREF GetFillColor() const { return m_crFillColor; }
    void SetPenWidth(int nWidth) { m_nPenWidth = nWidth; }
    int GetPenWidth() const { return m_nPenWidth; }
    void SetEraserWidth(int nWidth) { m_nEraserWidth = nWidth; }
    int GetEraserWidth() const { return m_nEraserWidth; }
    void SetShowSelectionRect(BOOL bShow);
    BOOL GetShowSelectionRect() const { return m_bShowSelectionRect; }
    void SetTransparent(BOOL bTransparent);
    BOOL GetTransparent() const { return m_bTransparent; }
    // PNT_NO_COLOUR: no key colour.
    void SetTransparentColor(COLORREF cr);
    COLORREF GetTransparentColor() const { return m_crTransparentColor; }
    // TRUE sends the owner the image-changed notification, each time: a pen stroke sends one
    // per mouse move.
    void SetImageChanged(BOOL bChanged);
    BOOL GetImageChanged() const { return m_bImageChanged; }
    void EnableTransColorPicker(BOOL bEnable) { m_bEnableTransColorPicker = bEnable; }
    BOOL IsEnableTransColorPicker() { return m_bEnableTransColorPicker; }

    // Tools
    int GetToolMode() const { return m_nToolMode; }
    void SetToolMode(int nMode);

    // View: magnification, centring, origin, grid
    UINT GetMagnification() const;
    void SetMagnification(UINT nPercent);
    BOOL SetMagnificationToFillWindow();
    int GetNextMagLevel(int nCurrent, BOOL bUp);
    void CentreImage(BOOL bCentre);
    BOOL ImageCentered() const { return m_bImageCentered; }
    void SetOrigin(int x, int y);
    void SetOrigin(CPoint pt) { SetOrigin(pt.x, pt.y); }
    const CPoint* GetOrigin() const { return &m_ptOrigin; }
    void SetShowGrid(BOOL bShow, UINT nMinMagnification = 600);
    BOOL GetShowGrid() const { return m_bShowGrid; }
    CSize ImageDisplaySize();

    // Coordinate conversions between image, logical and device (client) space; in place.
    void IPtoLP(POINT* pPoint);
    void IPtoLP(RECT* pRect);
    void IPtoLP(SIZE* pSize);
    void LPtoIP(POINT* pPoint);
    void LPtoIP(RECT* pRect);
    void LPtoIP(SIZE* pSize);
    void LPtoDP(POINT* pPoint);
    void LPtoDP(RECT* pRect);
    void LPtoDP(SIZE* pSize);
    void DPtoLP(POINT* pPoint);
    void DPtoLP(RECT* pRect);
    void DPtoLP(SIZE* pSize);

    // Undo history
    BOOL Undo();
    BOOL Redo();
    BOOL CanUndo();
    BOOL CanRedo();
    void ClearUndoList();
    int GetUndoListSize() const { return m_History.GetCount(); }
    void SetMaxUndoSize(int nSize) { m_nMaxUndoSize = nSize; }

    // --- Undo history: memory budget ---
    // The undo steps keep only the pixels their changes touched. A host may also cap the bytes
    // of pixels they hold: while they hold more, the oldest steps go (never the newest one).
    // 0, the default, sets no cap, and the maximum number of steps alone decides.
    void SetUndoMemoryBudget(SIZE_T nBytes) { m_History.SetMemoryBudget(nBytes); }
    SIZE_T GetUndoMemoryBudget() const { return m_History.GetMemoryBudget(); }
    // The bytes of pixels that the undo steps hold now.
    SIZE_T GetUndoMemoryUsed() const { return m_History.GetMemoryUsed(); }

    // Selection and clearing
    void SetSelectionRect(RECT* pRect, BOOL bNotify);
    void GetSelectionRect(RECT* pRect) const { *pRect = m_rcSelection; }
    BOOL ClearRect(RECT* pRect, BOOL bUndo);
    BOOL Clear();
    // The edit commands on the selection; with the text tool they go to the text bar (TRUE).
    // FALSE when nothing was done: the control is display-only (Cut, Paste), the clipboard
    // could not be opened or holds no usable picture, the selection is empty, or the user
    // cancelled the question whether to crop a larger picture. They do not throw.
    BOOL Cut();
    BOOL Copy();
    BOOL Paste();
    // Whether Paste has something to take: text for the text tool, else an image.
    BOOL IsDataAvailable();

    // Text tool properties
    LPCTSTR GetUserText() const { return m_strUserText; }
    // The text tool's text, drawn into the selection at once; ignored with other tools.
    void SetUserText(LPCTSTR lpszText);
    UINT GetTextFormat() const { return m_nTextFormat; }
    void SetTextFormat(UINT nFormat);
    CFont* GetTextFont() { return &m_fontText; }
    BOOL SetTextFont(CFont* pFont);

    // Image lifecycle: each call replaces or re-creates the image and then empties the
    // history, clears the changed flag, selects the whole image and recomputes the scroll bars.
    BOOL SetBitmap(BITMAPINFO* pInfo, void* pBits);
    BOOL SetBitmap(HBITMAP hBitmap);
    BOOL SetBitmap(UINT nResourceID);
    BOOL SetBitmap(LPCTSTR lpszResourceName);
    BOOL SetBitmapFromCDib(CDib* pDib);
    BOOL GetCDibFromBitmap(CDib* pDib, int nParam);
    // Reads a bitmap file as CDIBSection::Load does: FALSE for a missing file or one it cannot
    // use (the control is then empty when the header was read, else it keeps its picture).
    // Throws CFileException* when the device fails while reading: catch it and Delete() it.
    BOOL Load(LPCTSTR lpszPath);
    // Writes the image as CDIBSection::Save does (an existing file is replaced only by a
    // complete new one); the changed flag and the history stay as they are. FALSE when the file
    // cannot be created or replaced; throws CFileException* when a write fails (a full disk).
    // Either way a file that existed is left as it was.
    BOOL Save(LPCTSTR lpszPath);
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* pBits,
                      LOGPALETTE* pPalette);
    // Colour names passed to every image the control creates; not owned.
    void SetColorArray(CStringArray* pArray) { m_pColorArray = pArray; }
    void Reset();
    // Asks for a new size and depth (or a crop to the selection) and resizes, as one undo step.
    BOOL Resize();
    // Asks for the size and depth of a new blank image; negative arguments take 32 x 32, 8 bits.
    BOOL PromptNewBitmap(int nWidth = -1, int nHeight = -1, int nBitsPerPixel = -1);
    // Prints one page of the view as it stands; FALSE only when the print dialog is cancelled.
    BOOL Print();

    // Transparency by key colour. Masks are monochrome bitmaps of the image's size, white for
    // a transparent pixel. None of these records an undo step or notifies the owner.
    // Paints the mask's transparent pixels in crTransparent and makes it the key colour.
    BOOL SetFixedTransparency(HBITMAP hMask, COLORREF crTransparent);
    BOOL SetFixedTransparency(CDib* pMask, COLORREF crTransparent);
    // The same with a standard colour that no opaque pixel uses; palette images only.
    // 1 on success, 0 when refused, -1 when hMask is no bitmap.
    BOOL SetTransparencyFromMask(HBITMAP hMask);
    BOOL SetTransparencyFromCDib(CDib* pMask);
    // A mask made from the key colour (all black unless transparency is on). The control owns
    // it; it stays valid until the next GetMask.
    HBITMAP GetMask();
    BOOL GetCDibMask(CDib* pDib);

    // --- Picture identity, and the grid at any magnification --------------------------------
    // A number naming the picture as it is now: record it when the picture is saved and
    // compare later to learn whether it differs from the saved one. A change that altered no
    // pixel keeps it; undoing back to a state brings that state's number back, and redoing
    // the one after it. Replacing the image (SetBitmap, Load, CreateBitmap, Reset) or emptying
    // the history gives a number not seen before.
    UINT GetImageStateId() { return m_History.GetStateId(m_Image); }
    // TRUE (the default): the grid shows only at whole multiples of 100 %. FALSE: at any
    // magnification from the grid's minimum up, fitted ones included.
    void SetGridWholePercentOnly(BOOL bWholeOnly);
    BOOL GetGridWholePercentOnly() const { return m_bGridWholePercentOnly; }

    // --- Picture files of every common format (see CDIBSection::LoadPicture) ---------------
    // Reads PNG, JPEG, GIF, TIFF, icons and bitmaps of every kind, composing alpha over the
    // erase colour (PNT_PICTURE_KEEP_ALPHA keeps it). On success the control is reset as Load
    // leaves it; a file that cannot be read gives FALSE and changes nothing at all: the
    // picture, its history and the changed flag stay.
    BOOL LoadPicture(LPCTSTR lpszPath, DWORD dwFlags = 0);
    // Writes PNG or a bitmap file, by the extension unless dwFormat names one; FALSE on any
    // failure, a full disk included, with an existing file left as it was. The changed flag
    // and the history stay as they are.
    BOOL SavePicture(LPCTSTR lpszPath, DWORD dwFormat = PNT_PICTURE_FROM_EXTENSION);
    COLORREF GetEraseColor() const { return m_crEraseColor; }

    // --- Wheel, keys and Shift (PntCtrlScrollInput.cpp, PntShapeTools.cpp) ------------------
    // The mouse wheel scrolls the view up and down, Shift+wheel and a tilting wheel left and
    // right, as the scroll bars' line steps do. On by default; off, the wheel goes on to the
    // parent window.
    void SetWheelScrolls(BOOL bScrolls) { m_bWheelScrolls = bScrolls; }
    BOOL GetWheelScrolls() const { return m_bWheelScrolls; }
    // Ctrl+wheel steps through the preset magnifications (MagnificationLevels), keeping the
    // image point under the pointer where it is as far as the scroll ranges allow; the owner
    // is told as for SetMagnification. On by default.
    void SetWheelZooms(BOOL bZooms) { m_bWheelZooms = bZooms; }
    BOOL GetWheelZooms() const { return m_bWheelZooms; }
    // The arrow keys scroll by the scroll bars' line step, Page Up and Page Down by a page
    // (with Shift, left and right), Home and End to the top-left and bottom-right corners.
    // Not while text is typed into the text tool's bar, nor with Ctrl or Alt held. On by default.
    void SetKeysScroll(BOOL bScroll) { m_bKeysScroll = bScroll; }
    BOOL GetKeysScroll() const { return m_bKeysScroll; }
    // Shift held while drawing a shape constrains it, from the press and while it follows the
    // mouse to its release: lines to 0, 45 or 90 degrees, rectangles and ellipses to squares
    // and circles. Off by default: the shapes then follow the pointer whatever the keys.
    void SetShiftConstrains(BOOL bConstrains) { m_bShiftConstrains = bConstrains; }
    BOOL GetShiftConstrains() const { return m_bShiftConstrains; }

protected:
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnMouseHWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    // Scrolls nLines line steps (negative: up or left) on bar nBar through the scroll messages.
    void ScrollLines(int nBar, int nLines);
    // One wheel message's delta added to *pnAccumulated; the whole steps of nPerNotch per
    // WHEEL_DELTA that it now holds are returned and taken out of it.
    static int WheelSteps(int* pnAccumulated, short zDelta, int nPerNotch);
    // One preset magnification up or down with the image point under ptClient kept there.
    BOOL ZoomAtPoint(BOOL bUp, CPoint ptClient);
    // The navigation keys: TRUE when nChar scrolled (or would have, at an end of the range).
    BOOL ScrollByKey(UINT nChar, UINT nRepCnt);
    // A shape being drawn is drawn again when Shift goes down or up, so that what shows is
    // what the release places.
    void OnShiftChanged();

    BOOL m_bWheelScrolls = TRUE;
    BOOL m_bWheelZooms = TRUE;
    BOOL m_bKeysScroll = TRUE;
    BOOL m_bShiftConstrains = FALSE;
    // Wheel deltas not yet amounting to a whole step, per use: precise wheels send fractions.
    int m_nWheelVertical = 0;
    int m_nWheelHorizontal = 0;
    int m_nWheelZoom = 0;
    // --- end of wheel, keys and Shift -------------------------------------------------------

protected:
    // IPntTextTarget: the text format bar's changes, passed on to the text tool's properties.
    virtual CWnd* GetTextTargetWnd();
    virtual void SetTargetText(LPCTSTR pszText);
    virtual UINT GetTargetTextFormat() const;
    virtual void SetTargetTextFormat(UINT nFormat);
    virtual CFont* GetTargetTextFont();
    virtual void SetTargetTextFont(CFont* pFont);
    virtual COLORREF GetTargetTextColour() const;
    virtual void SetTargetTextColour(COLORREF cr);
    // Closing the bar ends text entry: the selection tool takes over.
    virtual void OnTextBarClosed();

    // Overridable hooks, in this order; always called through the virtual table.
    virtual void LoadCursors();
    virtual void DestroyCursors();
    virtual CString GetStatusMessage(int nToolMode);
    virtual void OnStartSelection();
    virtual void OnSelectionChanged();
    virtual void OnEndSelection();
    virtual void OnRightMouseButton(CPoint point);
    virtual void OnSetStatusMessage(LPCTSTR lpszText);
    virtual void ClearStatusMessage();
    virtual void OnBeginPaint(CDC* pDC);
    virtual void OnEndPaint(CDC* pDC);
    virtual void PreImageChange();
    virtual void OnImageChanged();
    virtual void OnMagnificationChanged();
    virtual void OnColourSampleChanged();

    void SendMessageToOwner(UINT nCode);
    BOOL SaveState();
    BOOL RestoreState(BOOL bDiscard);
    BOOL UndoImageChange();

    // --- Undo history: the area of a change ---
    // PreImageChange() records the whole image. These tell the history where a change goes,
    // in image coordinates, so that its step keeps only those pixels.
    // Calls PreImageChange() for a change that touches only rcImage.
    void PreImageChangeOfRect(const RECT& rcImage);
    // Adds rcImage to the change being recorded; call before its pixels change.
    BOOL ExtendImageChange(const RECT& rcImage);
    // Puts the pixels of rcImage back as they were before the change being recorded (a
    // rubber-band figure taken back); the change stays open.
    BOOL RestoreImageChange(const RECT& rcImage);
    // Where DrawDragImage(rc) puts the drag image.
    CRect DragImageRect(CRect rc);
    // A gesture that draws something that follows the mouse (a rubber-band figure, a dragged
    // piece, a dragged text box) keeps the pixels under it as it first covers them
    // (m_GestureBackup), so that each move puts back only the last area. Begin before the first
    // drawing into rcFirst (and into the fixed area *pFixed, the cleared source of a moved
    // piece, when given); Move before drawing into rcNext, putting the last area back; End to
    // put the picture back as it was at the press (the fixed area too). FALSE when the pixels
    // could not be kept or put back.
    BOOL BeginGestureArea(const CRect& rcFirst, const CRect* pFixed);
    BOOL MoveGestureArea(const CRect& rcNext);
    BOOL EndGestureArea(const CRect* pFixed);
    BOOL GestureAreaIsUp() const { return !m_rcGestureFigure.IsRectNull(); }
    // PreImageChange() for text drawn into rcBox in the current format.
    void PreImageChangeOfText(const CRect& rcBox);
    // The image area that the text, drawn into rcBox in the current format, can reach: the box,
    // or for unclipped text the box widened by the text's own extent.
    CRect TextReach(const CRect& rcBox);
    // Before pixels change with no undo step of their own (the transparency members): the
    // last step, while it is open, takes them in, so undoing it takes them back too.
    void KeepInLastUndoStep();
    // Repaints what an undo or redo step changed: rcChanged (image coordinates) and the
    // selection frame if it moved, or the whole view when the picture's size changed.
    void RepaintHistoryStep(CSize sizeBefore, const CRect& rcSelectionBefore, const CRect& rcChanged);

    void ResetSelectionRect();
    void DoChangeSelectionRect(CRect rc);
    // Lifts the pixels of rc into the drag image.
    BOOL PrepareDragImage(CRect rc);
    // Stamps the drag image into the image at rc (from its right or bottom edge when rc
    // starts left of or above the image).
    BOOL DrawDragImage(CRect rc);
    // The selection tool's press: a new selection, a resize, or a move (a copy with Ctrl).
    BOOL DragSelectImage(CPntRectTracker* pTracker);
    // Takes the text's previous rendering back and draws strText into the text box, as one
    // undo step; only while text entry is open.
    void DoModifyText(CString strText);
    // The text tool's press: a new text box (committing the old text), or the box moved or
    // resized with its text following.
    BOOL DragEditText(CPntRectTracker* pTracker);
    void ResetScrollBars();
    void OnDraw(CDC* pDC);
    // One document of one page on a printer DC: the view drawn between StartPage and EndPage,
    // or the document aborted when the printer fails. TRUE when the job was good.
    BOOL PrintPage(CDC* pDC);
    // Draws an area of src onto pDC at pt, leaving the destination where src is crTransparent.
    BOOL DrawImageTransparentlyOnImage(CDC* pDC, CDIBSection& src, CPoint pt, COLORREF crTransparent,
                                       POINT* pSrcPt, SIZE* pSize);
    void DrawGrid(CDC* pDC);
    BOOL DoDrawShape(CPoint ptFrom, CPoint ptTo);
    BOOL SprayAirBrush(CPoint& pt, UINT nRadius);
    // Starts a drawing gesture at a button-down: the button is down and the mouse captured.
    void BeginGesture();
    // Ends the drawing gesture in progress as its button-up at ptImage (image coordinates)
    // would: the figure is placed as one undo step, the airbrush stops, the capture goes.
    // Button-up and every way of losing the mouse end a gesture here; a cancelled one places
    // nothing.
    void EndGesture(CPoint ptImage);
    // The magnify tool's click: one preset level up or down, if there is one.
    void StepMagnification(BOOL bUp);
    // The client point pt in image coordinates.
    CPoint ClientToImage(CPoint pt);
    // The scroll positions that separate logical from device coordinates.
    CSize ScrollOffset();
    BOOL WindowExists() const { return ::IsWindow(m_hWnd); }

    // --- Tools as objects (PntTool*.cpp, PntToolTable.cpp) ---------------------------------
    // The table's row of the current mode; a mode outside the table behaves as no tool.
    const PntToolEntry& GetToolEntry() const;
    const CPntTool& GetTool() const;
    // The tools act on the gesture state, the image and the hooks above on the control's
    // behalf; the table names the control's cursors.
    friend class CPntToolTable;
    friend class CPntTool;
    friend class CPntFreehandTool;
    friend class CPntAirbrushTool;
    friend class CPntFloodFillTool;
    friend class CPntShapeTool;
    friend class CPntSamplerTool;
    friend class CPntMagnifyTool;
    friend class CPntTrackerTool;
    friend class CPntSelectTool;
    friend class CPntDragMoveTool;
    friend class CPntTextTool;
    // --- end of the tools' block ------------------------------------------------------------

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnCancelMode();
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    // Edit > Undo and Redo: the command handlers return nothing, unlike Undo() and Redo().
    afx_msg void OnEditUndo();
    afx_msg void OnEditRedo();
    afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditRedo(CCmdUI* pCmdUI);
    afx_msg void OnEditCopy();
    afx_msg void OnEditCut();
    afx_msg void OnEditPaste();
    afx_msg void OnUpdateEditCopy(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditCut(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    COLORREF m_crEraseColor;
    CDIBSection m_Image;
    CDIBSection* m_pSavedState;
    CDIBSection m_DragImage;
    CRect m_rcDragSource;       // where the drag image was lifted from, or first pasted
    BOOL m_bClearDragSource;    // dropping clears m_rcDragSource first (a move, not a copy)
    int m_nVScrollRange;
    int m_nHScrollRange;
    BOOL m_bDisplayOnly;
    int m_nToolMode;
    int m_nPrevToolMode;
    COLORREF m_crDrawColor;
    COLORREF m_crFillColor;
    COLORREF m_crTransparentColor;
    int m_nEraserWidth;
    int m_nPenWidth;
    BOOL m_bShowSelectionRect;
    BOOL m_bSavedShowSelectionRect;
    BOOL m_bTransparent;
    CPoint m_ptOrigin;
    CRect m_rcMargin;
    int m_nMaxUndoSize;    // the history's count limit, handed to it at every change
    CPoint m_ptDown;
    CPoint m_ptLast;
    BOOL m_bCancelled;
    BOOL m_bButtonDown;
    CString m_strUserText;
    UINT m_nTextFormat;
    CFont m_fontText;
    HCURSOR m_hcurEraser;
    HCURSOR m_hcurFloodFill;
    HCURSOR m_hcurMagnify;
    HCURSOR m_hcurAirBrush;
    HCURSOR m_hcurPen;
    HCURSOR m_hcurCross;
    HCURSOR m_hcurSampler;
    BOOL m_bShowGrid;
    UINT m_nGridMinMagnification;
    BOOL m_bGridWholePercentOnly;
    BOOL m_bImageCentered;
    BOOL m_bFloating;
    UINT_PTR m_nAirBrushTimer;
    UINT m_nAirBrushInterval;
    UINT m_nAirBrushRadiusFactor;
    UINT m_nAirBrushDots;
    CPntTextFmtBar m_TextFmtBar;
    CString m_strPasteCropPrompt;
    BOOL m_bEnableTransColorPicker;
    double m_dMagnification;
    BOOL m_bImageChanged;
    CRect m_rcSelection;
    CBitmap m_bmpMask;
    CStringArray* m_pColorArray;

    // --- Undo history ---
    CPntHistory m_History;
    // The area the next PreImageChange records, set only around that call; else the whole image.
    BOOL m_bNextChangeDeclared = FALSE;
    CRect m_rcNextChange;

    // --- Painting: the off-screen buffer and the repaint of what changed ---------------------
    // The client rectangle that shows the image pixels of rcImage (image coordinates), with
    // room for what is drawn across their edges: grid lines, frames and selection handles,
    // the rounding of the stretch. Empty when there is no window, image or rectangle.
    CRect ImageRectToClient(const RECT& rcImage);
    // Invalidates (without erase) only the client area that shows rcImage; a later repaint
    // of it shows exactly what a repaint of the whole client would.
    void InvalidateImageRect(const RECT& rcImage);
    // The image's corners (0, 0) and (width, height) in client coordinates.
    void ImageCornersToClient(CPoint* pTL, CPoint* pBR);
    // The client rectangle that OnDraw covers with the image's own pixels, whatever was
    // there; FALSE when it leaves some of it showing through (a transparent colour).
    BOOL ImageCoversOpaquely(CRect* pRect);
    // Writes the grid lines that cross the paint in progress straight into its buffer.
    void WriteGridIntoBuffer(const CRect& rcVisible, CPoint ptTL, CPoint ptBR, double dZoom);
    CPntPaintBuffer m_PaintBuffer;

    // --- The rubber band of a shape gesture, and the drag of a selected piece ---
    // The pixels under every figure or piece the gesture has drawn, as they were at the press
    // (one open step), and the image area of the figure or piece now up; empty when none is.
    CPntHistory m_GestureBackup;
    CRect m_rcGestureFigure = CRect(0, 0, 0, 0);
};
