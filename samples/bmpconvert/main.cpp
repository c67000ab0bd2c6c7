// bmpconvert: loads a bitmap file (or starts from a built-in picture), changes its colour
// depth and size with the image class, and saves it.
#include "samples/common/BitmapFiles.h"
#include "samples/common/ConsoleText.h"
#include "samples/common/DefaultPicture.h"
#include <stdio.h>
#include <stdlib.h>
#include <tchar.h>

namespace
{
enum ExitCode { kOk = 0, kUsage = 1, kInputRefused = 2, kConversionFailed = 3 };

const TCHAR kUsageText[] =
    _T("usage: bmpconvert [options] [input.bmp] output.bmp\n")
    _T("  Converts a Windows bitmap file (40-byte header, not run-length encoded).\n")
    _T("  Without input.bmp it converts a built-in default picture.\n")
    _T("options:\n")
    _T("  -b, --bits N        colour depth of the output: 1, 4, 8, 16, 24 or 32 (default: the input's)\n")
    _T("  -s, --size WxH      size of the output in pixels (default: the input's); new area is white\n")
    _T("  -o, --offset X,Y    input pixel that lands on the output's top-left corner (default 0,0)\n")
    _T("  -h, --help          this text\n");

struct Options
{
    LPCTSTR pszInput = NULL;
    LPCTSTR pszOutput = NULL;
    int nBits = 0;          // 0: keep
    int cx = 0, cy = 0;     // 0: keep
    POINT ptOffset = { 0, 0 };
};

int Usage(LPCTSTR pszProblem)
{
    samples::PrintText(stderr,
                       _T("bmpconvert: %s\nusage: bmpconvert [options] [input.bmp] output.bmp (--help for more)\n"),
                       pszProblem);
    return kUsage;
}

bool ParsePair(LPCTSTR pszText, TCHAR chSeparator, long& a, long& b)
{
    LPTSTR pEnd = NULL;
    a = _tcstol(pszText, &pEnd, 10);
    if (pEnd == pszText || *pEnd != chSeparator)
        return false;
    LPCTSTR pSecond = pEnd + 1;
    b = _tcstol(pSecond, &pEnd, 10);
    return pEnd != pSecond && *pEnd == 0;
}

// Returns kOk, or the exit code of a usage error (already reported).
int ParseArguments(int argc, TCHAR** argv, Options& options, bool& bHelp)
{
    LPCTSTR positional[2] = { NULL, NULL };
    int nPositional = 0;
    for (int i = 1; i < argc; ++i)
    {
        LPCTSTR pszArg = argv[i];
        auto takeValue = [&](LPCTSTR& pszValue) {
            if (i + 1 >= argc)
                return false;
            pszValue = argv[++i];
            return true;
        };
        LPCTSTR pszValue = NULL;
        if (!_tcscmp(pszArg, _T("-h")) || !_tcscmp(pszArg, _T("--help")))
        {
            bHelp = true;
            return kOk;
        }
        else if (!_tcscmp(pszArg, _T("-b")) || !_tcscmp(pszArg, _T("--bits")))
        {
            if (!takeValue(pszValue))
                return Usage(_T("--bits needs a value"));
            LPTSTR pEnd = NULL;
            long nBits = _tcstol(pszValue, &pEnd, 10);
            if (*pEnd != 0 || (nBits != 1 && nBits != 4 && nBits != 8 && nBits != 16 && nBits != 24 && nBits != 32))
                return Usage(_T("--bits must be 1, 4, 8, 16, 24 or 32"));
            options.nBits = (int)nBits;
        }
        else if (!_tcscmp(pszArg, _T("-s")) || !_tcscmp(pszArg, _T("--size")))
        {
            long cx = 0, cy = 0;
            if (!takeValue(pszValue) || !ParsePair(pszValue, _T('x'), cx, cy) || cx < 1 || cy < 1 || cx > 32768 || cy > 32768)
                return Usage(_T("--size must be WxH, each from 1 to 32768"));
            options.cx = (int)cx;
            options.cy = (int)cy;
        }
        else if (!_tcscmp(pszArg, _T("-o")) || !_tcscmp(pszArg, _T("--offset")))
        {
            long x = 0, y = 0;
            if (!takeValue(pszValue) || !ParsePair(pszValue, _T(','), x, y) || labs(x) > 32768 || labs(y) > 32768)
                return Usage(_T("--offset must be X,Y"));
            options.ptOffset.x = x;
            options.ptOffset.y = y;
        }
        else if (pszArg[0] == _T('-') && pszArg[1] != 0)
        {
            return Usage(_T("unknown option"));
        }
        else if (nPositional < 2)
        {
            positional[nPositional++] = pszArg;
        }
        else
        {
            return Usage(_T("too many file names"));
        }
    }
    if (nPositional == 0)
        return Usage(_T("no output file given"));
    options.pszInput = nPositional == 2 ? positional[0] : NULL;
    options.pszOutput = positional[nPositional - 1];
    return kOk;
}

int LoadInput(const Options& options, CDIBSection& image)
{
    if (options.pszInput == NULL)
    {
        if (!samples::MakeDefaultPicture(image, _T("bmpconvert")))
        {
            samples::WriteText(stderr, _T("bmpconvert: could not draw the default picture\n"));
            return kConversionFailed;
        }
        return kOk;
    }
    CString strProblem;
    if (!samples::LoadBitmapFile(image, options.pszInput, strProblem))
    {
        samples::PrintText(stderr, _T("bmpconvert: %s %s\n"), options.pszInput, (LPCTSTR)strProblem);
        return kInputRefused;
    }
    return kOk;
}
}

int _tmain(int argc, TCHAR** argv)
{
    Options options;
    bool bHelp = false;
    int nResult = ParseArguments(argc, argv, options, bHelp);
    if (bHelp)
    {
        samples::WriteText(stdout, kUsageText);
        return kOk;
    }
    if (nResult != kOk)
        return nResult;

    CDIBSection image;
    nResult = LoadInput(options, image);
    if (nResult != kOk)
        return nResult;

    int cx = options.cx ? options.cx : image.GetWidth();
    int cy = options.cy ? options.cy : image.GetHeight();
    int nBits = options.nBits ? options.nBits : image.GetBitCount();
    bool bChanged = cx != image.GetWidth() || cy != image.GetHeight() || nBits != image.GetBitCount() ||
                    options.ptOffset.x != 0 || options.ptOffset.y != 0;
    if (bChanged && !image.Resize(cx, cy, 1, nBits, &options.ptOffset))
    {
        samples::PrintText(stderr, _T("bmpconvert: could not make a %d x %d, %d-bit image\n"), cx, cy, nBits);
        return kConversionFailed;
    }
    if (!samples::SaveWithoutThrowing([&]() { return image.Save(options.pszOutput); }))
    {
        samples::PrintText(stderr, _T("bmpconvert: cannot write %s\n"), options.pszOutput);
        return kConversionFailed;
    }
    samples::PrintText(stdout, _T("bmpconvert: wrote %s (%d x %d, %d bits per pixel)\n"), options.pszOutput,
                       image.GetWidth(), image.GetHeight(), image.GetBitCount());
    return kOk;
}
