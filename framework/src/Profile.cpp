// The application profile: the registry after SetRegistryKey, else a private profile file.
#include "ThreadState.h"
#include <stdlib.h>
#include <string.h>

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    free((void*)m_pszRegistryKey);
    m_pszRegistryKey = _tcsdup(lpszRegistryKey ? lpszRegistryKey : _T(""));
    // In the registry the application's name takes the place of the profile file.
    free((void*)m_pszProfileName);
    m_pszProfileName = _tcsdup(AfxGetAppName());
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == NULL || m_pszProfileName == NULL)
        return NULL;
    HKEY hSoftware = NULL;
    HKEY hCompany = NULL;
    HKEY hApp = NULL;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, _T("Software"), 0, KEY_WRITE | KEY_READ, &hSoftware) == ERROR_SUCCESS)
    {
        DWORD dw;
        if (::RegCreateKeyEx(hSoftware, m_pszRegistryKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                             KEY_WRITE | KEY_READ, NULL, &hCompany, &dw) == ERROR_SUCCESS)
        {
            ::RegCreateKeyEx(hCompany, m_pszProfileName, 0, NULL, REG_OPTION_NON_VOLATILE,
                             KEY_WRITE | KEY_READ, NULL, &hApp, &dw);
            ::RegCloseKey(hCompany);
        }
        ::RegCloseKey(hSoftware);
    }
    return hApp;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    HKEY hApp = GetAppRegistryKey();
    if (hApp == NULL || lpszSection == NULL)
    {
        if (hApp != NULL)
            ::RegCloseKey(hApp);
        return NULL;
    }
    HKEY hSection = NULL;
    DWORD dw;
    ::RegCreateKeyEx(hApp, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ, NULL,
                     &hSection, &dw);
    ::RegCloseKey(hApp);
    return hSection;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey == NULL)
        return ::GetPrivateProfileInt(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    HKEY hSection = GetSectionKey(lpszSection);
    if (hSection == NULL)
        return (UINT)nDefault;
    DWORD dwValue = 0;
    DWORD dwType = 0;
    DWORD dwCount = sizeof(dwValue);
    LONG lResult = ::RegQueryValueEx(hSection, lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &dwCount);
    ::RegCloseKey(hSection);
    if (lResult != ERROR_SUCCESS || dwType != REG_DWORD || dwCount != sizeof(dwValue))
        return (UINT)nDefault;
    return (UINT)dwValue;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey == NULL)
    {
        CString text;
        text.Format(_T("%d"), nValue);
        return ::WritePrivateProfileString(lpszSection, lpszEntry, text, m_pszProfileName);
    }
    HKEY hSection = GetSectionKey(lpszSection);
    if (hSection == NULL)
        return FALSE;
    DWORD dwValue = (DWORD)nValue;
    LONG lResult = ::RegSetValueEx(hSection, lpszEntry, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(dwValue));
    ::RegCloseKey(hSection);
    return lResult == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    if (m_pszRegistryKey == NULL)
    {
        TCHAR szValue[4096];
        ::GetPrivateProfileString(lpszSection, lpszEntry, lpszDefault ? lpszDefault : _T(""), szValue,
                                  _countof(szValue), m_pszProfileName);
        return szValue;
    }
    HKEY hSection = GetSectionKey(lpszSection);
    if (hSection == NULL)
        return lpszDefault;
    CString value;
    DWORD dwType = 0;
    DWORD dwCount = 0;
    LONG lResult = ::RegQueryValueEx(hSection, lpszEntry, NULL, &dwType, NULL, &dwCount);
    if (lResult == ERROR_SUCCESS && dwType == REG_SZ)
    {
        // dwCount counts bytes; the value may lack its terminator.
        int nChars = (int)(dwCount / sizeof(TCHAR));
        LPTSTR pBuffer = value.GetBuffer(nChars + 1);
        lResult = ::RegQueryValueEx(hSection, lpszEntry, NULL, &dwType, (LPBYTE)pBuffer, &dwCount);
        pBuffer[nChars] = 0;
        value.ReleaseBuffer();
    }
    ::RegCloseKey(hSection);
    if (lResult != ERROR_SUCCESS || dwType != REG_SZ)
        return lpszDefault;
    return value;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (m_pszRegistryKey == NULL)
        return ::WritePrivateProfileString(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    if (lpszEntry == NULL)
    {
        // No entry: the whole section goes.
        HKEY hApp = GetAppRegistryKey();
        if (hApp == NULL)
            return FALSE;
        LONG lResult = ::RegDeleteKey(hApp, lpszSection);
        ::RegCloseKey(hApp);
        return lResult == ERROR_SUCCESS;
    }
    HKEY hSection = GetSectionKey(lpszSection);
    if (hSection == NULL)
        return FALSE;
    LONG lResult = lpszValue == NULL
        ? ::RegDeleteValue(hSection, lpszEntry)
        : ::RegSetValueEx(hSection, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue, (DWORD)((_tcslen(lpszValue) + 1) * sizeof(TCHAR)));
    ::RegCloseKey(hSection);
    return lResult == ERROR_SUCCESS;
}
