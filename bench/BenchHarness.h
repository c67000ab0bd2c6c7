// What every benchmark program shares: the application object's class, the stopwatch, paired
// timing, the result table with its goal count, and the error count behind the exit code.
// Header-only: the build makes a program of each benchmark folder, and of nothing else.
#pragma once

#include <afxwin.h>
#include <stdio.h>
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>

namespace bench
{
const int kCaseWidth = 50;      // first column of the table

// A message box would stop an unattended run: print the text instead. Each program makes
// its one object of it, with its own name.
class CBenchApp : public CWinApp
{
public:
    explicit CBenchApp(LPCTSTR lpszAppName) : CWinApp(lpszAppName) {}

    int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override
    {
        // The console output is narrow text in either character set.
        fprintf(stderr, "message box: %s\n", (LPCSTR)CStringA(lpszPrompt != NULL ? lpszPrompt : _T("")));
        return IDOK;
    }
};

// ---------------------------------------------------------------------------------------
// Test pictures: square, 24 bits, bottom-up.

// A picture's 24-bit DIB header.
inline BITMAPINFO PictureInfo(int nSize)
{
    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = nSize;
    bmi.bmiHeader.biHeight = nSize;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    return bmi;
}

inline int PictureStride(int nSize) { return ((nSize * 24 + 31) / 32) * 4; }

// Gradients crossed with a checker and diagonal bands: no long runs of one value.
inline void PaintPattern(BYTE* pBits, int nSize)
{
    const int nStride = PictureStride(nSize);
    for (int y = 0; y < nSize; y++)
    {
        BYTE* p = pBits + (size_t)nStride * y;
        for (int x = 0; x < nSize; x++)
        {
            p[3 * x] = (BYTE)(x ^ y);
            p[3 * x + 1] = (BYTE)((x + 2 * y) >> 3);
            p[3 * x + 2] = (BYTE)((((x >> 6) + (y >> 6)) & 1) ? 0xE0 - (y >> 5) : (x >> 4));
        }
    }
}

// A DIB section of the picture's format made straight with GDI; NULL on failure.
inline HBITMAP CreateRawSection(int nSize, void** ppBits)
{
    BITMAPINFO bmi = PictureInfo(nSize);
    *ppBits = NULL;
    HBITMAP hbm = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, ppBits, NULL, 0);
    if (hbm != NULL && *ppBits == NULL)
    {
        ::DeleteObject(hbm);
        hbm = NULL;
    }
    return hbm;
}

// A line of detail under the table row above it.
inline void PrintNote(const char* pszNote)
{
    printf("    %s\n", pszNote);
    fflush(stdout);
}

// ---------------------------------------------------------------------------------------
// Errors: any one makes the exit code non-zero.

inline int g_nErrors = 0;

inline void Fail(const char* pszWhat)
{
    fprintf(stderr, "error: %s\n", pszWhat);
    g_nErrors++;
}

// Runs the program's body, an exception from the framework counting as an error.
inline int RunGuarded(int (*pfnRun)())
{
    int nResult = 1;
    try
    {
        nResult = pfnRun();
    }
    catch (CException* e)
    {
        Fail("exception from the framework");
        e->Delete();
    }
    return nResult;
}

inline int ExitCode(int nResult)
{
    if (g_nErrors != 0)
    {
        fprintf(stderr, "%d error(s)\n", g_nErrors);
        return 1;
    }
    return nResult;
}

// ---------------------------------------------------------------------------------------
// Timing

// Read before main, so that no timed interval includes it.
inline double ReadTicksPerMs()
{
    LARGE_INTEGER freq;
    ::QueryPerformanceFrequency(&freq);
    return (double)freq.QuadPart / 1000.0;
}

inline const double g_dTicksPerMs = ReadTicksPerMs();

class CStopwatch
{
public:
    CStopwatch() { ::QueryPerformanceCounter(&m_start); }
    double Ms() const
    {
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        return (double)(now.QuadPart - m_start.QuadPart) / g_dTicksPerMs;
    }

private:
    LARGE_INTEGER m_start;
};

