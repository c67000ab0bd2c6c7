// Build configuration shared by every framework header: export macros and calling conventions.
#pragma once

#ifndef STRICT
#define STRICT
#endif
#include <windows.h>
#include <tchar.h>

// The framework DLL exports its classes; everything that links it imports them.
#ifdef _AFX_FRAMEWORK_BUILD
#define AFX_FW_CLASS __declspec(dllexport)
#define AFX_FW_API __declspec(dllexport)
#define AFX_FW_DATA __declspec(dllexport)
#else
#define AFX_FW_CLASS __declspec(dllimport)
#define AFX_FW_API __declspec(dllimport)
#define AFX_FW_DATA __declspec(dllimport)
#endif

// An extension DLL (built with _AFXEXT) exports the classes it marks AFX_EXT_CLASS;
// its hosts import them.
#ifdef _AFXEXT
#define AFX_EXT_CLASS __declspec(dllexport)
#define AFX_EXT_API __declspec(dllexport)
#define AFX_EXT_DATA __declspec(dllexport)
#else
#define AFX_EXT_CLASS __declspec(dllimport)
#define AFX_EXT_API __declspec(dllimport)
#define AFX_EXT_DATA __declspec(dllimport)
#endif

#define AFXAPI __stdcall
#define afx_msg
#define AFX_CDECL __cdecl

#ifndef ASSERT
#define ASSERT(f) ((void)0)
#endif
#ifndef VERIFY
#define VERIFY(f) ((void)(f))
#endif
#define ASSERT_VALID(p) ((void)0)
#define ASSERT_KINDOF(c, p) ((void)0)
#define TRACE(...) ((void)0)
#define TRACE0(s) ((void)0)
#define UNUSED_ALWAYS(x) ((void)(x))
