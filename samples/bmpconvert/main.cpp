// bmpconvert: loads a bitmap file (or starts from a built-in picture), changes its colour
// depth and size with the image class, and saves it.
#include "samples/common/BitmapFiles.h"
#include "samples/common/DefaultPicture.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace
{
enum ExitCode { kOk = 0, kUsage = 1, kInputRefused = 2, kConversionFailed = 3 };

const char kUsageText[] =
    "usage: bmpconvert [options] [input.bmp] output.bmp\n"
    "  Converts a Windows bitmap file (40-byte header, not run-length encoded).\n"
    "  Without input.bmp it converts a built-in default picture.\n"
    "options:\n"
    "  -b, --bits N        colour depth of the output: 1, 4, 8, 16, 24 or 32 (default: the input's)\n"
    "  -s, --size WxH      size of the output in pixels (default: the input's); new area is white\n"
    "  -o, --offset X,Y    input pixel that lands on the output's top-left corner (default 0,0)\n"
    "  -h, --help          this text\n";

struct Options
{
    const char* pszInput = NULL;
    const char* pszOutput = NULL;
    int nBits = 0;          // 0: keep
    int cx = 0, cy = 0;     // 0: keep
    POINT ptOffset = { 0, 0 };
};

int Usage(const char* pszProblem)
{
    fprintf(stderr, "bmpconvert: %s\nusage: bmpconvert [options] [input.bmp] output.bmp (--help for more)\n",
            pszProblem);
    return kUsage;
}

bool ParsePair(const char* pszText, char chSeparator, long& a, long& b)
{
    char* pEnd = NULL;
    a = strtol(pszText, &pEnd, 10);
    if (pEnd == pszText || *pEnd != chSeparator)
        return false;
    const char* pSecond = pEnd + 1;
    b = strtol(pSecond, &pEnd, 10);
    return pEnd != pSecond && *pEnd == 0;
}

// Returns kOk, or the exit code of a usage error (already reported).
int ParseArguments(int argc, char** argv, Options& options, bool& bHelp)
{
    const char* positional[2] = { NULL, NULL };
    int nPositional = 0;
    for (int i = 1; i < argc; ++i)
    {
        const char* pszArg = argv[i];
        auto takeValue = [&](const char*& pszValue) {
            if (i + 1 >= argc)
                return false;
            pszValue = argv[++i];
            return true;
        };
        const char* pszValue = NULL;
        if (!strcmp(pszArg, "-h") || !strcmp(pszArg, "--help"))
        {
            bHelp = true;
            return kOk;
        }
        else if (!strcmp(pszArg, "-b") || !strcmp(pszArg, "--bits"))
        {
            if (!takeValue(pszValue))
                return Usage("--bits needs a value");
            char* pEnd = NULL;
            long nBits = strtol(pszValue, &pEnd, 10);
            if (*pEnd != 0 || (nBits != 1 && nBits != 4 && nBits != 8 && nBits != 16 && nBits != 24 && nBits != 32))
                return Usage("--bits must be 1, 4, 8, 16, 24 or 32");
            options.nBits = (int)nBits;
        }
        else if (!strcmp(pszArg, "-s") || !strcmp(pszArg, "--size"))
        {
            long cx = 0, cy = 0;
            if (!takeValue(pszValue) || !ParsePair(pszValue, 'x', cx, cy) || cx < 1 || cy < 1 || cx > 32768 || cy > 32768)
                return Usage("--size must be WxH, each from 1 to 32768");
            options.cx = (int)cx;
            options.cy = (int)cy;
        }
        else if (!strcmp(pszArg, "-o") || !strcmp(pszArg, "--offset"))
        {
            long x = 0, y = 0;
            if (!takeValue(pszValue) || !ParsePair(pszValue, ',', x, y) || labs(x) > 32768 || labs(y) > 32768)
                return Usage("--offset must be X,Y");
            options.ptOffset.x = x;
            options.ptOffset.y = y;
        }
        else if (pszArg[0] == '-' && pszArg[1] != 0)
        {
            return Usage("unknown option");
        }
        else if (nPositional < 2)
        {
            positional[nPositional++] = pszArg;
        }
        else
        {
            return Usage("too many file names");
        }
    }
    if (nPositional == 0)
        return Usage("no output file given");
    options.pszInput = nPositional == 2 ? positional[0] : NULL;
    options.pszOutput = positional[nPositional - 1];
    return kOk;
}

int LoadInput(const Options& options, CDIBSection& image)
{
    if (options.pszInput == NULL)
    {
        if (!samples::MakeDefaultPicture(image, "bmpconvert"))
        {
            fprintf(stderr, "bmpconvert: could not draw the default picture\n");
            return kConversionFailed;
        }
        return kOk;
    }
    CString strProblem;
    if (!samples::LoadBitmapFile(image, options.pszInput, strProblem))
    {
        fprintf(stderr, "bmpconvert: %s %s\n", options.pszInput, (LPCTSTR)strProblem);
        return kInputRefused;
    }
    return kOk;
}
}

int main(int argc, char** argv)
{
    Options options;
    bool bHelp = false;
    int nResult = ParseArguments(argc, argv, options, bHelp);
    if (bHelp)
    {
        fputs(kUsageText, stdout);
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
        fprintf(stderr, "bmpconvert: could not make a %d x %d, %d-bit image\n", cx, cy, nBits);
        return kConversionFailed;
    }
    if (!samples::SaveWithoutThrowing([&]() { return image.Save(options.pszOutput); }))
    {
        fprintf(stderr, "bmpconvert: cannot write %s\n", options.pszOutput);
        return kConversionFailed;
    }
    printf("bmpconvert: wrote %s (%d x %d, %d bits per pixel)\n", options.pszOutput, image.GetWidth(),
           image.GetHeight(), image.GetBitCount());
    return kOk;
}