// The best run: on a machine shared with other work, interference only ever adds time.
inline double Best(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

// The middle run (the mean of the two middle ones for an even count): steadier than the best
// when a step's cost varies from run to run, as a step that allocates or copies memory does.
inline double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 != 0 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Each side is a callable that times its own critical part (set-up, checks and clean-up stay
// outside) and returns the milliseconds, or a negative value when it failed. One untimed
// warm-up of each, then the two alternate, swapping who goes first, so drift hits both alike.
template <class TOp, class TBase>
bool MeasurePair(int nRuns, TOp op, TBase base, double& dOp, double& dBase)
{
    if (op() < 0 || base() < 0)
        return false;
    std::vector<double> vOp, vBase;
    for (int i = 0; i < nRuns; i++)
    {
        double a, b;
        if (i % 2 == 0)
        {
            a = op();
            b = base();
        }
        else
        {
            b = base();
            a = op();
        }
        if (a < 0 || b < 0)
            return false;
        vOp.push_back(a);
        vBase.push_back(b);
    }
    dOp = Best(vOp);
    dBase = Best(vBase);
    return true;
}

// ---------------------------------------------------------------------------------------
// The table

inline int g_nGoals = 0;
inline int g_nGoalsMet = 0;

inline void PrintRule()
{
    printf("%s\n", std::string(kCaseWidth + 1 + 10 + 1 + 10 + 1 + 7 + 1 + 7 + 1 + 5, '-').c_str());
}

// The column headings under the program's own introduction.
inline void PrintTableHead()
{
    printf("%-*s %10s %10s %7s %7s %5s\n", kCaseWidth, "case (operation vs baseline)", "op ms",
           "base ms", "ratio", "goal", "met?");
    PrintRule();
    fflush(stdout);
}

// One row; pszGoal is NULL for report-only rows, bMet says whether a goal was met.
inline void PrintRowWithGoal(const char* pszCase, bool bOk, double dOp, double dBase,
                             const char* pszGoal, bool bMet)
{
    if (pszGoal != NULL)
        g_nGoals++;
    if (!bOk)
    {
        printf("%-*s %10s %10s %7s %7s %5s\n", kCaseWidth, pszCase, "error", "error", "-",
               pszGoal != NULL ? pszGoal : "-", pszGoal != NULL ? "no" : "-");
        Fail(pszCase);
    }
    else
    {
        double dRatio = dBase > 0 ? dOp / dBase : 0;
        if (pszGoal != NULL && bMet)
            g_nGoalsMet++;
        printf("%-*s %10.2f %10.2f %7.2f %7s %5s\n", kCaseWidth, pszCase, dOp, dBase, dRatio,
               pszGoal != NULL ? pszGoal : "-", pszGoal == NULL ? "-" : bMet ? "yes" : "no");
    }
    fflush(stdout);
}

// dGoal is the highest ratio that meets the goal; 0 for report-only rows.
inline void PrintRow(const char* pszCase, bool bOk, double dOp, double dBase, double dGoal)
{
    char szGoal[16];
    snprintf(szGoal, sizeof(szGoal), "<=%.2f", dGoal);
    bool bMet = bOk && dBase > 0 && dOp / dBase <= dGoal;
    PrintRowWithGoal(pszCase, bOk, dOp, dBase, dGoal > 0 ? szGoal : NULL, bMet);
}

// The closing rule and the goal count; swTotal started with the run.
inline void PrintSummary(const CStopwatch& swTotal)
{
    PrintRule();
    printf("Goals met: %d of %d. Whole run %.1f s.\n", g_nGoalsMet, g_nGoals, swTotal.Ms() / 1000.0);
}

// ---------------------------------------------------------------------------------------

inline const char* WineVersion()
{
    typedef const char*(CDECL * WineGetVersionFn)(void);
    FARPROC proc = ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version");
    if (proc == NULL)
        return "(version unknown)";
    return reinterpret_cast<WineGetVersionFn>(reinterpret_cast<void*>(proc))();
}
}
