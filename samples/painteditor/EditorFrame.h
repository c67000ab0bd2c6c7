// CEditorFrame: the paint editor's main window: a frame with the paint control as its view,
// menus, accelerators, a key per tool, a colour box, a status bar that follows the pointer,
// and a title that names the file and marks a picture that differs from the saved one.
#pragma once
#include <afxext.h>
#include "EditorColourBox.h"
#include "EditorPaintCtrl.h"
#include "toolpalette/PntToolCtrl.h"

class CEditorFrame : public CFrameWnd
{
public:
    CEditorFrame();

    // Makes the window (not shown yet) with its menu, accelerators, status bar and control.
    BOOL CreateEditor();
    CEditorPaintCtrl& GetPaintCtrl() { return m_wndPaint; }
    CPntToolCtrl& GetToolPalette() { return m_wndPalette; }
    CEditorColourBox& GetColourBox() { return m_wndColours; }
    CStatusBar& GetStatusBar() { return m_wndStatusBar; }
    // Picks the starting tool and shows the window; call once the frame is the main window,
    // which is where the control sends its status texts.
    void ShowEditor();

    // Replaces the picture with the built-in one (untitled, unchanged).
    BOOL ShowDefaultPicture();
    // Opens a bitmap file. A file that cannot be had is reported, ending with lpszOutcome
    // (what happens instead), and the picture stays.
    BOOL OpenFile(LPCTSTR lpszPath, LPCTSTR lpszOutcome = _T("The current picture is kept."));
    // Writes the picture to lpszPath through a temporary file; a failure is reported and any
    // existing file stays as it was. Success makes lpszPath the editor's file, unchanged.
    BOOL SaveFile(LPCTSTR lpszPath);
    // Whether the picture differs from the one last opened, made or saved.
    BOOL IsModified() const { return m_bModified; }
    // Forgets the changes, so that closing asks nothing.
    void DiscardChanges();
    // The last command that reached the frame or the control (for the scripted session).
    UINT GetLastCommand() const { return m_nLastCommand; }

    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    // Tool keys, and the pointer's position for the status bar.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // The status bar along the bottom with the colour box above it, the tool palette down the
    // left, the control in the rest.
    virtual void RecalcLayout(BOOL bNotify = TRUE);

protected:
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Asks whether to save a changed picture; FALSE when the user cancels (or the save fails).
    BOOL SaveModified();
    // Saves to the editor's file, asking for a name first when there is none or bAskName is set.
    BOOL DoSave(BOOL bAskName);
    // The file name shown in the title and the questions.
    CString GetDisplayName() const;
    void UpdateTitle();
    // Image size and depth, and magnification, in the status bar.
    void UpdateStatusPanes();
    // The pointer's image position in its pane, or nothing when it is off the picture.
    void UpdatePointerPane();
    // Chooses the tool of a key pressed on the picture; FALSE when the key is no tool's or
    // belongs to something else now (typed text, Ctrl or Alt held, a drag in progress).
    BOOL ChooseToolByKey(const MSG* pMsg);
    // Whether the picture differs from the saved one, with the title to match.
    void UpdateModified();
    // A readable font for the text tool when the profile names none yet.
    void ChooseDefaultTextFont();
    // The file's name and changed state after a picture was loaded, made or saved.
    void SetDocument(LPCTSTR lpszPath);
    // Fills the run-time parts of the menu: magnification levels, tools, colours, pen widths.
    void BuildMenus();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();
    afx_msg void OnFilePrint();
    afx_msg void OnAppExit();
    afx_msg void OnViewZoom(UINT nID);
    afx_msg void OnUpdateViewZoom(CCmdUI* pCmdUI);
    afx_msg void OnViewFit();
    afx_msg void OnViewGrid();
    afx_msg void OnUpdateViewGrid(CCmdUI* pCmdUI);
    afx_msg void OnImageResize();
    afx_msg void OnImagePalette();
    afx_msg void OnUpdateImagePalette(CCmdUI* pCmdUI);
    afx_msg void OnTool(UINT nID);
    afx_msg void OnUpdateTool(CCmdUI* pCmdUI);
    afx_msg void OnDrawColour(UINT nID);
    afx_msg void OnUpdateDrawColour(CCmdUI* pCmdUI);
    afx_msg void OnFillColour(UINT nID);
    afx_msg void OnUpdateFillColour(CCmdUI* pCmdUI);
    afx_msg void OnPenWidth(UINT nID);
    afx_msg void OnUpdatePenWidth(CCmdUI* pCmdUI);
    afx_msg void OnEditSelectAll();
    afx_msg void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
    afx_msg LRESULT OnPointerMoved(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CStatusBar m_wndStatusBar;
    CPntToolCtrl m_wndPalette;
    CEditorPaintCtrl m_wndPaint;
    CEditorColourBox m_wndColours;
    CString m_strPath;   // empty while untitled
    BOOL m_bModified;    // the picture differs from the saved one (see m_nSavedStateId)
    UINT m_nSavedStateId;   // the control's picture identity when it was last opened, made or saved
    BOOL m_bPointerTracked; // the control reports the pointer's leaving
    UINT m_nLastCommand;
};

// Pen widths offered by the Tools menu, in image pixels.
extern const int g_nPenWidths[5];
